// CUnitConvert: the loaded units of one group (or the currency table) and the conversion between two of
// them.
//
// Units are defined in terms of other units down to base units. To convert, both units are expanded to base
// units (standardizeUnits), what stands both above and below the fraction line is cancelled (reduceUnits),
// and what is left must match. Offsets (temperature-like units) survive only where a unit is defined
// directly in terms of the other or of a base unit; a unit with an offset is never expanded inside another.
#pragma once

#include <string>
#include <vector>

#include "units/line_source.h"
#include "units/unit_types.h"

class CUnitConvert {
  public:
    CUnitConvert();
    virtual ~CUnitConvert() = default;

    // Replaces the loaded units by every unit line of a flat file (the currency table): sections are
    // ignored, only tabs and line breaks read as blanks (":" stays), lines starting with "#" or "@" are
    // skipped, lines are read 254 characters at a time, at most kMaxLoadedUnits units. Status: 0, -1 when
    // the file cannot be opened (no units then), or the number of a malformed line (units before it kept).
    void openFile(const std::string& path);
    // openFile over text held in memory (a downloaded table, tests, fuzzing).
    void openFileText(const std::string& text);

    // Replaces the loaded units by those of the first section `section` of a sectioned units file and takes
    // over its type number (see CUnits::getUnits2). Status as openFile.
    void openGroup(const std::string& section, const std::string& path);
    // openGroup over text held in memory.
    void openGroupText(const std::string& section, const std::string& text);

    // 1-based index of the first loaded unit whose name or symbol equals text exactly; 0 if none.
    int findUnits(const std::string& text) const;
    // 1 when some loaded unit whose name or symbol equals text is a base unit, else 0.
    int inStandard(const std::string& text) const;

    // Deep copy of a record, and release of a record's contents (it becomes an empty record).
    static void copyUnits(UNIT_STRUCT& to, const UNIT_STRUCT& from);
    static void deleteUnits(UNIT_STRUCT& record);

    // Rewrites record in base units: every numerator, then every denominator item that names a loaded,
    // non-base unit without offset is replaced by that unit's own (expanded) definition and the factor
    // scaled accordingly. Names that are no loaded unit and units with an offset stay as they are. A unit
    // already being expanded is not expanded again inside itself, so circular definitions end.
    void standardizeUnits(UNIT_STRUCT& record) const;
    // Cancels each numerator item against the first equal, still unpaired denominator item, then drops
    // every remaining item "1". Order of the rest, name, symbol, factor and offset are kept.
    static void reduceUnits(UNIT_STRUCT& record);
    // 1 when a and b hold the same numerator (denominator) items, counted as multisets.
    static int isSameNumer(const UNIT_STRUCT& a, const UNIT_STRUCT& b);
    static int isSameDenom(const UNIT_STRUCT& a, const UNIT_STRUCT& b);

    // Factor and offset with value in `to` = value in `from` * factor + offset. Works on copies. Returns 0
    // when the units are not convertible (different dimensions, a zero factor to divide by, or a result
    // that is not finite), 1 otherwise.
    int compareUnits(UNIT_STRUCT from, UNIT_STRUCT to, double& factor, double& offset) const;
    // The same for two loaded units named by name or symbol. In a reciprocal group (type 3) units of the
    // same kind (equal offsets) scale by to.factor / from.factor; units of the two kinds set reciprocal and
    // give factor = from.factor * to.factor, for value in `to` = factor / value. Returns 1, or 0 with status
    // -3 (a name not found) or -2 (not convertible).
    int compareUnits(const std::string& from, const std::string& to, double& factor, double& offset,
                     bool& reciprocal);

    // First line of a file (at most 255 characters, with its line break); empty when it cannot be opened.
    static std::string getDateFromFile(const std::string& path);

    // See unit_text.h and CUnits.
    static void trimLeft(std::string& text);
    static void trimRight(std::string& text);
    static int findWord(std::string& word, std::string& line);
    static void analyseExpression(UNIT_STRUCT& record, const std::string& word);

    const std::vector<UNIT_STRUCT>& getUnits() const { return m_arrUnits; }
    int getCount() const { return static_cast<int>(m_arrUnits.size()); }
    int getType() const { return m_iType; }
    int getStatus() const { return m_iStatus; }

  private:
    void loadFlat(LineSource& src);
    int expandableUnit(const std::string& item, const std::vector<int>& active) const;
    void expand(UNIT_STRUCT& record, std::vector<int>& active) const;

    std::vector<UNIT_STRUCT> m_arrUnits;  // at most kMaxLoadedUnits
    int m_iType = 0;
    int m_iStatus = 0;
};

// Applies a conversion: value * factor + offset, or factor / value when reciprocal (0 for a value of 0).
double ApplyConversion(double value, double factor, double offset, bool reciprocal);
