// Best fractions with a bounded denominator and their text as proper or mixed fractions.
//
// Used by the result formatter's fraction notation and by the equation solver to show exact-looking
// roots. The largest denominator is 1000, 1e6 or 1e9 in practice.
#pragma once

#include <string>

// Size of a text buffer that holds every text Fracftoa or CFraction::ToStr can write: a whole part of up to
// 20 characters ("-9223372036854775808"), a blank, a numerator and a denominator of up to 10 digits each
// (both are at most the int largest denominator), the slash, a leading sign and the terminator, rounded
// up. Values beyond the 64-bit whole range are written in the shorter "%.17g" form.
constexpr int kFracTextSize = 48;

// Splits value into whole + numerator / denominator, the fraction being the continued-fraction
// convergent of |value - whole| with a denominator of at most largestDenominator that is closest to it
// (within 1e-14 the value counts as whole). numerator = denominator = 0 when there is no fractional part.
// Meant for value >= 0; for a negative value whole is truncated toward zero and the fraction is the
// distance |value - whole|. A value outside the 64-bit integer range (or a non-number) gives whole
// clamped to that range (0 for a non-number) and no fraction. Returns the absolute error
// |value - (whole + numerator / denominator)| of the approximation of the fractional part.
double FracParts(double value, long long& whole, long long& numerator, long long& denominator,
                 int largestDenominator);

// Writes value (expected >= 0) as "3/4", "1 1/2", "2" or "0" into text, which must hold kFracTextSize
// bytes, and returns text. A value whose whole part exceeds the 64-bit range, or a non-number, is written
// with "%.17g" ("1e+19", "inf", "nan").
char* Fracftoa(double value, char* text, int largestDenominator);

// The same text as an owned string.
std::string Fracftoa(double value, int largestDenominator);

// A value written as a signed proper or mixed fraction ("-1 1/2").
class CFraction {
  public:
    explicit CFraction(double value) : m_dbValue(value) {}
    virtual ~CFraction() = default;

    // Writes "-" for a negative value, then Fracftoa of the magnitude, into text (kFracTextSize bytes);
    // returns text.
    char* ToStr(char* text, int largestDenominator) const;

    // The text of ToStr as an owned string.
    std::string ToString(int largestDenominator) const;

    double Value() const { return m_dbValue; }

  private:
    double m_dbValue;
};
