#include "app/screens/graph/graph_plot_view.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"
#include "app/screens/text_format.h"
#include "numeric/errors.h"
#include "plot/plot.h"

using nlohmann::json;

namespace {

const CanvasColor kBackground{0, 0, 0, 1};
const CanvasColor kWhite{1, 1, 1, 1};
const CanvasFont kTextFont{kGraphFontName, 15};
constexpr double kValueBoxWidth = 100;
constexpr double kValueBoxHeight = 25;
constexpr double kValueTop = 25;
constexpr double kSmallestValueFont = 8;

// label followed by text ("x=" and a number). Appending, rather than "x=" + text, keeps GCC 12 from
// warning wrongly of an overlapping copy.
std::string Labelled(const char* label, const std::string& text) {
    std::string s(label);
    s += text;
    return s;
}

CanvasColor ColorOf(const GraphColor& c) {
    return CanvasColor{c.red / 255.0, c.green / 255.0, c.blue / 255.0, 1};
}

// "X,Y" or "X1,Y1;X2,Y2": one or two finger points; false for anything else.
bool ParsePoints(std::string_view text, std::vector<CanvasPoint>& points) {
    points.clear();
    const std::string s(text);
    const char* p = s.c_str();
    while (*p != '\0' && points.size() < 2) {
        // from_chars reads "12.5" whatever the process locale (the toolkit may set a decimal comma).
        const char* stop = p + std::strlen(p);
        double x = 0, y = 0;
        std::from_chars_result r = std::from_chars(p, stop, x);
        if (r.ec != std::errc() || *r.ptr != ',') return false;
        p = r.ptr + 1;
        r = std::from_chars(p, stop, y);
        if (r.ec != std::errc() || !std::isfinite(x) || !std::isfinite(y)) return false;
        points.push_back({x, y});
        p = r.ptr;
        if (*p == ';') ++p;
    }
    return *p == '\0' && !points.empty();
}

// A whole number after prefix ("wheel:-2"); false when element is no such text.
bool IntAfter(std::string_view element, std::string_view prefix, int& value) {
    if (element.substr(0, prefix.size()) != prefix) return false;
    const std::string digits(element.substr(prefix.size()));
    if (digits.empty() || digits.size() > 7) return false;
    char* end = nullptr;
    const long v = std::strtol(digits.c_str(), &end, 10);
    if (*end != '\0') return false;
    value = static_cast<int>(v);
    return true;
}

double Distance(CanvasPoint a, CanvasPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

}  // namespace

GraphPlotView::GraphPlotView(ScreenContext& context) : m_context(context) {}

GraphPlotView::~GraphPlotView() {
    if (m_bBuilt) RemoveAllGraph();
}

void GraphPlotView::PlotRect(int& left, int& top, int& width, int& height) const {
    left = kInset;
    top = kInset;
    width = std::max(0, static_cast<int>(m_dWidth) - 2 * kInset);
    height = std::max(0, static_cast<int>(m_dHeight) - kInset - kButtonBarHeight);
}

void GraphPlotView::initWithParameters(const std::array<std::string, kFunctions>& texts,
                                       const std::array<GraphColor, kFunctions>& colors) {
    m_texts = texts;
    m_colors = colors;
    m_sStatus.clear();
    m_values = {};
    m_errors = {};
    m_graphIndex = {-1, -1, -1};
    clearTouches();
    m_bGotoOpen = false;
    int left, top, width, height;
    PlotRect(left, top, width, height);
    CreateGraphic(left, top, width, height);
    int next = 0;
    for (int k = 0; k < kFunctions; ++k) {
        const std::string& text = m_texts[static_cast<size_t>(k)];
        if (text.empty()) continue;
        const GraphColor& c = m_colors[static_cast<size_t>(k)];
        const int code = AddGraph(text.c_str(), "x", c.red, c.green, c.blue);
        if (code != kErrNone) m_errors[static_cast<size_t>(k)] = ErrorMessage(code);
        m_graphIndex[static_cast<size_t>(k)] = next++;
    }
    ClearErrorCode();
    m_bBuilt = true;
    changed();
}

void GraphPlotView::didHide() {
    if (!m_bBuilt) return;
    RemoveAllGraph();
    m_bBuilt = false;
    m_bGotoOpen = false;
    clearTouches();
}

void GraphPlotView::goBackView() {
    m_context.controller.HideScreen(kName);
}

void GraphPlotView::setViewSize(double width, double height) {
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0) return;
    m_dWidth = width;
    m_dHeight = height;
    if (!m_bBuilt) return;
    int left, top, w, h;
    PlotRect(left, top, w, h);
    ResizeGraphic(left, top, w, h);
    ClearErrorCode();
    changed();
}

// ---- gestures -------------------------------------------------------------------------------------------

void GraphPlotView::clearTouches() {
    m_nFingers = 0;
    m_dLastDistance = -1;
}

void GraphPlotView::touchesBegan(const std::vector<CanvasPoint>& points) {
    if (!m_bBuilt || points.empty()) return;
    m_nFingers = std::min<int>(2, static_cast<int>(points.size()));
    m_last = points.front();
    m_dLastDistance = -1;  // the first two-finger move only records the distance
}

void GraphPlotView::touchesMoved(const std::vector<CanvasPoint>& points) {
    if (!m_bBuilt || points.empty() || m_nFingers == 0) return;
    if (points.size() >= 2) {
        m_nFingers = 2;
        const double distance = Distance(points[0], points[1]);
        if (m_dLastDistance >= 0) pinch(static_cast<int>(distance - m_dLastDistance));
        m_dLastDistance = distance;
        return;
    }
    if (m_nFingers != 1) return;  // one finger of a pinch lifted: no pan until the next touch
    // Whole pixels only; the remainder stays in m_last for the next move.
    const int dx = static_cast<int>(points[0].x - m_last.x);
    const int dy = static_cast<int>(points[0].y - m_last.y);
    if (dx == 0 && dy == 0) return;
    m_last.x += dx;
    m_last.y += dy;
    Move(dx, dy);
    ClearErrorCode();
    changed();
}

void GraphPlotView::touchesEnded() {
    clearTouches();
}

void GraphPlotView::pinch(int pixels) {
    if (!m_bBuilt || pixels == 0) return;
    Zoom(pixels, pixels);
    ClearErrorCode();
    changed();
}

void GraphPlotView::zoomIn() {
    pinch(kZoomStep);
}

void GraphPlotView::zoomOut() {
    pinch(-kZoomStep);
}

void GraphPlotView::wheel(int notches) {
    const int steps = std::clamp(notches, -64, 64);
    for (int k = 0; k < std::abs(steps); ++k) pinch(steps > 0 ? kZoomStep : -kZoomStep);
}

void GraphPlotView::goto00() {
    if (!m_bBuilt) return;
    MoveTo(0, 0);
    ClearErrorCode();
    changed();
}

void GraphPlotView::switchPointerMode() {
    if (!m_bBuilt) return;
    SetPointerMode(GetGraphicState().m_pointerMode == kPointerPan ? kPointerCrosshair : kPointerPan);
    changed();
}

void GraphPlotView::calculateFnexWithX(double x) {
    // Beyond +-65535 the view cannot be moved there (nor shown a NaN): the go-to is ignored.
    if (!m_bBuilt || !(std::fabs(x) <= kGraphMaxGoto)) return;
    m_sStatus = Labelled("x=", FormatFixed(x, 6));
    m_values = {};
    for (int k = 0; k < kFunctions; ++k) {
        const int index = m_graphIndex[static_cast<size_t>(k)];
        if (index < 0) continue;
        double y = 0;
        std::string& text = m_values[static_cast<size_t>(k)];
        text = Labelled("y", std::to_string(k + 1));
        text += '=';
        text += GraphValueAt(index, x, y) ? FormatFixed(y, 6) : std::string("undefined");
    }
    MoveToX(x);
    ClearErrorCode();
    changed();
}

// ---- go-to keypad ---------------------------------------------------------------------------------------

void GraphPlotView::openGotoKeypad() {
    if (!m_bBuilt) return;
    m_bGotoOpen = true;
    m_sGotoField.assign(1, '0');
    changed();
}

void GraphPlotView::closeGotoKeypad() {
    m_bGotoOpen = false;
    changed();
}

void GraphPlotView::gotoKey(int index) {
    std::string& f = m_sGotoField;
    const bool negative = !f.empty() && f[0] == '-';
    const std::string digits = negative ? f.substr(1) : f;
    if (index >= 0 && index <= 9) {
        if (f.size() >= kGotoFieldLength) return;
        const char d = static_cast<char>('0' + index);
        if (digits == "0") f.resize(negative ? 1 : 0);
        f.push_back(d);
    } else if (index == kGotoKeyDot) {
        if (f.find('.') == std::string::npos && f.size() < kGotoFieldLength) f += '.';
    } else if (index == kGotoKeySign) {
        if (negative) {
            f.erase(0, 1);
        } else {
            f.insert(f.begin(), '-');
        }
    } else if (index == kGotoKeyDelete) {
        f.pop_back();
        if (f.empty() || f == "-") f.assign(1, '0');
    } else if (index == kGotoKeyGo) {
        m_bGotoOpen = false;
        calculateFnexWithX(TextNumericValue(f));
    } else if (index == kGotoKeyCancel) {
        m_bGotoOpen = false;
    }
    changed();
}

bool GraphPlotView::pressKeypad(int index) {
    if (!m_bGotoOpen || index < 0 || index > kGotoKeyCancel) return false;
    gotoKey(index);
    return true;
}

bool GraphPlotView::enterText(std::string_view field, const std::u16string& text) {
    if (field != "goto_x" || !m_bGotoOpen) return false;
    m_sGotoField.assign(1, '0');
    for (char16_t c : text) {
        if (c >= u'0' && c <= u'9') {
            gotoKey(c - u'0');
        } else if (c == u'.') {
            gotoKey(kGotoKeyDot);
        } else if (c == u'-') {
            gotoKey(kGotoKeySign);
        } else {
            return false;
        }
    }
    return true;
}

// ---- screen interface -----------------------------------------------------------------------------------

bool GraphPlotView::TapGesture(std::string_view element) {
    std::vector<CanvasPoint> points;
    int n = 0;
    if (element.substr(0, 11) == "touch_down:" && ParsePoints(element.substr(11), points)) {
        touchesBegan(points);
    } else if (element.substr(0, 11) == "touch_move:" && ParsePoints(element.substr(11), points)) {
        touchesMoved(points);
    } else if (element == "touch_up") {
        touchesEnded();
    } else if (IntAfter(element, "wheel:", n)) {
        wheel(n);
    } else if (IntAfter(element, "pinch:", n)) {
        pinch(n);
    } else {
        return false;
    }
    return true;
}

bool GraphPlotView::tap(std::string_view element) {
    if (element == "back") {
        goBackView();
        return true;
    }
    if (!m_bBuilt) return false;
    if (element == "zoom_in") {
        zoomIn();
    } else if (element == "zoom_out") {
        zoomOut();
    } else if (element == "goto00") {
        goto00();
    } else if (element == "pointer_mode") {
        switchPointerMode();
    } else if (element == "goto") {
        openGotoKeypad();
    } else if (element == "goto_go" || element == "goto_cancel") {
        if (!m_bGotoOpen) return false;
        gotoKey(element == "goto_go" ? kGotoKeyGo : kGotoKeyCancel);
    } else {
        return TapGesture(element);
    }
    return true;
}

json GraphPlotView::describe() const {
    json j;
    j["title"] = kTitle;
    j["shown"] = m_bBuilt;
    j["size"] = {m_dWidth, m_dHeight};
    json functions = json::array();
    for (int k = 0; k < kFunctions; ++k) {
        const GraphColor& c = m_colors[static_cast<size_t>(k)];
        functions.push_back({{"text", m_texts[static_cast<size_t>(k)]},
                             {"plotted", m_graphIndex[static_cast<size_t>(k)] >= 0},
                             {"color", {c.red, c.green, c.blue}},
                             {"error", m_errors[static_cast<size_t>(k)]}});
    }
    j["functions"] = functions;
    j["status"] = m_sStatus;
    j["values"] = m_values;
    j["goto"] = {
        {"open", m_bGotoOpen},
        {"field", m_sGotoField},
        {"keys", {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "\u00b1", "Del", "Go", "Cancel"}}};
    if (!m_bBuilt) return j;
    const GRAPHIC_STATE& s = GetGraphicState();
    j["plot_rect"] = {s.m_GraphicLeft, s.m_GraphicTop, s.m_GraphicWidth, s.m_GraphicHeight};
    j["pointer_mode"] = s.m_pointerMode == kPointerCrosshair ? "crosshair" : "pan";
    j["pixels_per_unit"] = {s.m_nPixelsX, s.m_nPixelsY};
    j["offset"] = {s.m_nOffsetX, s.m_nOffsetY};
    j["range"] = {s.m_From, s.m_To};
    // The crosshair's coordinates as DrawGraphs labels them.
    const double x = (static_cast<double>(s.m_pointerX) - s.m_GraphicLeft) / s.m_nPixelsX + s.m_From;
    const double y =
        (static_cast<double>(s.m_GraphicTop) - s.m_pointerY + s.m_nOffsetY + s.m_nOy) / s.m_nPixelsY;
    j["crosshair"] = {{"x", s.m_pointerX},
                      {"y", s.m_pointerY},
                      {"label_x", Labelled("X=", FormatFixed(x, 2))},
                      {"label_y", Labelled("Y=", FormatFixed(y, 2))}};
    return j;
}

void GraphPlotView::Draw(Canvas& canvas) const {
    canvas.saveState();
    canvas.setFillColor(kBackground);
    canvas.fillRect(CanvasRect{0, 0, m_dWidth, m_dHeight});
    if (!m_sStatus.empty()) {
        canvas.setFillColor(kWhite);
        canvas.drawText(Utf8ToU16(m_sStatus), CanvasPoint{5, 5}, kTextFont);
        for (int k = 0; k < kFunctions; ++k) {
            const std::string& text = m_values[static_cast<size_t>(k)];
            if (text.empty()) continue;
            const CanvasRect box{5 + kValueBoxWidth * k, kValueTop, kValueBoxWidth, kValueBoxHeight};
            // A value wider than its box ("y1=-12345.678901") is drawn smaller rather than cut off.
            const std::u16string value = Utf8ToU16(text);
            CanvasFont font = kTextFont;
            while (font.size > kSmallestValueFont && canvas.measureText(value, font).width > box.width)
                font.size -= 1;
            canvas.saveState();
            canvas.clipToRect(box);
            canvas.setFillColor(ColorOf(m_colors[static_cast<size_t>(k)]));
            canvas.drawText(value, CanvasPoint{box.x, box.y}, font);
            canvas.restoreState();
        }
    }
    canvas.restoreState();
    if (m_bBuilt) DrawGraphs(canvas);
}
