// Every side screen the application can open, by name: one line per screen.
#include "app/screens/business/business_calc_view.h"
#include "app/screens/constants/constant_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/settings/settings_screen.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "app/screens/tip/tip_calc_view.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        {"settings", [](ScreenContext& c) { return std::make_unique<SettingsScreen>(c); }},
        {"tip", [](ScreenContext& c) { return std::make_unique<TipCalcView>(c); }},
        {"business", [](ScreenContext& c) { return std::make_unique<BusinessCalcView>(c); }},
        {"statistics", [](ScreenContext& c) { return std::make_unique<StatisticDataView>(c); }},
        {"constants", [](ScreenContext& c) { return std::make_unique<ConstantView>(c); }},
    };
    return factories;
}
