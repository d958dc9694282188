// Every side screen the application can open, by name: one line per screen.
#include "app/screens/screen_host.h"

const std::map<std::string, ScreenHost::Factory, std::less<>>& ScreenFactories() {
    static const std::map<std::string, ScreenHost::Factory, std::less<>> factories = {
        // {"loan", [](ScreenContext& c) { return std::make_unique<LoanCalcView>(c); }},
    };
    return factories;
}
