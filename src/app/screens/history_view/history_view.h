// The history list: the current category's evaluated lines with their results, newest first, over the
// calculator (opened by a touch on the display's history indicator, "ShowCurrentHistory").
//
// The list is the display's history as it was when the view opened (show()); the main controller shows
// it again after clearing. Choosing a row posts "SelectListHistoryIndex" with the row as an int (the
// controller loads that entry into the input line and closes the view); the clear button posts
// "ClearLedHistory" (the controller asks first), the mail button "ForwardHistoryToMail", and any touch on
// the list "HistoryListHasJustTouch".
//
// Elements (tap): "clear", "mail", "close", "list" (a touch on the list), "row:N" (the same as a pick).
// List (pick): "rows", row N (0 = newest).
// describe(): "title" ("History"), "rows" (each "expression", "result"), "count", "selected" (the row
// last chosen, -1 for none), "buttons" (["clear", "mail", "close"]), "empty" (nothing to list).
// Engine thread only.
#pragma once

#include <string>
#include <vector>

#include "app/display/history.h"
#include "app/screens/screen_host.h"

struct HistoryRow {
    std::u16string expression;
    std::u16string result;
};

class HistoryView : public ScreenModel {
  public:
    explicit HistoryView(ScreenContext& context);

    const char* name() const override { return "history_view"; }
    nlohmann::json describe() const override;
    bool tap(std::string_view element) override;
    bool pick(std::string_view list, int index) override;
    // Lists the display's current history.
    void didShow() override;

    // Lists the entries of history from index 0 up to the first empty one.
    void show(const LedHistory& history);
    // Lists the display's history again (after it was cleared).
    void reload();
    const std::vector<HistoryRow>& rows() const { return m_rows; }
    // The row chosen last (-1 before any).
    int getCurSelItemHisList() const { return m_nSelected; }

  private:
    ScreenContext& m_context;
    std::vector<HistoryRow> m_rows;
    int m_nSelected = -1;
};
