// Units as people type them (the terminal converter), over the shipped data and alias table.
#include "units/unit_lookup.h"

#include <gtest/gtest.h>

#include "units/units_reader.h"

namespace {

const UnitDataFiles kFiles = UnitDataFiles::in(ORV_SOURCE_DATA_DIR);
const std::string kAliases = std::string(ORV_SOURCE_DATA_DIR) + "/unitalias.dat";

const UnitDirectory& Directory() {
    static const UnitDirectory d = UnitDirectory::load(kFiles, kAliases);
    return d;
}

TEST(UnitLookup, TypedPairsFindTheirUnits) {
    struct Row {
        const char* from;
        const char* to;
        const char* group;
        const char* fromSymbol;
        const char* toSymbol;
    };
    const Row rows[] = {
        {"degC", "degF", "Temperature", "degC", "degF"},  // as the file writes them
        {"°C", "°F", "Temperature", "degC", "degF"},      // alias table
        {"Celsius", "fahrenheit", "Temperature", "degC", "degF"},
        {"deg C", "K", "Temperature", "degC", "K"},  // blanks inside a symbol
        {"°", "rad", "Angle", "deg", "rad"},
        {"gallon", "L", "Volume", "gal(US)", "L"},
        {"imperial gallon", "litre", "Volume", "gal(UK)", "L"},
        {"gal", "L", "Volume", "gal(US)", "L"},  // "gal" the galileo shares no group with L
        {"gal", "Gal", "Acceleration", "Gal", "Gal"},
        {"mpg", "L/100 km", "Fuel Consumption", "mpg(US)", "L/100km"},
        {"l/100km", "MPG UK", "Fuel Consumption", "L/100km", "mpg(UK)"},
        {"kph", "mph", "Speed", "km/h", "mph"},
        {"sq m", "sq ft", "Area", "m2", "ft2"},
        {"m²", "km²", "Area", "m2", "km2"},
        {"µm", "nm", "Length", "um", "nm"},
        {"KM", "MI", "Length", "km", "mi"},
        {"miles", "kilometers", "Length", "mi", "km"},  // plural, US spelling
        {"inches", "feet", "Length", "in", "ft"},
        {"2 centuries", "yr", "", "", ""},  // nothing to find: a number is no unit
        {"usd", "Euro", "Currency", "USD", "EUR"},
        {"€", "£", "Currency", "EUR", "GBP"},
        {"Calorie", "kJ", "Energy", "kcal", "kJ"},
        {"thm(EC)", "J", "Energy", "thm(EC)", "J"},
        {"c", "m/s", "Speed", "c", "m/s"},  // century or speed of light: the pair decides
        {"c", "yr", "Time", "c", "yr"},
    };
    for (const Row& r : rows) {
        const UnitPair p = ResolveUnitPair(Directory(), r.from, r.to);
        SCOPED_TRACE(std::string(r.from) + " -> " + r.to);
        if (*r.group == '\0') {
            EXPECT_EQ(p.status, kStatusUnitNotFound);
            continue;
        }
        ASSERT_EQ(p.status, 0) << p.text;
        EXPECT_EQ(p.group, r.group);
        EXPECT_EQ(p.from.symbol, r.fromSymbol);
        EXPECT_EQ(p.to.symbol, r.toSymbol);
    }
}

TEST(UnitLookup, AmbiguousAndUnknownTextsSayWhich) {
    struct Row {
        const char* from;
        const char* to;
        int status;
        const char* text;
        std::vector<std::string> candidates;
    };
    const Row rows[] = {
        {"mw", "kW", kStatusAmbiguous, "mw", {"mW", "MW"}},
        {"kW", "mw", kStatusAmbiguous, "mw", {"mW", "MW"}},
        {"ton", "kg", kStatusAmbiguous, "ton", {"t", "ton(US)", "ton(UK)"}},
        {"therm", "MJ", kStatusAmbiguous, "therm", {"thm(EC)", "thm(US)", "thm(UK)"}},
        {"calorie", "J", kStatusAmbiguous, "calorie", {"cal", "cal(IT)"}},
        {"furlongish", "m", kStatusUnitNotFound, "furlongish", {}},
        {"m", "", kStatusUnitNotFound, "", {}},
        {"mi", "kg", kStatusNotConvertible, "", {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.from) + " -> " + r.to);
        const UnitPair p = ResolveUnitPair(Directory(), r.from, r.to);
        EXPECT_EQ(p.status, r.status);
        EXPECT_EQ(p.text, r.text);
        std::vector<std::string> symbols;
        for (const UnitMatch& m : p.candidates) symbols.push_back(m.symbol);
        std::sort(symbols.begin(), symbols.end());
        std::vector<std::string> expected = r.candidates;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(symbols, expected);
    }
}

TEST(UnitLookup, GroupFilterKeepsOneGroup) {
    EXPECT_EQ(ResolveUnitPair(Directory(), "rad", "Gy", "Radiation_Absorbed_Dose").group,
              "Radiation Absorbed Dose");
    EXPECT_EQ(ResolveUnitPair(Directory(), "rad", "deg", "radiation absorbed dose").status,
              kStatusUnitNotFound);
    EXPECT_EQ(ResolveUnitPair(Directory(), "L", "mL", "Luminance").from.name, "lambert");
    EXPECT_EQ(ResolveUnitPair(Directory(), "L", "mL").group, "Volume");
}

// Every alias of the table stands for a unit the data files hold, in the group it names.
TEST(UnitLookup, EveryAliasNamesAShippedUnit) {
    CUnits reader;
    reader.setFileName(kAliases);
    std::vector<UNIT_STRUCT> rows;
    ASSERT_EQ(reader.getSpecialUnits("Aliases", rows), 1);
    ASSERT_GE(rows.size(), 60u);
    for (const UNIT_STRUCT& row : rows) {
        SCOPED_TRACE(row.m_sName);
        ASSERT_FALSE(row.m_arrNumer.empty());
        std::string symbol = row.m_arrNumer[0];
        std::replace(symbol.begin(), symbol.end(), '_', ' ');
        bool found = false;
        for (const std::vector<UnitMatch>& level : Directory().findAll(row.m_sName))
            for (const UnitMatch& m : level) found = found || m.symbol == symbol;
        EXPECT_TRUE(found) << symbol;
    }
}

TEST(UnitLookup, MissingFilesFindNothing) {
    const UnitDirectory empty = UnitDirectory::load(UnitDataFiles::in("/nonexistent"), "/nonexistent/a.dat");
    EXPECT_TRUE(empty.find("m").empty());
    EXPECT_EQ(ResolveUnitPair(empty, "m", "km").status, kStatusUnitNotFound);
}

}  // namespace
