// The statistics data screen ("Statistics Data"), opened over the calculator by key 163.
//
// A one-column data set as rows of (value, count), typed on the screen's own 16-key keypad into the
// entry row ("Entry") or into a selected row. The data set lives in the engine's list register 29, which
// the statistics functions read as X (sum(X), avg(X), sdv(X) ...): it is read from the data file when
// the screen is created, rebuilt from the rows when the screen is left (every row's value count times, in
// row order) and written to the file at termination (rows with counts come back expanded).
//
// Keypad (pressKeypad 0..15): 0 enter, 1 backspace, 2..10 the digits 1..9, 11 the digit 0, 12 ".",
// 13 sign, 14 delete the selected row, 15 delete all rows (both ask "Warning!" with "YES"/"NO").
// Elements (tap): "entry" and "entry:value", "entry:count" (the entry row and its component),
// "row:N", "row:N:value", "row:N:count" (list row N from 0), "back" and "close" (leave the screen: the
// data set is rebuilt and "BackFromStatisticsDataView" is posted, so that the mode keyboard learns it too;
// "close" is what the shells' Back and Escape tap). Lists (pick): "rows" (as tap "row:N").
// describe(): "title" "Statistics Data"; "columns" ["No.", "Value", "Count"]; "entry_caption" "Entry";
// "rows" [{"no", "itemString", "countString"}]; "entry" {"itemString", "countString"}; "selected" (the
// row being edited, -1 for the entry row); "component" ("value" or "count"); "n_label" ("N: %d", the sum
// of the counts); "scroll_to_row" (the row the list shows after an entry, -1 when none); "alert" (the
// pending question: "", "delete_row" or "delete_all"); "keypad" (the role of each keypad index).
//
// Limits beyond the phone's: a value holds at most kMaxValueText characters, so that every value stays
// finite, and the counts of all rows together stay within kMaxStatisticFileValues, the most the data file
// gives back at the next start (a digit or an entry that would pass it is refused), so a saved data set is
// never lost.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/screens/screen_host.h"
#include "app/screens/statistics/matrix_data.h"

struct StatisticRow {
    std::string itemString = "0";   // the value as typed
    std::string countString = "1";  // the count as text
};

class StatisticDataView : public ScreenModel {
  public:
    static constexpr size_t kMaxValueText = 20;
    enum Component { kValue = 0, kCount = 1 };
    enum Keypad {
        kEnter = 0,
        kBackspace = 1,
        kDigit1 = 2,  // 2..10: the digits 1..9
        kDigit0 = 11,
        kPoint = 12,
        kSign = 13,
        kDeleteRow = 14,
        kDeleteAll = 15,
        kKeypadKeys = 16
    };

    explicit StatisticDataView(ScreenContext& context);
    ~StatisticDataView() override;

    const char* name() const override { return "statistics"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;
    bool pressKeypad(int index) override;
    void didHide() override;
    // Rebuilds the data set from the rows and writes the file.
    void save() override;

    // Reads the file into register 29 and the rows.
    void initData();
    // Reads a data file into register 29 (n x 1); 1 when read, 0 when refused (register untouched).
    int loadData(const std::string& path);
    // Writes register 29's values to path (an empty file for no values); false when it could not write.
    bool saveData(const std::string& path);
    bool saveData();
    // One row per value of register 29, count "1".
    void addDataToItemsList();
    // Register 29 becomes N x 1, N the sum of the counts, each row's value count times in row order.
    void updateStatisticData();
    // The sum of the counts.
    long getItemCount() const;
    // A keypad key by its title 0..15 (see above); false for other indices.
    bool pressButton(int index);
    // The keypad key a desktop keyboard's character stands for: the digits, "." and "," (point), "-" and
    // U+00B1 (sign), CR and LF (enter), BS (backspace), DEL (delete the selected row); -1 for others.
    static int KeypadKeyOfCharacter(char32_t c);
    // The answer to the pending question (0 YES).
    void alertViewClickedButtonAtIndex(int index);
    // A touch on a row (-1 the entry row) and its component.
    void selectedStatisticDataItem(int row, int component);
    // Leaves the screen: rebuilds the data set and posts "BackFromStatisticsDataView".
    void goBackView();

    const std::vector<StatisticRow>& rows() const { return m_rows; }
    const StatisticRow& entry() const { return m_entry; }
    int selectedRow() const { return m_nSelectedRow; }
    int component() const { return m_nComponent; }
    std::string nLabel() const;
    std::string dataFilePath() const;

  private:
    enum class Question { None, DeleteRow, DeleteAll };
    StatisticRow& EditedRow();
    void Enter();
    void Digit(char digit);
    void Backspace();
    void Point();
    void Sign();
    void Ask(Question question, const char* message);
    void AfterDeletion();

    ScreenContext m_context;
    CMatrixData m_matrix;
    std::vector<StatisticRow> m_rows;
    StatisticRow m_entry;
    int m_nSelectedRow = -1;
    int m_nComponent = kValue;
    bool m_bResetEntryAtNextKey = false;
    int m_nScrollToRow = -1;
    Question m_question = Question::None;
    int m_nRowToDelete = -1;
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);  // answers arriving after the screen went
};
