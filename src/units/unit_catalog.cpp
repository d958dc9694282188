#include "units/unit_catalog.h"

#include <filesystem>

#include "units/data_path.h"
#include "units/unit_convert.h"
#include "units/unit_text.h"
#include "units/units_reader.h"

namespace {

UnitConversion convertLoaded(CUnitConvert& conv, const std::string& from, const std::string& to,
                             double value) {
    UnitConversion r;
    if (conv.getStatus() != 0) {
        r.status = conv.getStatus();
        return r;
    }
    if (!conv.compareUnits(from, to, r.factor, r.offset, r.reciprocal)) {
        r.status = conv.getStatus();
        return r;
    }
    r.value = ApplyConversion(value, r.factor, r.offset, r.reciprocal);
    return r;
}

}  // namespace

UnitDataFiles UnitDataFiles::in(const std::string& dir) {
    namespace fs = std::filesystem;
    auto at = [&](const char* name) { return (fs::path(dir) / name).string(); };
    return {at("units.dat"), at("groupunits.dat"), at("currency.dat"), at("clothing.dat"),
            at("groupclothing.dat")};
}

UnitDataFiles UnitDataFiles::shipped() {
    return in(DataDirectory());
}

std::vector<UNIT_GROUP> ListConverterGroups(const std::string& groupFile) {
    std::vector<UNIT_GROUP> groups;
    CUnits reader;
    reader.getGroupConvertNew(groups, groupFile);
    std::erase_if(groups, [](const UNIT_GROUP& g) { return g.m_bType2; });
    return groups;
}

std::vector<UNIT_STRUCT> ListGroupUnits(const std::string& unitsFile, const std::string& group) {
    std::vector<UNIT_STRUCT> units;
    CUnits reader;
    reader.setFileName(unitsFile);
    reader.getUnits(group, units);
    return units;
}

UnitConversion ConvertInGroup(const std::string& unitsFile, const std::string& group, const std::string& from,
                              const std::string& to, double value) {
    CUnitConvert conv;
    conv.openGroup(group, unitsFile);
    UnitConversion r = convertLoaded(conv, from, to, value);
    r.group = group;
    return r;
}

UnitConversion ConvertUnitValue(const UnitDataFiles& files, const std::string& from, const std::string& to,
                                double value) {
    std::vector<UNIT_GROUP> groups = ListConverterGroups(files.groups);
    CUnitConvert conv;
    for (const UNIT_GROUP& g : groups) {
        conv.openGroup(g.m_sName, files.units);
        if (conv.getStatus() != 0) {
            UnitConversion r;
            r.status = conv.getStatus();
            return r;
        }
        if (conv.findUnits(from) == 0 || conv.findUnits(to) == 0) continue;
        UnitConversion r = convertLoaded(conv, from, to, value);
        r.group = g.m_sName;
        return r;
    }
    UnitConversion r;
    r.status = groups.empty() ? kStatusNoFile : kStatusUnitNotFound;
    return r;
}

UnitConversion ConvertCurrency(const std::string& currencyFile, const std::string& from,
                               const std::string& to, double value) {
    CUnitConvert conv;
    conv.openFile(currencyFile);
    UnitConversion r = convertLoaded(conv, from, to, value);
    r.group = kCurrencyGroupName;
    return r;
}

std::string CurrencyTableDate(const std::string& currencyFile) {
    std::string line = CUnitConvert::getDateFromFile(currencyFile);
    std::size_t blank = line.find(' ');
    if (blank == std::string::npos) return {};
    std::string date = line.substr(blank + 1);
    unit_text::trimRight(date);
    unit_text::trimLeft(date);
    return date;
}

std::string CurrencyCaption(const std::string& currencyFile) {
    return std::string(kCurrencyGroupName) + " (" + CurrencyTableDate(currencyFile) + ")";
}

std::vector<UNIT_GROUP> ListClothingCharts(const std::string& clothingGroupFile) {
    std::vector<UNIT_GROUP> charts;
    CUnits reader;
    reader.getGroupConvertNew(charts, clothingGroupFile);
    return charts;
}

std::vector<UNIT_STRUCT> ReadClothingChart(const std::string& clothingFile, const std::string& chart) {
    std::vector<UNIT_STRUCT> rows;
    CUnits reader;
    reader.setFileName(clothingFile);
    reader.getSpecialUnits(chart, rows);
    return rows;
}
