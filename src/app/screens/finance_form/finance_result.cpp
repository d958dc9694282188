#include "app/screens/finance_form/finance_result.h"

#include <algorithm>
#include <string_view>

namespace {

std::string_view WithoutLeadingBlanks(std::string_view cell) {
    const size_t first = cell.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : cell.substr(first);
}

std::string CsvCell(std::string_view cell) {
    cell = WithoutLeadingBlanks(cell);
    if (cell.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(cell);
    std::string out = "\"";
    for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// Joins the caption line and the rows, each cell through `cell`, with `separator` between cells.
template <typename CellFn>
std::string Join(const FinanceTable& t, char separator, CellFn cell) {
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t k = 0; k < cells.size(); ++k) {
            if (k > 0) out += separator;
            out += cell(cells[k]);
        }
        out += '\n';
    };
    line(t.columns);
    for (const auto& row : t.rows) line(row);
    return out;
}

}  // namespace

std::string FinanceTable::tabSeparated() const {
    return Join(*this, '\t', [](const std::string& c) { return std::string(WithoutLeadingBlanks(c)); });
}

std::string FinanceTable::csv() const {
    return Join(*this, ',', [](const std::string& c) { return CsvCell(c); });
}

std::string FinanceTable::aligned() const {
    std::vector<size_t> widths;
    for (const std::string& c : columns) widths.push_back(c.size());
    for (const auto& row : rows)
        for (size_t k = 0; k < row.size() && k < widths.size(); ++k)
            widths[k] = std::max(widths[k], WithoutLeadingBlanks(row[k]).size());
    std::string out;
    auto line = [&](const std::vector<std::string>& cells) {
        for (size_t k = 0; k < cells.size() && k < widths.size(); ++k) {
            const std::string_view cell = WithoutLeadingBlanks(cells[k]);
            if (k > 0) out += "  ";
            out.append(widths[k] - std::min(widths[k], cell.size()), ' ');
            out += cell;
        }
        out += '\n';
    };
    line(columns);
    for (const auto& row : rows) line(row);
    return out;
}

nlohmann::json FinanceTable::json() const {
    return nlohmann::json{{"columns", columns}, {"rows", rows}, {"highlighted", highlighted}};
}

nlohmann::json FinanceResultView::describe() const {
    nlohmann::json j = table().json();
    j["title"] = kTitle;
    j["summary"] = summaryLines();
    return j;
}
