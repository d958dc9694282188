#include "engine/format/result_format.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>

#include "engine/format/format_state.h"
#include "engine/format/group_numbers.h"
#include "engine/stack/rpn_entry_state.h"
#include "numeric/fraction.h"
#include "numeric/radix.h"

namespace {

constexpr char16_t kDisplayComma = 0x00B8;

bool IsNumberText(const std::string& s) {
    return s.find("INFINITY") == std::string::npos;
}

// Outside 1e-12 <= |x| <= 1e12 (and not 0). The bounds are the doubles nearest to them, so 1e-12 itself,
// read in extended precision, is slightly larger than the lower bound and stays plain.
bool OutsidePlainRange(const QELT* x) {
    if (iszero(x)) return false;
    QELT magnitude[NQ], upper[NQ], lower[NQ];
    qmov(x, magnitude);
    qabs(magnitude);
    etoq(1e12, upper);
    etoq(1e-12, lower);
    return qcmp(magnitude, upper) > 0 || qcmp(magnitude, lower) < 0;
}

void Trim(std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos) {
        s.clear();
        return;
    }
    s.erase(0, first);
    s.erase(s.find_last_not_of(' ') + 1);
}

// Rounds a plain decimal text half up to exactly f decimals, carrying through nines into a new leading
// digit ("9.996" -> "10.00", "-9.996" -> "-10.00").
void RoundToFixedDecimals(std::string& s, int f) {
    f = std::max(f, 0);
    size_t point = s.find('.');
    if (point == std::string::npos) {
        if (f > 0) {
            s += '.';
            s.append(f, '0');
        }
        return;
    }
    const size_t decimals = s.size() - point - 1;
    if (decimals < static_cast<size_t>(f)) {
        s.append(f - decimals, '0');
    } else if (decimals > static_cast<size_t>(f)) {
        if (s[point + f + 1] >= '5') {
            long pos = static_cast<long>(point) + f;
            for (;; --pos) {
                if (pos < 0 || s[pos] == '-') {
                    // The carry ran past the first digit.
                    s.insert(pos < 0 ? 0 : pos + 1, 1, '1');
                    ++point;
                    break;
                }
                if (s[pos] == '.') continue;
                if (s[pos] != '9') {
                    ++s[pos];
                    break;
                }
                s[pos] = '0';
            }
        }
        s.resize(point + f + 1);
    }
    if (!s.empty() && s.back() == '.') s.pop_back();
}

// While decimals are being typed, show as many as were typed, trailing zeros included.
void PadTypedDecimals(std::string& s) {
    if (imoderpn_status != 2) return;
    size_t point = s.find('.');
    if (point == std::string::npos) {
        s += '.';
        point = s.size() - 1;
    }
    double shown = static_cast<double>(s.size() - point - 1);
    while (factor > 0 && factor > shown) {
        s += '0';
        ++shown;
    }
}

void DecimalText(const QELT* value, int notationKey, int digits, int fixDigits, bool allowScientific,
                 DisplayString& out) {
    if (allowScientific && (notationKey == kNotationSci || OutsidePlainRange(value))) {
        const std::string s = qtoascex_str(value, digits);
        const size_t e = s.find('E');
        out.text = s.substr(0, e);
        if (e != std::string::npos) out.exponent = s.substr(e);
    } else {
        out.text = qtoasc_str(value, digits);
        Trim(out.text);
        if (notationKey == kNotationFix && IsNumberText(out.text)) RoundToFixedDecimals(out.text, fixDigits);
    }
    if (IsNumberText(out.text)) PadTypedDecimals(out.text);
}

// The value as a double for the radix paths, without the overflow report of qtoe: magnitudes above 1e300
// become +-1e300, whose low 64 integer bits are zero like theirs.
double RadixDouble(const QELT* value) {
    QELT magnitude[NQ], limit[NQ];
    qmov(value, magnitude);
    qabs(magnitude);
    etoq(1e300, limit);
    if (qcmp(magnitude, limit) > 0) return value[0] != 0 ? -1e300 : 1e300;
    double d = 0;
    qtoe(value, &d);
    return d;
}

constexpr double kTwoTo64 = 18446744073709551616.0;

// The low 64 bits of the integer part of a non-negative double (fmod is exact, so they survive for values
// of 2^64 and more).
std::uint64_t Low64Bits(double magnitude) {
    if (!(magnitude >= 1)) return 0;  // below 1 or not a number
    if (magnitude >= kTwoTo64) magnitude = std::fmod(magnitude, kTwoTo64);
    return static_cast<std::uint64_t>(magnitude);
}

// The digits of u in radix 2 ... 16, most significant first, keeping only the lowest digits that bitWidth
// bits hold; 0 gives an empty text.
std::string Digits(std::uint64_t u, int radix, int bitWidth) {
    std::string s;
    while (u != 0) {
        const int digit = static_cast<int>(u % radix);
        s.push_back(static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10));
        u /= radix;
    }
    std::reverse(s.begin(), s.end());
    const int width = std::clamp(bitWidth, 0, 64);
    size_t keep = s.size();
    if (radix == 2) keep = width;
    if (radix == 8) keep = (width + 2) / 3;
    if (radix == 16) keep = width / 4;
    if (s.size() > keep) s.erase(0, s.size() - keep);
    return s;
}

// The two's-complement pattern of -magnitude within width bits.
std::uint64_t TwosComplement(double magnitude, int width) {
    const std::uint64_t pattern = std::uint64_t(0) - Low64Bits(magnitude);
    return width >= 64 ? pattern : pattern & ((std::uint64_t(1) << width) - 1);
}

// A negative value is written as the two's-complement pattern of its truncated integer part within the
// width, so that a pattern read as a signed number (FFFFFFFF at 32 bits is -1) shows again as typed.
std::string RadixText(const QELT* value, int radix) {
    const int width = std::clamp(g_BitWidth, 0, 64);
    const double d = RadixDouble(value);
    std::string s = Digits(d < 0 ? TwosComplement(-d, width) : Low64Bits(d), radix, width);
    const size_t padded = radix == 2 ? width : radix == 8 ? width / 3 + 1 : width / 4;
    if (s.size() < padded) s.insert(0, padded - s.size(), '0');
    return s;
}

DisplayString Format(int radixKey, const QELT* value, int notationKey, int digits, int fixDigits,
                     bool allowScientific) {
    DisplayString out;
    if (radixKey == kRadixDec) {
        DecimalText(value, notationKey, digits, fixDigits, allowScientific, out);
    } else if (radixKey == kRadixBin || radixKey == kRadixOct || radixKey == kRadixHex) {
        out.text = RadixText(value, RadixOfKey(radixKey));
    }
    for (char& c : out.text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (char& c : out.exponent) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::u16string Widen(const std::string& s) {
    return std::u16string(s.begin(), s.end());
}

int LargestDenominator() {
    switch (g_nPrecision) {
        case 1:
            return 1000000;
        case 2:
            return 1000000000;
        default:
            return 1000;
    }
}

// One part of a complex result: its scientific text with 4 decimals, grouped only in the known output
// modes, and its exponent.
std::u16string ComplexPartText(const QELT* part, int widthKey) {
    const DisplayString d = ConstructDisplayString(kRadixDec, widthKey, part, kNotationSci, 4, 4);
    std::u16string text = Widen(d.text);
    if (IsEuropeanOutputMode(g_sOutputMode)) {
        text = GroupNumbers(text, kDisplayComma, u'.', kRadixDec, g_CurrentFunction, g_sOutputMode);
    } else if (IsEnglishOutputMode(g_sOutputMode)) {
        text = GroupNumbers(text, u'.', kDisplayComma, kRadixDec, g_CurrentFunction, g_sOutputMode);
    }
    return text + Widen(d.exponent);
}

// |part| < 1e-96 |other|: below the rounding of the extended arithmetic relative to the other part (e^(i pi)
// has an imaginary part of -8.2e-103, the error of pi in 336 bits), so no value of its own.
bool IsRoundingNoise(const QELT* part, const QELT* other) {
    static const auto bound = [] {
        std::array<QELT, NQ> b;
        asctoq("1e-96", b.data());
        return b;
    }();
    QELT a[NQ], limit[NQ];
    qmov(part, a);
    qabs(a);
    qmov(other, limit);
    qabs(limit);
    qmul(bound.data(), limit, limit);
    return qcmp(a, limit) < 0;
}

// The complex text; a real part that is rounding noise beside the imaginary one shows as zero.
std::u16string ComplexText(const REG& result, int widthKey) {
    QELT re[NQ];
    qmov(result.re, re);
    if (IsRoundingNoise(re, result.im)) qclear(re);
    std::u16string text = ComplexPartText(re, widthKey);
    if (qcmp(result.im, qzero) >= 0) text += u'+';
    if (qcmp(result.im, qone) != 0) text += ComplexPartText(result.im, widthKey);
    return text + u'i';
}

void RememberLastResult(const REG& result) {
    REG& last = g_reg[1];
    ResetAndFreeRegister(last);
    last.type = result.type;
    qmov(result.re, last.re);
    qmov(result.im, last.im);
}

}  // namespace

void KeepLastResult(const REG& result) {
    RememberLastResult(result);
}

int AngleKeyOf(int mode) {
    return mode == 1 ? kAngleRad : mode == 2 ? kAngleGra : kAngleDeg;
}

int AngleModeOfKey(int angleKey) {
    return angleKey == kAngleRad ? 1 : angleKey == kAngleGra ? 2 : 0;
}

int RadixKeyOf(int radix) {
    return radix == 2 ? kRadixBin : radix == 8 ? kRadixOct : radix == 16 ? kRadixHex : kRadixDec;
}

int RadixOfKey(int radixKey) {
    return radixKey == kRadixBin ? 2 : radixKey == kRadixOct ? 8 : radixKey == kRadixHex ? 16 : 10;
}

int WidthKeyOf(int bits) {
    return bits == 16 ? kWidth16 : bits == 32 ? kWidth32 : bits == 64 ? kWidth64 : kWidth8;
}

int BitsOfKey(int widthKey) {
    return widthKey == kWidth16 ? 16 : widthKey == kWidth32 ? 32 : widthKey == kWidth64 ? 64 : 8;
}

DisplayString ConstructDisplayString(int radixKey, int /*widthKey*/, const QELT* value, int notationKey,
                                     int digits, int fixDigits) {
    return Format(radixKey, value, notationKey, digits, fixDigits, true);
}

std::string ConstructDisplayString2(int radixKey, int /*widthKey*/, const QELT* value, int notationKey,
                                    int digits, int fixDigits) {
    return Format(radixKey, value, notationKey, digits, fixDigits, false).text;
}

std::string ldtoa(double value, int radix, int bitWidth) {
    if (radix < 2 || radix > 16) return "";
    return Digits(Low64Bits(value), radix, bitWidth);  // a negative value gives 0: an empty text
}

std::u16string ExpResult_REGToString(const REG& result, int radixKey, int widthKey, int notationKey,
                                     bool& switchToScientific, bool& resultIsComplex) {
    switchToScientific = false;
    // Category 9 formats values that are not calculator results; the last result stays.
    if (g_CurrentFunction != 9) RememberLastResult(result);
    if (radixKey != kRadixDec) {
        const DisplayString d = ConstructDisplayString(radixKey, widthKey, result.re, kNotationNorm, 32, 4);
        return Widen(d.text + d.exponent);
    }
    if (g_CurrentFunction >= 5 && g_CurrentFunction <= 7) {
        g_nPreNotation = kNotationNorm;
    } else if (notationKey != kNotationSci) {
        g_nPreNotation = notationKey;
    }
    // An imaginary part that is rounding noise beside the real one shows as zero: the result shows as the
    // real number it is (the last-result register keeps both parts).
    if (result.type == REG_COMPLEX && !IsRoundingNoise(result.im, result.re)) {
        resultIsComplex = true;
        switchToScientific = true;
        return ComplexText(result, widthKey);
    }
    resultIsComplex = false;
    DisplayString d;
    switch (notationKey) {
        case kNotationFix:
            d = ConstructDisplayString(kRadixDec, widthKey, result.re, kNotationFix, 32, g_iFixDigits);
            break;
        case kNotationSci:
            d = ConstructDisplayString(kRadixDec, widthKey, result.re, kNotationSci, 32, 4);
            break;
        case kNotationFrac: {
            d = ConstructDisplayString(kRadixDec, widthKey, result.re, kNotationNorm, 32, 4);
            if (!d.exponent.empty()) {
                // Too large or too small for a fraction: the display switches to SCI and formats again.
                switchToScientific = true;
                return Widen(d.text);
            }
            double value = 0;
            qtoe(result.re, &value);
            return Widen(CFraction(value).ToString(LargestDenominator()));
        }
        default:
            d = ConstructDisplayString(kRadixDec, widthKey, result.re, kNotationNorm, 32, 4);
            break;
    }
    const bool european = IsEuropeanOutputMode(g_sOutputMode);
    std::u16string text =
        GroupNumbers(Widen(d.text), european ? kDisplayComma : u'.', european ? u'.' : kDisplayComma,
                     kRadixDec, g_CurrentFunction, g_sOutputMode);
    if (!d.exponent.empty()) switchToScientific = true;
    return text + Widen(d.exponent);
}
