#include "app/display/led_drawing.h"

#include "app/display/led_view.h"
#include "app/display/led_view_internal.h"
#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"

namespace {

const CanvasColor kPaper{1, 1, 1, 1};
const CanvasColor kInk{0, 0, 0, 1};
const CanvasColor kIndicatorInk{0.12, 0.2, 0.45, 1};
const CanvasColor kOperatorInk{0.55, 0.1, 0.1, 1};
const CanvasColor kCaretInk{0.2, 0.3, 0.8, 1};
const CanvasColor kArrowInk{0.45, 0.45, 0.45, 1};
const CanvasColor kLabelInk{0.4, 0.4, 0.4, 1};

const CanvasFont kIndicatorFont{"Verdana-Bold", 14};
const CanvasFont kOperatorFont{"Verdana-Bold", 20};
const CanvasFont kLabelFont{"Verdana", 12};

constexpr double kRowHeight = 18;
constexpr double kArrowWidth = 14;
constexpr double kInputHeight = 44;
constexpr double kStackHeight = 28;
constexpr double kResultHeight = 28;

void DrawCentredText(Canvas& canvas, const std::u16string& text, const CanvasRect& rc,
                     const CanvasFont& font) {
    if (text.empty()) return;
    canvas.drawText(text, CanvasPoint{rc.x, rc.y + (rc.height - font.size) / 2}, font);
}

void DrawArrow(Canvas& canvas, const CanvasRect& a, bool left) {
    const double mid = a.y + a.height / 2;
    const double tip = left ? a.x + 3 : a.right() - 3, back = left ? a.right() - 3 : a.x + 3;
    canvas.beginPath();
    canvas.moveTo({back, mid - 7});
    canvas.lineTo({tip, mid});
    canvas.lineTo({back, mid + 7});
    canvas.closePath();
    canvas.fillPath();
}

std::u16string Number(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

}  // namespace

LedRegions initSizes(int screenMode, bool rpn) {
    const bool landscape = screenMode == kScreenLandscape;
    const double w = landscape ? 480 : 320;
    const double gap = landscape ? 12 : 2;  // landscape spreads the indicators
    LedRegions r;
    double x = 4;
    auto next = [&](double width) {
        CanvasRect rc{x, 2, width, kRowHeight};
        x += width + gap;
        return rc;
    };
    r.bitWidth = next(50);
    r.expression = next(24);
    r.history = next(32);
    r.shift = next(48);
    r.memory = next(26);
    r.base = next(36);
    r.mode = next(36);
    r.notation = next(w - x - 2 > 44 ? 44 : w - x - 2);
    double y = 2 + kRowHeight + 2;
    if (rpn) {
        r.stackLine[0] = CanvasRect{0, y, w, kStackHeight};
        r.stackLine[1] = CanvasRect{0, y + kStackHeight, w, kStackHeight};
        y += 2 * kStackHeight + 2;
    }
    r.leftArrow = CanvasRect{0, y, kArrowWidth, kInputHeight};
    r.input = CanvasRect{kArrowWidth, y, w - 2 * kArrowWidth, kInputHeight};
    r.rightArrow = CanvasRect{w - kArrowWidth, y, kArrowWidth, kInputHeight};
    y += kInputHeight + 2;
    r.op = CanvasRect{4, y, 76, kResultHeight};
    r.result = CanvasRect{84, y, w - 88, kResultHeight};
    r.frame = CanvasRect{0, 0, w, y + kResultHeight + 4};
    return r;
}

LedArea HitTest(const LedRegions& r, CanvasPoint p) {
    const std::pair<const CanvasRect*, LedArea> areas[] = {
        {&r.bitWidth, LedArea::BitWidth},
        {&r.expression, LedArea::Expression},
        {&r.history, LedArea::History},
        {&r.shift, LedArea::Shift},
        {&r.memory, LedArea::Memory},
        {&r.base, LedArea::Base},
        {&r.mode, LedArea::Mode},
        {&r.notation, LedArea::Notation},
        {&r.leftArrow, LedArea::LeftArrow},
        {&r.input, LedArea::Input},
        {&r.rightArrow, LedArea::RightArrow},
        {&r.result, LedArea::Result},
    };
    for (const auto& [rc, area] : areas) {
        if (rc->contains(p)) return area;
    }
    return LedArea::None;
}

std::u16string BitWidthIndicatorText(int code) {
    switch (code) {
        case kKeyWidth8:
            return u"8 bit";
        case kKeyWidth16:
            return u"16 bit";
        case kKeyWidth32:
            return u"32 bit";
        default:
            return u"";
    }
}
std::u16string BaseIndicatorText(int code) {
    switch (code) {
        case kKeyBaseBin:
            return u"BIN";
        case kKeyBaseOct:
            return u"OCT";
        case kKeyBaseDec:
            return u"DEC";
        case kKeyBaseHex:
            return u"HEX";
        default:
            return u"";
    }
}
std::u16string ModeIndicatorText(int code) {
    static const char16_t* const kModeNames[] = {u"DEG", u"RAD", u"GRA"};  // by engine angle mode
    const bool angleKey = code == kKeyAngleDeg || code == kKeyAngleRad || code == kKeyAngleGra;
    return angleKey ? kModeNames[AngleModeOfKey(code)] : u"";
}
std::u16string NotationIndicatorText(int code) {
    switch (code) {
        case kKeyNotationNorm:
            return u"NORM";
        case kKeyNotationFix:
            return u"FIX";
        case kKeyNotationSci:
            return u"SCI";
        case kKeyNotationFrac:
            return u"FRAC";
        default:
            return u"";
    }
}
std::u16string MemoryIndicatorText(int code) {
    return IsMemoryKey(code) ? u"M" + Number(code - kKeyMemory1 + 1) : u"";
}

std::u16string FitResultText(std::u16string text, double width, const CanvasFont& font,
                             const Canvas& metrics) {
    while (!text.empty() && metrics.measureText(text, font).width > width) {
        const size_t e = text.find(u'E');
        if (e != std::u16string::npos && e > 0) {
            text.erase(e - 1, 1);
        } else {
            text.pop_back();
        }
    }
    return text;
}

namespace {

void DrawIndicators(const LedRegions& r, const LedIndicators& f, int bitWidth, int slot, bool shift,
                    int memory, int base, int mode, int notation, Canvas& canvas) {
    canvas.setFillColor(kIndicatorInk);
    if (f.bitWidth) DrawCentredText(canvas, BitWidthIndicatorText(bitWidth), r.bitWidth, kIndicatorFont);
    if (f.expression) {
        DrawCentredText(canvas, u"E" + Number(slot + 1), r.expression, kIndicatorFont);
        DrawCentredText(canvas, u"HIS", r.history, kIndicatorFont);
    }
    if (shift) DrawCentredText(canvas, u"SHIFT", r.shift, kIndicatorFont);
    if (f.memory) DrawCentredText(canvas, MemoryIndicatorText(memory), r.memory, kIndicatorFont);
    if (f.base) DrawCentredText(canvas, BaseIndicatorText(base), r.base, kIndicatorFont);
    if (f.mode) DrawCentredText(canvas, ModeIndicatorText(mode), r.mode, kIndicatorFont);
    if (f.notation) DrawCentredText(canvas, NotationIndicatorText(notation), r.notation, kIndicatorFont);
}

// The visible objects; in Base Conversion BIN outside string mode the bit positions of the first and the
// last visible digit are written above them.
void DrawInputLine(InputLine& line, const CanvasRect& region, bool showCaret, bool bitLabels,
                   Canvas& canvas) {
    line.PerformPendingUpdate();
    const CanvasFont& font = line.font();
    const auto& l = line.line();
    const int count = line.objectCount();
    canvas.saveState();
    canvas.clipToRect(region);
    const double y = bitLabels ? region.bottom() - font.size - 2 : region.y + (region.height - font.size) / 2;
    double x = region.x;
    for (int k = l.iBeginIndexVisPart; k <= l.iEndIndexVisPart && k < count; ++k) {
        const std::u16string object = line.object(k);
        canvas.setFillColor(kInk);
        canvas.drawText(object, CanvasPoint{x, y}, font);
        const bool digit = object.size() == 1 && (object[0] == u'0' || object[0] == u'1');
        if (bitLabels && digit && (k == l.iBeginIndexVisPart || k == l.iEndIndexVisPart)) {
            canvas.setFillColor(kLabelInk);
            canvas.drawText(Number(count - k - 1), CanvasPoint{x, region.y}, kLabelFont);
        }
        x += l.arrObjWidthInPixel[k];
    }
    canvas.restoreState();
    if (showCaret) {
        const double endWidth = canvas.measureText(u"8", font).width * 2 / 3;
        canvas.setStrokeColor(kCaretInk);
        canvas.setLineWidth(1);
        canvas.strokeRect(line.CaretBox(region, endWidth));
    }
}

// Right-aligned in the result font; a 32-bit binary number takes the smaller font to fit.
void DrawResultLine(const std::u16string& result, const CanvasRect& region, bool smallFont, Canvas& canvas) {
    if (result.empty()) return;
    const CanvasFont font{"Verdana", smallFont ? 14.0 : 20.0};
    const std::u16string text = FitResultText(result, region.width, font, canvas);
    const double width = canvas.measureText(text, font).width;
    canvas.setFillColor(kInk);
    canvas.drawText(text, CanvasPoint{region.right() - width, region.y + (region.height - font.size) / 2},
                    font);
}

}  // namespace

void DrawLEDContent(MyLedView& view, Canvas& canvas) {
    const LedRegions& r = view.m_rcRegions;
    canvas.saveState();
    canvas.setFillColor(kPaper);
    canvas.fillRect(r.frame);
    DrawIndicators(r, view.m_flags, view.m_iBitWidth, view.m_iExpression, view.m_bShift, view.m_iMemory,
                   view.m_iBase, view.m_iMode, view.m_iNotation, canvas);
    canvas.setFillColor(kOperatorInk);
    if (view.m_bEqual) {
        DrawCentredText(canvas, u"=", r.op, kOperatorFont);
    } else if (!view.m_sCurOperator.empty()) {
        DrawCentredText(canvas, view.m_sCurOperator, r.op, kOperatorFont);
    }
    if (view.m_bRPNMode) {
        for (auto& line : view.m_stackLines) line->Draw(canvas);
    }
    const int mode = view.CurrentInputMode();
    const bool bitLabels = view.m_nCurrentFunction == kCatBaseConversion && mode != kInputModeString &&
                           view.m_iBase == kKeyBaseBin;
    DrawInputLine(view.m_line, r.input, view.m_bShowCaret, bitLabels, canvas);
    canvas.setFillColor(kArrowInk);
    if (view.m_line.CanScrollLeft()) DrawArrow(canvas, r.leftArrow, true);
    if (view.m_line.CanScrollRight()) DrawArrow(canvas, r.rightArrow, false);
    const std::u16string& result = view.m_sResultOutput;
    const bool small = view.m_iBase == kKeyBaseBin && view.m_iBitWidth == kKeyWidth32 && !result.empty() &&
                       (result[0] == u'0' || result[0] == u'1');
    DrawResultLine(result, r.result, small, canvas);
    canvas.restoreState();
}

// ---- the display's drawing and touches ------------------------------------------------------------------

void MyLedView::drawRect(Canvas& canvas) {
    DrawLEDContent(*this, canvas);
}

void MyLedView::StopArrowRepeat() {
    if (m_repeatTimer != 0) m_platform.runLoop.cancel(m_repeatTimer);
    m_repeatTimer = 0;
    m_nCurCommandInput = kKeyNone;
}

void MyLedView::touchDown(CanvasPoint p) {
    StopArrowRepeat();
    m_touchDown = p;
    m_bRepeated = false;
    m_bDragging = false;
    const LedArea area = HitTest(m_rcRegions, p);
    if (area == LedArea::Input) {
        m_line.PlaceCaretAtTouch(p.x, m_rcRegions.input.x);
        m_line.BeginDrag(p.x);
        m_bDragging = true;
        setNeedsDisplay();
        return;
    }
    const bool active = (area == LedArea::LeftArrow && m_line.CanScrollLeft()) ||
                        (area == LedArea::RightArrow && m_line.CanScrollRight());
    if (!active) return;
    m_nCurCommandInput = area == LedArea::LeftArrow ? kKeyCaretLeft : kKeyCaretRight;
    m_repeatTimer = m_platform.runLoop.every(kArrowRepeat, [this] {
        m_bRepeated = true;
        const int key = m_nCurCommandInput;
        InputCommand(key);
        m_line.PerformPendingUpdate();
        // The arrow stops once the window has reached that end.
        if (!(key == kKeyCaretLeft ? m_line.CanScrollLeft() : m_line.CanScrollRight())) StopArrowRepeat();
    });
}

void MyLedView::touchMoved(CanvasPoint p) {
    if (m_bDragging && m_line.DragTo(p.x) > 0) setNeedsDisplay();
}

void MyLedView::touchUp(CanvasPoint) {
    m_bDragging = false;
    const bool repeated = m_bRepeated;
    StopArrowRepeat();
    if (!m_touchDown) return;
    const LedArea area = HitTest(m_rcRegions, *m_touchDown);
    m_touchDown.reset();
    if ((area == LedArea::LeftArrow || area == LedArea::RightArrow) && repeated) return;
    IndicatorTouch(area);
}

void MyLedView::IndicatorTouch(LedArea area) {
    switch (area) {
        case LedArea::Base:
            if (m_flags.base && m_iCategory == kCatBaseConversion) InputCommand(kKeyBaseCycle);
            break;
        case LedArea::Mode:
            if (m_flags.mode) InputCommand(kKeyAngleCycle);
            break;
        case LedArea::Notation:
            if (!m_flags.notation) break;
            InputCommand(kKeyNotationCycle);
            SetPreNotation(m_iNotation);
            if (CurrentInputMode() == kInputModeRPN) {
                updateResultFromStackToLED();
            } else {
                m_platform.notifications.post("UpdateNotation");
            }
            break;
        case LedArea::LeftArrow:
            if (m_line.CanScrollLeft()) InputCommand(kKeyCaretLeft);
            break;
        case LedArea::RightArrow:
            if (m_line.CanScrollRight()) InputCommand(kKeyCaretRight);
            break;
        case LedArea::Memory:
            if (m_flags.memory) InputCommand(kKeyMemoryNext);
            break;
        case LedArea::Expression:
            if (m_flags.expression) InputCommand(kKeyExpressionNext);
            break;
        case LedArea::BitWidth:
            if (m_flags.bitWidth) InputCommand(kKeyWidthCycle);
            break;
        case LedArea::History:
            if (CurrentInputMode() == kInputModeString) m_platform.notifications.post("ShowCurrentHistory");
            break;
        default:
            break;
    }
}
