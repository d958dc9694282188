// The Constants page and the statistics data screen, driven by mouse and keys on the real widgets and
// compared with the same actions run headlessly.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTreeWidget>

#include "app/controller/orvane_view_controller.h"
#include "app/keys/key_codes.h"
#include "app/screens/constants/constant_view.h"
#include "app/screens/statistics/statistic_data_view.h"
#include "qt/platform/qt_services.h"
#include "qt/screens/constants_widget.h"
#include "qt/screens/statistics_widget.h"
#include "screen_steps.h"

namespace {

using V = StatisticDataView;

void ClickConstant(GuiHarness& h, QTreeWidget* list, int row) {
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr) << row;
    list->scrollToItem(item);
    ClickOn(h, list->viewport(), list->visualItemRect(item).center());
}

TEST(ConstantsWidget, BrowseThroughTheListsAndInsertAValue) {
    GuiHarness h;
    h.ctl().selectCategoryItem(kCatConstants);
    h.window->refresh();
    h.settle(350);
    auto* w = h.window->findChild<ConstantsWidget*>("constants");
    auto* model = dynamic_cast<ConstantView*>(h.ctl().screens().find("constants"));
    ASSERT_NE(w, nullptr);
    ASSERT_NE(model, nullptr);
    h.screenshot("constants_empty");
    ClickOn(h, w->fieldButton("group"));
    ASSERT_TRUE(h.window->listPanel()->isVisible()) << "the group list opens in the window's list panel";
    ClickPanelRow(h, 0);
    EXPECT_FALSE(h.window->listPanel()->isVisible());
    EXPECT_FALSE(w->fieldButton("subgroup1")->isVisible()) << "a group with one level";
    ClickOn(h, w->fieldButton("subgroup2"));
    ClickPanelRow(h, 0);
    ASSERT_GE(w->valueList()->topLevelItemCount(), 3);
    ClickConstant(h, w->valueList(), 1);
    nlohmann::json d = model->describe();
    EXPECT_EQ(d["selected_constant"], 1);
    EXPECT_EQ(w->valueText().toStdString(), d["value"]);
    EXPECT_EQ(w->valueList()->currentItem(), w->valueList()->topLevelItem(1));
    h.screenshot("constants");
    ClickOn(h, w->fieldButton("value"));
    const std::string input = h.input();
    EXPECT_NE(input.find("exp("), std::string::npos) << input;
    nlohmann::json headless = Headless(
        "category:2 tap:constants/group pick:0 tap:constants/subgroup2 pick:0 "
        "list:constants/constants:1 tap:constants/value");
    EXPECT_EQ(headless["screens"]["constants"], d);
    EXPECT_EQ(headless["input"], input);

    // A group with two levels shows the sub-sub-group row.
    ClickOn(h, w->fieldButton("group"));
    ClickPanelRow(h, 2);
    EXPECT_TRUE(w->fieldButton("subgroup1")->isVisible());
    ClickOn(h, w->fieldButton("subgroup1"));
    ClickPanelRow(h, 0);
    ClickOn(h, w->fieldButton("subgroup2"));
    ClickPanelRow(h, 0);
    d = model->describe();
    EXPECT_EQ(d["group_type"], "2");
    EXPECT_FALSE(d["constants"].empty());
    h.screenshot("constants_two_levels");
    EXPECT_EQ(Headless("category:2 tap:constants/group pick:2 tap:constants/subgroup1 pick:0 "
                       "tap:constants/subgroup2 pick:0")["screens"]["constants"],
              d);
}

// Clicks keypad keys by index.
void Keypad(GuiHarness& h, StatisticsWidget* w, std::initializer_list<int> keys) {
    for (int key : keys) h.click(w->keypad(), key);
}

TEST(StatisticsWidget, ThreeValuesByKeypadAndKeysThenAvgOnTheCalculator) {
    GuiHarness h;
    h.ctl().selectCategoryItem(kCatStatistics);
    h.settle(350);
    ClickCodes(h, {kKeyStatisticsData});
    ASSERT_EQ(h.ctl().currentScreen(), "statistics");
    auto* w = qobject_cast<StatisticsWidget*>(h.window->screenWidget());
    ASSERT_NE(w, nullptr);
    auto* model = dynamic_cast<V*>(h.ctl().screens().find("statistics"));
    ASSERT_NE(model, nullptr);
    EXPECT_EQ(w->window()->focusWidget(), w) << "the desktop keyboard types into the open screen";
    Keypad(h, w, {V::kDigit1 + 1, V::kEnter, V::kDigit1 + 3, V::kEnter});
    QTest::keyClicks(w, "9");
    QTest::keyClick(w, Qt::Key_Return);
    h.settle(60);
    nlohmann::json d = model->describe();
    EXPECT_EQ(d["n_label"], "N: 3");
    EXPECT_EQ(w->nLabel()->text(), "N: 3");
    ASSERT_EQ(w->table()->rowCount(), 3);
    EXPECT_EQ(w->table()->item(2, 1)->text(), "9");
    h.screenshot("statistics");
    const std::string keys = "category:8 DATA keypad:3 keypad:0 keypad:5 keypad:0 keypad:10 keypad:0";
    EXPECT_EQ(Headless(keys)["screens"]["statistics"], d);

    ClickOn(h, h.window->findChild<QPushButton*>("screenBack"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_FALSE(h.ctl().modViewController()->describe()["statisticDataView"]) << "left as by its back";
    EXPECT_EQ(h.window->focusWidget(), h.window.get())
        << "typing goes to the calculator again, not to "
        << (h.window->focusWidget() ? h.window->focusWidget()->metaObject()->className() : "nothing");
    ClickCodes(h, {kKeyStatAvg, kKeyEquals});
    EXPECT_EQ(h.result(), "5");
    nlohmann::json headless = Headless(keys + " back avg =");
    EXPECT_EQ(headless["result"], "5");
    EXPECT_EQ(headless["input"], h.input());
}

TEST(StatisticsWidget, RowsAreEditedInPlaceAndDeletedAfterTheQuestion) {
    GuiHarness h;
    UseBlackSkin(h);
    h.ctl().selectCategoryItem(kCatStatistics);
    h.settle(350);
    ClickCodes(h, {kKeyStatisticsData});
    auto* w = qobject_cast<StatisticsWidget*>(h.window->screenWidget());
    ASSERT_NE(w, nullptr);
    auto* model = dynamic_cast<V*>(h.ctl().screens().find("statistics"));
    QTest::keyClicks(w, "2\r5\r");
    ClickOn(h, w->entryCount());  // count 3 for the next value
    QTest::keyClicks(w, "\b3");
    ClickOn(h, w->entryValue());
    QTest::keyClicks(w, "7\r");
    h.settle(60);
    EXPECT_EQ(model->describe()["n_label"], "N: 5");
    // Row 2's count and row 1's value in place.
    auto clickCell = [&](int row, int column) {
        QTableWidget* t = w->table();
        ClickOn(h, t->viewport(), t->visualItemRect(t->item(row, column)).center());
    };
    clickCell(2, 2);
    EXPECT_EQ(model->describe()["component"], "count");
    QTest::keyClicks(w, "\b1");
    clickCell(1, 1);
    QTest::keyClicks(w, "-");
    nlohmann::json d = model->describe();
    EXPECT_EQ(d["selected"], 1);
    EXPECT_EQ(d["rows"][1]["itemString"], "-5");
    EXPECT_EQ(d["rows"][2]["countString"], "1");
    EXPECT_EQ(w->table()->currentRow(), 1);
    EXPECT_EQ(w->table()->currentColumn(), 1);
    h.screenshot("statistics_editing_black");
    // Delete row 1: the question first; NO keeps it, YES removes it.
    Keypad(h, w, {V::kDeleteRow});
    QMessageBox* box = h.context->alerts().openBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->informativeText(), "Do you want to delete this row ?");
    h.screenshot("statistics_question", box);
    ClickOn(h, box->buttons().at(1));
    EXPECT_EQ(model->describe()["rows"].size(), 3u);
    clickCell(1, 0);
    Keypad(h, w, {V::kDeleteRow});
    box = h.context->alerts().openBox();
    ASSERT_NE(box, nullptr);
    ClickOn(h, box->buttons().at(0));
    d = model->describe();
    EXPECT_EQ(d["rows"].size(), 2u);
    EXPECT_EQ(w->table()->rowCount(), 2);
    EXPECT_EQ(w->nLabel()->text(), "N: 2");
    nlohmann::json headless = Headless(
        "category:8 DATA keypad:3 keypad:0 keypad:6 keypad:0 tap:statistics/entry:count keypad:1 keypad:4 "
        "tap:statistics/entry:value keypad:8 keypad:0 tap:statistics/row:2:count keypad:1 keypad:2 "
        "tap:statistics/row:1:value keypad:13 answer:1 keypad:14 tap:statistics/row:1 answer:0 keypad:14");
    EXPECT_EQ(headless["screens"]["statistics"], d);

    // Turned wide, the screen stays open with the keypad beside the rows.
    h.window->resize(900, 520);
    h.settle(200);
    ASSERT_EQ(h.window->screenWidget(), w);
    EXPECT_GT(w->keypad()->geometry().left(), w->table()->geometry().right());
    h.screenshot("statistics_landscape");
}

}  // namespace
