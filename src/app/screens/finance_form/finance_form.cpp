#include "app/screens/finance_form/finance_form.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

std::string FinanceKeypadText(int index) {
    return SmallKeyboard::insertText(index);
}

int FinanceKeypadIndexOfCharacter(char32_t c) {
    if (c == U'0') return FinanceKeypad::kDigit0;
    if (c >= U'1' && c <= U'9') return FinanceKeypad::kDigit1 + static_cast<int>(c - U'1');
    switch (c) {
        case U'.':
        case U',':
            return FinanceKeypad::kPoint;
        case U'-':
        case U'\u00B1':
            return FinanceKeypad::kSign;
        case U'c':
        case U'C':
            return FinanceKeypad::kClear;
        case U'=':
            return FinanceKeypad::kCalculate;
        default:
            return -1;
    }
}

namespace {

bool IsDigitKey(std::string_view key) {
    return key.size() == 1 && key[0] >= '0' && key[0] <= '9';
}

}  // namespace

void InsertFinanceText(std::string& t, std::string_view key) {
    if (key != "D" && key != "." && key != "-" && !IsDigitKey(key)) return;
    if (t.empty()) {
        if (key != "D") t = key;
    } else if (key == "D") {
        t = "0";
    } else if (key == ".") {
        if (t.find('.') == std::string::npos) t += '.';
    } else if (key == "-") {
        if (t.find('-') != std::string::npos) {
            t.erase(0, 1);
        } else {
            t.insert(0, 1, '-');
        }
    } else if (t == "0") {
        t = key;
    } else {
        t += key;
    }
}

double FinanceBoxValue(std::string_view text) {
    // The prefix a C decimal conversion would read: sign, digits, one point, digits. No exponent: a box
    // never holds one, and a stray "e" in a damaged file must not change the magnitude.
    size_t end = 0;
    if (end < text.size() && (text[end] == '-' || text[end] == '+')) ++end;
    const size_t digitsStart = end;
    bool anyDigit = false;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end, anyDigit = true;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end, anyDigit = true;
    }
    if (!anyDigit) return 0.0;
    const bool negative = text[0] == '-';
    double value = 0.0;
    const char* first = text.data() + digitsStart;
    const auto [ptr, ec] = std::from_chars(first, text.data() + end, value, std::chars_format::fixed);
    if (ec == std::errc::result_out_of_range) {
        // Without an exponent only a long whole part overflows; anything else was below the smallest double.
        const std::string_view number(first, static_cast<size_t>(text.data() + end - first));
        const std::string_view whole = number.substr(0, number.find('.'));
        value = whole.find_first_not_of('0') != std::string_view::npos
                    ? std::numeric_limits<double>::infinity()
                    : 0.0;
    } else if (ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

std::string FinanceFixed(double value, int precision, int width) {
    std::string out;
    if (std::isnan(value)) {
        out = std::signbit(value) ? "-nan" : "nan";
    } else if (std::isinf(value)) {
        out = value < 0 ? "-inf" : "inf";
    } else {
        // A double has at most 309 integer digits; the buffer holds them and the decimals asked for.
        char buf[400];
        const auto [ptr, ec] =
            std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
        if (ec != std::errc()) return "";
        out.assign(buf, ptr);
    }
    if (static_cast<int>(out.size()) < width) out.insert(0, static_cast<size_t>(width) - out.size(), ' ');
    return out;
}

bool IsFinanceBoxText(std::string_view text) {
    if (text.size() > kMaxFinanceBoxText) return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-')) return false;
    return true;
}

// ---- FinanceForm ---------------------------------------------------------------------------------------

FinanceForm::FinanceForm(std::vector<Box> boxes) : m_boxes(std::move(boxes)) {
    reset();
}

void FinanceForm::reset() {
    m_texts.clear();
    for (const Box& b : m_boxes) m_texts.emplace_back(b.defaultText);
    m_nFocus = 0;
}

int FinanceForm::indexOf(std::string_view name) const {
    for (int k = 0; k < count(); ++k)
        if (name == m_boxes[static_cast<size_t>(k)].name) return k;
    return -1;
}

std::vector<double> FinanceForm::values() const {
    std::vector<double> out;
    for (const std::string& t : m_texts) out.push_back(FinanceBoxValue(t));
    return out;
}

void FinanceForm::selectTextBox(int index) {
    if (index >= 0 && index < count()) m_nFocus = index;
}

bool FinanceForm::pressEditKey(int index) {
    std::string& t = m_texts[static_cast<size_t>(m_nFocus)];
    switch (index) {
        case FinanceKeypad::kBackspace:
            if (!t.empty()) t.pop_back();
            return true;
        case FinanceKeypad::kPreviousField:
            m_nFocus = (m_nFocus + count() - 1) % count();
            return true;
        case FinanceKeypad::kNextField:
            m_nFocus = (m_nFocus + 1) % count();
            return true;
        default: {
            const std::string key = FinanceKeypadText(index);
            if (key.empty()) return false;
            InsertFinanceText(t, key);
            return true;
        }
    }
}

bool FinanceForm::enterText(std::string_view field, std::u16string_view typed) {
    const int index = indexOf(field);
    if (index < 0) return false;
    std::string t;
    for (char16_t c : typed) {
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'-')) return false;
        InsertFinanceText(t, std::string(1, static_cast<char>(c)));
    }
    m_nFocus = index;
    m_texts[static_cast<size_t>(index)] = std::move(t);
    return true;
}

bool FinanceForm::applyTexts(const std::vector<std::string>& entries) {
    if (static_cast<int>(entries.size()) < count()) return false;
    for (int k = 0; k < count(); ++k)
        if (!IsFinanceBoxText(entries[static_cast<size_t>(k)])) return false;
    m_texts.assign(entries.begin(), entries.begin() + count());
    return true;
}

nlohmann::json FinanceForm::fieldsJson() const {
    nlohmann::json j = nlohmann::json::array();
    for (const Box& b : m_boxes) j.push_back(b.name);
    return j;
}

nlohmann::json FinanceForm::labelsJson() const {
    nlohmann::json j = nlohmann::json::object();
    for (const Box& b : m_boxes) j[b.name] = b.label;
    return j;
}

nlohmann::json FinanceForm::textsJson() const {
    nlohmann::json j = nlohmann::json::object();
    for (int k = 0; k < count(); ++k) j[m_boxes[static_cast<size_t>(k)].name] = text(k);
    return j;
}
