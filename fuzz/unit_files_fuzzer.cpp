// libFuzzer target: every reader of the unit-family files, and conversions between what they load, over
// arbitrary input. The readers take text from memory through the same line source as from files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "units/unit_convert.h"
#include "units/unit_format.h"
#include "units/units_reader.h"

namespace {

// The name after the first "Begin" in the text, so that the readers find a section in most inputs.
std::string firstSectionName(const std::string& text) {
    std::size_t at = text.find("Begin");
    if (at == std::string::npos) return "A";
    std::size_t start = text.find_first_not_of(" \t#:", at + 5);
    if (start == std::string::npos) return "A";
    std::size_t end = text.find_first_of(" \t\n:#", start);
    std::string name = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    for (char& c : name)
        if (c == '_') c = ' ';
    return name;
}

void check(bool condition) {
    if (!condition) std::abort();
}

// A read's result and the status it left: 1 with status 0, or 0 with a line number.
void checkRead(const CUnits& reader, int result) {
    int status = reader.getStatus();
    check((result == 1 && status == 0) || (result == 0 && status > 0));
}

void convertPairs(CUnitConvert& conv) {
    const std::vector<UNIT_STRUCT>& units = conv.getUnits();
    std::size_t n = units.size() < 12 ? units.size() : 12;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j) {
            double factor = 0, offset = 0;
            bool reciprocal = false;
            if (conv.compareUnits(units[i].m_sSymbol, units[j].m_sSymbol, factor, offset, reciprocal)) {
                double v = ApplyConversion(2.5, factor, offset, reciprocal);
                FormatUnitResult(v);
                FormatCurrencyResult(v);
            }
        }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string section = firstSectionName(text);

    CUnits reader;
    reader.setText(text);
    std::vector<UNIT_STRUCT> units;
    checkRead(reader, reader.getUnits(section, units));
    check(units.size() <= kMaxListUnits);
    int type = 0;
    checkRead(reader, reader.getUnits2(section, units, type));
    std::vector<UNIT_GROUP> groups;
    checkRead(reader, reader.getGroupConvertNew(groups));
    check(groups.size() <= kMaxGroups);
    checkRead(reader, reader.getSpecialUnits(section, units));
    for (const UNIT_STRUCT& row : units) check(row.m_arrNumer.size() <= kMaxChartCells);

    CUnitConvert conv;
    conv.openGroupText(section, text);
    check(conv.getStatus() >= 0 && conv.getCount() <= static_cast<int>(kMaxLoadedUnits));
    convertPairs(conv);
    conv.openFileText(text);
    check(conv.getStatus() >= 0);
    convertPairs(conv);

    trimZero(text.substr(0, 64));
    return 0;
}
