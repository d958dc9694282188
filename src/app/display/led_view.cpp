#include "app/display/led_view.h"

#include <algorithm>
#include <array>

#include "app/display/led_view_internal.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/evaluate.h"
#include "engine/format/group_numbers.h"
#include "engine/format/result_format.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace led_detail {

char DigitOf(int code) {
    switch (code) {
        case 15:
            return '0';
        case 10:
            return '1';
        case 11:
            return '2';
        case 12:
            return '3';
        case 5:
            return '4';
        case 6:
            return '5';
        case 7:
            return '6';
        case 0:
            return '7';
        case 1:
            return '8';
        case 2:
            return '9';
        default:
            return code >= 72 && code <= 77 ? static_cast<char>('A' + code - 72) : '\0';
    }
}

bool IsDigitCode(int code) {
    return DigitOf(code) != '\0';
}

bool HasImaginaryPart(const qcmplx& value) {
    static const auto tolerance = [] {
        std::array<QELT, NQ> q{};
        asctoq("1e-64", q.data());
        return q;
    }();
    QELT magnitude[NQ];
    qmov(value.i, magnitude);
    qabs(magnitude);
    return qcmp(magnitude, tolerance.data()) >= 0;
}

std::u16string Widen(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return std::u16string(text.begin() + static_cast<std::ptrdiff_t>(first), text.end());
}

std::u16string DisplayNumber(std::u16string text, int baseCode, int categoryId) {
    if (IsEuropeanOutputMode(g_sOutputMode)) {
        text = GroupNumbers(text, kComma, u'.', baseCode, categoryId, g_sOutputMode);
    } else if (IsEnglishOutputMode(g_sOutputMode)) {
        text = GroupNumbers(text, u'.', kComma, baseCode, categoryId, g_sOutputMode);
    }
    std::replace(text.begin(), text.end(), u'-', kMinus);
    return text;
}

}  // namespace led_detail

using namespace led_detail;

namespace {

int AngleIndex(int code) {
    return code == 143 ? 1 : code == 144 ? 2 : 0;
}

// The next value of a cycle, wrapping to the first.
int NextInCycle(std::initializer_list<int> cycle, int current) {
    const int* first = cycle.begin();
    for (const int* p = cycle.begin(); p != cycle.end(); ++p) {
        if (*p == current) return p + 1 == cycle.end() ? *first : p[1];
    }
    return *first;
}

}  // namespace

MyLedView::MyLedView(Platform& platform, const Canvas* metrics)
    : m_platform(platform),
      m_pMetrics(metrics),
      m_line(CanvasFont{"Verdana", 26}),
      _arrCurRawInputStr(kDisplayCategories * kExpressionSlots),
      m_pRawMS(kMemories * kDisplayCategories) {
    m_line.setMetrics(metrics);
    for (auto& line : m_stackLines) {
        line = std::make_unique<MyLedViewLite>(metrics, &platform.runLoop, &platform.storage);
        line->setSelectedState(false);
    }
    m_rcRegions = initSizes(g_nCurScreenMode, false);
    m_line.setWindowWidth(m_rcRegions.input.width);
    m_rotationToken = platform.notifications.addObserver(
        "UpdateRotation", [this](const Notification&) { UpdateRotation(); }, this);
}

MyLedView::~MyLedView() {
    StopArrowRepeat();
    m_platform.notifications.removeObserversOf(this);
}

void MyLedView::Start(int categoryId) {
    LoadData(DocumentPath(m_platform.storage, kLedStateFileName));
    HistoryArchive(DocumentPath(m_platform.storage, kLedHistoryFileName), true);
    ResetIModeRPNStack();
    m_iExpression = 0;
    m_iPrevExpression = 0;
    SwitchToCategory(categoryId);
}

void MyLedView::appWillTerminate() {
    SaveData(DocumentPath(m_platform.storage, kLedStateFileName));
    HistoryArchive(DocumentPath(m_platform.storage, kLedHistoryFileName), false);
}

int MyLedView::GetNumBaseDigit() const {
    return RadixOfKey(m_iBase);
}

int MyLedView::CurrentInputMode() const {
    if (g_pInputMode == nullptr) return 0;
    if (g_pInputMode->isBasicMode(m_nCurrentFunction)) return 1;
    if (g_pInputMode->isRPNMode(m_nCurrentFunction)) return 2;
    return 0;
}

LineTextFormat MyLedView::Format() const {
    return LineTextFormat{g_sOutputMode, m_nCurrentFunction >= 0 ? m_nCurrentFunction : g_CurrentFunction,
                          m_iBase};
}

void MyLedView::setNeedsDisplay() {
    ++m_nRedrawRequests;
    if (onNeedsDisplay) onNeedsDisplay();
}

// ---- the dispatcher ------------------------------------------------------------------------------------

void MyLedView::InputCommand(int code) {
    m_bEqual = false;
    ClearErrorCode();
    m_nLastError = 0;
    const int mode = CurrentInputMode();
    m_bShift = code == 23 ? !m_bShift : false;
    if (code != 23 && !CommonCommand(code, mode)) {
        if (mode == 1) {
            BasicModeCommand(code);
        } else if (mode == 2) {
            RPNModeCommand(code);
        } else {
            StringModeCommand(code);
        }
    }
    SetMode(AngleIndex(m_iMode));
    g_BitWidth = BitsOfKey(m_iBitWidth);
    if (const int err = GetErrorCode()) {
        m_platform.feedback.vibrate();
        ShowError(err, mode);
        ClearErrorCode();
    }
    if (!m_bShift) PostShiftRelease();
    setNeedsDisplay();
}

bool MyLedView::CommonCommand(int code, int inputMode) {
    switch (code) {
        case 50:
            m_iMode = NextInCycle({142, 143, 144}, m_iMode);
            return true;
        case 142:
        case 143:
        case 144:
            m_iMode = code;
            return true;
        case 68:
            CycleBase();
            return true;
        case 145:
        case 146:
        case 147:
        case 148:
            m_iBase = code;
            if (m_iCategory == 3) m_iBaseConversionCategory = code;
            return true;
        case 137:
            CycleBitWidth();
            return true;
        case 138:
        case 139:
        case 140:
            m_iBitWidth = code;
            return true;
        case 133: {
            m_iNotation = NextInCycle({135, 134, 136, 159}, m_iNotation);
            g_nPreNotation = m_iNotation;
            return true;
        }
        case 134:
        case 135:
        case 136:
        case 159:
            SetNotation(code);
            return true;
        case 126:
        case 127:
        case 128:
        case 129:
        case 130:
            m_iMemory = code;
            return true;
        case 20:
            m_iMemory = m_iMemory >= 130 || m_iMemory < 126 ? 126 : m_iMemory + 1;
            return true;
        case 9:
        case 14:
        case 21:
        case 190:
        case 191:
            MemoryCommand(code, inputMode);
            return true;
        default:
            return false;
    }
}

// The entry follows the base: the line's numbers are rewritten in the new radix (an empty line stays
// empty rather than becoming an error).
void MyLedView::CycleBase() {
    const int from = GetNumBaseDigit();
    m_iBase = NextInCycle({145, 146, 147, 148}, m_iBase);
    if (m_iCategory == 3) m_iBaseConversionCategory = m_iBase;
    const int to = GetNumBaseDigit();
    switch (CurrentInputMode()) {
        case 1:
            ShowImodeValue(false);
            break;
        case 2:
            if (!m_sRPNInputString.empty()) {
                if (auto converted = StringConvert(m_sRPNInputString, from, to))
                    m_sRPNInputString = *converted;
            }
            updateRPNStringToLED();
            updateResultFromStackToLED();
            break;
        default:
            ConvertLine(from, to);
            break;
    }
}

// The entry is re-expressed at the next width first: 16, 32 bits for the old 8, 16, and unmasked (64)
// when the width wraps from 32 back to 8.
void MyLedView::CycleBitWidth() {
    const int radix = GetNumBaseDigit();
    g_BitWidth = m_iBitWidth == 138 ? 16 : m_iBitWidth == 139 ? 32 : 64;
    const int mode = CurrentInputMode();
    if (mode == 0) ConvertLine(radix, radix);
    if (mode == 2 && !m_sRPNInputString.empty()) {
        if (auto converted = StringConvert(m_sRPNInputString, radix, radix)) m_sRPNInputString = *converted;
    }
    m_iBitWidth = NextInCycle({138, 139, 140}, m_iBitWidth);
    g_BitWidth = BitsOfKey(m_iBitWidth);
    if (mode == 1) ShowImodeValue(false);
    if (mode == 2) {
        updateRPNStringToLED();
        updateResultFromStackToLED();
    }
}

// SCI set directly is the temporary switch of a large or complex result; the other notations are the
// user's choice that Clear returns to.
void MyLedView::SetNotation(int code) {
    m_iNotation = code;
    if (code != 136) g_nPreNotation = code;
}

void MyLedView::ShowError(int code, int inputMode) {
    m_nLastError = code;
    const std::u16string message = Latin1ToU16(ErrorMessage(code));
    if (inputMode == 0) {
        m_sResultOutput = message;
        m_bResultIsValue = false;
    } else {
        ShowLineText(message, true);
    }
}

void MyLedView::PostShiftRelease() {
    m_platform.notifications.post(g_nCurScreenMode == 1 ? "ReleaseSHIFTButon"
                                                        : "LandscapeReleaseSHIFTButton");
}

// ---- results and categories -----------------------------------------------------------------------------

void MyLedView::InputResult(const std::u16string& text, bool isValue) {
    m_sResultOutput = text;
    m_bResultIsValue = isValue && !text.empty();
    setNeedsDisplay();
}

qcmplx MyLedView::GetLastResult() const {
    if (CurrentInputMode() != 0) return g_dblLastResult;
    qcmplx v{};
    qmov(m_dLastResult, v.r);
    return v;
}

void MyLedView::SetLastResult(const QELT* value) {
    qmov(value, m_dLastResult);
}

void MyLedView::SwitchToCategory(int categoryId) {
    if (categoryId < 0 || categoryId >= kDisplayCategories) return;
    m_nCurrentFunction = categoryId;
    m_bShowCaret = CurrentInputMode() == 0;
    LedIndicators f;
    bool forceDecimal = true;
    switch (categoryId) {
        case 0:
        case 1:
        case 2:
            f.base = f.mode = f.notation = f.memory = f.expression = f.formula = true;
            break;
        case 3:
            f.base = f.memory = f.expression = f.bitWidth = true;
            forceDecimal = false;
            break;
        case 4:
        case 8:
            f.base = f.notation = f.memory = f.expression = f.formula = true;
            if (categoryId == 4) m_bShowCaret = true;
            break;
        case 9:
            f.expression = f.formula = true;
            break;
        case 11:
            f.formula = true;
            break;
        default:  // 5, 6, 7, 10
            break;
    }
    m_flags = f;
    if (forceDecimal) {
        if (m_iBase != 147) m_iBaseConversionCategory = m_iBase;
        m_iBase = 147;
    } else {
        m_iBase = m_iBaseConversionCategory;
    }
    m_bShift = false;
    m_bEqual = false;
    const int category = categoryId == 1 ? 0 : categoryId;
    if (category != m_iCategory) {
        SaveActiveLine();
        m_iPrevCategory = m_iCategory;
        m_iCategory = category;
        LoadActiveLine();
        m_sCurOperator.clear();
    }
    switchToRPNMode(g_pInputMode != nullptr && g_pInputMode->isRPNMode(categoryId));
    setNeedsDisplay();
}

void MyLedView::setCurExpressionIndex(int slot) {
    if (slot < 0 || slot >= kExpressionSlots) return;
    SaveActiveLine();
    m_iPrevExpression = m_iExpression;
    m_iExpression = slot;
    LoadActiveLine();
    setNeedsDisplay();
}

void MyLedView::SaveActiveLine() {
    if (m_iCategory < 0 || m_iCategory >= kDisplayCategories || m_iExpression < 0 ||
        m_iExpression >= kExpressionSlots)
        return;
    m_line.SaveToRaw(_arrCurRawInputStr[m_iCategory * kExpressionSlots + m_iExpression]);
}

void MyLedView::LoadActiveLine() {
    m_bLineShowsMessage = false;
    if (m_iCategory < 0 || m_iCategory >= kDisplayCategories || m_iExpression < 0 ||
        m_iExpression >= kExpressionSlots) {
        m_line.Clear();
        return;
    }
    m_line.SetRawInputString(_arrCurRawInputStr[m_iCategory * kExpressionSlots + m_iExpression]);
}

void MyLedView::UpdateSettingChanges() {
    InputCommand(4);
    SwitchToCategory(m_nCurrentFunction);
    setNeedsDisplay();
}

void MyLedView::UpdateRotation() {
    StopArrowRepeat();
    m_rcRegions = initSizes(g_nCurScreenMode, m_bRPNMode);
    m_line.setWindowWidth(m_rcRegions.input.width);
    SwitchToCategory(g_nCurScreenMode == 1 ? g_CurrentFunction : g_curLandScapeFunction);
    m_line.CaretToEnd();
    setNeedsDisplay();
}

// ---- the input line -----------------------------------------------------------------------------------

void MyLedView::Clear() {
    m_line.Clear();
    m_sParsedInput.clear();
    m_sResultOutput.clear();
    m_bResultIsValue = false;
    qclear(m_dLastResult);
    m_iNotation = g_nPreNotation;
    setNeedsDisplay();
}

bool MyLedView::InsertString(const std::u16string& text, bool clearFirst) {
    const bool ok = m_line.InsertString(text, clearFirst, Format());
    setNeedsDisplay();
    return ok;
}

std::string MyLedView::OutputParsedString() const {
    return ::OutputParsedString(m_line.GetRawInputString(), g_sOutputMode);
}

void MyLedView::ShowLineText(const std::u16string& text, bool message) {
    m_bLineShowsMessage = message;
    m_line.Clear();
    if (!text.empty() && m_line.CanInsert(static_cast<int>(text.size()), static_cast<int>(text.size()))) {
        for (char16_t c : text) m_line.InsertObject(AUniCharToNSString(c));
    }
    if (m_nCurrentFunction == 3) {
        m_line.CaretToEnd();
    } else {
        m_line.CaretToStart();
    }
}
