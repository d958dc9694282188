#include "engine/format/result_format.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/format/format_state.h"
#include "engine/stack/rpn_entry_state.h"
#include "numeric/radix.h"

namespace {

struct Q {
    QELT v[NQ];
    explicit Q(const char* text) { asctoq(text, v); }
};

std::string Utf8(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Restores the formatter's process-wide inputs after each test.
class ResultFormat : public ::testing::Test {
  protected:
    void TearDown() override {
        imoderpn_status = -1;
        factor = 0;
        g_BitWidth = 8;
        g_sOutputMode = "English (US)";
        g_CurrentFunction = 0;
        g_iFixDigits = 4;
        g_nPrecision = 0;
        g_nPreNotation = kNotationNorm;
        ResetAndFreeRegister(1);
    }
};

const std::string k32Zeros(32, '0');

TEST_F(ResultFormat, DecimalNotations) {
    struct Row {
        const char* value;
        int notation, digits, fix;
        std::string text, exponent;
    } rows[] = {
        {"0", kNotationNorm, 32, 4, "0", ""},
        {"0", kNotationFix, 32, 4, "0.0000", ""},
        {"5", kNotationFix, 32, 0, "5", ""},
        {"9.996", kNotationFix, 32, 2, "10.00", ""},
        {"-9.996", kNotationFix, 32, 2, "-10.00", ""},
        {"2.344", kNotationFix, 32, 2, "2.34", ""},
        {"2.345", kNotationFix, 32, 2, "2.35", ""},  // half up, by the decimal text
        {"0.5", kNotationFix, 32, 0, "1", ""},
        {"-0.5", kNotationFix, 32, 0, "-1", ""},
        {"99.95", kNotationFix, 32, 1, "100.0", ""},
        {"1.5", kNotationFix, 32, 4, "1.5000", ""},
        {"123456789.125", kNotationFix, 32, 2, "123456789.13", ""},
        {"0.00004", kNotationFix, 32, 4, "0.0000", ""},
        {"-123.456", kNotationNorm, 32, 4, "-123.456", ""},
        {"0.6666666666666666666666666666666666666", kNotationNorm, 4, 4, "0.66667", ""},
        {"1e12", kNotationNorm, 32, 4, "1000000000000", ""},  // the bounds are still plain
        {"-1e12", kNotationFix, 32, 1, "-1000000000000.0", ""},
        {"1e-12", kNotationNorm, 32, 4, "0.000000000001", ""},
        {"1.0000000000001e12", kNotationNorm, 4, 4, " 1.0000", "E12"},
        {"1.0000000000001e12", kNotationFix, 4, 4, " 1.0000", "E12"},  // FIX applies to plain texts only
        {"9e-13", kNotationNorm, 4, 4, " 9.0000", "E-13"},
        {"-2.5e-15", kNotationNorm, 4, 4, "-2.5000", "E-15"},
        {"2.5", kNotationSci, 4, 4, " 2.5000", "E0"},
        {"1", kNotationSci, 32, 4, " 1." + k32Zeros, "E0"},
        {"-0.001", kNotationSci, 2, 4, "-1.00", "E-3"},
    };
    for (const Row& r : rows) {
        const Q q(r.value);
        const DisplayString d = ConstructDisplayString(kRadixDec, kWidth8, q.v, r.notation, r.digits, r.fix);
        EXPECT_EQ(d.text, r.text) << r.value << " notation " << r.notation << " fix " << r.fix;
        EXPECT_EQ(d.exponent, r.exponent) << r.value << " notation " << r.notation;
    }
    QELT third[NQ];
    qdiv(Q("3").v, qone, third);
    EXPECT_EQ(ConstructDisplayString(kRadixDec, kWidth8, third, kNotationNorm, 32, 4).text,
              "0." + std::string(33, '3'));
}

TEST_F(ResultFormat, TypedDecimalsAreShownWhileAnEntryIsTyped) {
    struct Row {
        const char* value;
        int status;
        double typed;
        int notation;
        std::string text;
    } rows[] = {
        {"12", 2, 0, kNotationNorm, "12."},  // the point was just typed
        {"12.5", 2, 2, kNotationNorm, "12.50"},  {"12", 2, 3, kNotationNorm, "12.000"},
        {"0.125", 2, 2, kNotationNorm, "0.125"},  // more shown than typed: unchanged
        {"3", 2, 2, kNotationFix, "3.0000"},      // FIX already shows them
        {"12.5", 0, 3, kNotationNorm, "12.5"},    // integer part being typed: no fill
        {"12.5", -1, 3, kNotationNorm, "12.5"},
    };
    for (const Row& r : rows) {
        imoderpn_status = r.status;
        factor = r.typed;
        const Q q(r.value);
        EXPECT_EQ(ConstructDisplayString(kRadixDec, kWidth8, q.v, r.notation, 16, 4).text, r.text)
            << r.value << " status " << r.status << " typed " << r.typed;
    }
}

TEST_F(ResultFormat, RadixTextsArePaddedToTheBitWidth) {
    struct Row {
        int radixKey, width;
        const char* value;
        std::string text;
    } rows[] = {
        {kRadixBin, 8, "5", "00000101"},
        {kRadixBin, 8, "0", "00000000"},
        {kRadixBin, 8, "300", "00101100"},  // only the low 8 bits remain
        {kRadixBin, 8, "-5", "11111011"},   // negative values as their two's complement
        {kRadixBin, 8, "-2", "11111110"},
        {kRadixBin, 8, "-1.9", "11111111"},  // truncated toward zero: -1
        {kRadixBin, 8, "-0.5", "00000000"},
        {kRadixHex, 8, "-1", "FF"},
        {kRadixHex, 16, "-1", "FFFF"},
        {kRadixHex, 32, "-1", "FFFFFFFF"},
        {kRadixHex, 32, "-2147483648", "80000000"},
        {kRadixHex, 8, "-300", "D4"},  // -300 + 512: the low 8 bits, as for positive values
        {kRadixOct, 8, "-1", "377"},
        {kRadixOct, 64, "-1", "1777777777777777777777"},
        {kRadixHex, 64, "-1", "FFFFFFFFFFFFFFFF"},
        {kRadixHex, 16, "-1e400", "0000"},
        {kRadixBin, 8, "5.9", "00000101"},
        {kRadixBin, 16, "5", "0000000000000101"},
        {kRadixBin, 32, "1", std::string(31, '0') + "1"},
        {kRadixOct, 8, "255", "377"},
        {kRadixOct, 8, "8", "010"},
        {kRadixOct, 16, "8", "000010"},
        {kRadixOct, 32, "8", "00000000010"},
        {kRadixOct, 64, "1", std::string(21, '0') + "1"},
        {kRadixHex, 8, "255", "FF"},
        {kRadixHex, 8, "256", "00"},
        {kRadixHex, 16, "255", "00FF"},
        {kRadixHex, 32, "3735928559", "DEADBEEF"},
        {kRadixHex, 32, "255", "000000FF"},
        {kRadixHex, 64, "1e20", "6BC75E2D63100000"},  // 10^20 mod 2^64
        {kRadixHex, 16, "1e400", "0000"},             // beyond the double range: no fault, no report
        {150, 8, "5", ""},                            // not a radix key
    };
    Clearmerror();
    for (const Row& r : rows) {
        g_BitWidth = r.width;
        const Q q(r.value);
        // The notation has no part in the radix texts.
        const DisplayString d = ConstructDisplayString(r.radixKey, kWidth8, q.v, kNotationSci, 4, 4);
        EXPECT_EQ(d.text, r.text) << r.value << " radix key " << r.radixKey << " width " << r.width;
        EXPECT_EQ(d.exponent, "") << r.value;
        EXPECT_EQ(ConstructDisplayString2(r.radixKey, 0, q.v, kNotationFix, 4, 4), r.text) << r.value;
    }
    EXPECT_EQ(merror, 0);
}

TEST(ResultFormatKeys, RadixAndWidthKeysMapBothWays) {
    for (int radix : {2, 8, 10, 16}) EXPECT_EQ(RadixOfKey(RadixKeyOf(radix)), radix);
    for (int bits : {8, 16, 32, 64}) EXPECT_EQ(BitsOfKey(WidthKeyOf(bits)), bits);
    EXPECT_EQ(RadixKeyOf(16), kRadixHex);
    EXPECT_EQ(WidthKeyOf(32), kWidth32);
    // Anything that is not a radix or a width falls back to decimal and 8 bits.
    EXPECT_EQ(RadixKeyOf(7), kRadixDec);
    EXPECT_EQ(RadixOfKey(kWidth16), 10);
    EXPECT_EQ(WidthKeyOf(12), kWidth8);
    EXPECT_EQ(BitsOfKey(kRadixHex), 8);
}

TEST_F(ResultFormat, LdtoaKeepsTheDigitsOfTheWidth) {
    struct Row {
        double value;
        int radix, width;
        std::string text;
    } rows[] = {
        {0, 2, 8, ""},
        {0.9, 2, 8, ""},
        {-3, 2, 8, ""},
        {5, 2, 8, "101"},
        {300, 2, 8, "00101100"},
        {255, 16, 8, "FF"},
        {4095, 16, 8, "FF"},
        {511, 8, 8, "777"},
        {512, 8, 8, "000"},
        {511, 8, 16, "777"},
        {65535, 8, 16, "177777"},
        {10, 10, 8, "10"},
        {1e19, 16, 64, "8AC7230489E80000"},
        {5, 1, 8, ""},
        {5, 17, 8, ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ldtoa(r.value, r.radix, r.width), r.text)
            << r.value << " radix " << r.radix << " width " << r.width;
    }
}

TEST_F(ResultFormat, PlainVariantNeverTurnsScientific) {
    struct Row {
        const char* value;
        int notation, digits, fix;
        std::string text;
    } rows[] = {
        {"1e20", kNotationNorm, 4, 4, "100000000000000000000"},
        {"-1.5e-15", kNotationNorm, 4, 4, "-0.0000000000000015"},
        {"2.5", kNotationFix, 64, 10, "2.5000000000"},
        {"-0.99999999999", kNotationFix, 64, 10, "-1.0000000000"},
        {"7", kNotationSci, 64, 4, "7"},
    };
    for (const Row& r : rows) {
        const Q q(r.value);
        EXPECT_EQ(ConstructDisplayString2(kRadixDec, 0, q.v, r.notation, r.digits, r.fix), r.text) << r.value;
    }
}

REG Result(const char* re, const char* im = nullptr) {
    REG r;
    asctoq(re, r.re);
    if (im) {
        asctoq(im, r.im);
        r.type = REG_COMPLEX;
    }
    return r;
}

TEST_F(ResultFormat, ResultTexts) {
    const std::u16string zeros28(28, u'0'), zeros32(32, u'0');
    struct Row {
        const char* mode;
        int category, notation;
        const char* re;
        const char* im;  // null for a real result
        std::u16string text;
        bool scientific, complex;
        int fix = 4, precision = 0;
    } rows[] = {
        {"English (US)", 0, kNotationNorm, "1234567.891", nullptr, u"1\u00B8234\u00B8567.891", false, false},
        {"European", 0, kNotationNorm, "1234567.891", nullptr, u"1.234.567\u00B8891", false, false},
        {"english (uk)", 0, kNotationNorm, "-123456", nullptr, u"-123\u00B8456", false, false},
        {"English (US)", 0, kNotationNorm, "0.0001234", nullptr, u"0.0001234", false, false},
        {"English (US)", 0, kNotationFix, "1234.5", nullptr, u"1\u00B8234.50", false, false, 2},
        {"European", 0, kNotationFix, "-9999.996", nullptr, u"-10.000\u00B800", false, false, 2},
        {"English (US)", 0, kNotationSci, "1234.5", nullptr, u"1.2345" + zeros28 + u"E3", true, false},
        {"European", 0, kNotationSci, "-1234.5", nullptr, u"-1\u00B82345" + zeros28 + u"E3", true, false},
        {"English (US)", 0, kNotationNorm, "1e20", nullptr, u"1." + zeros32 + u"E20", true, false},
        {"English (US)", 0, kNotationNorm, "-1.5e-13", nullptr, u"-1.5" + zeros32.substr(1) + u"E-13", true,
         false},
        {"English (US)", 0, kNotationFrac, "0.75", nullptr, u"3/4", false, false},
        {"European", 0, kNotationFrac, "-1.5", nullptr, u"-1 1/2", false, false},
        {"English (US)", 0, kNotationFrac, "1234.25", nullptr, u"1234 1/4", false, false},  // no grouping
        {"English (US)", 0, kNotationFrac, "1.4142135623730951", nullptr, u"1 408/985", false, false},
        {"English (US)", 0, kNotationFrac, "1.4142135623730951", nullptr, u"1 195025/470832", false, false, 4,
         1},
        {"English (US)", 0, kNotationFrac, "0.0000004", nullptr, u"0", false, false, 4, 1},
        {"English (US)", 0, kNotationFrac, "0.0000004", nullptr, u"1/2500000", false, false, 4, 2},
        {"English (US)", 0, kNotationFrac, "1e20", nullptr, u" 1." + zeros32, true, false},
        {"English (US)", 0, kNotationNorm, "3", "4", u"3.0000E0+4.0000E0i", true, true},
        {"English (US)", 0, kNotationFix, "3", "1", u"3.0000E0+i", true, true},
        {"English (US)", 0, kNotationNorm, "3", "-4", u"3.0000E0-4.0000E0i", true, true},
        {"English (US)", 0, kNotationNorm, "-3", "-1", u"-3.0000E0-1.0000E0i", true, true},
        {"European", 0, kNotationNorm, "1234", "0.5", u"1\u00B82340E3+5\u00B80000E-1i", true, true},
        {"", 0, kNotationNorm, "3", "4", u" 3.0000E0+ 4.0000E0i", true, true},  // unknown mode: not grouped
        // A part below 1e-96 of the other is rounding noise and shows as zero.
        {"English (US)", 0, kNotationNorm, "-1", "-8.2209e-103", u"-1", false, false},
        {"English (US)", 0, kNotationFix, "2.5", "1e-99", u"2.50", false, false, 2},
        {"English (US)", 0, kNotationNorm, "6.1e-102", "1", u"0.0000E0+i", true, true},
        {"English (US)", 0, kNotationNorm, "1", "2e-96", u"1.0000E0+2.0000E-96i", true, true},  // not below
        {"English (US)", 0, kNotationNorm, "1e-200", "1e-290", u"1.0000E-200+1.0000E-290i", true,
         true},  // relative
        {"English (US)", 5, kNotationNorm, "1234567.5", nullptr, u"1234567.5", false, false},
        {"English (US)", 6, kNotationFix, "2.5", nullptr, u"2.50", false, false, 2},
        {"English (US)", 7, kNotationNorm, "1e20", nullptr, u" 1." + zeros32 + u"E20", true, false},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const Row& r = rows[i];
        g_sOutputMode = r.mode;
        g_CurrentFunction = r.category;
        g_iFixDigits = static_cast<std::uint8_t>(r.fix);
        g_nPrecision = r.precision;
        bool scientific = !r.scientific, complex = !r.complex;
        const std::u16string text =
            ExpResult_REGToString(Result(r.re, r.im), kRadixDec, kWidth8, r.notation, scientific, complex);
        SCOPED_TRACE("row " + std::to_string(i) + ": " + r.re + (r.im ? std::string(" ") + r.im : ""));
        EXPECT_EQ(Utf8(text), Utf8(r.text));
        EXPECT_EQ(scientific, r.scientific);
        EXPECT_EQ(complex, r.complex);
    }
}

TEST_F(ResultFormat, RadixResultsShowTheRealPartOnly) {
    g_BitWidth = 16;
    bool scientific = true, complex = false;
    EXPECT_EQ(
        ExpResult_REGToString(Result("255", "7"), kRadixHex, kWidth16, kNotationSci, scientific, complex),
        u"00FF");
    EXPECT_FALSE(scientific);
    EXPECT_FALSE(complex);  // the radix path leaves the flag to the caller
    g_BitWidth = 8;
    EXPECT_EQ(ExpResult_REGToString(Result("5"), kRadixBin, kWidth8, kNotationNorm, scientific, complex),
              u"00000101");
}

TEST_F(ResultFormat, PreviousNotationAndLastResult) {
    struct Row {
        int category, radixKey, notation;
        int before, after;  // g_nPreNotation
    } rows[] = {
        {0, kRadixDec, kNotationFix, kNotationNorm, kNotationFix},
        {0, kRadixDec, kNotationFrac, kNotationNorm, kNotationFrac},
        {0, kRadixDec, kNotationSci, kNotationFix, kNotationFix},  // SCI is not remembered
        {5, kRadixDec, kNotationFix, kNotationFrac, kNotationNorm},
        {7, kRadixDec, kNotationSci, kNotationFrac, kNotationNorm},
        {0, kRadixHex, kNotationFix, kNotationFrac, kNotationFrac},  // radix results leave it
    };
    for (const Row& r : rows) {
        g_CurrentFunction = r.category;
        g_nPreNotation = r.before;
        bool scientific = false, complex = false;
        ExpResult_REGToString(Result("2"), r.radixKey, kWidth8, r.notation, scientific, complex);
        EXPECT_EQ(g_nPreNotation, r.after) << "category " << r.category << " notation " << r.notation;
    }

    // The last-result register takes the type and both parts, releasing a matrix it held.
    const double m[] = {1, 2};
    SetRegister(1, 1, 2, m);
    g_CurrentFunction = 0;
    bool scientific = false, complex = false;
    ExpResult_REGToString(Result("1.5", "-2"), kRadixDec, kWidth8, kNotationNorm, scientific, complex);
    EXPECT_EQ(g_reg[1].type, REG_COMPLEX);
    EXPECT_TRUE(g_reg[1].data.empty());
    EXPECT_EQ(qcmp(g_reg[1].re, Q("1.5").v), 0);
    EXPECT_EQ(qcmp(g_reg[1].im, Q("-2").v), 0);
    // Category 9 leaves it alone.
    g_CurrentFunction = 9;
    ExpResult_REGToString(Result("7"), kRadixDec, kWidth8, kNotationNorm, scientific, complex);
    EXPECT_EQ(g_reg[1].type, REG_COMPLEX);
    EXPECT_EQ(qcmp(g_reg[1].re, Q("1.5").v), 0);
    // A radix result is remembered too.
    g_CurrentFunction = 0;
    ExpResult_REGToString(Result("7"), kRadixHex, kWidth8, kNotationNorm, scientific, complex);
    EXPECT_EQ(g_reg[1].type, REG_REAL);
    EXPECT_EQ(qcmp(g_reg[1].re, Q("7").v), 0);
}

}  // namespace
