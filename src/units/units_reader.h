// CUnits: reader of the sectioned data files (units by group, group lists, clothing charts).
//
// Grammar, shared by every file: tabs, ":" and line breaks read as blanks and lines are trimmed; empty
// lines are skipped. A line starting with "#" is a header or a comment: with every "#" read as a blank, a
// first word "Begin" (any case) opens a section named by the next word (underscores read as blanks) and, in
// group files and getUnits2, followed by a decimal type number; "End" closes the innermost section; any
// other "#" line is a comment. Every other line is a data line and counts only inside the requested section
// (nested sections included). Unit data line: name, symbol, then "!" for a base unit, or factor, offset
// and the name or symbol of the unit it is defined in. A Begin without its name (or type number where one
// is read), or a unit line cut short, ends the read with the line's number as status.
//
// Each read opens, reads and closes its input; between reads only the file name (or text) is kept.
#pragma once

#include <string>
#include <vector>

#include "units/line_source.h"
#include "units/unit_types.h"

class CUnits {
  public:
    CUnits() = default;
    virtual ~CUnits() = default;

    // Path read by the next getUnits / getUnits2 / getSpecialUnits / getGroupConvertNew(groups).
    void setFileName(const std::string& path);
    // Reads the given text instead of a file (a downloaded table held in memory, tests, fuzzing).
    void setText(std::string text);

    // The units of every section called `section`, in file order, from index 0 of units (which is cleared).
    // Lines are read 255 characters at a time. At most `capacity` units are kept: reaching it ends the read.
    // Returns 1 at the end of the file (or at the capacity), 0 on a malformed line (status = its number,
    // the units before it kept) or when the file cannot be opened (status -1).
    int getUnits(const std::string& section, std::vector<UNIT_STRUCT>& units,
                 std::size_t capacity = kMaxListUnits);

    // The units of the first section called `section` and its type number (0 when the section is missing).
    // Lines are read 511 characters at a time; only a line whose very first character is "#" can be a
    // header (an indented "#" line is a comment). Returns 1 at that section's End or at the end of the file,
    // 0 as getUnits.
    int getUnits2(const std::string& section, std::vector<UNIT_STRUCT>& units, int& type,
                  std::size_t capacity = kMaxLoadedUnits);

    // The groups of a group file: one entry per depth-1 section, recorded at its End, except sections whose
    // name begins with "Constant" (any case). Lines are read 255 characters at a time; every Begin needs a
    // type number. At most kMaxGroups entries. Returns 1 at the end of the file, 0 on a malformed header or a
    // missing file (status as getUnits). The overload with a path reads that file (and keeps it as the
    // file name); the other reads the current file or text.
    int getGroupConvertNew(std::vector<UNIT_GROUP>& groups, const std::string& path);
    int getGroupConvertNew(std::vector<UNIT_GROUP>& groups);

    // The rows of the clothing chart `section`: per data line, the first word is the label (underscores as
    // blanks), every further word a cell as written (at most kMaxChartCells). Lines are read 2047 characters
    // at a time; at most kMaxListUnits rows. Returns 1 at the section's End or the end of the file, 0 as
    // getUnits.
    int getSpecialUnits(const std::string& section, std::vector<UNIT_STRUCT>& rows);

    // Makes word (underscores as blanks) the record's only numerator item, with no denominators.
    static void analyseExpression(UNIT_STRUCT& record, const std::string& word);
    // See unit_text.h.
    static int findWord(std::string& word, std::string& line);
    static void trimLeft(std::string& text);
    static void trimRight(std::string& text);

    // -1 when the input could not be opened, the number of the malformed line that ended the last read, or
    // 0 when the last read went well.
    int getStatus() const { return m_iStatus; }

  private:
    LineSource openSource() const;

    std::string m_sFileName;
    std::string m_sText;
    bool m_bFromText = false;
    int m_iStatus = 0;
};

// Parses a unit data line (already normalised: blanks only, trimmed) into unit. False when the line ends
// before the symbol, before the third word, or (for a non-base unit) before the fifth word. Shared with the
// flat reader of CUnitConvert.
bool ParseUnitLine(std::string line, UNIT_STRUCT& unit);
