// The result screens of the loan and mortgage forms, as far as they are alike: a title, summary lines and
// a table of ready-made texts, and that table as tab-separated text (copy), as CSV (save) and as aligned
// plain text (the terminal).
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// A table of texts: column captions, rows of cells (one per column) and the rows shown highlighted (a
// year's total row).
struct FinanceTable {
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
    std::vector<int> highlighted;  // row indices, ascending

    // One line per row after the caption line, cells separated by a tab, lines ended by "\n". Cells lose
    // the leading blanks of their printf widths, which only align the phone's columns.
    std::string tabSeparated() const;
    // The same as comma-separated values; a cell holding a comma, a quote or a line break is quoted with
    // its quotes doubled.
    std::string csv() const;
    // Columns right-aligned to their widest cell, separated by two blanks (the terminal's table).
    std::string aligned() const;
    // {"columns": [...], "rows": [[...], ...], "highlighted": [...]}.
    nlohmann::json json() const;
};

class FinanceResultView {
  public:
    static constexpr const char* kTitle = "Calculator Results";

    virtual ~FinanceResultView() = default;

    // The summary lines above the table, in screen order.
    virtual std::vector<std::string> summaryLines() const = 0;
    // The table as the screen lists it.
    virtual FinanceTable table() const = 0;

    // {"title", "summary": [...], "columns", "rows", "highlighted"} (see FinanceTable::json).
    nlohmann::json describe() const;
};
