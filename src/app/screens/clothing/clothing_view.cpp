#include "app/screens/clothing/clothing_view.h"

#include <algorithm>

#include "app/controller/orvane_view_controller.h"
#include "units/unit_catalog.h"

namespace {

constexpr const char* kNoCell = "N/A";

int RowOf(std::string_view element) {
    constexpr std::string_view prefix = "row:";
    if (element.substr(0, prefix.size()) != prefix || element.size() != prefix.size() + 1) return -1;
    const char c = element[prefix.size()];
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

}  // namespace

ClothingView::ClothingView(ScreenContext& context)
    : m_context(context), m_sClothingFile(ResourcePath(context.platform.storage, "clothing.dat")) {
    for (const UNIT_GROUP& g :
         ListClothingCharts(ResourcePath(context.platform.storage, "groupclothing.dat")))
        m_arrCharts.push_back(g.m_sName);
}

void ClothingView::didShow() {
    if (m_sChart.empty() && !m_arrCharts.empty()) showChart(m_arrCharts.front());
}

bool ClothingView::showChart(const std::string& chart) {
    if (std::find(m_arrCharts.begin(), m_arrCharts.end(), chart) == m_arrCharts.end()) return false;
    m_sChart = chart;
    m_arrRows = ReadClothingChart(m_sClothingFile, chart);
    if (m_arrRows.size() > static_cast<std::size_t>(kRows)) m_arrRows.resize(kRows);
    m_nColumn = 0;
    m_sOpenList.clear();
    m_nListRow = -1;
    changed();
    return true;
}

bool ClothingView::selectColumn(int column) {
    std::size_t widest = 0;
    for (const UNIT_STRUCT& row : m_arrRows) widest = std::max(widest, row.m_arrNumer.size());
    if (column < 0 || static_cast<std::size_t>(column) >= widest) return false;
    m_nColumn = column;
    changed();
    return true;
}

std::string ClothingView::cellText(int row) const {
    if (!rowEnabled(row)) return {};
    const std::vector<std::string>& cells = m_arrRows[static_cast<std::size_t>(row)].m_arrNumer;
    return static_cast<std::size_t>(m_nColumn) < cells.size() ? cells[static_cast<std::size_t>(m_nColumn)]
                                                              : kNoCell;
}

nlohmann::json ClothingView::describe() const {
    using nlohmann::json;
    json j;
    j["chart"] = m_sChart;
    j["charts"] = m_arrCharts;
    j["column"] = m_nColumn;
    json rows = json::array();
    for (int r = 0; r < kRows; ++r) {
        rows.push_back({{"label", rowEnabled(r) ? m_arrRows[static_cast<std::size_t>(r)].m_sName : ""},
                        {"text", cellText(r)},
                        {"enabled", rowEnabled(r)}});
    }
    j["rows"] = rows;
    j["list"] = m_sOpenList;
    j["list_row"] = m_sOpenList == "cells" ? m_nListRow : -1;
    j["cells"] = m_sOpenList == "cells" ? m_arrRows[static_cast<std::size_t>(m_nListRow)].m_arrNumer
                                        : std::vector<std::string>{};
    return j;
}

bool ClothingView::tap(std::string_view element) {
    if (const int row = RowOf(element); row >= 0) {
        if (!rowEnabled(row)) return false;
        m_sOpenList = "cells";
        m_nListRow = row;
    } else if (element == "chart") {
        m_sOpenList = "charts";
        m_nListRow = -1;
    } else if (element == "close_list") {
        if (m_sOpenList.empty()) return false;
        m_sOpenList.clear();
        m_nListRow = -1;
    } else if (element == "close") {
        m_sOpenList.clear();
        m_context.controller.HideScreen("clothing");
        return true;
    } else {
        return false;
    }
    changed();
    return true;
}

bool ClothingView::pick(std::string_view list, int index) {
    if (list == "cells") {
        if (m_sOpenList != "cells") return false;
        const auto& cells = m_arrRows[static_cast<std::size_t>(m_nListRow)].m_arrNumer;
        if (index < 0 || index >= static_cast<int>(cells.size())) return false;
        m_sOpenList.clear();
        m_nListRow = -1;
        m_nColumn = index;
        changed();
        return true;
    }
    if (list == "charts") {
        if (index < 0 || index >= static_cast<int>(m_arrCharts.size())) return false;
        return showChart(m_arrCharts[static_cast<std::size_t>(index)]);
    }
    return false;
}
