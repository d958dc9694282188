// Every side screen the application can open, by name: one line per screen.
#include "app/screens/clothing/clothing_view.h"
#include "app/screens/converter/unit_converter_view.h"
#include "app/screens/screen_host.h"
#include "app/screens/settings/settings_screen.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        {"settings", [](ScreenContext& c) { return std::make_unique<SettingsScreen>(c); }},
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
