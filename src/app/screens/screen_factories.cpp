// Every side screen the application can open, by name: one line per screen.
#include "app/screens/equation_solver/equation_solver_view.h"
#include "app/screens/graph/graph_plot_view.h"
#include "app/screens/graph/graph_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/settings/settings_screen.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        {"equation_solver", [](ScreenContext& c) { return std::make_unique<EquationSolverView>(c); }},
        {"graph", [](ScreenContext& c) { return std::make_unique<GraphView>(c); }},
        {"graph_plot", [](ScreenContext& c) { return std::make_unique<GraphPlotView>(c); }},
        {"settings", [](ScreenContext& c) { return std::make_unique<SettingsScreen>(c); }},
    };
    return factories;
}
