#include "app/screens/graph/graph_view.h"

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/screens/graph/graph_plot_view.h"
#include "app/screens/key_code_object.h"

using nlohmann::json;

namespace {

const char* const kCommandNotification = "GraphView_enterACommand";

// "line2" -> 1 for prefix "line"; -1 when element is no such name.
int IndexAfter(std::string_view element, std::string_view prefix) {
    if (element.size() != prefix.size() + 1 || element.substr(0, prefix.size()) != prefix) return -1;
    const int n = element.back() - '1';
    return n >= 0 && n < GraphView::kLines ? n : -1;
}

json ColorJson(const GraphColor& c) {
    return json::array({c.red, c.green, c.blue});
}

}  // namespace

GraphView::GraphView(ScreenContext& context) : m_context(context) {
    for (auto& l : m_lines) {
        l = std::make_unique<MyLedViewLite>(context.metrics, &context.platform.runLoop,
                                            &context.platform.storage);
        l->delegate = this;
    }
    m_context.platform.notifications.addObserver(
        kCommandNotification, [this](const Notification& n) { enterACommand(KeyCodeOfObject(n.object)); },
        this);
    loadData();
    selectLine(0);
}

GraphView::~GraphView() {
    m_context.platform.notifications.removeObserversOf(this);
}

std::string GraphView::fileName(int index) {
    return "graph_led" + std::to_string(index + 1) + ".dat";
}

void GraphView::loadData() {
    for (int k = 0; k < kLines; ++k) line(k).LoadData(DocumentPath(m_context.platform.storage, fileName(k)));
}

void GraphView::saveData() const {
    for (int k = 0; k < kLines; ++k) line(k).SaveData(DocumentPath(m_context.platform.storage, fileName(k)));
}

std::string GraphView::engineText(int index) const {
    return line(index).OutputParsedString();
}

void GraphView::selectLine(int index) {
    if (index < 0 || index >= kLines) return;
    m_nSelected = index;
    for (int k = 0; k < kLines; ++k) line(k).setSelectedState(k == index);
    changed();
}

void GraphView::selectedMyLedViewLite(MyLedViewLite* touched) {
    for (int k = 0; k < kLines; ++k)
        if (m_lines[static_cast<size_t>(k)].get() == touched) selectLine(k);
}

void GraphView::enterACommand(int code) {
    if (code == kKeyNone) return;
    line(m_nSelected).InputCommand(code);
    changed();
}

void GraphView::openGraph() {
    std::array<std::string, kLines> texts;
    for (int k = 0; k < kLines; ++k) texts[static_cast<size_t>(k)] = engineText(k);
    OrvaneViewController& controller = m_context.controller;
    auto* plot = dynamic_cast<GraphPlotView*>(controller.screens().open(GraphPlotView::kName));
    if (plot == nullptr) return;
    plot->initWithParameters(texts, m_colors);
    controller.ShowScreen(GraphPlotView::kName);
}

void GraphView::openColorPicker(int function) {
    if (function < 0 || function >= kLines) return;
    m_nPickerFunction = function;
    changed();
}

void GraphView::closeColorPicker() {
    m_nPickerFunction = -1;
    changed();
}

void GraphView::ColorPickerViewDidSelectColor(int red, int green, int blue) {
    if (m_nPickerFunction < 0) return;
    m_colors[static_cast<size_t>(m_nPickerFunction)] = GraphColor{red, green, blue};
    closeColorPicker();
}

bool GraphView::tap(std::string_view element) {
    if (const int k = IndexAfter(element, "line"); k >= 0) {
        selectLine(k);
    } else if (const int c = IndexAfter(element, "color"); c >= 0) {
        openColorPicker(c);
    } else if (element == "picker_close") {
        if (!pickerOpen()) return false;
        closeColorPicker();
    } else if (element == "open") {
        openGraph();
    } else {
        return false;
    }
    return true;
}

bool GraphView::enterText(std::string_view field, const std::u16string& text) {
    const int k = IndexAfter(field, "line");
    if (k < 0) return false;
    line(k).setString(text);
    changed();
    return text.empty() || !line(k).line().GetRawInputString().empty();
}

bool GraphView::pick(std::string_view list, int index) {
    if (list == "colors") {
        if (!pickerOpen() || index < 0 || index >= static_cast<int>(arrColor.size())) return false;
        const GraphColor& c = arrColor[static_cast<size_t>(index)];
        ColorPickerViewDidSelectColor(c.red, c.green, c.blue);
        return true;
    }
    if (list == "functions") {
        const KeyList functions = FunctionListForCategory(kCatGraph);
        if (index < 0 || index >= static_cast<int>(functions.codes.size())) return false;
        enterACommand(functions.codes[static_cast<size_t>(index)]);
        return true;
    }
    return false;
}

json GraphView::describe() const {
    json j;
    json lines = json::array();
    for (int k = 0; k < kLines; ++k) {
        lines.push_back({{"text", U16ToUtf8(line(k).line().GetRawInputString())},
                         {"engine", engineText(k)},
                         {"selected", k == m_nSelected},
                         {"color", ColorJson(color(k))}});
    }
    j["lines"] = lines;
    j["selected"] = m_nSelected;
    json colors = json::array();
    for (const GraphColor& c : arrColor) colors.push_back(ColorJson(c));
    j["picker"] = {{"open", pickerOpen()}, {"function", m_nPickerFunction}, {"colors", colors}};
    j["functions"] = FunctionListForCategory(kCatGraph).captions;
    return j;
}
