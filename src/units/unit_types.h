// Records shared by the unit, currency and clothing-chart readers and the converter.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One unit of a group, or one row of a clothing chart.
//
// Unit: a value v in this unit equals v * m_dbFactor + m_dbOffset in the units of the definition, the
// product of m_arrNumer divided by the product of m_arrDenom. A unit with both lists empty is a base
// (standard) unit.
// Chart row: m_sName is the row's label and m_arrNumer its cells; the other fields are unused.
struct UNIT_STRUCT {
    std::string m_sName;    // as shown: underscores of the file turned into blanks
    std::string m_sSymbol;  // symbol or short name, underscores turned into blanks
    double m_dbFactor = 0;
    double m_dbOffset = 0;
    std::vector<std::string> m_arrNumer;  // names or symbols multiplied in the definition
    std::vector<std::string> m_arrDenom;  // names or symbols divided by

    int numerCount() const { return static_cast<int>(m_arrNumer.size()); }
    int denomCount() const { return static_cast<int>(m_arrDenom.size()); }
};

// One entry of a group list (unit groups or clothing charts).
struct UNIT_GROUP {
    std::string m_sName;    // underscores turned into blanks
    bool m_bType1 = false;  // type number 1
    bool m_bType2 = false;  // type number 2: listed, but not offered by the converter
    int m_iType = 0;
};

// Group type whose units are measured inversely (distance per volume against volume per distance); the
// offset field of its units only tells the two kinds apart.
constexpr int kReciprocalGroupType = 3;

// Capacities. A reader that reaches one stops reading and reports success with what it has.
constexpr std::size_t kMaxLoadedUnits = 3200;  // units held by one CUnitConvert
constexpr std::size_t kMaxListUnits =
    610;                                 // units or chart rows listed by CUnits::getUnits / getSpecialUnits
constexpr std::size_t kMaxGroups = 200;  // entries of a group list
constexpr std::size_t kMaxChartCells = 200;  // cells of one clothing-chart row

// Read statuses (besides a positive line number for a malformed line, and 0 for none).
constexpr int kStatusNoFile = -1;
constexpr int kStatusNotConvertible = -2;
constexpr int kStatusUnitNotFound = -3;
