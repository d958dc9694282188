// Every side screen the application can open, by name: one line per screen.
#include "app/screens/loan/loan_calc_view.h"
#include "app/screens/mortgage/mort_calc_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/settings/settings_screen.h"
#include "app/screens/tvm/tvm_view.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        {"loan", [](ScreenContext& c) { return std::make_unique<LoanCalcView>(c); }},
        {"mortgage", [](ScreenContext& c) { return std::make_unique<MortCalcView>(c); }},
        {"tvm", [](ScreenContext& c) { return std::make_unique<TVMView>(c); }},
        {"settings", [](ScreenContext& c) { return std::make_unique<SettingsScreen>(c); }},
    };
    return factories;
}
