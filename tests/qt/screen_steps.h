// Steps the screen-widget tests share: clicks on buttons, on the rows and favourite actions of an
// overlay list, on the window's list panel, keys of the calculator's pads by code, and the headless
// description of a screen after the same actions.
#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <string>

#include <nlohmann/json.hpp>

#include "app/keyboards/keyboard_model.h"
#include "app/keyboards/mod_view_controller.h"
#include "gui_harness.h"
#include "qt/screens/overlay_list.h"
#include "qt/widgets/keyboard_widget.h"
#include "qt/widgets/list_panel.h"
#include "qt/widgets/strip_widget.h"

// A left click in the middle of a widget, then the window settles.
inline void ClickOn(GuiHarness& h, QWidget* w, QPoint at = QPoint()) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at.isNull() ? w->rect().center() : at);
    h.settle(60);
}

// A click on a row's text / on its favourite action in an overlay list.
inline void ClickListRow(GuiHarness& h, OverlayList* list, int row) {
    list->showRow(row);
    ClickOn(h, list->rows()->viewport(), list->rowCentre(row));
}
inline void ClickListAction(GuiHarness& h, OverlayList* list, int row) {
    list->showRow(row);
    ClickOn(h, list->rows()->viewport(), list->actionRect(row).center());
}

// A click on row N of the window's list panel (the calculator's lists).
inline void ClickPanelRow(GuiHarness& h, int row) {
    QListWidget* rows = h.window->listPanel()->rows();
    QListWidgetItem* item = rows->item(row);
    ASSERT_NE(item, nullptr) << "row " << row;
    rows->scrollToItem(item);
    ClickOn(h, rows->viewport(), rows->visualItemRect(item).center());
}

// The slot of the key with that code in a keyboard's description (-1 when none).
inline int SlotOfCode(KeyboardModel& keyboard, int code) {
    for (const nlohmann::json& face : keyboard.describe().value("keys", nlohmann::json::array()))
        if (face.value("code", -1) == code) return face.value("slot", -1);
    return -1;
}

// Clicks the keys of the number pad (and of the strip's current mode keys) by code.
inline void ClickCodes(GuiHarness& h, std::initializer_list<int> codes) {
    for (int code : codes) {
        KeyboardWidget* pad = h.window->numberPad();
        int slot = SlotOfCode(pad->model(), code);
        KeyPad* target = pad;
        if (slot < 0 && h.ctl().modViewController()) {
            slot = SlotOfCode(*h.ctl().modViewController(), code);
            target = h.window->strip()->currentKeys();
        }
        ASSERT_GE(slot, 0) << "no key " << code;
        h.click(target, slot);
    }
}

// The index of the first row of a description's list whose "text" is text, not counting favourites.
inline int RowWithText(const nlohmann::json& rows, const std::string& text) {
    for (size_t r = 0; r < rows.size(); ++r)
        if (!rows[r].value("favourite", false) && rows[r].value("text", std::string()) == text)
            return static_cast<int>(r);
    return -1;
}

// The "Black" skin through the settings screen, which then closes.
inline void UseBlackSkin(GuiHarness& h) {
    h.ctl().selectOptionItem(0);
    ScreenModel* settings = h.ctl().screens().find("settings");
    ASSERT_NE(settings, nullptr);
    settings->pick("skins", 1);
    settings->tap("close");
    h.window->refresh();
    h.settle(200);
}

// The headless state after the same words (orvcalc --keys on a fresh home).
inline nlohmann::json Headless(const std::string& words) {
    nlohmann::json state = RunKeys(words);
    EXPECT_TRUE(state.is_object()) << "orvcalc --keys failed on: " << words;
    return state;
}
