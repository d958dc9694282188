#include "numeric/radix.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "numeric/errors.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Sets the bit width for one test and restores the default afterwards.
class WidthGuard {
  public:
    explicit WidthGuard(int w) : m_iSaved(g_BitWidth) { g_BitWidth = w; }
    ~WidthGuard() { g_BitWidth = m_iSaved; }

  private:
    int m_iSaved;
};

TEST(Radix, NumberConverterReadsRadixText) {
    struct Row {
        const char* text;
        int radix;
        unsigned int want;
    };
    const std::string padded = std::string(300, '0') + "1";
    const Row rows[] = {
        {"FF", 16, 255},
        {"DEADBEEF", 16, 0xDEADBEEFu},
        {"777", 8, 511},
        {"101101", 2, 45},
        {"4294967295", 10, 4294967295u},
        {"4294967296", 10, 4294967295u},  // saturates instead of wrapping
        {"1FFFFFFFF", 16, 4294967295u},
        {"", 16, 0},
        {"12", 3, 0},  // only 2, 8, 10 and 16 are read
        {"12", 0, 0},
        {"12", 2, 4},             // a digit outside the radix still counts at its place
        {padded.c_str(), 16, 1},  // zero padding beyond the double range of the place value
        {padded.c_str(), 2, 1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(NumberConverter(r.text, r.radix), r.want) << r.text << " r" << r.radix;
    EXPECT_EQ(NumberConverter(nullptr, 10), 0u);
}

TEST(Radix, IntegerTexts) {
    struct Row {
        std::string got;
        std::string want;
    };
    char b[kRadixTextSize];
    const Row rows[] = {
        {ltoa(-1, b, 10), "-1"},
        {ltoa(-1, b, 16), "FFFFFFFF"},
        {ltoa(-256, b, 2), "11111111111111111111111100000000"},
        {ltoa(LONG_MIN, b, 10), "-9223372036854775808"},
        {ltoa(LONG_MAX, b, 16), "7FFFFFFFFFFFFFFF"},
        {itoa(0, b, 10), "0"},
        {itoa(INT_MIN, b, 10), "-2147483648"},
        {itoa(-255, b, 16), "FFFFFF01"},
        {itoa(255, b, 8), "377"},
        {uitoa(0, b, 2), "0"},
        {uitoa(UINT_MAX, b, 10), "4294967295"},
        {uitoa(UINT_MAX, b, 2), std::string(32, '1')},
        {ultoa(35, b, 36), "Z"},
        {ultoa(255, b, 1), ""},  // no radix below 2 or above 36
        {ultoa(255, b, 37), ""},
    };
    for (const Row& r : rows) EXPECT_EQ(r.got, r.want);
}

TEST(Radix, WidestTextsFitTheDocumentedBuffer) {
    // Exactly kRadixTextSize bytes on the heap, so that the address sanitizer catches an overrun.
    std::vector<char> buf(kRadixTextSize);
    EXPECT_EQ(std::string(ultoa(ULONG_MAX, buf.data(), 2)), std::string(64, '1'));
    EXPECT_EQ(std::string(ltoa(LONG_MIN, buf.data(), 10)), "-9223372036854775808");
    EXPECT_EQ(std::string(uitoa(UINT_MAX, buf.data(), 2)), std::string(32, '1'));
}

TEST(Radix, TextRoundTripsThroughNumberConverter) {
    std::mt19937 rng(99);
    char b[kRadixTextSize];
    for (int radix : {2, 8, 10, 16}) {
        for (int i = 0; i < 2000; ++i) {
            const uint32_t v = rng();
            ASSERT_EQ(NumberConverter(uitoa(v, b, radix), radix), v) << v << " r" << radix;
            ASSERT_EQ(NumberConverter(ultoa(v, b, radix), radix), v) << v << " r" << radix;
            // Negative values come back as their 32-bit pattern in every radix but 10.
            const long s = static_cast<int32_t>(v);
            if (radix != 10 || s >= 0) {
                ASSERT_EQ(NumberConverter(ltoa(s, b, radix), radix), v) << s;
            }
        }
    }
}

TEST(Radix, CaseConversionInPlace) {
    char t[] = "0x1f+ab-Z.9";
    EXPECT_EQ(strupr(t), 11);
    EXPECT_STREQ(t, "0X1F+AB-Z.9");
    EXPECT_STREQ(strlwr(t), "0x1f+ab-z.9");
    char empty[] = "";
    EXPECT_EQ(strupr(empty), 0);
    EXPECT_EQ(strupr(nullptr), 0);
    EXPECT_EQ(strlwr(nullptr), nullptr);
}

// Reference bit operations on the exact-width unsigned type, a one-bit rotation at a time.
template <typename T>
struct Reference {
    static constexpr int kBits = sizeof(T) * 8;
    static T Rtl(T v) { return static_cast<T>((v << 1) | (v >> (kBits - 1))); }
    static T Rtr(T v) { return static_cast<T>((v >> 1) | (v << (kBits - 1))); }
    static T Rotate(T v, long long n) {
        for (long long i = 0; i < std::llabs(n); ++i) v = n > 0 ? Rtl(v) : Rtr(v);
        return v;
    }
    static T Shift(T v, long long n) {  // left for n > 0
        const long long c = std::llabs(n) % 256;
        if (c >= kBits) return 0;
        return n > 0 ? static_cast<T>(v << c) : static_cast<T>(v >> c);
    }
};

template <typename T>
void CheckAgainstReference(uint64_t seed) {
    const int bits = Reference<T>::kBits;
    WidthGuard width(bits);
    std::mt19937_64 rng(seed);
    for (int i = 0; i < 300; ++i) {
        // Values a double holds exactly: at most 53 significant bits.
        T v = static_cast<T>(rng());
        if (bits == 64) v = static_cast<T>((rng() >> 11) << (rng() % 12));
        const double x = static_cast<double>(v);
        const long long n = static_cast<long long>(rng() % 141) - 70;
        const double dn = static_cast<double>(n);
        SCOPED_TRACE("width " + std::to_string(bits) + " x " + std::to_string(v) + " n " + std::to_string(n));
        ClearErrorCode();
        EXPECT_EQ(rtl(x), static_cast<double>(Reference<T>::Rtl(v)));
        EXPECT_EQ(rtr(x), static_cast<double>(Reference<T>::Rtr(v)));
        EXPECT_EQ(RTL(x, dn), static_cast<double>(Reference<T>::Rotate(v, n)));
        EXPECT_EQ(RTR(x, dn), static_cast<double>(Reference<T>::Rotate(v, -n)));
        EXPECT_EQ(SHL(x, dn), static_cast<double>(Reference<T>::Shift(v, n)));
        EXPECT_EQ(SHR(x, dn), static_cast<double>(Reference<T>::Shift(v, -n)));
        EXPECT_EQ(GetErrorCode(), kErrNone);
    }
}

TEST(Radix, BitOperationsMatchUnsignedArithmetic) {
    CheckAgainstReference<uint8_t>(1);
    CheckAgainstReference<uint16_t>(2);
    CheckAgainstReference<uint32_t>(3);
    CheckAgainstReference<uint64_t>(4);
}

TEST(Radix, BitOperationsEdgeCases) {
    struct Case {
        const char* what;
        int width;
        double (*fn)(double, double);
        double x, n, want;
        int err;
    };
    const Case cases[] = {
        {"shl 255 1", 8, SHL, 255, 1, 254, 0},
        {"shr 255 4", 8, SHR, 255, 4, 15, 0},
        {"rtl 1 by -1", 8, RTL, 1, -1, 128, 0},
        {"rtr 1 by -1", 8, RTR, 1, -1, 2, 0},
        {"1 shl 8 leaves the word", 8, SHL, 1, 8, 0, 0},
        {"count wraps at 256", 8, SHL, 1, 257, 2, 0},
        {"count wraps at 256, right", 16, SHR, 0x8000, 256 + 15, 1, 0},
        {"shl by 0", 8, SHL, 77, 0, 77, 0},
        {"shr by negative shifts left", 8, SHR, 1, -3, 8, 0},
        {"negative operand is 0", 8, SHL, -5, 1, 0, 0},
        {"large operand saturates, then masks", 8, SHL, 1e10, 0, 255, 0},
        {"large operand saturates at 32 bits", 32, SHL, 1e10, 0, 4294967295.0, 0},
        {"large operand saturates at 64 bits", 64, SHR, 1e30, 0, 18446744073709551615.0, 0},
        {"top bit at width 64", 64, SHL, 1, 63, 9223372036854775808.0, 0},
        {"operand truncated before masking", 16, SHL, 0x1FFFF, 0, 0xFFFF, 0},
        {"huge rotation count is taken mod w", 8, RTL, 1, 1e15 + 1, 2, 0},
        {"unsupported width", 12, SHL, 1, 1, 0, 0},
        {"unsupported width rotation", 0, RTL, 1, 1, 0, 0},
        {"fractional operand", 8, SHL, 1.5, 1, 0, -53},
        {"fractional count", 8, RTL, 1, 0.5, 0, -53},
        {"infinite operand", 8, SHR, kInf, 1, 0, -53},
        {"non-number count", 8, RTR, 1, kNan, 0, -53},
        {"-7 mod 3", 8, MOD, -7, 3, 1, 0},
        {"7 mod -3", 8, MOD, 7, -3, 1, 0},
        {"INT32_MIN mod 7", 8, MOD, -2147483648.0, 7, 2, 0},
        {"7 mod 0", 8, MOD, 7, 0, 0, -5},
        {"fractional mod", 8, MOD, 7.5, 2, 0, -53},
        {"mod beyond 32 bits", 8, MOD, 2147483648.0, 3, 0, -53},
        {"fraction checked before zero divisor", 8, MOD, 7.5, 0, 0, -53},
    };
    for (const Case& c : cases) {
        WidthGuard width(c.width);
        ClearErrorCode();
        EXPECT_EQ(c.fn(c.x, c.n), c.want) << c.what;
        EXPECT_EQ(GetErrorCode(), c.err) << c.what;
    }
    WidthGuard width(8);
    EXPECT_EQ(rtl(129), 3);
    EXPECT_EQ(rtr(1), 128);
    EXPECT_EQ(rtl(-1), 0);
    g_BitWidth = 24;
    EXPECT_EQ(rtl(1), 0);
    EXPECT_EQ(rtr(1), 0);
}

TEST(Radix, GcdAndLcm) {
    struct GcdRow {
        long a, b, want;
    };
    const GcdRow gcds[] = {
        {12, 18, 6}, {18, 12, 6}, {0, 7, 7},    {7, 0, 7},    {0, 0, 0},         {17, 5, 1},
        {1, 0, 1},   {0, 1, 1},   {-12, 18, 6}, {12, -18, 6}, {LONG_MIN, -1, 1}, {1071, 462, 21},
    };
    for (const GcdRow& r : gcds) EXPECT_EQ(gcd(r.a, r.b), r.want) << r.a << ", " << r.b;
    struct LcmRow {
        double a, b, want;
    };
    const LcmRow lcms[] = {
        {4, 6, 12}, {21, 6, 42}, {1, 9, 9}, {9, 1, 9}, {0, 5, 0}, {0, 0, 0}, {65536, 65537, 4295032832.0},
    };
    for (const LcmRow& r : lcms) EXPECT_EQ(lcm(r.a, r.b), r.want) << r.a << ", " << r.b;
}

}  // namespace
