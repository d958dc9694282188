// The shipped data files: every file loads, every unit converts to its group's base unit, and a few dozen
// conversions agree with independently known values.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>

#include "units/unit_catalog.h"
#include "units/unit_convert.h"
#include "units/units_reader.h"

namespace {

const UnitDataFiles kFiles = UnitDataFiles::in(ORV_SOURCE_DATA_DIR);

TEST(ShippedUnits, EveryGroupLoadsWithOneBaseAndAllUnitsConvert) {
    std::vector<UNIT_GROUP> groups;
    CUnits reader;
    ASSERT_EQ(reader.getGroupConvertNew(groups, kFiles.groups), 1);
    std::vector<UNIT_GROUP> offered = ListConverterGroups(kFiles.groups);
    EXPECT_EQ(groups.size(), offered.size() + 1) << "only the currency entry is hidden";
    std::size_t total = 0;
    for (const UNIT_GROUP& g : offered) {
        SCOPED_TRACE(g.m_sName);
        CUnitConvert conv;
        conv.openGroup(g.m_sName, kFiles.units);
        ASSERT_EQ(conv.getStatus(), 0);
        EXPECT_EQ(conv.getType(), g.m_iType);
        ASSERT_GE(conv.getCount(), 4);
        total += static_cast<std::size_t>(conv.getCount());
        std::vector<std::string> bases;
        for (const UNIT_STRUCT& u : conv.getUnits())
            if (u.m_arrNumer.empty()) bases.push_back(u.m_sSymbol);
        ASSERT_EQ(bases.size(), 1u);
        for (const UNIT_STRUCT& u : conv.getUnits()) {
            SCOPED_TRACE(u.m_sName);
            EXPECT_EQ(conv.findUnits(u.m_sName), conv.findUnits(u.m_sSymbol))
                << "names and symbols are unique";
            for (const UNIT_STRUCT& v : conv.getUnits()) {
                double factor = 0, offset = 0;
                bool reciprocal = false;
                ASSERT_EQ(conv.compareUnits(u.m_sSymbol, v.m_sSymbol, factor, offset, reciprocal), 1)
                    << v.m_sName;
                EXPECT_TRUE(std::isfinite(factor) && factor != 0) << v.m_sName;
            }
        }
        // The list the screen reads agrees with what the converter loads.
        EXPECT_EQ(ListGroupUnits(kFiles.units, g.m_sName).size(), static_cast<std::size_t>(conv.getCount()));
    }
    EXPECT_GE(offered.size(), 28u);
    EXPECT_GE(total, 300u);
}

struct KnownValue {
    const char* group;
    const char* from;
    const char* to;
    double value;
    double expected;
};

std::ostream& operator<<(std::ostream& os, const KnownValue& c) {
    return os << c.group << ": " << c.value << " " << c.from << " -> " << c.to;
}

class ShippedConversion : public ::testing::TestWithParam<KnownValue> {};

TEST_P(ShippedConversion, MatchesKnownValue) {
    const KnownValue& c = GetParam();
    UnitConversion r = ConvertInGroup(kFiles.units, c.group, c.from, c.to, c.value);
    ASSERT_TRUE(r.ok()) << r.status;
    EXPECT_NEAR(r.value, c.expected, 1e-9 * std::fabs(c.expected) + 1e-9);
}

constexpr double kPi = std::numbers::pi;

INSTANTIATE_TEST_SUITE_P(
    Known, ShippedConversion,
    ::testing::Values(
        KnownValue{"Length", "mi", "m", 1, 1609.344}, KnownValue{"Length", "in", "cm", 1, 2.54},
        KnownValue{"Length", "nmi", "ft", 1, 6076.115485564304},
        KnownValue{"Length", "au", "km", 1, 149597870.7},
        KnownValue{"Length", "pc(astro)", "ly", 1, 3.261563777167433},
        KnownValue{"Length", "ft(US)", "m", 3937, 1200}, KnownValue{"Area", "ac", "m2", 1, 4046.8564224},
        KnownValue{"Area", "mi2", "km2", 1, 2.589988110336},
        KnownValue{"Area", "ha", "ac", 1, 2.471053814671653},
        KnownValue{"Volume", "gal(US)", "L", 1, 3.785411784},
        KnownValue{"Volume", "gal(UK)", "L", 1, 4.54609},
        KnownValue{"Volume", "fl oz(US)", "mL", 1, 29.5735295625},
        KnownValue{"Volume", "bbl", "L", 1, 158.987294928}, KnownValue{"Mass", "lb", "kg", 1, 0.45359237},
        KnownValue{"Mass", "oz", "g", 1, 28.349523125}, KnownValue{"Mass", "ozt", "g", 1, 31.1034768},
        KnownValue{"Mass", "st", "kg", 1, 6.35029318},
        KnownValue{"Mass", "slug", "kg", 1, 14.593902937206364}, KnownValue{"Time", "wk", "s", 1, 604800},
        KnownValue{"Time", "yr", "d", 1, 365.2425}, KnownValue{"Speed", "mph", "km/h", 1, 1.609344},
        KnownValue{"Speed", "kn", "m/s", 1, 1852.0 / 3600}, KnownValue{"Speed", "km/h", "m/s", 36, 10},
        KnownValue{"Acceleration", "g0", "ft/s2", 1, 32.17404855643044},
        KnownValue{"Force", "lbf", "N", 1, 4.4482216152605}, KnownValue{"Force", "kgf", "dyn", 1, 980665},
        KnownValue{"Pressure", "atm", "Pa", 1, 101325},
        KnownValue{"Pressure", "atm", "psi", 1, 14.695948775513450},
        KnownValue{"Pressure", "Torr", "Pa", 760, 101325}, KnownValue{"Pressure", "bar", "kPa", 1, 100},
        KnownValue{"Pressure", "inHg", "Pa", 1, 3386.388640341}, KnownValue{"Energy", "kWh", "MJ", 1, 3.6},
        KnownValue{"Energy", "kcal", "kJ", 1, 4.184}, KnownValue{"Energy", "Btu", "J", 1, 1055.05585262},
        KnownValue{"Energy", "eV", "J", 1, 1.602176634e-19},
        KnownValue{"Energy", "ft*lbf", "J", 1, 1.3558179483314004},
        KnownValue{"Power", "hp", "W", 1, 745.69987158227022}, KnownValue{"Power", "PS", "W", 1, 735.49875},
        KnownValue{"Power", "TR", "W", 1, 3516.8528420666667},
        KnownValue{"Temperature", "degC", "degF", 100, 212}, KnownValue{"Temperature", "degF", "degC", 32, 0},
        KnownValue{"Temperature", "degC", "K", -273.15, 0},
        KnownValue{"Temperature", "degF", "K", -459.67, 0},
        KnownValue{"Temperature", "degR", "degF", 0, -459.67},
        KnownValue{"Temperature", "degRe", "degC", 80, 100},
        KnownValue{"Temperature", "K", "degC", 0, -273.15}, KnownValue{"Angle", "rev", "deg", 1, 360},
        KnownValue{"Angle", "deg", "rad", 180, kPi}, KnownValue{"Angle", "gon", "deg", 100, 90},
        KnownValue{"Angle", "mil", "deg", 1600, 90}, KnownValue{"Frequency", "rpm", "Hz", 60, 1},
        KnownValue{"Frequency", "rad/s", "Hz", 2 * kPi, 1}, KnownValue{"Density", "g/cm3", "kg/m3", 1, 1000},
        KnownValue{"Density", "lb/ft3", "kg/m3", 1, 16.018463373960138},
        KnownValue{"Data Storage", "GiB", "B", 1, 1073741824},
        KnownValue{"Data Storage", "KiB", "bit", 1, 8192},
        KnownValue{"Data Storage", "MiB", "MB", 1, 1.048576},
        KnownValue{"Data Storage", "TB", "TiB", 1, 0.9094947017729282},
        KnownValue{"Data Rate", "MB/s", "Mbit/s", 1, 8}, KnownValue{"Data Rate", "Gbit/s", "MB/s", 1, 125},
        KnownValue{"Fuel Consumption", "L/100km", "mpg(US)", 10, 23.521458333333333},
        KnownValue{"Fuel Consumption", "mpg(US)", "mpg(UK)", 1, 1.2009499255049},
        KnownValue{"Fuel Consumption", "km/L", "L/100km", 20, 5},
        KnownValue{"Fuel Consumption", "mpg(UK)", "L/100km", 40, 7.0620234082955},
        KnownValue{"Fuel Consumption", "gal(US)/100mi", "L/100km", 1, 2.352145833333333},
        KnownValue{"Torque", "lbf*ft", "N*m", 1, 1.3558179483314004},
        KnownValue{"Torque", "kgf*m", "N*cm", 1, 980.665},
        KnownValue{"Flow Rate", "gpm(US)", "L/min", 1, 3.785411784},
        KnownValue{"Flow Rate", "m3/h", "L/s", 3.6, 1},
        KnownValue{"Flow Rate", "ft3/min", "L/s", 1, 0.4719474432},
        KnownValue{"Electric Current", "abA", "mA", 1, 10000},
        KnownValue{"Electric Charge", "A*h", "C", 1, 3600},
        KnownValue{"Electric Charge", "mA*h", "C", 1, 3.6},
        KnownValue{"Electric Potential", "kV", "mV", 1, 1e6},
        KnownValue{"Electric Resistance", "Mohm", "ohm", 1, 1e6},
        KnownValue{"Luminance", "fL", "cd/m2", 1, 3.4262590996353905},
        KnownValue{"Illuminance", "fc", "lx", 1, 10.763910416709722},
        KnownValue{"Radiation Activity", "Ci", "Bq", 1, 3.7e10},
        KnownValue{"Radiation Activity", "mCi", "MBq", 1, 37},
        KnownValue{"Radiation Absorbed Dose", "rad", "Gy", 100, 1},
        KnownValue{"Radiation Equivalent Dose", "rem", "mSv", 1, 10},
        KnownValue{"Radiation Exposure", "R", "C/kg", 1, 2.58e-4}));

TEST(ShippedUnits, FindsTheGroupFromTheUnitNames) {
    UnitConversion r = ConvertUnitValue(kFiles, "mile", "km", 26.2);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.group, "Length");
    EXPECT_NEAR(r.value, 42.1648128, 1e-9);
    r = ConvertUnitValue(kFiles, "degF", "degC", 212);
    EXPECT_EQ(r.group, "Temperature");
    EXPECT_NEAR(r.value, 100, 1e-9);
    EXPECT_EQ(ConvertUnitValue(kFiles, "m", "kg", 1).status, kStatusUnitNotFound);
    EXPECT_EQ(ConvertUnitValue(UnitDataFiles::in("/nonexistent"), "m", "km", 1).status, kStatusNoFile);
}

TEST(ShippedCurrency, DatedTableAgainstTheEuro) {
    EXPECT_EQ(CurrencyTableDate(kFiles.currency), "2023-12-29");
    EXPECT_EQ(CurrencyCaption(kFiles.currency), "Currency (2023-12-29)");
    CUnitConvert conv;
    conv.openFile(kFiles.currency);
    ASSERT_EQ(conv.getStatus(), 0);
    EXPECT_GE(conv.getCount(), 31);
    EXPECT_EQ(conv.inStandard("EUR"), 1);
    // The list read by section holds the same currencies as the flat table.
    std::vector<UNIT_STRUCT> listed;
    CUnits reader;
    reader.setFileName(kFiles.currency);
    ASSERT_EQ(reader.getUnits("Currency", listed), 1);
    ASSERT_EQ(listed.size(), static_cast<std::size_t>(conv.getCount()));
    for (const UNIT_STRUCT& c : listed) {
        SCOPED_TRACE(c.m_sSymbol);
        EXPECT_EQ(c.m_sSymbol.size(), 3u);
        double factor = 0, offset = 0;
        bool reciprocal = false;
        EXPECT_EQ(conv.compareUnits(c.m_sSymbol, "EUR", factor, offset, reciprocal), 1);
    }
    struct Rate {
        const char* from;
        const char* to;
        double expected;
    };
    for (Rate r : {Rate{"EUR", "USD", 1.1050}, Rate{"EUR", "JPY", 156.33}, Rate{"GBP", "EUR", 1 / 0.86905},
                   Rate{"USD", "JPY", 156.33 / 1.1050}, Rate{"CHF", "SEK", 11.0960 / 0.9260}}) {
        UnitConversion c = ConvertCurrency(kFiles.currency, r.from, r.to, 1);
        ASSERT_TRUE(c.ok()) << r.from << r.to;
        EXPECT_NEAR(c.value, r.expected, 1e-12 * r.expected) << r.from << " -> " << r.to;
    }
}

TEST(ShippedClothing, ChartsHaveAlignedRows) {
    std::vector<UNIT_GROUP> charts = ListClothingCharts(kFiles.clothingGroups);
    ASSERT_GE(charts.size(), 8u);
    for (const UNIT_GROUP& chart : charts) {
        SCOPED_TRACE(chart.m_sName);
        std::vector<UNIT_STRUCT> rows = ReadClothingChart(kFiles.clothing, chart.m_sName);
        ASSERT_GE(rows.size(), 3u);
        EXPECT_LE(rows.size(), 8u) << "the chart screen shows eight rows";
        EXPECT_EQ(rows[0].m_sName, "US");
        EXPECT_EQ(rows[1].m_sName, "UK");
        for (const UNIT_STRUCT& row : rows)
            EXPECT_EQ(row.m_arrNumer.size(), rows[0].m_arrNumer.size()) << row.m_sName;
    }
    std::vector<UNIT_STRUCT> rings = ReadClothingChart(kFiles.clothing, "Rings");
    ASSERT_GE(rings.size(), 3u);
    EXPECT_EQ(rings[0].m_arrNumer[4], "7");
    EXPECT_EQ(rings[2].m_arrNumer[4], "54");
}

TEST(ShippedFiles, LinesFitEveryReader) {
    namespace fs = std::filesystem;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(ORV_SOURCE_DATA_DIR)) {
        if (entry.path().extension() != ".dat") continue;
        ++files;
        std::ifstream in(entry.path());
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            EXPECT_LT(line.size(), 254u) << entry.path().filename() << ":" << number;
            EXPECT_EQ(line.find('\t'), std::string::npos) << entry.path().filename() << ":" << number;
        }
    }
    EXPECT_EQ(files, 8);
}

}  // namespace

namespace {

// Names used for several definitions carry the one meant, with its own value.
TEST(ShippedUnits, NamedConventions) {
    struct Row {
        const char* group;
        const char* name;
        const char* to;
        double expected;
    };
    const Row rows[] = {
        {"Energy", "therm (EC)", "J", 105506000},      // EU units directive, exact
        {"Energy", "therm (UK)", "J", 105505585.262},  // 10^5 Btu (IT)
        {"Energy", "therm (US)", "J", 105480400},      // NIST SP 811
        {"Energy", "calorie (thermochemical)", "J", 4.184},
        {"Energy", "calorie (International Table)", "J", 4.1868},
        {"Power", "calorie (thermochemical) per second", "W", 4.184},
        {"Power", "British thermal unit (IT) per hour", "W", 1055.05585262 / 3600},
        {"Energy", "horsepower-hour (mechanical)", "J", 745.69987158227022 * 3600},
        {"Length", "league (land)", "m", 3 * 1609.344},
        {"Length", "chain (Gunter's)", "ft", 66},
        {"Volume", "cup (US customary)", "mL", 236.5882365},
        {"Pressure", "millimetre of mercury (conventional)", "Pa", 133.322387415},
    };
    for (const Row& r : rows) {
        UnitConversion c = ConvertInGroup(kFiles.units, r.group, r.name, r.to, 1);
        ASSERT_TRUE(c.ok()) << r.name;
        EXPECT_NEAR(c.value, r.expected, 1e-12 * r.expected) << r.name;
    }
    // The unit added to the energy group comes last, so the positions the converter remembers stay.
    std::vector<UNIT_STRUCT> energy = ListGroupUnits(kFiles.units, "Energy");
    ASSERT_FALSE(energy.empty());
    EXPECT_EQ(energy.back().m_sName, "therm (UK)");
    EXPECT_EQ(energy[13].m_sName, "therm (EC)");
}

}  // namespace
