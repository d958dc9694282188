// CConstant: reader of the constants library files.
//
// The group file lists the top-level groups as depth-1 sections; the constants file nests the same groups,
// their sub-groups (and, for groups of a type other than 0, sub-sub-groups) as sections, with the constants
// as data lines inside the innermost ones. Headers: "#Begin <name> <type>" and "#End" (first 5 and first 3
// letters compared without regard to case); a name is one word with underscores for blanks. A constant line
// holds the name and the value as two words (underscores for blanks; the value may carry its unit after a
// blank). Each read opens, reads and closes its file; a malformed line ends it with the line's number as
// status, a missing file with -1.
#pragma once

#include <string>
#include <vector>

#include "constants/constant_lines.h"
#include "constants/constant_types.h"

class CConstant {
  public:
    CConstant() = default;
    virtual ~CConstant() = default;

    // Paths of the constants file and the group file. A path longer than kMaxConstantPath characters is
    // not kept: reads of that file then fail with status -1.
    void setFileName(const std::string& constantsPath, const std::string& groupPath);
    // Reads the given texts instead of files (tests, fuzzing).
    void setText(std::string constantsText, std::string groupText);

    // The top-level groups: each depth-1 section of the group file, recorded at its End, with its flag.
    // Every header needs a type number. At most kMaxConstantGroups. Returns 1 at the end of the file, 0 on
    // a malformed line or a missing file (see getStatus).
    int getGroupNew(std::vector<CONSTANT_GROUP>& groups);
    // The sections directly inside the first section called name (any depth) of the constants file, each
    // recorded at its End with its flag; every header needs a type number. Reads to the end of the file.
    // At most kMaxConstantSubGroups. Returns as getGroupNew.
    int getSubGroup(const std::string& name, std::vector<CONSTANT_GROUP>& groups);
    // Every constant line inside the first section called name (nested sections included); stops at that
    // section's End. At most kMaxConstants. Returns as getGroupNew.
    int getConstants(const std::string& name, std::vector<CONSTANT_STRUCT>& constants);

    // See constant_lines.h.
    static int findWord(std::string& word, std::string& line);
    static void trimLeft(std::string& text);
    static void trimRight(std::string& text);

    // -1 when the last read's file could not be opened, the number of the malformed line that ended it, or 0.
    int getStatus() const { return m_iStatus; }

  private:
    constant_lines::Source open(bool groupFile) const;

    std::string m_sConstPath;
    std::string m_sGroupPath;
    std::string m_sConstText;
    std::string m_sGroupText;
    bool m_bFromText = false;
    int m_iStatus = 0;
};
