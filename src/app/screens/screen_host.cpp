#include "app/screens/screen_host.h"

#include "app/keys/key_codes.h"

ScreenHost::ScreenHost(ScreenContext context) : m_context(context) {}

ScreenHost::~ScreenHost() = default;

ScreenModel* ScreenHost::open(std::string_view name) {
    if (ScreenModel* s = find(name)) return s;
    const auto& factories = ScreenFactories();
    const auto it = factories.find(name);
    if (it == factories.end()) return nullptr;
    std::unique_ptr<ScreenModel> screen = it->second(m_context);
    if (!screen) return nullptr;
    ScreenModel* raw = screen.get();
    m_screens.emplace(std::string(name), std::move(screen));
    if (onCreated) onCreated(*raw);
    return raw;
}

ScreenModel* ScreenHost::find(std::string_view name) const {
    const auto it = m_screens.find(name);
    return it == m_screens.end() ? nullptr : it->second.get();
}

bool ScreenHost::known(std::string_view name) {
    return ScreenFactories().count(name) != 0;
}

void ScreenHost::forEach(const std::function<void(ScreenModel&)>& fn) const {
    for (const auto& [name, screen] : m_screens) fn(*screen);
}

bool ScreenHost::SavesLate(std::string_view name) {
    return name == "graph" || name == "statistics";
}

void ScreenHost::saveAll() {
    for (auto& [name, screen] : m_screens)
        if (!SavesLate(name)) screen->save();
}

void ScreenHost::saveLate() {
    for (auto& [name, screen] : m_screens)
        if (SavesLate(name)) screen->save();
}

const char* ScreenOfCategory(int categoryId) {
    switch (categoryId) {
        case kCatConstants:
            return "constants";
        case kCatUnitConverter:
            return "unit_converter";
        case kCatCurrencyConverter:
            return "currency_converter";
        case kCatTip:
            return "tip";
        case kCatEquationSolver:
            return "equation_solver";
        case kCatGraph:
            return "graph";
        case kCatBusiness:
            return "business";
        default:
            return "";
    }
}
