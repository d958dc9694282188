// Where the shipped data files (units.dat, currency.dat, const.dat, ...) are found at run time.
#pragma once

#include <string>

// The data directory: $ORVCALC_DATA_DIR when set and not empty (taken as it is); otherwise the first of
// <executable's folder>/data, <executable's folder>/../share/orvane-calculator/data and the source tree's
// data folder (for programs run from a build tree) that holds "units.dat". Empty when none does.
std::string DataDirectory();

// DataDirectory() joined with a file name, e.g. DataFilePath("units.dat"); just the name when no data
// directory is found (so that opening it fails the usual way).
std::string DataFilePath(const std::string& fileName);
