#include "app/screens/statistics/statistic_file.h"

#include <cmath>

#include "app/screens/text_format.h"

namespace {

bool IsWhole(double value) {
    return std::floor(value) == value;
}

// The next line of bytes from pos (without its CR LF or LF); false when no line is left.
bool NextLine(std::string_view bytes, size_t& pos, std::string_view& line) {
    if (pos >= bytes.size()) return false;
    size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    line = bytes.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    pos = end + 1;
    return true;
}

// atoi: blanks, a sign, digits; saturates far beyond any count the file may hold.
long CountOf(std::string_view line) {
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
    long n = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        n = n * 10 + (line[i] - '0');
        if (n > 1000000) break;
    }
    return negative ? -n : n;
}

}  // namespace

std::string StatisticFileText(const std::vector<double>& values) {
    if (values.empty()) return {};
    std::string out = std::to_string(values.size()) + "\r\n";
    for (double v : values) {
        out += FormatFixed(v, IsWhole(v) ? 0 : 8);
        out += ' ';
    }
    out += "\r\n";
    return out;
}

std::optional<std::vector<double>> ParseStatisticFile(std::string_view bytes) {
    size_t pos = 0;
    std::string_view first, second;
    if (!NextLine(bytes, pos, first)) return std::nullopt;
    const long n = CountOf(first);
    if (n <= 0 || n > kMaxStatisticFileValues) return std::nullopt;
    if (!NextLine(bytes, pos, second)) return std::nullopt;
    std::vector<double> values;
    size_t i = 0;
    while (static_cast<long>(values.size()) < n) {
        while (i < second.size() && (second[i] == ' ' || second[i] == '\t')) ++i;
        if (i >= second.size()) break;
        size_t end = i;
        while (end < second.size() && second[end] != ' ' && second[end] != '\t') ++end;
        values.push_back(TextNumericValue(second.substr(i, end - i)));
        i = end;
    }
    // A line cut short (a truncated file) is damage, not a data set with zeros made up at its end.
    if (static_cast<long>(values.size()) < n) return std::nullopt;
    return values;
}

std::string formatString(double value) {
    if (IsWhole(value)) return FormatFixed(value, 0);
    std::string s = FormatFixed(value, 8);
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}
