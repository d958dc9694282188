// The terminal calculator's catalogue commands: unit and currency conversion, the unit groups and the
// constants library, over the shipped data files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// --convert VALUE FROM TO [--group NAME]: prints the converted value as the converter screen shows it.
// VALUE is a number or an expression. Returns the exit status (1 for an unknown or unconvertible unit).
int RunConvert(const std::string& value, const std::string& from, const std::string& to,
               const std::string& group, std::ostream& out, std::ostream& err);

// --units [GROUP]: the converter's groups, or the units of a group with their symbols (the currency group
// lists the currencies, the clothing entry its charts, a chart its rows).
int RunUnits(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// --constants [GROUP [SUBGROUP]]: the groups, the sub-groups of a group, or the constants of a group or
// sub-group, each with its value and the text it inserts into the input line.
int RunConstants(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
