// Number texts shared by the side screens: fixed formatting, localisation and reading a field's value.
#include <gtest/gtest.h>

#include <cmath>

#include "app/screens/text_format.h"

namespace {

TEST(TextFormat, FixTextDisplayGroupsTheIntegerPartForTheOutputFormat) {
    struct Row {
        const char* text;
        const char* mode;
        const char* shown;
    };
    const Row rows[] = {
        {"-1234.50", "English (US)", "-1,234.50"},
        {"-123.00", "English (US)", "-123.00"},
        {"123.00", "English (UK)", "123.00"},
        {"1234.00", "English (UK)", "1,234.00"},
        {"-123456.78", "English (US)", "-123,456.78"},
        {"1234567", "English (US)", "1,234,567"},
        {"12", "English (US)", "12"},
        {"", "English (US)", ""},
        {"1234.50", "European", "1.234,50"},
        {"-1234567.891", "European", "-1.234.567,891"},
        {"0.00", "European", "0,00"},
        {"-100.00", "European", "-100,00"},
        {"1000", "", "1,000"},  // settings not loaded yet: the English marks
    };
    for (const Row& r : rows) {
        EXPECT_EQ(fixTextDisplay(std::string_view(r.text), r.mode), r.shown) << r.text << " in " << r.mode;
        const std::u16string wide(r.text, r.text + std::char_traits<char>::length(r.text));
        const std::string shown = r.shown;
        EXPECT_EQ(fixTextDisplay(std::u16string_view(wide), r.mode),
                  std::u16string(shown.begin(), shown.end()));
    }
}

TEST(TextFormat, FormatFixedIsPrintfInTheCLocale) {
    EXPECT_EQ(FormatFixed(12.345, 2), "12.35");  // 12.345 is stored just above .345
    EXPECT_EQ(FormatFixed(0.125, 2), "0.12");    // exactly half: to even, as printf
    EXPECT_EQ(FormatFixed(-0.004, 2), "-0.00");
    EXPECT_EQ(FormatFixed(2.5, 8), "2.50000000");
    EXPECT_EQ(FormatFixed(3, 0), "3");
    EXPECT_EQ(FormatFixed(2.5, 6), "2.500000");
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 301u + 3u);
    EXPECT_EQ(FormatFixed(INFINITY, 2), "inf");
    EXPECT_EQ(FormatFixed(-INFINITY, 0), "-inf");
    EXPECT_EQ(FormatFixed(NAN, 2), "nan");
}

TEST(TextFormat, TextNumericValueReadsTheLeadingNumber) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"", 0},    {"-", 0},       {".", 0},       {"abc", 0},       {"inf", 0},
        {"nan", 0}, {"0.", 0},      {"-0.5", -0.5}, {"12.5kg", 12.5}, {"  7", 7},
        {"+3", 3},  {"1e3", 1000},  {"1e", 1},      {"2E-2x", 0.02},  {".25", 0.25},
        {"5.", 5},  {"1.2.3", 1.2}, {"3+4i", 3},    {"1e-999", 0},    {"Syntax error", 0},
    };
    for (const Row& r : rows) EXPECT_DOUBLE_EQ(TextNumericValue(std::string_view(r.text)), r.value) << r.text;
    EXPECT_TRUE(std::isinf(TextNumericValue(std::string_view("1e999"))));
    EXPECT_LT(TextNumericValue(std::string_view("-1e999")), 0);
    EXPECT_DOUBLE_EQ(TextNumericValue(std::u16string_view(u"\u22121234\u00B85")), -1234.5);
}

}  // namespace
