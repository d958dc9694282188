#include "numeric/radix.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "numeric/errors.h"

int g_BitWidth = 8;

void SetBitWidth(int bits) {
    g_BitWidth = bits;
}

namespace {

static_assert(sizeof(unsigned long) * CHAR_BIT <= 64, "kRadixTextSize assumes at most 64-bit longs");

constexpr double kTwo32 = 4294967296.0;
constexpr double kTwo64 = 18446744073709551616.0;

// Conversions that saturate instead of overflowing, as the radix modes expect: below the range (and
// non-numbers) give the bottom, above it the top, anything else truncates toward zero.
uint32_t SaturateU32(double v) {
    if (!(v > 0)) return 0;
    if (v >= kTwo32) return UINT32_MAX;
    return static_cast<uint32_t>(v);
}

uint64_t SaturateU64(double v) {
    if (!(v > 0)) return 0;
    if (v >= kTwo64) return UINT64_MAX;
    return static_cast<uint64_t>(v);
}

long SaturateLong(double v) {
    if (v != v) return 0;
    if (v >= static_cast<double>(LONG_MAX)) return LONG_MAX;
    if (v <= static_cast<double>(LONG_MIN)) return LONG_MIN;
    return static_cast<long>(v);
}

bool IsIntegral(double v) {
    return std::isfinite(v) && v == std::trunc(v);
}

bool IsInt32(double v) {
    return IsIntegral(v) && v >= INT32_MIN && v <= INT32_MAX;
}

bool ValidWidth(int w) {
    return w == 8 || w == 16 || w == 32 || w == 64;
}

uint64_t WidthMask(int w) {
    return w == 64 ? UINT64_MAX : (uint64_t{1} << w) - 1;
}

// The operand of the bitwise operations as an unsigned w-bit integer.
uint64_t ToWidth(double x, int w) {
    if (w == 64) return SaturateU64(x);
    return SaturateU32(x) & WidthMask(w);
}

uint64_t RotateLeft(uint64_t v, unsigned k, int w) {
    if (k == 0) return v;
    return ((v << k) | (v >> (w - k))) & WidthMask(w);
}

uint64_t RotateRight(uint64_t v, unsigned k, int w) {
    if (k == 0) return v;
    return ((v >> k) | (v << (w - k))) & WidthMask(w);
}

// Rotating n times by one bit equals one rotation by n mod w; this also keeps huge counts from looping.
double Rotate(double x, double n, bool left) {
    if (!IsIntegral(x) || !IsIntegral(n)) {
        SetErrorCode(kErrNotInteger);
        return 0;
    }
    const int w = g_BitWidth;
    if (!ValidWidth(w)) return 0;
    if (n < 0) {
        left = !left;
        n = -n;
    }
    const unsigned k = static_cast<unsigned>(std::fmod(n, w));
    const uint64_t v = ToWidth(x, w);
    return static_cast<double>(left ? RotateLeft(v, k, w) : RotateRight(v, k, w));
}

// A positive n shifts toward `left`, zero or negative the other way. The count wraps modulo 256 like a
// shift register's count byte; a count of the width or more empties the word.
double Shift(double x, double n, bool left) {
    if (!IsIntegral(x) || !IsIntegral(n)) {
        SetErrorCode(kErrNotInteger);
        return 0;
    }
    const int w = g_BitWidth;
    if (!ValidWidth(w)) return 0;
    if (n <= 0) left = !left;
    const int count = static_cast<int>(std::fmod(std::fabs(n), 256));
    if (count >= w) return 0;
    const uint64_t v = ToWidth(x, w);
    return static_cast<double>(left ? (v << count) & WidthMask(w) : v >> count);
}

// Digits of value in radix, most significant first, into text (kRadixTextSize bytes).
char* WriteDigits(unsigned long value, char* text, int radix) {
    if (radix < 2 || radix > 36) {
        text[0] = '\0';
        return text;
    }
    char digits[64];
    int n = 0;
    do {
        const int d = static_cast<int>(value % static_cast<unsigned long>(radix));
        digits[n++] = static_cast<char>(d < 10 ? '0' + d : d + 55);
        value /= static_cast<unsigned long>(radix);
    } while (value != 0);
    for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
    text[n] = '\0';
    return text;
}

char* WriteNegativeDecimal(unsigned long magnitude, char* text) {
    text[0] = '-';
    WriteDigits(magnitude, text + 1, 10);
    return text;
}

}  // namespace

unsigned int NumberConverter(const char* text, int radix) {
    if (radix != 2 && radix != 8 && radix != 10 && radix != 16) return 0;
    if (text == nullptr) return 0;
    // Leading zeros add nothing; skipping them keeps the top place value finite for long zero-padded texts.
    while (*text == '0') ++text;
    const size_t n = std::strlen(text);
    double place = 1;
    for (size_t i = 1; i < n; ++i) place *= radix;
    uint32_t total = 0;
    for (size_t i = 0; i < n; ++i) {
        const int c = static_cast<unsigned char>(text[i]);
        const int digit = (radix == 16 && !(c >= '0' && c <= '9')) ? c - 55 : c - '0';
        // A zero digit adds nothing; skipping it avoids 0 * infinity once the place value has overflowed.
        if (digit != 0) total = SaturateU32(static_cast<double>(total) + digit * place);
        place /= radix;
    }
    return total;
}

char* ultoa(unsigned long value, char* text, int radix) {
    return WriteDigits(value, text, radix);
}

char* uitoa(unsigned int value, char* text, int radix) {
    return WriteDigits(value, text, radix);
}

char* itoa(int value, char* text, int radix) {
    if (radix == 10 && value < 0) return WriteNegativeDecimal(0UL - static_cast<unsigned long>(value), text);
    return WriteDigits(static_cast<unsigned int>(value), text, radix);
}

char* ltoa(long value, char* text, int radix) {
    if (value < 0) {
        if (radix == 10) return WriteNegativeDecimal(0UL - static_cast<unsigned long>(value), text);
        return WriteDigits(static_cast<uint32_t>(value), text, radix);
    }
    return WriteDigits(static_cast<unsigned long>(value), text, radix);
}

int strupr(char* text) {
    if (text == nullptr) return 0;
    int n = 0;
    for (; text[n] != '\0'; ++n)
        if (text[n] >= 'a' && text[n] <= 'z') text[n] = static_cast<char>(text[n] - 'a' + 'A');
    return n;
}

char* strlwr(char* text) {
    if (text == nullptr) return text;
    for (char* p = text; *p != '\0'; ++p)
        if (*p >= 'A' && *p <= 'Z') *p = static_cast<char>(*p - 'A' + 'a');
    return text;
}

double rtl(double x) {
    const int w = g_BitWidth;
    if (!ValidWidth(w)) return 0;
    return static_cast<double>(RotateLeft(ToWidth(x, w), 1, w));
}

double rtr(double x) {
    const int w = g_BitWidth;
    if (!ValidWidth(w)) return 0;
    return static_cast<double>(RotateRight(ToWidth(x, w), 1, w));
}

double RTL(double x, double n) {
    return Rotate(x, n, true);
}

double RTR(double x, double n) {
    return Rotate(x, n, false);
}

double SHL(double x, double n) {
    return Shift(x, n, true);
}

double SHR(double x, double n) {
    return Shift(x, n, false);
}

double MOD(double a, double b) {
    if (!IsInt32(a) || !IsInt32(b)) {
        SetErrorCode(kErrNotInteger);
        return 0;
    }
    if (b == 0) {
        SetErrorCode(kErrDivision);
        return 0;
    }
    // In 64 bits so that |INT32_MIN| does not overflow.
    const long long ia = std::llabs(static_cast<long long>(a));
    const long long ib = std::llabs(static_cast<long long>(b));
    return static_cast<double>(ia % ib);
}

long gcd(long a, long b) {
    // Magnitudes in unsigned arithmetic: no LONG_MIN % -1 trap and no negative remainders.
    unsigned long x = a < 0 ? 0UL - static_cast<unsigned long>(a) : static_cast<unsigned long>(a);
    unsigned long y = b < 0 ? 0UL - static_cast<unsigned long>(b) : static_cast<unsigned long>(b);
    if (x == 1 || y == 1) return 1;
    while (x != 0) {
        const unsigned long t = y % x;
        y = x;
        x = t;
    }
    return static_cast<long>(y);
}

double lcm(double a, double b) {
    const long la = SaturateLong(a);
    const long lb = SaturateLong(b);
    const long g = gcd(la, lb);
    if (g == 0) return 0;  // both zero: 0 * 0 / 0 would be a non-number
    return static_cast<double>(la) * static_cast<double>(lb) / static_cast<double>(g);
}
