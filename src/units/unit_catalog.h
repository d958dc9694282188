// Ready-made queries over the shipped data files, for programs that list and convert without a screen
// (the terminal calculator) and for the converter screens' captions.
#pragma once

#include <string>
#include <vector>

#include "units/unit_types.h"

// The unit converter's first group entry, which opens the clothing-size charts instead of a unit group.
constexpr const char* kClothingGroupName = "Clothing - Shoe Size & Other Charts";
// The single group of the currency converter.
constexpr const char* kCurrencyGroupName = "Currency";

// Paths of the five unit-family data files.
struct UnitDataFiles {
    std::string units;           // units by group
    std::string groups;          // the unit groups
    std::string currency;        // the currency table
    std::string clothing;        // clothing-size charts
    std::string clothingGroups;  // the chart list

    // The files named units.dat, groupunits.dat, currency.dat, clothing.dat and groupclothing.dat in dir.
    static UnitDataFiles in(const std::string& dir);
    // The same in DataDirectory().
    static UnitDataFiles shipped();
};

// Outcome of one conversion. status: 0 done; -1 a file missing; a line number of a malformed line; -2 not
// convertible; -3 a unit not found. value = ApplyConversion(input, factor, offset, reciprocal).
struct UnitConversion {
    int status = 0;
    double value = 0;
    double factor = 0;
    double offset = 0;
    bool reciprocal = false;
    std::string group;  // the group the units were found in
    bool ok() const { return status == 0; }
};

// The groups the unit converter offers, in file order: every group of the group file whose type is not 2.
// Empty when the file cannot be read.
std::vector<UNIT_GROUP> ListConverterGroups(const std::string& groupFile);

// The units of one group of the units file, in file order (at most kMaxListUnits).
std::vector<UNIT_STRUCT> ListGroupUnits(const std::string& unitsFile, const std::string& group);

// Converts value from unit `from` to unit `to` (names or symbols) of the group `group`.
UnitConversion ConvertInGroup(const std::string& unitsFile, const std::string& group, const std::string& from,
                              const std::string& to, double value);

// Converts between two units named by name or symbol, in the first offered group that holds both.
UnitConversion ConvertUnitValue(const UnitDataFiles& files, const std::string& from, const std::string& to,
                                double value);

// Converts an amount between two currencies (names or symbols) of a currency table.
UnitConversion ConvertCurrency(const std::string& currencyFile, const std::string& from,
                               const std::string& to, double value);

// The table's date: the first line's text after its first blank, trimmed; empty when there is none.
std::string CurrencyTableDate(const std::string& currencyFile);
// The currency group's caption, "Currency (<date>)".
std::string CurrencyCaption(const std::string& currencyFile);

// The clothing charts listed in the chart-group file, in file order.
std::vector<UNIT_GROUP> ListClothingCharts(const std::string& clothingGroupFile);
// The rows of one chart (label and cells); empty when the chart or file is missing.
std::vector<UNIT_STRUCT> ReadClothingChart(const std::string& clothingFile, const std::string& chart);
