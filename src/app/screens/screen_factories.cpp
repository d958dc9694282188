// Every side screen the application can open, by name: one line per screen.
#include "app/screens/about/about_view.h"
#include "app/screens/business/business_calc_view.h"
#include "app/screens/clothing/clothing_view.h"
#include "app/screens/constants/constant_view.h"
#include "app/screens/converter/unit_converter_view.h"
#include "app/screens/equation_solver/equation_solver_view.h"
#include "app/screens/formula_view/formular_view.h"
#include "app/screens/graph/graph_plot_view.h"
#include "app/screens/graph/graph_view.h"
#include "app/screens/help/help_view.h"
#include "app/screens/history_view/history_view.h"
#include "app/screens/introduction/introduction_view.h"
#include "app/screens/loan/loan_calc_view.h"
#include "app/screens/mortgage/mort_calc_view.h"
#include "app/screens/rpn_stack/rpn_calc_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/settings/settings_screen.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "app/screens/tip/tip_calc_view.h"
#include "app/screens/tvm/tvm_view.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        {"loan", [](ScreenContext& c) { return std::make_unique<LoanCalcView>(c); }},
        {"mortgage", [](ScreenContext& c) { return std::make_unique<MortCalcView>(c); }},
        {"tvm", [](ScreenContext& c) { return std::make_unique<TVMView>(c); }},
        {"equation_solver", [](ScreenContext& c) { return std::make_unique<EquationSolverView>(c); }},
        {"graph", [](ScreenContext& c) { return std::make_unique<GraphView>(c); }},
        {"graph_plot", [](ScreenContext& c) { return std::make_unique<GraphPlotView>(c); }},
        {"settings", [](ScreenContext& c) { return std::make_unique<SettingsScreen>(c); }},
        {"rpn_stack", [](ScreenContext& c) { return std::make_unique<RPNCalcView>(c); }},
        {"history_view", [](ScreenContext& c) { return std::make_unique<HistoryView>(c); }},
        {"formula_view", [](ScreenContext& c) { return std::make_unique<FormularView>(c); }},
        {"help", [](ScreenContext& c) { return std::make_unique<HelpView>(c); }},
        {"about", [](ScreenContext& c) { return std::make_unique<AboutView>(c); }},
        {"introduction", [](ScreenContext& c) { return std::make_unique<IntroductionView>(c); }},
        {"tip", [](ScreenContext& c) { return std::make_unique<TipCalcView>(c); }},
        {"business", [](ScreenContext& c) { return std::make_unique<BusinessCalcView>(c); }},
        {"statistics", [](ScreenContext& c) { return std::make_unique<StatisticDataView>(c); }},
        {"constants", [](ScreenContext& c) { return std::make_unique<ConstantView>(c); }},
        {"currency_converter",
         [](ScreenContext& c) {
             return std::make_unique<UnitConverterView>(c, UnitConverterView::kCurrencyMode);
         }},
        {"unit_converter",
         [](ScreenContext& c) {
             return std::make_unique<UnitConverterView>(c, UnitConverterView::kUnitMode);
         }},
        {"clothing", [](ScreenContext& c) { return std::make_unique<ClothingView>(c); }},
    };
    return factories;
}
