#include "engine/format/group_numbers.h"

#include <algorithm>

namespace {

constexpr char16_t kDisplayComma = 0x00B8;
constexpr char16_t kPointMarker = u'z';

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// Letters and the other characters from 'B' to 'y' mean the text is not a plain decimal number.
bool HasNonNumberCharacters(const std::u16string& s) {
    return std::any_of(s.begin(), s.end(),
                       [](char16_t c) { return c >= u'B' && c <= u'y' && c != u'e' && c != u'E'; });
}

void ReplaceAll(std::u16string& s, char16_t from, char16_t to) {
    std::replace(s.begin(), s.end(), from, to);
}

void TrimLeadingBlanks(std::u16string& s) {
    size_t n = s.find_first_not_of(u' ');
    s.erase(0, n == std::u16string::npos ? s.size() : n);
}

}  // namespace

bool IsEuropeanOutputMode(std::string_view outputMode) {
    return EqualNoCase(outputMode, "European");
}

bool IsEnglishOutputMode(std::string_view outputMode) {
    return EqualNoCase(outputMode, "English (US)") || EqualNoCase(outputMode, "English (UK)");
}

std::u16string GroupNumbers(std::u16string s, char16_t decimalMark, char16_t groupMark, int baseCode,
                            int categoryId, std::string_view outputMode) {
    if ((categoryId >= 5 && categoryId <= 7) || baseCode != 147 || HasNonNumberCharacters(s)) return s;

    if (IsEuropeanOutputMode(outputMode)) {
        ReplaceAll(s, u'.', kDisplayComma);
        ReplaceAll(s, kDisplayComma, kPointMarker);
    } else if (IsEnglishOutputMode(outputMode)) {
        ReplaceAll(s, u'.', kPointMarker);
    }
    std::erase(s, groupMark);

    // End of the integer part: the marked point, or the end, then back to just after the last digit.
    size_t point = s.rfind(kPointMarker);
    size_t n = point == std::u16string::npos ? s.size() : point;
    while (n > 0 && !IsDigit(s[n - 1])) --n;

    while (n > 3) {
        char16_t before = s[n - 4];
        n -= 3;
        if (before != groupMark && before != u'-' && before != u'e' && before != u'E')
            s.insert(n, 1, groupMark);
    }

    ReplaceAll(s, kPointMarker, decimalMark);
    TrimLeadingBlanks(s);
    if (!s.empty() && s.front() == groupMark) {
        s.front() = u' ';
        TrimLeadingBlanks(s);
    }
    return s;
}

std::string GroupNumbers(const std::string& s, int decimalMark, int groupMark, int baseCode, int categoryId,
                         std::string_view outputMode) {
    std::u16string wide;
    wide.reserve(s.size());
    for (char c : s) wide.push_back(static_cast<unsigned char>(c));
    std::u16string grouped =
        GroupNumbers(std::move(wide), static_cast<char16_t>(decimalMark & 0xFF),
                     static_cast<char16_t>(groupMark & 0xFF), baseCode, categoryId, outputMode);
    std::string out;
    out.reserve(grouped.size());
    for (char16_t c : grouped) out.push_back(static_cast<char>(c & 0xFF));
    return out;
}
