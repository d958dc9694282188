// Result texts of the converter screens.
#include <gtest/gtest.h>

#include "units/unit_format.h"

namespace {

struct FormatCase {
    double value;
    const char* text;
};

std::ostream& operator<<(std::ostream& os, const FormatCase& c) {
    return os << c.value << " -> " << c.text;
}

class UnitResult : public ::testing::TestWithParam<FormatCase> {};

TEST_P(UnitResult, Formats) {
    EXPECT_EQ(FormatUnitResult(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Mode2, UnitResult,
    ::testing::Values(FormatCase{200, "200.0"}, FormatCase{2.5, "2.50"}, FormatCase{3, "3.0"},
                      FormatCase{1.0 / 3, "0.33333333333"}, FormatCase{2.0 / 3, "0.66666666667"},
                      FormatCase{-1.0 / 3, "-0.3333333333"}, FormatCase{1609.344, "1609.3440"},
                      FormatCase{9.99999999999995, "10.0"}, FormatCase{123456789012.5, "123456789012.5"},
                      FormatCase{999999999999.99, "1000000000000.0"}, FormatCase{1e12, "1.000000000000e+12"},
                      FormatCase{-2.5e15, "-2.500000000000e+15"}, FormatCase{1e-12, "1.000000000000e-12"},
                      FormatCase{1e-25, "0.00"}, FormatCase{0, "0.00"}, FormatCase{0.001, "0.0010"},
                      FormatCase{-0.0000000000015, "0.0"}));

class CurrencyResult : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CurrencyResult, Formats) {
    EXPECT_EQ(FormatCurrencyResult(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Mode1, CurrencyResult,
                         ::testing::Values(FormatCase{0.000000000001, "1.0000000000e-12"},
                                           FormatCase{1e-25, "0.00"}, FormatCase{12.5, "12.50"},
                                           FormatCase{1e10, "1.0000000000e+10"}, FormatCase{0, "0.00"},
                                           FormatCase{-3.333, "-3.33"}));

TEST(TrimZero, TextsWithoutPointUnchanged) {
    EXPECT_EQ(trimZero("100"), "100");
    EXPECT_EQ(trimZero("2.000"), "2.0");
    EXPECT_EQ(trimZero("99.9999999999999"), "100.0");
    EXPECT_EQ(trimZero("-99.9999999999999"), "-100.0");
}

}  // namespace
