#include "app/display/memory.h"

#include <algorithm>

#include "app/display/led_view.h"
#include "app/display/led_view_internal.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "app/settings/input_mode_manager.h"
#include "app/settings/settings_globals.h"
#include "engine/entry/expr_eval.h"
#include "engine/entry/text_tools.h"
#include "engine/format/group_numbers.h"
#include "engine/format/result_format.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"

using namespace led_detail;

// ---- the record --------------------------------------------------------------------------------------

std::u16string _RAW_MEMORY::text() const {
    const int n = std::clamp(iLength, 0, kMaxText);
    return std::u16string(wcText.data(), static_cast<size_t>(n));
}

void _RAW_MEMORY::set(const std::u16string& text, int radix) {
    const std::u16string cut = CutAtCharacter(text, kMaxText);
    wcText.fill(0);
    std::copy(cut.begin(), cut.end(), wcText.begin());
    iLength = static_cast<std::int32_t>(cut.size());
    iRadix = radix;
}

bool IsValidRawMemory(const _RAW_MEMORY& memory) {
    if (memory.iLength < 0 || memory.iLength > _RAW_MEMORY::kMaxText) return false;
    if (memory.iLength == 0) return true;
    const int r = memory.iRadix;
    return r == 2 || r == 8 || r == 10 || r == 16;
}

void WriteRawMemory(LeWriter& out, const _RAW_MEMORY& memory) {
    out.i32(memory.iLength);
    for (char16_t c : memory.wcText) out.u16(c);
    out.i32(memory.iRadix);
}

bool ReadRawMemory(LeReader& in, _RAW_MEMORY& memory) {
    _RAW_MEMORY m;
    m.iLength = in.i32();
    for (char16_t& c : m.wcText) c = in.u16();
    m.iRadix = in.i32();
    const bool ok = !in.failed() && IsValidRawMemory(m);
    memory = ok ? m : _RAW_MEMORY{};
    return ok;
}

std::u16string CutAtCharacter(const std::u16string& text, size_t maxUnits) {
    if (text.size() <= maxUnits) return text;
    size_t n = maxUnits;
    if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;  // a high surrogate without its pair
    return text.substr(0, n);
}

std::u16string GetStrToSaveMemory(const std::u16string& text, int baseCode, std::string_view outputMode) {
    std::u16string s = text;
    if (baseCode != kKeyBaseHex) {
        for (char16_t& c : s) {
            if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        }
        std::u16string out;
        int closing = 0;
        for (size_t k = 0; k < s.size(); ++k) {
            if (s[k] == u'e' && k + 1 < s.size() && s[k + 1] == u'+') {
                out += u"exp";
                ++k;
            } else if (s[k] == u'e' && k + 1 < s.size() && s[k + 1] == u'-') {
                out += u"exp(-";
                ++k;
                ++closing;
            } else {
                out += s[k];
            }
        }
        s = out + std::u16string(static_cast<size_t>(closing), u')');
    }
    if (IsEuropeanOutputMode(outputMode)) {
        std::erase(s, u'.');
    } else if (IsEnglishOutputMode(outputMode)) {
        std::erase(s, kComma);
    }
    return s;
}

// ---- the memory commands of the display ---------------------------------------------------------------

const _RAW_MEMORY* MyLedView::memory(int memoryIndex, int category) const {
    if (memoryIndex < 0 || memoryIndex >= kMemories || category < 0 || category >= kDisplayCategories)
        return nullptr;
    return &m_pRawMS[memoryIndex * kDisplayCategories + category];
}

_RAW_MEMORY& MyLedView::SelectedMemory() {
    const int index = std::clamp(m_iMemory - kKeyMemory1, 0, kMemories - 1);
    const int category = m_iCategory >= 0 ? m_iCategory : 0;
    return m_pRawMS[index * kDisplayCategories + category];
}

// The memory's text ready for the current radix: as stored when the radixes agree, else its numbers
// rewritten from the stored radix (empty when the conversion fails; the error stays set).
std::u16string MyLedView::MemoryTextInCurrentRadix(const _RAW_MEMORY& memory) {
    const int radix = GetNumBaseDigit();
    if (memory.iRadix == radix) return memory.text();
    const std::string engine = ::OutputParsedString(memory.text(), g_sOutputMode);
    auto converted = StringConvert(engine, memory.iRadix, radix);
    return converted ? Latin1ToU16(*converted) : std::u16string();
}

// String mode: the result on display, "0" after a zero (or no) result, nothing while the result line
// shows a message instead of a value.
std::u16string MyLedView::StringModeMemoryOperand() const {
    if (!m_bResultIsValue && !m_sResultOutput.empty()) return {};
    if (iszero(m_dLastResult)) return u"0";
    return m_sResultOutput;
}

// Basic and RPN mode: the value on display as text. In SCI and FRAC notation the last result is written
// anew in SCI with 32 digits; otherwise the line's engine text (in RPN mode the entry, or the top of the
// stack when nothing is being typed). Nothing while the line shows a message.
std::u16string MyLedView::ValueOnDisplay() const {
    if (m_bLineShowsMessage) return {};
    if (m_iNotation == kKeyNotationSci || m_iNotation == kKeyNotationFrac) {
        const qcmplx last = GetLastResult();
        const DisplayString d =
            ConstructDisplayString(m_iBase, m_iBitWidth, last.r, kKeyNotationSci, 32, g_iFixDigits);
        return Widen(d.text) + Widen(d.exponent);
    }
    if (CurrentInputMode() == kInputModeRPN) {
        if (!m_sRPNInputString.empty()) return Latin1ToU16(m_sRPNInputString);
        std::vector<qcmplx> values;
        if (getRPNStackValues(values) == 0) return u"0";
        const DisplayString d =
            ConstructDisplayString(m_iBase, m_iBitWidth, values.back().r, kKeyNotationNorm, 32, g_iFixDigits);
        return Widen(d.text) + Widen(d.exponent);
    }
    return Latin1ToU16(OutputParsedString());
}

void MyLedView::MemoryCommand(int code, int inputMode) {
    _RAW_MEMORY& mem = SelectedMemory();
    const int radix = GetNumBaseDigit();
    auto operand = [&]() {
        return inputMode == kInputModeString ? StringModeMemoryOperand() : ValueOnDisplay();
    };
    switch (code) {
        case kKeyMemoryStore: {
            const std::u16string value = GetStrToSaveMemory(operand(), m_iBase, g_sOutputMode);
            if (!value.empty()) mem.set(value, radix);
            break;
        }
        case kKeyMemoryRecall:
            RecallMemory(inputMode);
            break;
        case kKeyMemoryClear:
            mem.clear();
            break;
        case kKeyMemoryAdd:
            if (mem.empty()) {
                MemoryCommand(kKeyMemoryStore, inputMode);
            } else {
                DoMemory(u"+", operand());
            }
            break;
        case kKeyMemorySubtract:
            if (mem.empty()) mem.set(u"0", radix);
            DoMemory(u"-", operand());
            break;
        default:
            break;
    }
}

// Recalls the selected memory. String mode inserts its text at the caret; basic and RPN mode evaluate
// it and make the value a new entry of the value stack, replacing a number being typed (basic) or
// after the pending entry (RPN), so that the next operator works on it.
void MyLedView::RecallMemory(int inputMode) {
    const _RAW_MEMORY& mem = SelectedMemory();
    if (mem.empty()) return;
    const std::u16string text = MemoryTextInCurrentRadix(mem);
    if (text.empty()) return;
    if (inputMode == kInputModeString) {
        InsertString(text, false);
        return;
    }
    const std::string engine = ::OutputParsedString(text, g_sOutputMode);
    const REG r = ExprEval(engine.c_str(), 0, GetNumBaseDigit());
    if (GetErrorCode() != kErrNone) return;
    qcmplx value{};
    qmov(r.re, value.r);
    if (r.type == REG_COMPLEX) qmov(r.im, value.i);
    if (inputMode == kInputModeRPN) {
        if (!m_sRPNInputString.empty()) addStringToRPNStack();
        if (GetErrorCode() == kErrNone) PushValueAsEntry(value, true);
        updateRPNStringToLED();
        updateResultFromStackToLED();
        return;
    }
    if (ImodeEntryInProgress()) AddToImodeStack("Pop", kKeyBaseDec);
    PushValueAsEntry(value, false);
    if (GetErrorCode() != kErrNone) return;
    m_cplCurValue = value;
    SetImodeLastResult(value);
    ShowImodeValue(false);
}

// The value as the words that type it as a new entry: a whole decimal number text, or the digits of the
// radix one by one; the entry is ended afterwards.
void MyLedView::PushValueAsEntry(const qcmplx& value, bool rpn) {
    std::vector<std::string> words{"DoNothing"};
    if (m_iBase == kKeyBaseDec) {
        const std::u16string text = Widen(qtoascex_str(value.r, 40));
        words.emplace_back(text.begin(), text.end());
    } else {
        const DisplayString d =
            ConstructDisplayString(m_iBase, m_iBitWidth, value.r, kKeyNotationNorm, 32, 4);
        for (char c : d.text) words.emplace_back(1, c);
    }
    words.emplace_back(rpn ? "(" : "DoNothing");
    if (rpn) {
        AddRPNCommands(words, m_iBase);
        return;
    }
    for (const std::string& w : words) {
        AddToImodeStack(w.c_str(), m_iBase);
        if (GetErrorCode() != kErrNone) return;
    }
}

void MyLedView::DoMemory(const std::u16string& op, const std::u16string& operand) {
    const std::u16string s = GetStrToSaveMemory(operand, m_iBase, g_sOutputMode);
    if (s.empty()) return;
    _RAW_MEMORY& mem = SelectedMemory();
    const std::u16string m = MemoryTextInCurrentRadix(mem);
    if (m.empty()) {
        ClearErrorCode();
        return;
    }
    const std::string engine = ::OutputParsedString(m + op + u"(" + s + u")", g_sOutputMode);
    ClearErrorCode();
    const REG r = ExprEval(engine.c_str(), 0, GetNumBaseDigit());
    if (GetErrorCode() == kErrNone && (r.type == REG_REAL || r.type == REG_COMPLEX)) {
        bool scientific = false, complex = false;
        const std::u16string t = GetStrToSaveMemory(
            ExpResult_REGToString(r, m_iBase, m_iBitWidth, m_iNotation, scientific, complex), m_iBase,
            g_sOutputMode);
        if (!t.empty()) mem.set(t, GetNumBaseDigit());
    }
    // A failed memory sum leaves the memory as it was and shows nothing.
    ClearErrorCode();
}
