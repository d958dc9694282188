#include "app/display/led_view.h"

#include <algorithm>
#include <array>

#include "app/display/led_view_internal.h"
#include "app/keys/key_codes.h"
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
    if (const char d = DecimalDigitOfKey(code)) return d;
    return IsHexDigitKey(code) ? static_cast<char>('A' + code - kKeyHexA) : '\0';
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
    if (g_pInputMode == nullptr) return kInputModeString;
    if (g_pInputMode->isBasicMode(m_nCurrentFunction)) return kInputModeBasic;
    if (g_pInputMode->isRPNMode(m_nCurrentFunction)) return kInputModeRPN;
    return kInputModeString;
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
    m_nLastError = kErrNone;
    const int mode = CurrentInputMode();
    m_bShift = code == kKeyShift ? !m_bShift : false;
    if (code != kKeyShift && !CommonCommand(code, mode)) {
        if (mode == kInputModeBasic) {
            BasicModeCommand(code);
        } else if (mode == kInputModeRPN) {
            RPNModeCommand(code);
        } else {
            StringModeCommand(code);
        }
    }
    SetMode(AngleModeOfKey(m_iMode));
    SetBitWidth(BitsOfKey(m_iBitWidth));
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
        case kKeyAngleCycle:
            m_iMode = NextInCycle({kKeyAngleDeg, kKeyAngleRad, kKeyAngleGra}, m_iMode);
            return true;
        case kKeyAngleDeg:
        case kKeyAngleRad:
        case kKeyAngleGra:
            m_iMode = code;
            return true;
        case kKeyBaseCycle:
            CycleBase();
            return true;
        case kKeyBaseBin:
        case kKeyBaseOct:
        case kKeyBaseDec:
        case kKeyBaseHex:
            m_iBase = code;
            if (m_iCategory == kCatBaseConversion) m_iBaseConversionCategory = code;
            return true;
        case kKeyWidthCycle:
            CycleBitWidth();
            return true;
        case kKeyWidth8:
        case kKeyWidth16:
        case kKeyWidth32:
            m_iBitWidth = code;
            return true;
        case kKeyNotationCycle: {
            m_iNotation = NextInCycle({kKeyNotationNorm, kKeyNotationFix, kKeyNotationSci, kKeyNotationFrac},
                                      m_iNotation);
            SetPreNotation(m_iNotation);
            return true;
        }
        case kKeyNotationFix:
        case kKeyNotationNorm:
        case kKeyNotationSci:
        case kKeyNotationFrac:
            SetNotation(code);
            return true;
        case kKeyMemory1:
        case kKeyMemory2:
        case kKeyMemory3:
        case kKeyMemory4:
        case kKeyMemory5:
            m_iMemory = code;
            return true;
        case kKeyMemoryNext:
            m_iMemory = m_iMemory >= kKeyMemory5 || m_iMemory < kKeyMemory1 ? kKeyMemory1 : m_iMemory + 1;
            return true;
        case kKeyMemoryStore:
        case kKeyMemoryRecall:
        case kKeyMemoryClear:
        case kKeyMemoryAdd:
        case kKeyMemorySubtract:
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
    m_iBase = NextInCycle({kKeyBaseBin, kKeyBaseOct, kKeyBaseDec, kKeyBaseHex}, m_iBase);
    if (m_iCategory == kCatBaseConversion) m_iBaseConversionCategory = m_iBase;
    const int to = GetNumBaseDigit();
    switch (CurrentInputMode()) {
        case kInputModeBasic:
            ShowImodeValue(false);
            break;
        case kInputModeRPN:
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
    const int wider = m_iBitWidth == kKeyWidth8    ? kKeyWidth16
                      : m_iBitWidth == kKeyWidth16 ? kKeyWidth32
                                                   : kKeyWidth64;
    SetBitWidth(BitsOfKey(wider));
    const int mode = CurrentInputMode();
    if (mode == kInputModeString) ConvertLine(radix, radix);
    if (mode == kInputModeRPN && !m_sRPNInputString.empty()) {
        if (auto converted = StringConvert(m_sRPNInputString, radix, radix)) m_sRPNInputString = *converted;
    }
    m_iBitWidth = NextInCycle({kKeyWidth8, kKeyWidth16, kKeyWidth32}, m_iBitWidth);
    SetBitWidth(BitsOfKey(m_iBitWidth));
    if (mode == kInputModeBasic) ShowImodeValue(false);
    if (mode == kInputModeRPN) {
        updateRPNStringToLED();
        updateResultFromStackToLED();
    }
}

// SCI set directly is the temporary switch of a large or complex result; the other notations are the
// user's choice that Clear returns to.
void MyLedView::SetNotation(int code) {
    m_iNotation = code;
    if (code != kKeyNotationSci) SetPreNotation(code);
}

void MyLedView::ShowError(int code, int inputMode) {
    m_nLastError = code;
    const std::u16string message = Latin1ToU16(ErrorMessage(code));
    if (inputMode == kInputModeString) {
        m_sResultOutput = message;
        m_bResultIsValue = false;
    } else {
        ShowLineText(message, true);
    }
}

void MyLedView::PostShiftRelease() {
    m_platform.notifications.post(g_nCurScreenMode == kScreenPortrait ? "ReleaseSHIFTButon"
                                                                      : "LandscapeReleaseSHIFTButton");
}

// ---- results and categories -----------------------------------------------------------------------------

void MyLedView::InputResult(const std::u16string& text, bool isValue) {
    m_sResultOutput = text;
    m_bResultIsValue = isValue && !text.empty();
    setNeedsDisplay();
}

qcmplx MyLedView::GetLastResult() const {
    if (CurrentInputMode() != kInputModeString) return g_dblLastResult;
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
    m_bShowCaret = CurrentInputMode() == kInputModeString;
    LedIndicators f;
    bool forceDecimal = true;
    switch (categoryId) {
        case kCatArithmetic:
        case kCatTrigonom:
        case kCatConstants:
            f.base = f.mode = f.notation = f.memory = f.expression = f.formula = true;
            break;
        case kCatBaseConversion:
            f.base = f.memory = f.expression = f.bitWidth = true;
            forceDecimal = false;
            break;
        case kCatFinance:
        case kCatStatistics:
            f.base = f.notation = f.memory = f.expression = f.formula = true;
            if (categoryId == kCatFinance) m_bShowCaret = true;
            break;
        case kCatUnlisted9:
            f.expression = f.formula = true;
            break;
        case kCatUnlisted11:
            f.formula = true;
            break;
        default:  // kCatUnitConverter, kCatCurrencyConverter, kCatTip, kCatUnlisted10
            break;
    }
    m_flags = f;
    if (forceDecimal) {
        if (m_iBase != kKeyBaseDec) m_iBaseConversionCategory = m_iBase;
        m_iBase = kKeyBaseDec;
    } else {
        m_iBase = m_iBaseConversionCategory;
    }
    m_bShift = false;
    m_bEqual = false;
    const int category = categoryId == kCatTrigonom ? kCatArithmetic : categoryId;
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
    InputCommand(kKeyClear);
    SwitchToCategory(m_nCurrentFunction);
    setNeedsDisplay();
}

void MyLedView::UpdateRotation() {
    StopArrowRepeat();
    m_rcRegions = initSizes(g_nCurScreenMode, m_bRPNMode);
    m_line.setWindowWidth(m_rcRegions.input.width);
    SwitchToCategory(g_nCurScreenMode == kScreenPortrait ? g_CurrentFunction : g_curLandScapeFunction);
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
    if (m_nCurrentFunction == kCatBaseConversion) {
        m_line.CaretToEnd();
    } else {
        m_line.CaretToStart();
    }
}
