#include "app/display/line_text.h"

#include <gtest/gtest.h>

#include "app/keys/key_codes.h"

namespace {
// Readable form for failure messages: the display signs by name.
std::string Show(const std::u16string& s) {
    std::string out;
    for (char16_t c : s) {
        switch (c) {
            case 0x00D7:
                out += "<x>";
                break;
            case 0x00F7:
                out += "<div>";
                break;
            case 0x2212:
                out += "<minus>";
                break;
            case 0x221A:
                out += "<root>";
                break;
            case 0x00B8:
                out += "<B8>";
                break;
            default:
                out += c < 128 ? std::string(1, static_cast<char>(c)) : "<U+" + std::to_string(c) + ">";
        }
    }
    return out;
}
}  // namespace

TEST(ParseRawString, Examples) {
    struct Row {
        std::u16string display, engine;
    };
    const Row rows[] = {
        {u".5", u"0.5"},
        {u"\u00b85", u"0\u00b85"},
        {u"sin(.5)", u"sin(0.5)"},
        {u"2(3)", u"2*(3)"},
        {u"2\u221a(9)", u"RT(2,9)"},
        {u"3\u221a(8)", u"RT(3,8)"},
        {u"1.5\u221a(8)", u"RT(1.5,8)"},
        {u"(1+2)\u221a(8)", u"RT((1+2),8)"},
        {u"x\u221a(8)", u"RT(x,8)"},
        {u"2\u221a(3\u221a(8))", u"RT(2,RT(3,8))"},
        {u"3i", u"3*i"},
        {u"2!i", u"2!*i"},
        {u"(2)i", u"(2)*i"},
        {u"ii", u"i*i"},
        {u"i2", u"i*2"},
        {u"pi(2)", u"pi*(2)"},
        {u"2pi", u"2*pi"},
        {u"2sin(30)", u"2*sin(30)"},
        {u"(2)(3)", u"(2)*(3)"},
        {u"(2)3", u"(2)*3"},
        {u"(2)+3", u"(2)+3"},
        {u"[ans]", u"[VRE]"},
        {u"2[ans]", u"2*[VRE]"},
        {u"[ans](2)", u"[VRE]*(2)"},
        {u"2\u00d73\u00f74\u22121", u"2*3/4-1"},
        {u"1.5E\u22123", u"1.5E-3"},
        {u"FF+A", u"FF+A"},
        {u"2exp3", u"2 exp 3"},
        {u"2 mod 3", u"2 mod 3"},
        {u"BinomialPDF(3,5,0.5)", u"BinomialPDF(3,5,0.5)"},
        {u"\u222b(x,0,1)", u"fnInt(x,0,1)"},
        {u"\u03b4(x^2,3)", u"fnDeriv(x^2,3)"},
        {u"\u2211(x,1,9)+\u220f(x,1,3)+\u0192(x,2)", u"fnSum(x,1,9)+fnProduct(x,1,3)+fnEval(x,2)"},
        {u"2\u222b(x,0,1)", u"2*fnInt(x,0,1)"},
        {u"", u""},
    };
    for (const Row& r : rows) EXPECT_EQ(Show(ParseRawString(r.display)), Show(r.engine)) << Show(r.display);
}

TEST(OutputParsedString, EngineAlwaysGetsThePoint) {
    struct Row {
        std::u16string display;
        const char* mode;
        std::string engine;
    };
    const Row rows[] = {
        {u"1\u00b85+2", "European", "1.5+2"},   {u"1.234\u00b85", "European", "1234.5"},
        {u".5", "English (US)", "0.5"},         {u"1\u00b8234.5", "English (UK)", "1234.5"},
        {u"1\u00b85", "Other", "1.5"},          {u"2\u221a(9)\u00d7[ans]", "English (US)", "RT(2,9)*[VRE]"},
        {u"\u221a(9)", "English (US)", "?(9)"},  // a root without index stays, and the engine rejects it
    };
    for (const Row& r : rows) EXPECT_EQ(OutputParsedString(r.display, r.mode), r.engine) << Show(r.display);
}

TEST(PrepareInsertText, SignsAndMarksFollowTheFormat) {
    struct Row {
        std::u16string text;
        const char* mode;
        int category, base;
        std::u16string exclude, expected;
    };
    const Row rows[] = {
        {u"-1.5E-3", "European", kCatArithmetic, kKeyBaseDec, u"", u"\u22121\u00b85E\u22123"},
        {u"1234567.891", "English (US)", kCatArithmetic, kKeyBaseDec, u"", u"1234567.891"},
        {u"1234567.891", "European", kCatArithmetic, kKeyBaseDec, u"", u"1234567\u00b8891"},
        {u"1234.5", "european", kCatStatistics, kKeyBaseDec, u"", u"1234\u00b85"},
        {u"2*3/4-1", "English (US)", kCatArithmetic, kKeyBaseDec, u"", u"2\u00d73\u00f74\u22121"},
        {u"2*3/4-1", "English (US)", kCatArithmetic, kKeyBaseDec, u"-/", u"2\u00d73/4-1"},
        {u"[VRE]+1", "English (US)", kCatArithmetic, kKeyBaseDec, u"", u"[ans]+1"},
        {u"FF", "European", kCatBaseConversion, kKeyBaseHex, u"", u"FF"},
        {u"1.5", "Other", kCatArithmetic, kKeyBaseDec, u"", u"1.5"},
    };
    for (const Row& r : rows) {
        LineTextFormat f{r.mode, r.category, r.base};
        EXPECT_EQ(Show(PrepareInsertText(r.text, f, r.exclude)), Show(r.expected))
            << Show(r.text) << " " << r.mode;
    }
}

TEST(TextConversions, Utf8RoundTripAndLatin1) {
    std::u16string s = u"x\u00b2 \u221a \U0001F600 \u00b8";
    EXPECT_EQ(Utf8ToU16(U16ToUtf8(s)), s);
    EXPECT_EQ(U16ToUtf8(u"\u2212"), "\xe2\x88\x92");
    EXPECT_EQ(Utf8ToU16("a\xff"
                        "b"),
              u"a\ufffdb");
    EXPECT_EQ(Latin1ToU16("1\xb8"
                          "5"),
              u"1\u00b85");
    EXPECT_EQ(AUniCharToNSString(u'7'), u"7");
}
