// Records of the constants library.
#pragma once

#include <cstddef>
#include <string>

// A group or sub-group of the library.
struct CONSTANT_GROUP {
    std::string m_sName;   // underscores of the file turned into blanks
    bool m_bFlag = false;  // type number not 0: the group has two sub-group levels
};

// One constant or formula.
struct CONSTANT_STRUCT {
    std::string m_sName;   // underscores turned into blanks
    std::string m_sValue;  // the value, then optionally a blank and its unit or a note
};

// Capacities of the lists; a read that reaches one stops and reports success.
constexpr std::size_t kMaxConstantGroups = 150;
constexpr std::size_t kMaxConstantSubGroups = 150;
constexpr std::size_t kMaxConstants = 100;

// Longest file path CConstant accepts (its paths are kept in 256-byte fields).
constexpr std::size_t kMaxConstantPath = 255;

// Status of a read whose file could not be opened.
constexpr int kConstantNoFile = -1;
