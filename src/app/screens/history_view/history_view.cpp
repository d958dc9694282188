#include "app/screens/history_view/history_view.h"

#include "app/controller/orvane_view_controller.h"
#include "app/display/line_text.h"

HistoryView::HistoryView(ScreenContext& context) : m_context(context) {}

void HistoryView::show(const LedHistory& history) {
    m_rows.clear();
    for (int k = 0; k < history.count(); ++k) {
        const _RAW_EXPRESSION_INPUT* e = history.entry(k);
        m_rows.push_back({e->text(), e->result()});
    }
    m_nSelected = -1;
    changed();
}

void HistoryView::reload() {
    show(m_context.controller.display().GetCurrentCategoryHistory());
}

void HistoryView::didShow() {
    reload();
}

bool HistoryView::pick(std::string_view list, int index) {
    if (list != "rows" || index < 0 || index >= static_cast<int>(m_rows.size())) return false;
    m_nSelected = index;
    m_context.platform.notifications.post("SelectListHistoryIndex", index);
    return true;
}

bool HistoryView::tap(std::string_view element) {
    NotificationCenter& notes = m_context.platform.notifications;
    if (element == "clear") {
        notes.post("ClearLedHistory");
    } else if (element == "mail") {
        notes.post("ForwardHistoryToMail");
    } else if (element == "list") {
        notes.post("HistoryListHasJustTouch");
    } else if (element == "close") {
        m_context.controller.HideScreen(name());
    } else if (element.substr(0, 4) == "row:") {
        const std::string digits(element.substr(4));
        if (digits.empty() || digits.size() > 4 ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            return false;
        notes.post("HistoryListHasJustTouch");
        return pick("rows", std::stoi(digits));
    } else {
        return false;
    }
    return true;
}

nlohmann::json HistoryView::describe() const {
    nlohmann::json rows = nlohmann::json::array();
    for (const HistoryRow& r : m_rows)
        rows.push_back({{"expression", U16ToUtf8(r.expression)}, {"result", U16ToUtf8(r.result)}});
    return {{"title", "History"},
            {"rows", rows},
            {"count", m_rows.size()},
            {"selected", m_nSelected},
            {"buttons", {"clear", "mail", "close"}},
            {"empty", m_rows.empty()}};
}
