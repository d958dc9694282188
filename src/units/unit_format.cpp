#include "units/unit_format.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr std::size_t kShortenFrom = 14;
constexpr std::size_t kPointLimit = 12;

// Values reaching the fixed-point branches are below 1e12 in magnitude, so 64 characters always suffice.
std::string printed(const char* format, double value) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, value);
    return buf;
}

void dropZeroPairs(std::string& text) {
    while (text.size() >= 2 && text.back() == '0' && text[text.size() - 2] == '0') text.pop_back();
}

// Rounds a plain decimal text ("-"? digits "." digits) to `decimals` digits after the point, half up.
std::string roundDecimals(const std::string& text, std::size_t point, std::size_t decimals) {
    std::size_t keep = point + 1 + decimals;
    if (text.size() <= keep) return text;
    std::string out = text.substr(0, keep);
    if (text[keep] < '5' || text[keep] > '9') return out;
    std::size_t i = keep;
    while (i-- > 0) {
        char& c = out[i];
        if (c == '.') continue;
        if (c < '0' || c > '9') break;  // the sign
        if (c != '9') {
            ++c;
            return out;
        }
        c = '0';
    }
    // Every digit was a 9: the carry makes a new leading digit, after the sign if there is one.
    out.insert(out.empty() || out[0] != '-' ? 0 : 1, 1, '1');
    return out;
}

}  // namespace

std::string trimZero(const std::string& text) {
    std::size_t point = text.find('.');
    if (point == std::string::npos) return text;
    std::string out = text;
    dropZeroPairs(out);
    if (out.size() >= kShortenFrom) {
        std::size_t decimals = point < kPointLimit ? kPointLimit - point : 1;
        out = roundDecimals(out, point, decimals);
        dropZeroPairs(out);
    }
    if (out == "-0.0") out = "0.0";
    return out;
}

std::string FormatUnitResult(double value) {
    double a = std::fabs(value);
    if (a >= 1e12 || a <= 1e-12) return a < 1e-20 ? "0.00" : printed("%0.12e", value);
    return trimZero(printed("%0.12f", value));
}

std::string FormatCurrencyResult(double value) {
    double a = std::fabs(value);
    if (a >= 1e10 || a <= 1e-10) return a < 1e-20 ? "0.00" : printed("%0.10e", value);
    return printed("%0.2f", value);
}
