// Text inserted into the input line for a chosen constant.
#include <gtest/gtest.h>

#include "constants/constant_insert.h"

namespace {

struct InsertCase {
    const char* group;
    const char* value;
    const char* inserted;
};

std::ostream& operator<<(std::ostream& os, const InsertCase& c) {
    return os << c.group << " / " << c.value;
}

class InsertText : public ::testing::TestWithParam<InsertCase> {};

TEST_P(InsertText, Rewrites) {
    EXPECT_EQ(ConstantInsertText(GetParam().group, GetParam().value), GetParam().inserted);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, InsertText,
    ::testing::Values(InsertCase{"Universal", "6.674e-11", "6.674exp(-11)"},
                      InsertCase{"Universal", "1.2e+5", "1.2exp(5)"},
                      InsertCase{"Universal", "2.99792458e8 m s^-1", "2.99792458exp(8)"},
                      InsertCase{"Universal", "299792458 m s^-1 (exact)", "299792458"},
                      InsertCase{"Mathematical", "  3.14159265358979323846\n", "3.14159265358979323846"},
                      InsertCase{"Area Formula", "pi*r^2 (r radius)", "pi*r^2"},
                      InsertCase{"AREA FORMULA", "e*r", "e*r"},
                      InsertCase{"volume formula", "4/3*pi*r^3", "4/3*pi*r^3"},
                      InsertCase{"Physico-chemical", "-1.15170753706", "-1.15170753706"},
                      InsertCase{"Leptons", "-1.75882001076e11 C kg^-1", "-1.75882001076exp(11)"},
                      InsertCase{"Universal", "", ""}));

}  // namespace
