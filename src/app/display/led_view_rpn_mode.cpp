// RPN mode: keys build an entry string that ENTER pushes on the engine's RPN stack; operators and stack
// words act on the stack, whose two top levels the stack lines show.
#include <algorithm>
#include <cctype>

#include "app/display/led_view.h"
#include "app/display/led_view_internal.h"
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
        case 19:
            return {")"};
        case 31:
            return {"DoNothing", "2", "DoNothing", "^"};
        case 32:
            return {"DoNothing", "3", "DoNothing", "^"};
        case 42:
            return {"DoNothing", "3", "DoNothing", "1", "DoNothing", "swap", "/", "^"};
        case 38:
            return {"DoNothing", "10", "DoNothing", "swap", "^"};
        case 39:
            return {"DoNothing", kE, "DoNothing", "swap", "^"};
        case 131:
            return {"DoNothing", "1", "DoNothing", "swap", "/"};
        default:
            return KeyCommandWords(code).rpn;
    }
}

RPN_SNAPSHOT CurrentStack() {
    RPN_SNAPSHOT s;
    s.stack.assign(imoderpn_cplStack, imoderpn_cplStack + imoderpn_count);
    s.status = imoderpn_status;
    s.factor = factor;
    return s;
}

void RestoreStack(const RPN_SNAPSHOT& s) {
    std::copy(s.stack.begin(), s.stack.end(), imoderpn_cplStack);
    imoderpn_count = static_cast<int>(s.stack.size());
    imoderpn_status = s.status;
    factor = s.factor;
}

bool SameEntries(const RPN_SNAPSHOT& a, const RPN_SNAPSHOT& b) {
    return a.stack.size() == b.stack.size() &&
           std::equal(a.stack.begin(), a.stack.end(), b.stack.begin(), [](const qcmplx& x, const qcmplx& y) {
               return qcmp(x.r, y.r) == 0 && qcmp(x.i, y.i) == 0;
           });
}

}  // namespace

void MyLedView::RPNModeCommand(int code) {
    if (EditRPNEntry(code)) {
        updateRPNStringToLED();
        return;
    }
    if (code == 4) {
        m_sRPNInputString.clear();
        AddToRPNStack(".", 147);
    } else if (code == 44 || code == 45) {
        addStringToRPNStack();
    } else {
        const std::vector<std::string> words = RPNWords(code);
        if (words.empty()) return;  // a key this mode does not know
        if (!m_sRPNInputString.empty()) addStringToRPNStack();
        if (GetErrorCode() == 0) RunRPNWords(words, 147);
    }
    updateRPNStringToLED();
    updateResultFromStackToLED();
}

// Digits, the decimal point, the sign and backspace edit the entry; true when code was one of them.
bool MyLedView::EditRPNEntry(int code) {
    std::string& entry = m_sRPNInputString;
    const bool baseConversion = m_nCurrentFunction == 3;
    if (IsDigitCode(code)) {
        if (entry.size() < kMaxEntry) entry += DigitOf(code);
        return true;
    }
    switch (code) {
        case 16:
            // A bare "." would reach the stack as its clearing word; the point always follows a digit.
            if (!baseConversion && entry.find('.') == std::string::npos && entry.size() < kMaxEntry)
                entry += entry.empty() || entry == "-" ? "0." : ".";
            return true;
        case 17:
            if (!baseConversion) {
                if (!entry.empty() && entry[0] == '-') {
                    entry.erase(0, 1);
                } else if (entry.size() < kMaxEntry) {
                    entry.insert(0, 1, '-');
                }
            }
            return true;
        case 47:
            if (!entry.empty()) entry.pop_back();
            return true;
        default:
            return false;
    }
}

// Runs several RPN words as one command: all of them or none (a failing word restores the stack as it
// was before the first), and one undo step for the whole key. radixKey is the radix of the number words.
bool MyLedView::RunRPNWords(const std::vector<std::string>& words, int radixKey) {
    if (words.size() == 1) {
        AddToRPNStack(words[0].c_str(), radixKey);
        return GetErrorCode() == 0;
    }
    const RPN_SNAPSHOT before = CurrentStack();
    const std::vector<RPN_SNAPSHOT> undo = undoStack, redo = redoStack;
    for (const std::string& w : words) {
        AddToRPNStack(w.c_str(), radixKey);
        if (GetErrorCode() != 0) {
            RestoreStack(before);
            undoStack = undo;
            redoStack = redo;
            return false;
        }
    }
    if (!SameEntries(before, CurrentStack())) {
        undoStack = undo;
        undoStack.push_back(before);
        if (undoStack.size() > static_cast<size_t>(kRPNHistoryDepth)) undoStack.erase(undoStack.begin());
        redoStack.clear();
    }
    return true;
}

void MyLedView::addStringToRPNStack() {
    std::string entry = m_sRPNInputString;
    m_sRPNInputString.clear();
    const bool hasDigit =
        std::any_of(entry.begin(), entry.end(), [](char c) { return std::isxdigit(c) != 0; });
    if (!hasDigit) {
        AddToRPNStack("(", 147);
        return;
    }
    std::vector<std::string> words{"DoNothing"};
    if (m_nCurrentFunction == 3) {
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
    RunRPNWords(words, m_iBase);
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
// shown: the stack is cleared with key 4 and the message stays on the input line.
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
        InputCommand(4);
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
