#include "app/screens/statistics/statistic_data_view.h"

#include <algorithm>
#include <charconv>

#include "app/screens/statistics/statistic_file.h"
#include "app/screens/text_format.h"
#include "engine/matrix/registers.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool ReadsZero(const std::string& text) {
    return TextNumericValue(text) == 0;
}

long CountValue(const std::string& text) {
    long n = 0;
    for (char c : text) {
        if (!IsDigit(c)) break;
        n = std::min<long>(n * 10 + (c - '0'), kMaxMatrixRows + 1L);
    }
    return n;
}

// "row:N", "row:N:value", "row:N:count", "entry", "entry:value", "entry:count" -> row (-1 entry) and
// component; false for other names.
bool ParseRowElement(std::string_view element, int& row, int& component) {
    component = StatisticDataView::kValue;
    auto takeComponent = [&component](std::string_view rest) {
        if (rest.empty() || rest == ":value") return true;
        if (rest == ":count") return (component = StatisticDataView::kCount), true;
        return false;
    };
    if (element.rfind("entry", 0) == 0) {
        row = -1;
        return takeComponent(element.substr(5));
    }
    if (element.rfind("row:", 0) != 0) return false;
    element.remove_prefix(4);
    const auto r = std::from_chars(element.data(), element.data() + element.size(), row);
    if (r.ec != std::errc() || row < 0) return false;
    return takeComponent(element.substr(static_cast<size_t>(r.ptr - element.data())));
}

}  // namespace

StatisticDataView::StatisticDataView(ScreenContext& context) : m_context(context) {
    initData();
}

StatisticDataView::~StatisticDataView() = default;

std::string StatisticDataView::dataFilePath() const {
    return DocumentPath(m_context.platform.storage, kStatisticDataFileName);
}

// ---- data set and file ---------------------------------------------------------------------------------

void StatisticDataView::initData() {
    m_rows.clear();
    if (loadData(dataFilePath()) == 1) {
        addDataToItemsList();
    } else {
        // No data set: the list register is as at a fresh start, whatever an earlier run left in it.
        ResetAndFreeRegister(kStatisticRegister);
    }
    changed();
}

int StatisticDataView::loadData(const std::string& path) {
    const auto bytes = m_context.platform.storage.readFile(path);
    if (!bytes) return 0;
    const auto values =
        ParseStatisticFile(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (!values) return 0;
    const int n = static_cast<int>(values->size());
    m_matrix.createMatrix(n, 1, kStatisticRegister);
    for (int i = 0; i < n; ++i) m_matrix.setValue(i, 0, (*values)[i]);
    return 1;
}

bool StatisticDataView::saveData(const std::string& path) {
    std::vector<double> values;
    for (int i = 0; i < m_matrix.GetRows(); ++i) values.push_back(m_matrix.getValue(i, 0));
    const std::string text = StatisticFileText(values);
    return m_context.platform.storage.writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

bool StatisticDataView::saveData() {
    return saveData(dataFilePath());
}

void StatisticDataView::save() {
    // The rows are the data set even while the screen is still open: a termination without leaving the
    // screen must not lose what was typed.
    updateStatisticData();
    saveData();
}

void StatisticDataView::addDataToItemsList() {
    for (int i = 0; i < m_matrix.GetRows(); ++i)
        m_rows.push_back({formatString(m_matrix.getValue(i, 0)), "1"});
}

void StatisticDataView::updateStatisticData() {
    const long total = std::min<long>(getItemCount(), kMaxMatrixRows);
    m_matrix.createMatrix(static_cast<int>(total), 1, kStatisticRegister);
    int next = 0;
    for (const StatisticRow& row : m_rows) {
        const double value = TextNumericValue(row.itemString);
        for (long k = CountValue(row.countString); k > 0 && next < total; --k)
            m_matrix.setValue(next++, 0, value);
    }
}

long StatisticDataView::getItemCount() const {
    long n = 0;
    for (const StatisticRow& row : m_rows) n += CountValue(row.countString);
    return n;
}

std::string StatisticDataView::nLabel() const {
    return "N: " + std::to_string(getItemCount());
}

// ---- keypad --------------------------------------------------------------------------------------------

StatisticRow& StatisticDataView::EditedRow() {
    if (m_nSelectedRow >= 0 && m_nSelectedRow < static_cast<int>(m_rows.size()))
        return m_rows[m_nSelectedRow];
    return m_entry;
}

bool StatisticDataView::pressButton(int index) {
    if (index < 0 || index >= kKeypadKeys) return false;
    if (m_bResetEntryAtNextKey) {
        m_entry = StatisticRow{};
        m_bResetEntryAtNextKey = false;
    }
    m_nScrollToRow = -1;
    switch (index) {
        case kEnter:
            Enter();
            break;
        case kBackspace:
            Backspace();
            break;
        case kDigit0:
            Digit('0');
            break;
        case kPoint:
            Point();
            break;
        case kSign:
            Sign();
            break;
        case kDeleteRow:
            if (m_nSelectedRow >= 0 && m_nSelectedRow < static_cast<int>(m_rows.size())) {
                m_nRowToDelete = m_nSelectedRow;
                Ask(Question::DeleteRow, "Do you want to delete this row ?");
            }
            break;
        case kDeleteAll:
            Ask(Question::DeleteAll, "Do you want to delete all rows ?");
            break;
        default:
            Digit(static_cast<char>('1' + index - kDigit1));
            break;
    }
    changed();
    return true;
}

void StatisticDataView::Enter() {
    if (m_nSelectedRow >= 0) {
        // The row being edited is done: typing goes back to the entry row.
        m_nSelectedRow = -1;
        m_nComponent = kValue;
        return;
    }
    std::string& value = m_entry.itemString;
    if (value.empty()) return;
    if (!IsDigit(value[0]) && value[0] != '-') {
        value.clear();
        return;
    }
    StatisticRow row = m_entry;
    if (CountValue(row.countString) == 0) row.countString.assign(1, '1');
    // The data set never grows beyond what the data file can give back at the next start.
    if (getItemCount() + CountValue(row.countString) > kMaxStatisticFileValues) return;
    m_rows.push_back(row);
    m_bResetEntryAtNextKey = true;
    m_nComponent = kValue;
    m_nScrollToRow = static_cast<int>(m_rows.size()) - 1;
}

void StatisticDataView::Digit(char digit) {
    StatisticRow& row = EditedRow();
    std::string& text = m_nComponent == kValue ? row.itemString : row.countString;
    std::string next = text;
    if (ReadsZero(text) && text.find('.') == std::string::npos)
        next = std::string(1, digit);
    else
        next += digit;
    if (m_nComponent == kValue) {
        if (next.size() > kMaxValueText) return;
    } else {
        // The other rows and this count together stay within what the data file reads back.
        const long others = getItemCount() - (&row == &m_entry ? 0 : CountValue(row.countString));
        if (others + CountValue(next) > kMaxStatisticFileValues) return;
    }
    text = next;
}

void StatisticDataView::Backspace() {
    StatisticRow& row = EditedRow();
    std::string& text = m_nComponent == kValue ? row.itemString : row.countString;
    if (text.size() <= 1) {
        text.assign(1, '0');
        return;
    }
    text.pop_back();
    if (text == "-") text.assign(1, '0');
}

void StatisticDataView::Point() {
    if (m_nComponent != kValue) return;
    std::string& text = EditedRow().itemString;
    if (ReadsZero(text) && text.find('.') == std::string::npos) {
        text = "0.";
    } else if (text.find('.') == std::string::npos && text.size() < kMaxValueText) {
        text += '.';
    }
}

void StatisticDataView::Sign() {
    if (m_nComponent != kValue) return;
    std::string& text = EditedRow().itemString;
    if (ReadsZero(text)) return;
    if (text[0] == '-')
        text.erase(0, 1);
    else if (text.size() < kMaxValueText)
        text.insert(0, 1, '-');
}

int StatisticDataView::KeypadKeyOfCharacter(char32_t c) {
    if (c == U'0') return kDigit0;
    if (c >= U'1' && c <= U'9') return kDigit1 + static_cast<int>(c - U'1');
    switch (c) {
        case U'.':
        case U',':
            return kPoint;
        case U'-':
        case U'\u00B1':
            return kSign;
        case U'\r':
        case U'\n':
            return kEnter;
        case U'\b':
            return kBackspace;
        case U'\x7F':
            return kDeleteRow;
        default:
            return -1;
    }
}

// ---- questions -----------------------------------------------------------------------------------------

void StatisticDataView::Ask(Question question, const char* message) {
    m_question = question;
    std::weak_ptr<int> alive = m_alive;
    m_context.platform.alerts.show({"Warning!", message, {"YES", "NO"}}, [this, alive](int answer) {
        if (!alive.expired()) alertViewClickedButtonAtIndex(answer);
    });
}

void StatisticDataView::alertViewClickedButtonAtIndex(int index) {
    const Question question = m_question;
    m_question = Question::None;
    if (index != 0) {
        changed();
        return;
    }
    if (question == Question::DeleteRow) {
        if (m_nRowToDelete >= 0 && m_nRowToDelete < static_cast<int>(m_rows.size()))
            m_rows.erase(m_rows.begin() + m_nRowToDelete);
        AfterDeletion();
    } else if (question == Question::DeleteAll) {
        m_rows.clear();
        AfterDeletion();
    }
    m_nRowToDelete = -1;
    changed();
}

void StatisticDataView::AfterDeletion() {
    m_nSelectedRow = -1;
    m_nComponent = kValue;
    m_nScrollToRow = -1;
}

// ---- touches and leaving -------------------------------------------------------------------------------

void StatisticDataView::selectedStatisticDataItem(int row, int component) {
    if (row >= static_cast<int>(m_rows.size())) return;
    m_nSelectedRow = row < 0 ? -1 : row;
    m_nComponent = component == kCount ? kCount : kValue;
    StatisticRow& touched = EditedRow();
    if (m_nComponent == kValue && CountValue(touched.countString) == 0) touched.countString.assign(1, '1');
    changed();
}

void StatisticDataView::goBackView() {
    updateStatisticData();
    m_context.platform.notifications.post("BackFromStatisticsDataView");
}

void StatisticDataView::didHide() {
    updateStatisticData();
}

bool StatisticDataView::tap(std::string_view element) {
    if (element == "back" || element == "close") {
        goBackView();
        return true;
    }
    int row = -1, component = kValue;
    if (!ParseRowElement(element, row, component) || row >= static_cast<int>(m_rows.size())) return false;
    selectedStatisticDataItem(row, component);
    return true;
}

bool StatisticDataView::pick(std::string_view list, int index) {
    if (list != "rows" || index < 0 || index >= static_cast<int>(m_rows.size())) return false;
    selectedStatisticDataItem(index, kValue);
    return true;
}

bool StatisticDataView::pressKeypad(int index) {
    return pressButton(index);
}

nlohmann::json StatisticDataView::describe() const {
    nlohmann::json j;
    j["title"] = "Statistics Data";
    j["columns"] = {"No.", "Value", "Count"};
    j["entry_caption"] = "Entry";
    nlohmann::json rows = nlohmann::json::array();
    for (size_t i = 0; i < m_rows.size(); ++i)
        rows.push_back(
            {{"no", i + 1}, {"itemString", m_rows[i].itemString}, {"countString", m_rows[i].countString}});
    j["rows"] = rows;
    j["entry"] = {{"itemString", m_entry.itemString}, {"countString", m_entry.countString}};
    j["selected"] = m_nSelectedRow;
    j["component"] = m_nComponent == kCount ? "count" : "value";
    j["n_label"] = nLabel();
    j["scroll_to_row"] = m_nScrollToRow;
    j["alert"] = m_question == Question::DeleteRow   ? "delete_row"
                 : m_question == Question::DeleteAll ? "delete_all"
                                                     : "";
    j["keypad"] = {"enter", "backspace", "1", "2", "3", "4",    "5",          "6",
                   "7",     "8",         "9", "0", ".", "sign", "delete_row", "delete_all"};
    return j;
}
