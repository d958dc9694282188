// The RPN stack screen through its widget: keypad clicks, row clicks and typed keys give the same screen
// as the same steps run headlessly; ENTER, the stack commands and their message, the clear question.
#include <gtest/gtest.h>

#include <QTableWidget>

#include "app/keys/key_codes.h"
#include "app/screens/rpn_stack/rpn_calc_view.h"
#include "qt/screens/rpn_stack_widget.h"
#include "screen_test_support.h"

namespace {

// RPN input mode through the settings, then the stack screen (key 192).
const std::string kOpenInRPN = "option:0 value:settings/input_mode=2 tap:settings/close 192";

// Keypad indexes by caption.
enum : int {
    kEnter = 0,
    kOne = 2,
    kTwo = 3,
    kThree = 4,
    kFive = 6,
    kZero = 11,
    kPoint = 12,
    kDrop = 14,
    kSwap = 15,
    kClear = 22
};

class RPNStackWidgetTest : public testing::Test {
  protected:
    void SetUp() override {
        RunWords(h, kOpenInRPN);
        w = ShownScreen<RPNStackWidget>(h);
        ASSERT_NE(w, nullptr) << "the RPN stack screen has no widget";
    }
    // A keypad key clicked with the mouse; the headless word for the same key is appended to words.
    void key(int index) {
        Click(h, w->keypad(), w->keyCentre(index));
        words += " keypad:rpn_stack/" + std::to_string(index);
    }
    void row(int tableRow) {
        QTableWidget* t = w->table();
        t->scrollToItem(t->item(tableRow, 1));
        Click(h, t->viewport(), t->visualItemRect(t->item(tableRow, 1)).center());
        words += " tap:rpn_stack/row:" + std::to_string(tableRow);
    }
    nlohmann::json screen() { return Describe(h, "rpn_stack"); }
    // The screen as the same words leave it headlessly.
    nlohmann::json headless() { return RunKeys(kOpenInRPN + words)["screens"]["rpn_stack"]; }

    GuiHarness h;
    RPNStackWidget* w = nullptr;
    std::string words;
};

TEST_F(RPNStackWidgetTest, EmptyStackShowsEightLevelsAndTheEntryRow) {
    EXPECT_EQ(w->table()->rowCount(), RPNCalcView::kMinimumRows + 1);
    EXPECT_EQ(w->table()->item(RPNCalcView::kMinimumRows, 0)->text(), "Entry:");
    EXPECT_EQ(w->table()->item(RPNCalcView::kMinimumRows - 1, 0)->text(), "1:");
    EXPECT_EQ(screen()["depth"], 0);
    EXPECT_EQ(screen(), headless());
}

TEST_F(RPNStackWidgetTest, EnterSwapAndOverwriteALevelMatchTheHeadlessRun) {
    for (int k : {kOne, kTwo, kPoint, kFive, kEnter, kThree, kEnter}) key(k);
    nlohmann::json s = screen();
    EXPECT_EQ(s["depth"], 2);
    EXPECT_EQ(s["rows"][7]["value"], "3");
    EXPECT_EQ(s["rows"][6]["value"], "12.5");
    EXPECT_EQ(w->table()->item(6, 1)->text(), "12.5");  // the table shows what the model holds

    key(kSwap);
    EXPECT_EQ(screen()["rows"][7]["value"], "12.5");
    // Level 2 (table row 6) gets the focus, then digits typed on the desktop keyboard overwrite it.
    row(6);
    EXPECT_EQ(screen()["focus"], "row:6");
    QTest::keyClick(w, Qt::Key_5);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_0);
    words += " keypad:rpn_stack/6 keypad:rpn_stack/1 keypad:rpn_stack/11";
    h.settle(30);
    s = screen();
    EXPECT_EQ(s["rows"][6]["value"], "30");
    EXPECT_EQ(s["rows"][7]["value"], "12.5");  // the other level stays
    // Down moves the focus back to the entry row.
    QTest::keyClick(w, Qt::Key_Down);
    QTest::keyClick(w, Qt::Key_Down);
    words += " tap:rpn_stack/row:7 tap:rpn_stack/entry";
    EXPECT_EQ(screen()["focus"], "entry");
    EXPECT_EQ(screen(), headless());
    h.screenshot("rpn_stack_portrait");
}

TEST_F(RPNStackWidgetTest, DropOnAnEmptyStackShowsTheMessageUntilTheNextDigit) {
    key(kOne);
    key(kEnter);
    key(kDrop);
    EXPECT_EQ(screen()["message"], "");
    key(kDrop);
    nlohmann::json s = screen();
    const std::string message = s["message"];
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(w->table()->item(RPNCalcView::kMinimumRows, 1)->text().toStdString(), message);
    EXPECT_TRUE(w->table()->item(RPNCalcView::kMinimumRows, 1)->font().italic());
    EXPECT_EQ(s, headless());
    h.screenshot("rpn_stack_message");
    // ENTER on the message only empties it; the next digit starts a number.
    key(kTwo);
    EXPECT_EQ(screen()["message"], "");
    EXPECT_EQ(screen()["entry"]["text"], "2");
    EXPECT_EQ(screen(), headless());
}

TEST_F(RPNStackWidgetTest, TheClearQuestionAnsweredNoKeepsTheStackAndYesEmptiesIt) {
    for (int k : {kOne, kEnter, kTwo, kEnter}) key(k);
    Click(h, w->keypad(), w->keyCentre(kClear));
    EXPECT_TRUE(screen()["asking"]);
    ASSERT_TRUE(AnswerBox(h, "NO"));
    words += " answer:1 keypad:rpn_stack/22";
    EXPECT_FALSE(screen()["asking"]);
    EXPECT_EQ(screen()["depth"], 2);
    EXPECT_EQ(screen(), headless());

    Click(h, w->keypad(), w->keyCentre(kClear));
    ASSERT_TRUE(AnswerBox(h, "YES"));
    words += " answer:0 keypad:rpn_stack/22";
    EXPECT_EQ(screen()["depth"], 0);
    EXPECT_EQ(w->table()->item(RPNCalcView::kMinimumRows - 1, 1)->text(), "");
    EXPECT_EQ(screen(), headless());
}

TEST_F(RPNStackWidgetTest, AKeyDraggedOffDoesNothingAndBackLeavesTheScreen) {
    const QPoint from = w->keyCentre(kOne), away = w->keyCentre(kZero);
    QTest::mousePress(w->keypad(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(w->keypad(), away);
    QTest::mouseRelease(w->keypad(), Qt::LeftButton, Qt::NoModifier, away);
    h.settle(30);
    EXPECT_EQ(screen()["entry"]["text"], "");
    // Escape goes past the screen to the window, which closes it.
    QTest::keyClick(w, Qt::Key_Escape);
    h.settle(30);
    EXPECT_EQ(h.ctl().currentScreen(), "");
}

TEST_F(RPNStackWidgetTest, LandscapeScreenshot) {
    for (int k : {kOne, kTwo, kEnter, kThree, kPoint, kFive, kEnter, kDrop, kDrop, kDrop}) key(k);
    h.window->resize(900, 520);
    h.settle(200);
    ASSERT_EQ(ShownScreen<RPNStackWidget>(h), w);
    Shoot(h, "rpn_stack_landscape");
    h.window->resize(420, 760);
    h.settle(200);
    Shoot(h, "rpn_stack_portrait_message");
}

}  // namespace
