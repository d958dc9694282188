#include "app/display/led_view_lite.h"

#include <algorithm>

#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "numeric/errors.h"

namespace {
const CanvasColor kInk{0, 0, 0, 1};
const CanvasColor kPaper{1, 1, 1, 1};
const CanvasColor kCaret{0.2, 0.3, 0.8, 1};
const CanvasColor kArrow{0.45, 0.45, 0.45, 1};
}  // namespace

MyLedViewLite::MyLedViewLite(const Canvas* metrics, RunLoop* loop, Storage* storage)
    : m_pLoop(loop), m_pStorage(storage) {
    m_line.setMetrics(metrics);
    setFrame(m_frame);
}

MyLedViewLite::~MyLedViewLite() {
    stopRepeat();
}

void MyLedViewLite::setFrame(const CanvasRect& frame) {
    m_frame = frame;
    m_line.setFont(CanvasFont{"Verdana", frame.height / 2 + 7});
    m_line.setWindowWidth(inputRegion().width);
    m_line.UpdateStopIndex();
}

CanvasRect MyLedViewLite::inputRegion() const {
    return CanvasRect{m_frame.x + kArrowWidth, m_frame.y, std::max(0.0, m_frame.width - 2 * kArrowWidth),
                      m_frame.height};
}

CanvasRect MyLedViewLite::leftArrowRegion() const {
    return CanvasRect{m_frame.x, m_frame.y, kArrowWidth, m_frame.height};
}

CanvasRect MyLedViewLite::rightArrowRegion() const {
    return CanvasRect{m_frame.right() - kArrowWidth, m_frame.y, kArrowWidth, m_frame.height};
}

void MyLedViewLite::setNeedsDisplay() {
    ++m_nRedrawRequests;
    if (onNeedsDisplay) onNeedsDisplay();
}

void MyLedViewLite::InputCommand(int code) {
    ClearErrorCode();
    switch (code) {
        case kKeyClear:
            m_line.Clear();
            break;
        case kKeyDelete:
            m_line.DeleteObject(m_line.caret());
            break;
        case kKeyCaretLeft:
            m_line.MoveCaret(-1);
            break;
        case kKeyCaretRight:
            m_line.MoveCaret(1);
            break;
        case kKeyCaretLeft10:
            m_line.MoveCaret(-10);
            break;
        case kKeyCaretRight10:
            m_line.MoveCaret(10);
            break;
        case kKeyDecimal: {
            std::u16string mark = m_bIsEquationSolverMode ? u"." : DecimalKeyText(g_sOutputMode);
            if (!mark.empty()) m_line.InsertObject(mark);
            break;
        }
        case kKeyLiteMinus:
            m_line.InsertObject(u"-");
            break;
        case kKeyLiteBlank:
            m_line.InsertObject(u" ");
            break;
        case kKeyLiteDivide:
            m_line.InsertObject(u"/");
            break;
        default: {
            std::vector<std::u16string> objects = KeyInsertObjects(code);
            if (!objects.empty()) m_line.InsertObjects(objects);
            break;
        }
    }
    setNeedsDisplay();
}

bool MyLedViewLite::InsertString(const std::u16string& text, bool clearFirst) {
    return InsertString(text, clearFirst, u"");
}

bool MyLedViewLite::InsertString(const std::u16string& text, bool clearFirst, const std::u16string& exclude) {
    bool ok = m_line.InsertString(text, clearFirst, LineTextFormat{g_sOutputMode, g_CurrentFunction, m_iBase},
                                  exclude);
    setNeedsDisplay();
    return ok;
}

void MyLedViewLite::setString(const std::u16string& text) {
    if (text.empty()) {
        m_line.Clear();
        setNeedsDisplay();
        return;
    }
    InsertString(text, true);
}

void MyLedViewLite::setSelectedState(bool selected) {
    m_bSelected = selected;
    setNeedsDisplay();
}

std::string MyLedViewLite::OutputParsedString() const {
    return ::OutputParsedString(m_line.GetRawInputString(), g_sOutputMode);
}

bool MyLedViewLite::LoadData(const std::string& path) {
    _RAW_EXPRESSION_INPUT raw;
    bool ok = false;
    if (m_pStorage != nullptr) {
        if (auto bytes = m_pStorage->readFile(path)) ok = DecodeRawExpressionInput(*bytes, raw);
    }
    m_line.SetRawInputString(raw);
    setNeedsDisplay();
    return ok;
}

bool MyLedViewLite::SaveData(const std::string& path) const {
    if (m_pStorage == nullptr) return false;
    _RAW_EXPRESSION_INPUT raw;
    m_line.SaveToRaw(raw);
    return m_pStorage->writeFileAtomically(path, EncodeRawExpressionInput(raw));
}

void MyLedViewLite::appWillTerminate() const {
    if (m_pStorage != nullptr) SaveData(DocumentPath(*m_pStorage, "ledlite.dat"));
}

int MyLedViewLite::arrowKeyAt(CanvasPoint p) const {
    if (leftArrowRegion().contains(p) && m_line.CanScrollLeft()) return kKeyCaretLeft;
    if (rightArrowRegion().contains(p) && m_line.CanScrollRight()) return kKeyCaretRight;
    return kKeyNone;
}

void MyLedViewLite::stopRepeat() {
    if (m_repeatTimer != 0 && m_pLoop != nullptr) m_pLoop->cancel(m_repeatTimer);
    m_repeatTimer = 0;
}

void MyLedViewLite::touchDown(CanvasPoint p) {
    if ((!m_bSelected || m_bIsEquationSolverMode) && delegate != nullptr)
        delegate->selectedMyLedViewLite(this);
    m_bDragging = false;
    m_bRepeated = false;
    m_nRepeatKey = kKeyNone;
    if (inputRegion().contains(p)) {
        m_line.PerformPendingUpdate();
        m_line.PlaceCaretAtTouch(p.x, inputRegion().x);
        m_line.BeginDrag(p.x);
        m_bDragging = true;
        setNeedsDisplay();
        return;
    }
    m_nRepeatKey = arrowKeyAt(p);
    if (m_nRepeatKey != kKeyNone && m_pLoop != nullptr) {
        stopRepeat();
        m_repeatTimer = m_pLoop->every(kArrowRepeat, [this] {
            m_bRepeated = true;
            InputCommand(m_nRepeatKey);
            m_line.PerformPendingUpdate();
            // The arrow stops acting once the window has reached that end.
            bool more = m_nRepeatKey == kKeyCaretLeft ? m_line.CanScrollLeft() : m_line.CanScrollRight();
            if (!more) stopRepeat();
        });
    }
}

void MyLedViewLite::touchMoved(CanvasPoint p) {
    if (!m_bDragging) return;
    if (m_line.DragTo(p.x) > 0) setNeedsDisplay();
}

void MyLedViewLite::touchUp(CanvasPoint p) {
    stopRepeat();
    m_bDragging = false;
    int key = m_nRepeatKey;
    m_nRepeatKey = kKeyNone;
    if (key != kKeyNone && !m_bRepeated && arrowKeyAt(p) == key) InputCommand(key);
}

void MyLedViewLite::Draw(Canvas& canvas) {
    m_line.PerformPendingUpdate();
    CanvasRect region = inputRegion();
    const CanvasFont& font = m_line.font();
    canvas.saveState();
    canvas.clipToRect(m_frame);
    canvas.setFillColor(kPaper);
    canvas.fillRect(m_frame);
    canvas.setFillColor(kInk);
    const auto& l = m_line.line();
    double x = region.x;
    double y = region.y + (region.height - font.size) / 2;
    for (int k = l.iBeginIndexVisPart; k <= l.iEndIndexVisPart && k < m_line.objectCount(); ++k) {
        canvas.drawText(m_line.object(k), CanvasPoint{x, y}, font);
        x += l.arrObjWidthInPixel[k];
    }
    canvas.setFillColor(kArrow);
    double mid = m_frame.y + m_frame.height / 2;
    if (m_line.CanScrollLeft()) {
        CanvasRect a = leftArrowRegion();
        canvas.beginPath();
        canvas.moveTo({a.right() - 3, mid - 6});
        canvas.lineTo({a.x + 3, mid});
        canvas.lineTo({a.right() - 3, mid + 6});
        canvas.closePath();
        canvas.fillPath();
    }
    if (m_line.CanScrollRight()) {
        CanvasRect a = rightArrowRegion();
        canvas.beginPath();
        canvas.moveTo({a.x + 3, mid - 6});
        canvas.lineTo({a.right() - 3, mid});
        canvas.lineTo({a.x + 3, mid + 6});
        canvas.closePath();
        canvas.fillPath();
    }
    if (m_bSelected && m_bShowCaret) {
        double endWidth = canvas.measureText(u"8", font).width * 2 / 3;
        canvas.setStrokeColor(kCaret);
        canvas.setLineWidth(1);
        canvas.strokeRect(m_line.CaretBox(region, endWidth));
    }
    canvas.restoreState();
}
