// The whole constants library as one list, for programs that show it without the browsing panel.
#pragma once

#include <string>
#include <vector>

struct ConstantEntry {
    std::string group;        // top-level group
    std::string subGroup;     // its sub-group
    std::string subSubGroup;  // the sub-sub-group, for groups with two levels; empty otherwise
    std::string name;
    std::string value;  // as shown: the value, then possibly a blank and its unit
};

// Every constant of every group in file order, walked the way the panel offers them: group, sub-group,
// (sub-sub-group,) constant. Empty when the files cannot be read.
std::vector<ConstantEntry> ListAllConstants(const std::string& constantsFile, const std::string& groupFile);
