#include "numeric/fraction.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

// Both the "already whole" test and the starting tolerance of the expansion.
constexpr double kTolerance = 1e-14;
// 2^63: doubles below this in magnitude convert to long long without overflow.
constexpr double kTwo63 = 9223372036854775808.0;
// Numerators beyond this are certain to need a denominator above any int limit.
constexpr double kNumeratorCap = 4611686018427387904.0;  // 2^62

// Truncation toward zero that saturates instead of overflowing (non-numbers give 0).
long long TruncLL(double v) {
    if (v != v) return 0;
    if (v >= kTwo63) return std::numeric_limits<long long>::max();
    if (v <= -kTwo63) return std::numeric_limits<long long>::min();
    return static_cast<long long>(v);
}

double Distance(long long num, long long den, double frac) {
    return std::fabs(static_cast<double>(num) / static_cast<double>(den) - frac);
}

// Continued-fraction expansion of frac (1e-14 < frac < 1). Only numerators are carried: each convergent's
// denominator is re-derived as the nearest integer to num / frac, which is at least as close as the
// convergent's own. The tolerance t grows as the error shrinks (t = 1e-14 / error), so partial quotients
// that are one less than an integer by rounding noise are rounded up, and the expansion stops once the
// remainder is within that noise. Returns the error of the chosen num / den.
double ExpandFraction(double frac, int largestDenominator, long long& num, long long& den) {
    double r = frac;
    double t = kTolerance;
    long long p1 = 0;  // numerator of the previous convergent
    long long p2 = 0;  // and of the one before it
    for (;;) {
        const double inv = 1 / r;
        const long long a = TruncLL(t + inv);
        r = inv - static_cast<double>(a);
        if (p1 != 0) {
            const double next = static_cast<double>(a) * static_cast<double>(num) + static_cast<double>(p2);
            // A capped numerator only ever reaches the limit test below, which then falls back to p1.
            num = next > kNumeratorCap ? static_cast<long long>(kNumeratorCap) : a * num + p2;
        }
        den = TruncLL(static_cast<double>(num) / frac + 0.5);
        double error = Distance(num, den, frac);
        if (den > largestDenominator) {
            if (p1 != 0) {
                num = p1;
                den = TruncLL(static_cast<double>(p1) / frac + 0.5);
                return Distance(num, den, frac);
            }
            // Even 1 / frac is too large a denominator: the nearest candidates are 1 / limit and 0.
            num = 1;
            den = largestDenominator;
            error = std::fabs(1.0 / largestDenominator - frac);
            if (frac < error) {
                num = 0;
                den = 1;
                error = frac;
            }
            return error;
        }
        if (error <= kTolerance || t > r) return error;
        t = kTolerance / error;
        p2 = p1;
        p1 = num;
    }
}

bool WholeFitsInteger(double value) {
    return std::fabs(value + kTolerance) < kTwo63;
}

std::string LargeText(double value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", value);
    return buf;
}

// Copies s into a kFracTextSize buffer. The texts built here are never longer than kFracTextSize - 2; the
// cut only guards the buffer.
char* CopyText(const std::string& s, char* text) {
    const size_t n = s.size() < static_cast<size_t>(kFracTextSize) ? s.size() : kFracTextSize - 1;
    std::memcpy(text, s.data(), n);
    text[n] = '\0';
    return text;
}

}  // namespace

double FracParts(double value, long long& whole, long long& numerator, long long& denominator,
                 int largestDenominator) {
    if (!WholeFitsInteger(value)) {
        whole = TruncLL(value);
        numerator = 0;
        denominator = 0;
        return std::fabs(value - static_cast<double>(whole));
    }
    whole = static_cast<long long>(value + kTolerance);
    const double frac = std::fabs(value - static_cast<double>(whole));
    numerator = 1;
    denominator = 0;
    double error = frac;
    if (frac > kTolerance) error = ExpandFraction(frac, largestDenominator, numerator, denominator);
    if (numerator == denominator) {  // rounded up to the next whole
        ++whole;
        numerator = 0;
        denominator = 0;
    } else if (denominator == 0) {
        numerator = 0;
    }
    return error;
}

std::string Fracftoa(double value, int largestDenominator) {
    if (!WholeFitsInteger(value)) return LargeText(value);
    long long whole = 0;
    long long num = 0;
    long long den = 0;
    FracParts(value, whole, num, den, largestDenominator);
    char buf[kFracTextSize];
    int n = 0;
    if (whole != 0) n = std::snprintf(buf, sizeof buf, "%lld", whole);
    if (num != 0 && den != 0)
        std::snprintf(buf + n, sizeof buf - n, whole != 0 ? " %lld/%lld" : "%lld/%lld", num, den);
    else if (whole == 0)
        std::snprintf(buf, sizeof buf, "0");
    return buf;
}

char* Fracftoa(double value, char* text, int largestDenominator) {
    return CopyText(Fracftoa(value, largestDenominator), text);
}

std::string CFraction::ToString(int largestDenominator) const {
    if (!(m_dbValue < 0)) return Fracftoa(m_dbValue, largestDenominator);
    std::string text(1, '-');
    text += Fracftoa(-m_dbValue, largestDenominator);
    return text;
}

char* CFraction::ToStr(char* text, int largestDenominator) const {
    return CopyText(ToString(largestDenominator), text);
}
