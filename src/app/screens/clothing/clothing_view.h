// The clothing-size charts, opened over the unit converter by its first group entry.
//
// A chart is a table of sizing systems: each row (at most kRows) has a label ("US", "UK", "EU" ...) and
// its sizes, column k of every row being the same size. The screen shows, per row, a button with the row's
// cell at the selected column ("N/A" where the row has no such cell); tapping it lists the row's cells, and
// choosing cell k selects column k for every row. Rows beyond the chart are disabled. The charts are
// listed in the chart-group file ("groupclothing.dat") and read from "clothing.dat" (resource folder).
// Nothing is stored.
//
// Screen interface:
//   tap  "row:N" (0..7)   open the cell list of row N (false for a disabled row)
//        "chart"          open the chart list
//        "close_list"     close the open list
//        "close"          close the screen (back to the unit converter)
//   pick "cells", K       select column K for every row (the list closes)
//        "charts", I      show chart I of the chart list (column 0; the list closes)
// describe(): "chart" (its name), "charts" (names), "column", "rows": kRows entries {"label", "text" (the
//   cell at the column, or "N/A"; "" for a disabled row), "enabled"}, "list" ("" | "cells" | "charts"),
//   "list_row" (the row whose cells are listed, -1 when none), "cells" (that row's cells).
#pragma once

#include <string>
#include <vector>

#include "app/screens/screen_host.h"
#include "units/unit_types.h"

class ClothingView : public ScreenModel {
  public:
    static constexpr int kRows = 8;

    explicit ClothingView(ScreenContext& context);

    const char* name() const override { return "clothing"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;
    // Shows the first chart when none is shown yet.
    void didShow() override;

    // Shows the chart of that name at column 0; false when the chart list does not hold it.
    bool showChart(const std::string& chart);
    // Selects column k for every row (k within the widest row).
    bool selectColumn(int column);

    const std::string& chartName() const { return m_sChart; }
    const std::vector<std::string>& charts() const { return m_arrCharts; }
    // Rows of the chart (at most kRows).
    const std::vector<UNIT_STRUCT>& rows() const { return m_arrRows; }
    int column() const { return m_nColumn; }
    // The text of row r's button: its cell at the column, "N/A" when it has none, "" beyond the chart.
    std::string cellText(int row) const;
    bool rowEnabled(int row) const { return row >= 0 && row < static_cast<int>(m_arrRows.size()); }

  private:
    ScreenContext m_context;
    std::string m_sClothingFile;
    std::vector<std::string> m_arrCharts;
    std::string m_sChart;
    std::vector<UNIT_STRUCT> m_arrRows;
    int m_nColumn = 0;
    std::string m_sOpenList;
    int m_nListRow = -1;
};
