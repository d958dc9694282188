// The statistics data file "orvane-statistic-data.dat" (documents folder), text:
//
//   line 1: the number of values ("%d"), CR LF;
//   line 2: every value followed by one blank, a whole number as "%.0f" and any other as "%.8f", then CR LF.
//
// An empty data set is an empty file. A file is read back only when line 1 holds a count of 1..512 and
// line 2 holds at least that many blank-separated numbers; anything else reads as no data set.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kStatisticDataFileName = "orvane-statistic-data.dat";
// Largest count a file may announce and still be read (a larger data set is saved but not read back).
inline constexpr int kMaxStatisticFileValues = 512;

// The whole file for values (empty for no values).
std::string StatisticFileText(const std::vector<double>& values);

// The values of a file; empty optional when the file is refused (see above). Lines may end with LF or
// CR LF; line 1 reads as atoi does, each value as atof does, and values beyond the count are ignored.
std::optional<std::vector<double>> ParseStatisticFile(std::string_view bytes);

// A value as the data screen shows it: "%.0f" for a whole number, else "%.8f" without its trailing zeros
// and then without a trailing "." (2.5 shows as "2.5", 3 as "3").
std::string formatString(double value);
