// Conversions worked out by CUnitConvert over small hand-made groups.
#include <gtest/gtest.h>

#include <cmath>

#include "units/unit_convert.h"

namespace {

const char* const kSample =
    "#Begin Length 0\n"
    "metre m !\n"
    "Kilometre km 1000 0 m\n"
    "foot ft 0.3048 0 m\n"
    "yard yd 3 0 ft\n"
    "mile mi 1760 0 yd\n"
    "nautical_mile nmi 1852 0 metre\n"
    "#End\n"
    "#Begin Temperature 0\n"
    "kelvin K !\n"
    "Celsius degC 1 273.15 K\n"
    "Fahrenheit degF 0.555555555555555556 255.372222222222222 K\n"
    "millikelvin mK 0.001 0 K\n"
    "milli-Celsius mdegC 1 273150 mK\n"
    "#End\n"
    "#Begin Speed 0\n"
    "metre m !\n"
    "second s !\n"
    "Kilometre km 1000 0 m\n"
    "hour h 3600 0 s\n"
    "kilogram kg !\n"
    "#End\n"
    "#Begin Fuel 3\n"
    "kilometre_per_litre km/L !\n"
    "miles_per_gallon mpg 2.35214583333333 0 km/L\n"
    "litres_per_100_km L/100km 100 1 km/L\n"
    "#End\n"
    "#Begin Damaged 0\n"
    "base b !\n"
    "zero z 0 0 b\n"
    "loop1 l1 2 0 l2\n"
    "loop2 l2 3 0 l1\n"
    "self me 2 0 me\n"
    "#End\n";

CUnitConvert loaded(const char* group) {
    CUnitConvert conv;
    conv.openGroupText(group, kSample);
    EXPECT_EQ(conv.getStatus(), 0) << group;
    return conv;
}

struct PairCase {
    const char* group;
    const char* from;
    const char* to;
    double value;
    double expected;
};

std::ostream& operator<<(std::ostream& os, const PairCase& c) {
    return os << c.group << ": " << c.value << " " << c.from << " -> " << c.to;
}

class ConvertPair : public ::testing::TestWithParam<PairCase> {};

TEST_P(ConvertPair, GivesExpectedValue) {
    const PairCase& c = GetParam();
    CUnitConvert conv = loaded(c.group);
    double factor = 0, offset = 0;
    bool reciprocal = true;
    ASSERT_EQ(conv.compareUnits(c.from, c.to, factor, offset, reciprocal), 1);
    EXPECT_NEAR(ApplyConversion(c.value, factor, offset, reciprocal), c.expected,
                1e-9 * std::fabs(c.expected) + 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ConvertPair,
    ::testing::Values(
        PairCase{"Length", "km", "m", 2, 2000}, PairCase{"Length", "m", "km", 2000, 2},
        PairCase{"Length", "Kilometre", "metre", 1, 1000}, PairCase{"Length", "mi", "m", 1, 1609.344},
        PairCase{"Length", "m", "mi", 1609.344, 1}, PairCase{"Length", "mi", "ft", 1, 5280},
        PairCase{"Length", "nmi", "m", 1, 1852}, PairCase{"Length", "m", "m", 5, 5},
        PairCase{"Temperature", "degC", "K", 0, 273.15}, PairCase{"Temperature", "K", "degC", 273.15, 0},
        PairCase{"Temperature", "degC", "degF", 100, 212}, PairCase{"Temperature", "degF", "degC", -40, -40},
        PairCase{"Temperature", "degF", "K", 32, 273.15},
        // Offset defined through a scaled unit: the offset scales with the factor.
        PairCase{"Temperature", "mdegC", "K", 0, 273.15}, PairCase{"Temperature", "K", "mdegC", 274.15, 1000},
        PairCase{"Fuel", "km/L", "mpg", 1, 2.35214583333333},
        PairCase{"Fuel", "L/100km", "mpg", 10, 23.5214583333333},
        PairCase{"Fuel", "mpg", "L/100km", 4, 58.8036458333333}, PairCase{"Fuel", "L/100km", "km/L", 5, 20},
        PairCase{"Fuel", "L/100km", "L/100km", 7, 7}));

TEST(CompareUnits, TypeThreeReciprocal) {
    CUnitConvert conv = loaded("Fuel");
    EXPECT_EQ(conv.getType(), 3);
    double factor = 0, offset = 7;
    bool reciprocal = false;
    ASSERT_EQ(conv.compareUnits("mpg", "L/100km", factor, offset, reciprocal), 1);
    EXPECT_TRUE(reciprocal);
    EXPECT_DOUBLE_EQ(factor, 235.214583333333);
    EXPECT_EQ(offset, 0);
    EXPECT_DOUBLE_EQ(ApplyConversion(4, factor, offset, reciprocal), factor / 4);
    EXPECT_EQ(ApplyConversion(0, factor, offset, reciprocal), 0);
    ASSERT_EQ(conv.compareUnits("km/L", "mpg", factor, offset, reciprocal), 1);
    EXPECT_FALSE(reciprocal);
}

TEST(CompareUnits, FactorsOfTheExamples) {
    CUnitConvert conv = loaded("Length");
    double factor = 0, offset = 1;
    bool reciprocal = false;
    ASSERT_EQ(conv.compareUnits("km", "m", factor, offset, reciprocal), 1);
    EXPECT_EQ(factor, 1000);
    EXPECT_EQ(offset, 0);
    ASSERT_EQ(conv.compareUnits("m", "km", factor, offset, reciprocal), 1);
    EXPECT_DOUBLE_EQ(factor, 0.001);
}

struct FailCase {
    const char* group;
    const char* from;
    const char* to;
    int status;
};

std::ostream& operator<<(std::ostream& os, const FailCase& c) {
    return os << c.group << ": " << c.from << " -> " << c.to;
}

class ConvertFails : public ::testing::TestWithParam<FailCase> {};

TEST_P(ConvertFails, ReportsStatus) {
    const FailCase& c = GetParam();
    CUnitConvert conv = loaded(c.group);
    double factor = 42, offset = 42;
    bool reciprocal = true;
    EXPECT_EQ(conv.compareUnits(c.from, c.to, factor, offset, reciprocal), 0);
    EXPECT_EQ(conv.getStatus(), c.status);
    EXPECT_FALSE(reciprocal);
}

INSTANTIATE_TEST_SUITE_P(Failures, ConvertFails,
                         ::testing::Values(FailCase{"Length", "km", "furlong", -3},
                                           FailCase{"Length", "", "m", -3}, FailCase{"Speed", "km", "h", -2},
                                           FailCase{"Speed", "m", "s", -2}, FailCase{"Speed", "kg", "km", -2},
                                           // Dividing by a zero factor is refused, not turned into infinity.
                                           FailCase{"Damaged", "b", "z", -2},
                                           // Circular definitions end without a result.
                                           FailCase{"Damaged", "l1", "b", -2},
                                           FailCase{"Damaged", "me", "b", -2}));

UNIT_STRUCT compound(double factor, std::vector<std::string> numer, std::vector<std::string> denom) {
    UNIT_STRUCT u;
    u.m_sName = u.m_sSymbol = "compound";
    u.m_dbFactor = factor;
    u.m_arrNumer = std::move(numer);
    u.m_arrDenom = std::move(denom);
    return u;
}

TEST(CompareUnits, CompoundUnitsNeedTheSameMultisets) {
    CUnitConvert conv = loaded("Speed");
    double factor = 0, offset = 0;
    // km/h against m/s: 1 km/h = 1/3.6 m/s.
    ASSERT_EQ(conv.compareUnits(compound(1, {"km"}, {"h"}), compound(1, {"m"}, {"s"}), factor, offset), 1);
    EXPECT_DOUBLE_EQ(factor, 1 / 3.6);
    // Order of the items does not matter; the count of each does.
    EXPECT_EQ(conv.compareUnits(compound(2, {"m", "s"}, {}), compound(1, {"s", "m"}, {}), factor, offset), 1);
    EXPECT_DOUBLE_EQ(factor, 2);
    EXPECT_EQ(conv.compareUnits(compound(1, {"m", "m"}, {"s"}), compound(1, {"m"}, {"s"}), factor, offset),
              0);
    EXPECT_EQ(conv.compareUnits(compound(1, {"m"}, {"s"}), compound(1, {"m"}, {"s", "s"}), factor, offset),
              0);
    // Cancelling: m*s/s against km leaves m on both sides.
    ASSERT_EQ(conv.compareUnits(compound(1, {"m", "s"}, {"s"}), compound(1, {"km"}, {}), factor, offset), 1);
    EXPECT_DOUBLE_EQ(factor, 0.001);
    // Unknown names stay as they are and must match literally.
    EXPECT_EQ(conv.compareUnits(compound(1, {"m", "widget"}, {}), compound(1, {"widget", "km"}, {}), factor,
                                offset),
              1);
    EXPECT_DOUBLE_EQ(factor, 0.001);
}

TEST(StandardizeUnits, ExpandsDenominatorsAndKeepsOffsetUnits) {
    CUnitConvert conv = loaded("Speed");
    UNIT_STRUCT r = compound(2, {"km"}, {"h"});
    conv.standardizeUnits(r);
    EXPECT_EQ(r.m_arrNumer, (std::vector<std::string>{"m"}));
    EXPECT_EQ(r.m_arrDenom, (std::vector<std::string>{"s"}));
    EXPECT_DOUBLE_EQ(r.m_dbFactor, 2000.0 / 3600.0);

    CUnitConvert temp = loaded("Temperature");
    UNIT_STRUCT t = compound(1, {"degC", "mK"}, {});
    temp.standardizeUnits(t);
    EXPECT_EQ(t.m_arrNumer, (std::vector<std::string>{"degC", "K"}));
    EXPECT_DOUBLE_EQ(t.m_dbFactor, 0.001);
}

TEST(ReduceUnits, CancelsPairsAndOnes) {
    UNIT_STRUCT r = compound(5, {"m", "1", "s", "m", "kg"}, {"s", "m", "1", "A"});
    r.m_dbOffset = 3;
    CUnitConvert::reduceUnits(r);
    EXPECT_EQ(r.m_arrNumer, (std::vector<std::string>{"m", "kg"}));
    EXPECT_EQ(r.m_arrDenom, (std::vector<std::string>{"A"}));
    EXPECT_EQ(r.m_dbFactor, 5);
    EXPECT_EQ(r.m_dbOffset, 3);
}

TEST(SameItems, ComparesMultisets) {
    EXPECT_EQ(CUnitConvert::isSameNumer(compound(1, {"a", "b", "a"}, {}), compound(1, {"a", "a", "b"}, {})),
              1);
    EXPECT_EQ(CUnitConvert::isSameNumer(compound(1, {"a", "a", "b"}, {}), compound(1, {"a", "b", "b"}, {})),
              0);
    EXPECT_EQ(CUnitConvert::isSameDenom(compound(1, {}, {"x"}), compound(1, {}, {"x", "x"})), 0);
    EXPECT_EQ(CUnitConvert::isSameDenom(compound(1, {"q"}, {}), compound(1, {}, {})), 1);
}

TEST(Lookup, FindUnitsAndInStandard) {
    CUnitConvert conv = loaded("Length");
    EXPECT_EQ(conv.getCount(), 6);
    EXPECT_EQ(conv.findUnits("m"), 1);
    EXPECT_EQ(conv.findUnits("nautical mile"), 6);
    EXPECT_EQ(conv.findUnits("Mile"), 0);
    EXPECT_EQ(conv.inStandard("metre"), 1);
    EXPECT_EQ(conv.inStandard("km"), 0);
    EXPECT_EQ(conv.inStandard("nothing"), 0);
}

TEST(OpenFlat, ReadsEveryLineRegardlessOfSections) {
    CUnitConvert conv;
    conv.openFileText(
        "#Date 2023-12-29\n@note\n  # indented comment\n#Begin Currency\nEuro EUR !\nUS_dollar USD 0.9 0 "
        "EUR\n#End\n"
        "Hong_Kong:dollar HKD 0.1 0 EUR\n");
    EXPECT_EQ(conv.getStatus(), 0);
    ASSERT_EQ(conv.getCount(), 3);
    EXPECT_EQ(conv.getUnits()[2].m_sName, "Hong Kong:dollar");
    double factor = 0, offset = 0;
    bool reciprocal = false;
    ASSERT_EQ(conv.compareUnits("EUR", "USD", factor, offset, reciprocal), 1);
    EXPECT_DOUBLE_EQ(factor, 1 / 0.9);
    ASSERT_EQ(conv.compareUnits("USD", "HKD", factor, offset, reciprocal), 1);
    EXPECT_DOUBLE_EQ(factor, 9);
}

TEST(OpenFlat, MalformedLineAndMissingFile) {
    CUnitConvert conv;
    conv.openFileText("Euro EUR !\nUS_dollar USD 0.9\nYen JPY 0.006 0 EUR\n");
    EXPECT_EQ(conv.getStatus(), 2);
    EXPECT_EQ(conv.getCount(), 1);
    conv.openFile("/nonexistent/currency.dat");
    EXPECT_EQ(conv.getStatus(), -1);
    EXPECT_EQ(conv.getCount(), 0);
    EXPECT_EQ(CUnitConvert::getDateFromFile("/nonexistent/currency.dat"), "");
}

TEST(OpenGroup, ReplacesTheLoadedUnits) {
    CUnitConvert conv = loaded("Length");
    conv.openGroupText("Temperature", kSample);
    EXPECT_EQ(conv.getCount(), 5);
    EXPECT_EQ(conv.findUnits("km"), 0);
    conv.openGroup("Length", "/nonexistent/units.dat");
    EXPECT_EQ(conv.getStatus(), -1);
    EXPECT_EQ(conv.getCount(), 0);
}

}  // namespace
