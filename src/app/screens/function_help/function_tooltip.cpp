#include "app/screens/function_help/function_tooltip.h"

#include "app/display/led_view.h"
#include "app/display/line_text.h"
#include "app/screens/help/help_document.h"
#include "app/settings/settings_globals.h"

namespace {

std::string TrimBlanks(std::string_view s) {
    const size_t a = s.find_first_not_of(' ');
    if (a == std::string_view::npos) return {};
    return std::string(s.substr(a, s.find_last_not_of(' ') - a + 1));
}

}  // namespace

FunctionHelpCatalog FunctionHelpCatalog::Parse(std::span<const std::uint8_t> bytes) {
    FunctionHelpCatalog catalog;
    if (bytes.size() > kMaxHelpFileSize) return catalog;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    FunctionHelpEntry entry;
    auto finish = [&]() {
        if (!entry.object.empty() && !entry.name.empty()) catalog.m_entries.emplace(entry.object, entry);
        entry = {};
    };
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string line = CleanHelpLine(text.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() > 2) {
            finish();
            entry.object = TrimBlanks(std::string_view(line).substr(1, line.size() - 2));
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos || entry.object.empty()) continue;
        const std::string field = line.substr(0, colon);
        std::string value = TrimBlanks(std::string_view(line).substr(colon + 1));
        if (field == "name") {
            entry.name = std::move(value);
        } else if (field == "syntax") {
            entry.syntax = std::move(value);
        } else if (field == "example") {
            entry.example = std::move(value);
        } else if (field == "note") {
            entry.note = std::move(value);
        }
    }
    finish();
    return catalog;
}

FunctionHelpCatalog FunctionHelpCatalog::Load(const Storage& storage) {
    const auto bytes = storage.readFile(ResourcePath(storage, kFunctionHelpFile));
    return bytes ? Parse(*bytes) : FunctionHelpCatalog{};
}

const FunctionHelpEntry* FunctionHelpCatalog::find(std::u16string_view object) const {
    const auto it = m_entries.find(TrimBlanks(U16ToUtf8(object)));
    return it == m_entries.end() ? nullptr : &it->second;
}

std::optional<FunctionTip> FunctionTooltip::tipFor(const InputLine& line) const {
    const int caret = line.caret();
    if (caret < 0 || caret >= line.objectCount()) return std::nullopt;
    const FunctionHelpEntry* entry = m_catalog.find(line.object(caret));
    if (entry == nullptr) return std::nullopt;
    return FunctionTip{*entry, caret};
}

std::optional<FunctionTip> FunctionTooltip::current(const MyLedView& display) const {
    if (!g_bHelp || !display.showsCaret() || display.CurrentInputMode() != 0) return std::nullopt;
    if (m_closedAt && *m_closedAt == display.redrawRequests()) return std::nullopt;
    return tipFor(display.line());
}

void FunctionTooltip::close(const MyLedView& display) {
    m_closedAt = display.redrawRequests();
}

std::vector<std::u16string> FunctionTooltip::Lines(const FunctionTip& tip) {
    std::vector<std::u16string> lines{Utf8ToU16(tip.entry.name)};
    if (!tip.entry.syntax.empty()) lines.push_back(Utf8ToU16(tip.entry.syntax));
    if (!tip.entry.example.empty()) lines.push_back(u"Example: " + Utf8ToU16(tip.entry.example));
    if (!tip.entry.note.empty()) lines.push_back(Utf8ToU16(tip.entry.note));
    return lines;
}

nlohmann::json FunctionTooltip::describe(const MyLedView& display) const {
    const std::optional<FunctionTip> tip = current(display);
    if (!tip) return {{"shown", false}};
    nlohmann::json lines = nlohmann::json::array();
    for (const std::u16string& l : Lines(*tip)) lines.push_back(U16ToUtf8(l));
    return {{"shown", true},
            {"object", tip->entry.object},
            {"objectIndex", tip->objectIndex},
            {"name", tip->entry.name},
            {"syntax", tip->entry.syntax},
            {"example", tip->entry.example},
            {"note", tip->entry.note},
            {"lines", lines}};
}

void FunctionTooltip::Draw(Canvas& canvas, const CanvasRect& area, const FunctionTip& tip) {
    constexpr double kPadding = 4, kLineHeight = 15;
    const CanvasFont regular{"Verdana", 12}, bold{"Verdana-Bold", 12};
    canvas.saveState();
    canvas.clipToRect(area);
    canvas.setFillColor({1.0, 0.98, 0.85, 1});
    canvas.fillRect(area);
    canvas.setStrokeColor({0.45, 0.45, 0.45, 1});
    canvas.setLineWidth(1);
    canvas.strokeRect(area);
    canvas.setFillColor({0, 0, 0, 1});
    const std::vector<std::u16string> lines = Lines(tip);
    for (size_t i = 0; i < lines.size(); ++i) {
        const CanvasPoint origin{area.x + kPadding, area.y + kPadding + kLineHeight * static_cast<double>(i)};
        canvas.drawText(lines[i], origin, i == 0 ? bold : regular);
    }
    canvas.restoreState();
}
