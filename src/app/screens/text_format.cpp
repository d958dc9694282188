#include "app/screens/text_format.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "engine/format/format_state.h"
#include "engine/format/group_numbers.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the decimal number at the start of s (after the caller skipped blanks), 0 when none.
size_t NumberPrefix(std::string_view s, bool& negativeExponent) {
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0;
    negativeExponent = false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t k = i + 1;
        const bool minus = k < s.size() && s[k] == '-';
        if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
        if (k < s.size() && IsDigit(s[k])) {
            while (k < s.size() && IsDigit(s[k])) ++k;
            negativeExponent = minus;
            i = k;
        }
    }
    return i;
}

template <typename Char>
std::basic_string<Char> Localise(std::basic_string<Char> s, std::string_view outputMode) {
    const bool european = IsEuropeanOutputMode(outputMode);
    const Char decimalMark = european ? Char(',') : Char('.');
    const Char groupMark = european ? Char('.') : Char(',');
    if (european) {
        for (Char& c : s)
            if (c == Char('.')) c = Char(',');
    }
    size_t end = s.find(decimalMark);
    if (end == std::basic_string<Char>::npos) end = s.size();
    const long first = !s.empty() && s[0] == Char('-') ? 1 : 0;
    for (long pos = static_cast<long>(end) - 3; pos > first; pos -= 3)
        s.insert(static_cast<size_t>(pos), 1, groupMark);
    return s;
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    // 309 integer digits at most, a sign, a point and the decimals.
    std::string out(static_cast<size_t>(320 + decimals), '\0');
    const auto r =
        std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, decimals);
    out.resize(r.ec == std::errc() ? static_cast<size_t>(r.ptr - out.data()) : 0);
    return out;
}

std::u16string fixTextDisplay(std::u16string_view text, std::string_view outputMode) {
    return Localise(std::u16string(text), outputMode);
}

std::u16string fixTextDisplay(std::u16string_view text) {
    return fixTextDisplay(text, g_sOutputMode);
}

std::string fixTextDisplay(std::string_view text, std::string_view outputMode) {
    return Localise(std::string(text), outputMode);
}

namespace {

// Where the first significant digit of an unsigned decimal number stands: 1 for "1.5", 3 for "250", 0 for
// "0.5", -2 for "0.0012", shifted by the exponent. Decides whether a number beyond a double's range is
// too large (positive) or too small.
long DecimalMagnitude(std::string_view number) {
    const size_t e = number.find_first_of("eE");
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
        const auto r = std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
        if (r.ec == std::errc::result_out_of_range) exponent = std::numeric_limits<long>::max() / 2;
        if (negative) exponent = -exponent;
    }
    const std::string_view mantissa = number.substr(0, e);
    const size_t dot = std::min(mantissa.find('.'), mantissa.size());
    const size_t first = mantissa.find_first_not_of("0.");
    if (first == std::string_view::npos) return 0;
    const long position = first < dot ? static_cast<long>(dot - first) : -static_cast<long>(first - dot - 1);
    return position + exponent;
}

}  // namespace

double TextNumericValue(std::string_view text) {
    while (!text.empty() &&
           (text.front() == ' ' || text.front() == '\t' || text.front() == '\n' || text.front() == '\r'))
        text.remove_prefix(1);
    bool negativeExponent = false;
    const size_t length = NumberPrefix(text, negativeExponent);
    if (length == 0) return 0;
    std::string_view number = text.substr(0, length);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
    double value = 0;
    const auto r = std::from_chars(number.data(), number.data() + number.size(), value);
    if (r.ec == std::errc::result_out_of_range)
        value = DecimalMagnitude(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (r.ec != std::errc())
        value = 0;
    return negative ? -value : value;
}

double TextNumericValue(std::u16string_view text) {
    std::string narrow;
    narrow.reserve(text.size());
    for (char16_t c : text) {
        if (c == u'\u00B8')
            narrow.push_back('.');
        else if (c == u'\u2212')
            narrow.push_back('-');
        else
            narrow.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return TextNumericValue(narrow);
}
