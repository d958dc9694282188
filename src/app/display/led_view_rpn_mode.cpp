// RPN mode: keys build an entry string that ENTER pushes on the engine's RPN stack; operators and stack
// words act on the stack, whose two top levels the stack lines show.
#include <algorithm>
#include <cctype>

#include "app/display/led_view.h"
#include "app/display/led_view_internal.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"
#include "app/settings/settings_globals.h"
#include "engine/format/result_format.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"

using namespace led_detail;

namespace {

constexpr size_t kMaxEntry = 128;  // longer than any number the radixes and the 99-digit conversion take
constexpr const char* kE = "2.718281828459045235360";

// The words of a key in RPN mode. The powers, roots and reciprocals the keys spell with an operand
// after the operator in basic mode are put in stack order here (the constant is pushed, swapped below
// the operand where it must come first, and the operator applied), so that 10^x is 10^x and not x^10.
std::vector<std::string> RPNWords(int code) {
    switch (code) {
        case kKeyEquals:
            return {")"};
        case kKeySquare:
            return {"DoNothing", "2", "DoNothing", "^"};
        case kKeyCube:
            return {"DoNothing", "3", "DoNothing", "^"};
        case kKeyCubeRoot:
            return {"DoNothing", "3", "DoNothing", "1", "DoNothing", "swap", "/", "^"};
        case kKeyTenPower:
            return {"DoNothing", "10", "DoNothing", "swap", "^"};
        case kKeyExpPower:
            return {"DoNothing", kE, "DoNothing", "swap", "^"};
        case kKeyReciprocal:
            return {"DoNothing", "1", "DoNothing", "swap", "/"};
        default:
            return KeyCommandWords(code).rpn;
    }
}

}  // namespace

void MyLedView::RPNModeCommand(int code) {
    if (EditRPNEntry(code)) {
        updateRPNStringToLED();
        return;
    }
    if (code == kKeyClear) {
        m_sRPNInputString.clear();
        AddToRPNStack(".", kKeyBaseDec);
    } else if (code == kKeyOpenParen || code == kKeyCloseParen) {  // both are ENTER
        addStringToRPNStack();
    } else {
        const std::vector<std::string> words = RPNWords(code);
        if (words.empty()) return;  // a key this mode does not know
        if (!m_sRPNInputString.empty()) addStringToRPNStack();
        if (GetErrorCode() == kErrNone) AddRPNCommands(words, kKeyBaseDec);
    }
    updateRPNStringToLED();
    updateResultFromStackToLED();
}

// Digits, the decimal point, the sign and backspace edit the entry; true when code was one of them.
bool MyLedView::EditRPNEntry(int code) {
    std::string& entry = m_sRPNInputString;
    const bool baseConversion = m_nCurrentFunction == kCatBaseConversion;
    if (IsDigitCode(code)) {
        if (entry.size() < kMaxEntry) entry += DigitOf(code);
        return true;
    }
    switch (code) {
        case kKeyDecimal:
            // A bare "." would reach the stack as its clearing word; the point always follows a digit.
            if (!baseConversion && entry.find('.') == std::string::npos && entry.size() < kMaxEntry)
                entry += entry.empty() || entry == "-" ? "0." : ".";
            return true;
        case kKeyChangeSign:
            if (!baseConversion) {
                if (!entry.empty() && entry[0] == '-') {
                    entry.erase(0, 1);
                } else if (entry.size() < kMaxEntry) {
                    entry.insert(0, 1, '-');
                }
            }
            return true;
        case kKeyDelete:
            if (!entry.empty()) entry.pop_back();
            return true;
        default:
            return false;
    }
}

void MyLedView::addStringToRPNStack() {
    std::string entry = m_sRPNInputString;
    m_sRPNInputString.clear();
    const bool hasDigit =
        std::any_of(entry.begin(), entry.end(), [](char c) { return std::isxdigit(c) != 0; });
    if (!hasDigit) {
        AddToRPNStack("(", kKeyBaseDec);
        return;
    }
    std::vector<std::string> words{"DoNothing"};
    if (m_nCurrentFunction == kCatBaseConversion) {
        // The radix modes take a number digit by digit; a sign is applied to the finished number.
        const bool negative = entry[0] == '-';
        for (char c : entry) {
            if (c != '-') words.emplace_back(1, c);
        }
        if (negative) words.emplace_back("NEG");
    } else {
        words.push_back(entry);
    }
    words.emplace_back("(");
    AddRPNCommands(words, m_iBase);
}

void MyLedView::updateRPNStringToLED() {
    m_bLineShowsMessage = false;
    m_line.Clear();
    if (!m_sRPNInputString.empty()) m_line.InsertString(Latin1ToU16(m_sRPNInputString), false, Format());
    setNeedsDisplay();
}

std::u16string MyLedView::StackLevelText(const qcmplx& value, bool& invalid) const {
    if (HasImaginaryPart(value)) {
        invalid = true;
        return u"Invalid parameter(s)";
    }
    const DisplayString d =
        ConstructDisplayString(m_iBase, m_iBitWidth, value.r, m_iNotation, 16, g_iFixDigits);
    return Widen(d.text) + Widen(d.exponent);
}

// Level 1 (the top) goes to the lower stack line, level 2 to the upper one. A complex level cannot be
// shown: the stack is cleared with kKeyClear and the message stays on the input line.
void MyLedView::updateResultFromStackToLED() {
    std::vector<qcmplx> values;
    const int count = getRPNStackValues(values);
    bool invalid = false;
    for (int level = 0; level < 2; ++level) {
        const int index = count - 1 - level;
        const std::u16string text = index >= 0 ? StackLevelText(values[index], invalid) : u"";
        m_stackLines[1 - level]->setString(text);
    }
    if (invalid) {
        InputCommand(kKeyClear);
        ShowLineText(u"Invalid parameter(s)", true);
        m_platform.feedback.vibrate();
    }
    setNeedsDisplay();
}

void MyLedView::switchToRPNMode(bool rpn) {
    m_bRPNMode = rpn;
    m_rcRegions = initSizes(g_nCurScreenMode, rpn);
    m_line.setWindowWidth(m_rcRegions.input.width);
    for (int k = 0; k < 2; ++k) {
        if (m_rcRegions.stackLine[k].width > 0) m_stackLines[k]->setFrame(m_rcRegions.stackLine[k]);
    }
    if (rpn) updateResultFromStackToLED();
    setNeedsDisplay();
}
