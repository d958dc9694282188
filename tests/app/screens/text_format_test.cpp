// Number texts shared by the side screens: fixed formatting, localisation and reading a field's value.
#include <gtest/gtest.h>

#include <cmath>

#include "app/screens/text_format.h"

namespace {

TEST(TextFormat, FixTextDisplayGroupsTheIntegerPartForTheOutputFormat) {
    const struct {
        const char *text, *mode, *shown;
    } rows[] = {
        {"-1234.50", "English (US)", "-1,234.50"},   {"-123.00", "English (US)", "-123.00"},
        {"123456.78", "English (UK)", "123,456.78"}, {"1234567", "", "1,234,567"},
        {"1234.50", "European", "1.234,50"},         {"-100.00", "European", "-100,00"},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(fixTextDisplay(std::string_view(r.text), r.mode), r.shown) << r.text << " in " << r.mode;
        const std::string text = r.text, shown = r.shown;
        EXPECT_EQ(fixTextDisplay(std::u16string(text.begin(), text.end()), r.mode),
                  std::u16string(shown.begin(), shown.end()));
    }
}

TEST(TextFormat, FormattingAndReadingDoNotDependOnTheLocale) {
    EXPECT_EQ(FormatFixed(12.345, 2), "12.35");
    EXPECT_EQ(FormatFixed(2.5, 8), "2.50000000");
    EXPECT_EQ(FormatFixed(1e300, 2).size(), 304u);
    EXPECT_EQ(FormatFixed(-INFINITY, 0), "-inf");
    const struct {
        const char* text;
        double value;
    } rows[] = {{"", 0},   {"-", 0},        {"inf", 0}, {"0.", 0},   {"-0.5", -0.5}, {"12.5kg", 12.5},
                {"+3", 3}, {"2E-2x", 0.02}, {"1e", 1},  {"3+4i", 3}, {"1e-999", 0},  {"Empty string", 0}};
    for (const auto& r : rows)
        EXPECT_DOUBLE_EQ(TextNumericValue(std::string_view(r.text)), r.value) << r.text;
    EXPECT_TRUE(std::isinf(TextNumericValue(std::string_view("1e999"))));
    // Beyond a double's range in plain notation: too large is infinite, too small is 0 (not infinite).
    EXPECT_EQ(TextNumericValue("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(TextNumericValue("-0." + std::string(400, '0') + "1e2"), 0.0);
    EXPECT_TRUE(std::isinf(TextNumericValue("1" + std::string(400, '0'))));
    EXPECT_TRUE(std::isinf(TextNumericValue("0.001e400")));
    EXPECT_EQ(TextNumericValue("1000e-400"), 0.0);
    EXPECT_DOUBLE_EQ(TextNumericValue(std::u16string_view(u"\u22121234\u00B85")), -1234.5);
}

}  // namespace
