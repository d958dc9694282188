#include "app/screens/rpn_stack/rpn_calc_view.h"

#include <cctype>
#include <cstdint>
#include <limits>

#include "app/controller/orvane_view_controller.h"
#include "app/display/led_drawing.h"
#include "app/display/line_text.h"
#include "app/keys/key_codes.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"

namespace {

constexpr int kKeyEnterIndex = 0;
constexpr int kKeyBackspaceIndex = 1;
constexpr int kKeyDigit1Index = 2;  // 2..10 are the digits 1..9
constexpr int kKeyDigit0Index = 11;
constexpr int kKeyPointIndex = 12;
constexpr int kKeySignIndex = 13;
constexpr int kKeyFirstCommandIndex = 14;
constexpr int kKeyClearIndex = 22;

const char* const kCommandWords[] = {"drop", "swap", "depth", "over", "roll", "pick", "keep", "last"};

int RadixOf(int baseCode) {
    switch (baseCode) {
        case kKeyBaseBin:
            return 2;
        case kKeyBaseOct:
            return 8;
        case kKeyBaseHex:
            return 16;
        default:
            return 10;
    }
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The mantissa of a decimal text ends at its exponent mark; the other radixes have none.
size_t MantissaEnd(const std::string& text, int radix) {
    if (radix != 10) return text.size();
    const size_t e = text.find_first_of("Ee");
    return e == std::string::npos ? text.size() : e;
}

// True when every digit of the mantissa is 0 (also for "", "-" and "0."): the text's value is zero.
bool ValueIsZero(const std::string& text, int radix) {
    const size_t end = MantissaEnd(text, radix);
    for (size_t i = 0; i < end; ++i) {
        const int d = DigitValue(text[i]);
        if (d > 0) return false;
    }
    return true;
}

// A complete number of the radix: optional "-", digits, in decimal an optional point with digits after it
// and an optional exponent ("E", optional sign, digits).
bool IsNumberText(const std::string& text, int radix) {
    size_t i = 0;
    if (i < text.size() && text[i] == '-') ++i;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && radix == 10 && !point) {
            point = true;
            continue;
        }
        const int d = DigitValue(c);
        if (d < 0 || d >= radix || (radix == 10 && !std::isdigit(static_cast<unsigned char>(c)))) break;
        ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && radix == 10 && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const size_t first = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
        if (i == first) return false;
    }
    return i == text.size();
}

// The decimal text of an integer written in radix 2, 8 or 16. The stack shows negative values in those
// radixes as 64-bit two's complement, so a value of 64 significant bits reads back as negative. False for
// a text of more than 64 bits.
bool RadixTextToDecimal(const std::string& text, int radix, std::string& out) {
    const bool negative = !text.empty() && text[0] == '-';
    std::uint64_t v = 0;
    for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
        const int d = DigitValue(text[i]);
        if (d < 0 || d >= radix) return false;
        if (v > (std::numeric_limits<std::uint64_t>::max() - static_cast<std::uint64_t>(d)) / radix)
            return false;
        v = v * radix + static_cast<std::uint64_t>(d);
    }
    const auto s = static_cast<std::int64_t>(v);  // two's complement above 2^63 - 1
    if (negative) {
        out = s == std::numeric_limits<std::int64_t>::min() ? "9223372036854775808" : std::to_string(-s);
    } else {
        out = std::to_string(s);
    }
    return true;
}

}  // namespace

RPNCalcView::RPNCalcView(ScreenContext& context) : m_context(context) {}

RPNCalcView::~RPNCalcView() = default;

const char* RPNCalcView::KeypadCaption(int index) {
    static const char* const kCaptions[kKeypadKeys] = {
        "ENTER", "DEL", "1",    "2",    "3",     "4",    "5",    "6",    "7",    "8",    "9",    "0",
        ".",     "+/-", "Drop", "Swap", "Depth", "Over", "Roll", "Pick", "Keep", "Last", "Clear"};
    return index >= 0 && index < kKeypadKeys ? kCaptions[index] : "";
}

// ---- the table ------------------------------------------------------------------------------------------

int RPNCalcView::tableRowCount() const {
    const int n = static_cast<int>(arrRPNStr.size());
    return n > kMinimumRows ? n : kMinimumRows;
}

RPNItem RPNCalcView::tableRow(int row) const {
    RPNItem item;
    const int rows = tableRowCount();
    if (row < 0 || row >= rows) return item;
    const int n = static_cast<int>(arrRPNStr.size());
    const int level = rows - 1 - row;  // 0-based from the top of the stack
    item.order = std::to_string(level + 1);
    if (level < n) item.value = arrRPNStr[n - 1 - level];
    item.focus = m_nStackId == level;
    item.index = row;
    return item;
}

RPNItem RPNCalcView::entryRow() const {
    RPNItem item;
    item.order = "Entry";
    item.value = m_sEntry;
    item.focus = m_nStackId == -1;
    item.entry = true;
    item.index = tableRowCount();
    return item;
}

bool RPNCalcView::entryShowsMessage() const {
    if (m_sEntry.empty()) return false;
    const char c = m_sEntry[0];
    return c != '-' && !std::isdigit(static_cast<unsigned char>(c));
}

void RPNCalcView::updateRPNStackToTableView() {
    getRPNStackStrings(arrRPNStr, m_nBase, kKeyWidth64);
    if (m_nStackId >= static_cast<int>(arrRPNStr.size())) m_nStackId = -1;
    changed();
}

bool RPNCalcView::selectedRPNItem(int row) {
    const int rows = tableRowCount();
    if (row == rows) {
        m_nStackId = -1;
    } else {
        if (row < 0 || row > rows) return false;
        const int level = rows - 1 - row;
        // A row beyond the stack's depth has no level to overwrite.
        if (level >= static_cast<int>(arrRPNStr.size())) return false;
        m_nStackId = level;
    }
    changed();
    return true;
}

// ---- the keypad -----------------------------------------------------------------------------------------

int RPNCalcView::DepthIndexOfFocus() const {
    return static_cast<int>(arrRPNStr.size()) - m_nStackId - 1;
}

std::string& RPNCalcView::FocusedText() {
    return m_nStackId < 0 ? m_sEntry : arrRPNStr[static_cast<size_t>(DepthIndexOfFocus())];
}

bool RPNCalcView::pressButton(int index) {
    if (index < 0 || index >= kKeypadKeys) return false;
    if (index == kKeyEnterIndex) {
        Enter();
    } else if (index <= kKeySignIndex) {
        if (!EditFocused(index)) return false;
    } else if (index < kKeyClearIndex) {
        RunStackCommand(kCommandWords[index - kKeyFirstCommandIndex]);
    } else {
        if (m_bAsking) return false;
        m_bAsking = true;
        std::weak_ptr<int> alive = m_alive;
        m_context.platform.alerts.show({"Warning!", "Do you want to clear the stack ?", {"YES", "NO"}},
                                       [this, alive](int answer) {
                                           if (alive.expired()) return;
                                           alertViewClickedButtonAtIndex(answer);
                                       });
    }
    changed();
    return true;
}

void RPNCalcView::alertViewClickedButtonAtIndex(int buttonIndex) {
    m_bAsking = false;
    if (buttonIndex == 0) RunStackCommand("clear");
    changed();
}

// Keys 1..13 edit the focused row's text; a stack row's new text goes into its level at once.
bool RPNCalcView::EditFocused(int index) {
    const int radix = RadixOf(m_nBase);
    const bool digit = index >= kKeyDigit1Index && index <= kKeyDigit0Index;
    const int digitValue = index == kKeyDigit0Index ? 0 : index - 1;
    if (digit && digitValue >= radix) return false;
    if (index == kKeyPointIndex && radix != 10) return false;
    if (entryShowsMessage()) m_sEntry.clear();
    if (m_nStackId >= static_cast<int>(arrRPNStr.size())) m_nStackId = -1;

    std::string text = FocusedText();
    const std::string before = text;
    const bool noPoint = text.find('.') == std::string::npos;
    if (index != kKeySignIndex && ValueIsZero(text, radix) && noPoint) {
        if (index == kKeyPointIndex) {
            text = !text.empty() && text[0] == '-' ? "-0" : "0";
        } else {
            text.clear();
        }
    }
    if (index == kKeyBackspaceIndex) {
        // (assign rather than = "0": GCC 12 warns wrongly about overlapping copies there)
        if (text.size() < 2) {
            text.assign(1, '0');
        } else {
            text.pop_back();
            if (text == "-") text.assign(1, '0');
        }
    } else if (digit) {
        if (text.size() >= kMaxTextLength) return false;
        text += static_cast<char>('0' + digitValue);
    } else if (index == kKeyPointIndex) {
        if (text.find('.') == std::string::npos) text += '.';
    } else if (index == kKeySignIndex) {
        // A sign before nothing or before a lone zero would be lost at the next digit.
        if (text.empty() || text == "0") return false;
        if (text[0] == '-') {
            text.erase(0, 1);
        } else {
            text.insert(0, 1, '-');
        }
    }
    if (m_nStackId < 0) {
        m_sEntry = text;
        return true;
    }
    FocusedText() = text;
    // A text that is not yet a whole number ("1.5E") is shown but only written once it is one.
    if (IsNumberText(text, radix) && !WriteLevel(text)) {
        FocusedText() = before;
        return false;
    }
    return true;
}

bool RPNCalcView::WriteLevel(const std::string& text) {
    const int radix = RadixOf(m_nBase);
    std::string decimal = text;
    if (radix != 10 && !RadixTextToDecimal(text, radix, decimal)) return false;
    return setRPNStackItem(DepthIndexOfFocus(), decimal.c_str()) == 1;
}

void RPNCalcView::Enter() {
    if (entryShowsMessage()) {
        m_sEntry.clear();
        return;
    }
    if (m_nStackId >= 0 || m_sEntry.empty()) return;
    ClearErrorCode();
    // "DoNothing" ends any entry the display left open, so that the text is pushed as a new level
    // instead of extending (or replacing) the one on top.
    AddToRPNStack("DoNothing", kKeyBaseDec);
    AddToRPNStack(m_sEntry.c_str(), m_nBase);
    if (GetErrorCode() == kErrNone) AddToRPNStack(")", kKeyBaseDec);
    m_sEntry.clear();
    ShowEngineError();
    updateRPNStackToTableView();
}

void RPNCalcView::RunStackCommand(const char* word) {
    if (entryShowsMessage()) m_sEntry.clear();
    ClearErrorCode();
    AddToRPNStack(word, m_nBase);
    ShowEngineError();
    updateRPNStackToTableView();
}

// The engine's error state is process-wide and sticky: its message goes to the entry row and the code
// is cleared, so that the display's next command starts clean.
void RPNCalcView::ShowEngineError() {
    const int code = GetErrorCode();
    if (code == kErrNone) return;
    m_sEntry = ErrorMessage(code);
    ClearErrorCode();
}

// ---- screen model ---------------------------------------------------------------------------------------

void RPNCalcView::didShow() {
    m_nBase = m_context.controller.display().GetBase();
    m_sEntry.clear();
    m_nStackId = -1;
    updateRPNStackToTableView();
}

void RPNCalcView::didHide() {
    MyLedView& display = m_context.controller.display();
    if (display.isRPNShown()) display.updateResultFromStackToLED();
}

bool RPNCalcView::tap(std::string_view element) {
    if (element == "back") {
        m_context.controller.HideScreen(name());
        return true;
    }
    if (element == "entry") return selectedRPNItem(tableRowCount());
    auto number = [&](std::string_view prefix, int& out) {
        if (element.substr(0, prefix.size()) != prefix) return false;
        const std::string digits(element.substr(prefix.size()));
        if (digits.empty() || digits.size() > 6 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        out = std::stoi(digits);
        return true;
    };
    int n = 0;
    if (number("row:", n)) return n < tableRowCount() && selectedRPNItem(n);
    if (number("key:", n)) return pressButton(n);
    return false;
}

bool RPNCalcView::pick(std::string_view list, int index) {
    if (list != "rows" || index < 0 || index >= tableRowCount()) return false;
    return selectedRPNItem(index);
}

nlohmann::json RPNCalcView::describe() const {
    using nlohmann::json;
    json rows = json::array();
    for (int r = 0; r < tableRowCount(); ++r) {
        const RPNItem item = tableRow(r);
        rows.push_back({{"level", tableRowCount() - r},
                        {"order", item.order},
                        {"value", item.value},
                        {"focus", item.focus}});
    }
    const RPNItem entry = entryRow();
    json keypad = json::array();
    for (int k = 0; k < kKeypadKeys; ++k) keypad.push_back(KeypadCaption(k));
    const bool message = entryShowsMessage();
    return {
        {"title", "RPN Stack"},
        {"base", U16ToUtf8(BaseIndicatorText(m_nBase))},
        {"depth", arrRPNStr.size()},
        {"rows", rows},
        {"entry",
         {{"caption", entry.order}, {"text", entry.value}, {"focus", entry.focus}, {"message", message}}},
        {"focus",
         m_nStackId < 0 ? std::string("entry") : "row:" + std::to_string(tableRowCount() - 1 - m_nStackId)},
        {"stackId", m_nStackId},
        {"message", message ? m_sEntry : std::string()},
        {"keypad", keypad},
        {"asking", m_bAsking},
    };
}
