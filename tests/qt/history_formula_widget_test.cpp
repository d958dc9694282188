// The history list, the formula view and the function tooltip under the display, driven through their
// widgets and compared with the same steps run headlessly.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QPushButton>

#include "app/keys/key_codes.h"
#include "qt/screens/formula_view_widget.h"
#include "qt/screens/history_view_widget.h"
#include "qt/widgets/display_widget.h"
#include "screen_test_support.h"

namespace {

const std::string kTwoLines =
    KeyWords({kKey1, kKeyPlus, kKey2, kKeyEquals, kKey3, kKeyTimes, kKey4, kKeyEquals});

// A click on the display's history indicator (HIS), in widget coordinates.
void ClickHistoryIndicator(GuiHarness& h) {
    DisplayWidget* d = h.window->display();
    const CanvasRect r = h.ctl().display().regions().history;
    const double s = d->width() / d->logicalSize().width();
    Click(h, d,
          QPoint(static_cast<int>((r.x + r.width / 2) * s), static_cast<int>((r.y + r.height / 2) * s)));
    h.settle(50);
}

QListWidget* HistoryRows(GuiHarness& h) {
    auto* w = ShownScreen<HistoryViewWidget>(h);
    return w ? w->rows() : nullptr;
}

TEST(HistoryViewWidget, TheIndicatorOpensTheListAndAPickLoadsTheLine) {
    GuiHarness h;
    RunWords(h, kTwoLines);
    ClickHistoryIndicator(h);
    ASSERT_EQ(h.ctl().currentScreen(), "history_view");
    EXPECT_NE(ShownScreen<HistoryViewWidget>(h), nullptr);
    QListWidget* rows = HistoryRows(h);
    ASSERT_NE(rows, nullptr);
    ASSERT_EQ(rows->count(), 2);
    EXPECT_EQ(rows->item(0)->text().toStdString(), Describe(h, "history_view")["rows"][0]["expression"]);
    nlohmann::json shown = Describe(h, "history_view");
    EXPECT_EQ(shown, RunKeys(kTwoLines + " tap:display/history")["screens"]["history_view"]);
    Shoot(h, "history_view");

    // The older line (row 1) goes back into the input line and the list closes.
    Click(h, rows->viewport(), rows->visualItemRect(rows->item(1)).center());
    nlohmann::json headless = RunKeys(kTwoLines + " tap:display/history tap:history_view/row:1");
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.window->screenWidget(), nullptr);  // the window followed
    EXPECT_EQ(h.input(), headless["input"]);
    EXPECT_EQ(Describe(h, "history_view"), headless["screens"]["history_view"]);
    EXPECT_EQ(Describe(h, "history_view")["selected"], 1);
}

TEST(HistoryViewWidget, ClearAsksAndYesEmptiesTheList) {
    GuiHarness h;
    RunWords(h, kTwoLines);
    ClickHistoryIndicator(h);
    auto* w = ShownScreen<HistoryViewWidget>(h);
    ASSERT_NE(w, nullptr);
    Click(h, w->button("clear"));
    ASSERT_TRUE(AnswerBox(h, "NO"));
    EXPECT_EQ(w->rows()->count(), 2);
    Click(h, w->button("clear"));
    ASSERT_TRUE(AnswerBox(h, "YES"));
    h.window->refresh();
    nlohmann::json headless = RunKeys(
        kTwoLines + " tap:display/history answer:1 tap:history_view/clear answer:0 tap:history_view/clear");
    EXPECT_EQ(Describe(h, "history_view"), headless["screens"]["history_view"]);
    EXPECT_TRUE(Describe(h, "history_view")["empty"]);
    EXPECT_FALSE(w->button("clear")->isEnabled());
    EXPECT_FALSE(w->button("mail")->isEnabled());
    Shoot(h, "history_view_empty");
    // Close goes back to the calculator.
    Click(h, w->button("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

TEST(FormulaViewWidget, ShowsTheTypesetLineSharpOnADenseScreen) {
    GuiHarness h;
    const std::string words =
        KeyWords({kKeySin, kKey3, kKey0, kKeyCloseParen, kKeyPlus, kKey2, kKeyPower, kKey3}) +
        " post:ShowFomula";
    RunWords(h, words);
    auto* w = ShownScreen<FormulaViewWidget>(h);
    ASSERT_NE(w, nullptr);
    h.settle(50);
    const QImage picture = Picture(w->canvas());
    nlohmann::json shown = Describe(h, "formula_view");
    EXPECT_TRUE(shown["shows"]);
    // The formula is drawn: dark pixels on the white view.
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 100;
    EXPECT_GT(dark, 100);
    // The widget renders at its zoom; the markup and the text are the headless ones.
    nlohmann::json headless = RunKeys(words)["screens"]["formula_view"];
    EXPECT_EQ(shown["tex"], headless["tex"]);
    EXPECT_EQ(shown["engineText"], headless["engineText"]);
    EXPECT_GT(shown["bitmap"]["width"].get<int>(), headless["bitmap"]["width"].get<int>());
    Shoot(h, "formula_view");
    h.window->resize(900, 520);
    h.settle(200);
    Shoot(h, "formula_view_landscape");
    // A number key closes it (the controller's rule), and the widget goes with the pane.
    h.ctl().pressButtonHasKeycode(kKey1);
    h.window->refresh();
    EXPECT_EQ(h.window->screenWidget(), nullptr);
}

TEST(FunctionTooltip, HangsUnderTheDisplayWhileTheCaretIsOnAFunction) {
    GuiHarness h;
    RunWords(h, KeyWords({kKeySin, kKey3, kKey0}));
    h.settle(50);
    EXPECT_EQ(h.window->display()->tooltipPanel(), nullptr);
    RunWords(h, KeyWords({kKeyCaretLeft, kKeyCaretLeft, kKeyCaretLeft}));  // the caret back onto "sin("
    h.settle(50);
    nlohmann::json tip = h.ctl().functionTooltip().describe(h.ctl().display());
    ASSERT_TRUE(tip["shown"]);
    EXPECT_EQ(tip["object"], "sin(");
    QWidget* panel = h.window->display()->tooltipPanel();
    ASSERT_NE(panel, nullptr);
    // Under the display, inside the window, and drawn (the pale box and dark text).
    EXPECT_GE(panel->y(), h.window->display()->geometry().bottom());
    EXPECT_LE(panel->geometry().right(), h.window->width());
    EXPECT_GT(ColourCount(Picture(panel)), 3);
    Shoot(h, "function_tooltip");
    h.window->resize(900, 520);
    h.settle(250);
    // The turned display shows the line with its caret at the end again.
    RunWords(h, KeyWords({kKeyCaretLeft, kKeyCaretLeft, kKeyCaretLeft}));
    h.settle(50);
    ASSERT_NE(h.window->display()->tooltipPanel(), nullptr);
    Shoot(h, "function_tooltip_landscape");
    // Off the function, or with the setting off, it goes.
    RunWords(h, KeyWords({kKeyCaretRight}));
    h.settle(50);
    EXPECT_EQ(h.window->display()->tooltipPanel(), nullptr);
}

}  // namespace

namespace {

// The history opens from the landscape display too, and reads in the black skin.
TEST(HistoryViewWidget, LandscapeInTheBlackSkin) {
    GuiHarness h;
    RunWords(h, "option:0 list:settings/skins:1 tap:settings/close " + kTwoLines);
    h.window->resize(900, 520);
    h.settle(250);
    ASSERT_TRUE(h.window->landscape());
    RunWords(h, kTwoLines);
    ClickHistoryIndicator(h);
    auto* w = ShownScreen<HistoryViewWidget>(h);
    ASSERT_NE(w, nullptr);
    EXPECT_GE(w->rows()->count(), 2);
    Shoot(h, "history_view_landscape_black");
}

}  // namespace
