// The RPN stack screen over the whole application: opened by key 192, driven by its keypad and rows.
#include "app/screens/rpn_stack/rpn_calc_view.h"

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"

namespace {

// Keypad indices.
constexpr int kEnter = 0, kBackspace = 1, kPoint = 12, kSign = 13, kDrop = 14, kSwap = 15, kDepth = 16,
              kClear = 22;
int Digit(int d) {
    return d == 0 ? 11 : d + 1;
}

class RPNScreen : public ::testing::Test {
  protected:
    void Open(int category = kCatArithmetic) {
        h.launch(category, "Basic-RPN");
        h.keys({kKeyOpenRpnStack});
        view = dynamic_cast<RPNCalcView*>(h.ctl().screens().find("rpn_stack"));
        ASSERT_NE(view, nullptr);
        ASSERT_EQ(h.ctl().currentScreen(), "rpn_stack");
    }
    // Types a number on the keypad ("-" toggles the sign at the end) and presses ENTER.
    void Push(const std::string& number) {
        bool negative = false;
        for (char c : number) {
            if (c == '-') {
                negative = true;
            } else {
                press(c == '.' ? kPoint : Digit(c - '0'));
            }
        }
        if (negative) press(kSign);
        press(kEnter);
    }
    bool press(int index) {
        const bool ok = view->pressKeypad(index);
        h.loop.runPending();
        return ok;
    }
    nlohmann::json state() const { return view->describe(); }
    std::vector<std::string> values() const {
        std::vector<std::string> out;
        const nlohmann::json s = state();
        for (const auto& row : s["rows"]) out.push_back(row["value"]);
        return out;
    }

    AppHarness h;
    RPNCalcView* view = nullptr;
};

TEST_F(RPNScreen, EmptyStackShowsEightEmptyLevelsAndTheEntry) {
    Open();
    const nlohmann::json s = state();
    EXPECT_EQ(s["title"], "RPN Stack");
    ASSERT_EQ(s["rows"].size(), 8u);
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(s["rows"][r]["order"], std::to_string(8 - r));
        EXPECT_EQ(s["rows"][r]["value"], "");
    }
    EXPECT_EQ(s["entry"]["caption"], "Entry");
    EXPECT_EQ(s["focus"], "entry");
    EXPECT_EQ(s["stackId"], -1);
    ASSERT_EQ(s["keypad"].size(), 23u);
    EXPECT_EQ(s["keypad"][0], "ENTER");
    EXPECT_EQ(s["keypad"][14], "Drop");
    EXPECT_EQ(s["keypad"][22], "Clear");
}

TEST_F(RPNScreen, EnterPushesTheEntryAsLevelOne) {
    Open();
    for (int index : {Digit(1), Digit(2), kPoint, Digit(5)}) press(index);
    EXPECT_EQ(state()["entry"]["text"], "12.5");
    press(kEnter);
    EXPECT_EQ(values()[7], "12.5");
    EXPECT_EQ(state()["entry"]["text"], "");
    EXPECT_EQ(imoderpn_count, 1);
    press(kEnter);  // an empty entry does nothing
    EXPECT_EQ(imoderpn_count, 1);
}

TEST_F(RPNScreen, DropOnAnEmptyStackShowsTheMessageUntilTheNextDigit) {
    Open();
    press(kDrop);
    EXPECT_EQ(state()["message"], "Invalid parameter(s)");
    EXPECT_EQ(state()["entry"]["message"], true);
    EXPECT_EQ(GetErrorCode(), kErrNone);  // shown, then cleared for the display's next command
    press(Digit(5));
    EXPECT_EQ(state()["entry"]["text"], "5");
    EXPECT_EQ(state()["message"], "");
    press(kDrop);
    press(kEnter);  // ENTER on a message only empties it
    EXPECT_EQ(state()["entry"]["text"], "");
    EXPECT_EQ(imoderpn_count, 0);
}

TEST_F(RPNScreen, StackCommandsAndTheirErrors) {
    Open();
    Push("7");
    press(kSwap);  // one level only
    EXPECT_EQ(state()["message"], "Syntax error");
    Push("9");
    press(kSwap);
    EXPECT_EQ(values()[6], "9");
    EXPECT_EQ(values()[7], "7");
    press(kDepth);
    EXPECT_EQ(values()[7], "2");
    EXPECT_EQ(state()["depth"], 3);
}

TEST_F(RPNScreen, OverwritingLevelThreeKeepsTheOthers) {
    Open();
    for (const char* n : {"1", "2", "3", "4"}) Push(n);
    ASSERT_TRUE(view->tap("row:5"));  // level 3 (0-based 2) of a table of eight rows
    EXPECT_EQ(state()["stackId"], 2);
    EXPECT_EQ(state()["focus"], "row:5");
    press(Digit(7));
    EXPECT_EQ(values(), (std::vector<std::string>{"", "", "", "", "1", "27", "3", "4"}));
    std::vector<qcmplx> v;
    ASSERT_EQ(getRPNStackValues(v), 4);
    double d;
    qtoe(v[1].r, &d);
    EXPECT_EQ(d, 27);
    press(kEnter);  // with a stack row focused, ENTER pushes nothing
    EXPECT_EQ(imoderpn_count, 4);
    ASSERT_TRUE(view->tap("entry"));
    EXPECT_EQ(state()["stackId"], -1);
}

TEST_F(RPNScreen, RowsBeyondTheStackTakeNoFocus) {
    Open();
    Push("1");
    EXPECT_FALSE(view->tap("row:0"));  // level 8 does not exist
    EXPECT_FALSE(view->tap("row:99"));
    EXPECT_FALSE(view->tap("row:x"));
    EXPECT_EQ(state()["stackId"], -1);
    ASSERT_TRUE(view->pick("rows", 7));
    EXPECT_EQ(state()["stackId"], 0);
    press(kDrop);  // the focused level went: the entry row has the focus again
    EXPECT_EQ(state()["stackId"], -1);
}

TEST_F(RPNScreen, TallStacksHaveARowPerLevel) {
    Open();
    for (int k = 1; k <= 10; ++k) Push(std::to_string(k));
    const nlohmann::json s = state();
    ASSERT_EQ(s["rows"].size(), 10u);
    EXPECT_EQ(s["rows"][0]["order"], "10");
    EXPECT_EQ(s["rows"][0]["value"], "1");
    EXPECT_EQ(s["rows"][9]["value"], "10");
    ASSERT_TRUE(view->tap("row:0"));
    EXPECT_EQ(state()["stackId"], 9);  // n - r - 1
}

TEST_F(RPNScreen, DigitEditingRules) {
    Open();
    struct Row {
        std::vector<int> keys;
        std::string text;
    };
    const Row rows[] = {
        {{Digit(5), kBackspace}, "0"},            // shorter than two characters
        {{Digit(1), Digit(2), kBackspace}, "1"},  // the last character goes
        {{Digit(5), kSign, kBackspace}, "0"},     // "-" alone becomes 0
        {{kPoint}, "0."},                         // a point on nothing starts 0.
        {{kPoint, kPoint, Digit(5)}, "0.5"},      // one point only; 0. keeps its point
        {{Digit(0), Digit(0), Digit(3)}, "3"},    // a zero without a point is replaced
        {{Digit(0), kSign}, "0"},                 // no sign on 0
        {{Digit(4), kSign, kSign}, "4"},          // the sign toggles
        {{kPoint, kSign, Digit(2)}, "-0.2"},      // ... also on 0.
        {{Digit(9), kBackspace, Digit(8)}, "8"},  // backspace to 0, then a digit replaces it
    };
    for (const Row& row : rows) {
        view->didShow();  // a fresh entry
        for (int k : row.keys) press(k);
        EXPECT_EQ(view->entryText(), row.text) << "keys ending " << row.keys.back();
    }
    view->didShow();
    for (size_t k = 0; k < RPNCalcView::kMaxTextLength; ++k) press(Digit(1));
    EXPECT_FALSE(press(Digit(1)));  // the text is full
    EXPECT_EQ(view->entryText().size(), RPNCalcView::kMaxTextLength);
    EXPECT_FALSE(press(-1));
    EXPECT_FALSE(press(23));
}

TEST_F(RPNScreen, ClearAsksFirst) {
    Open();
    Push("1");
    Push("2");
    h.alerts.scriptAnswer(1);  // NO
    press(kClear);
    ASSERT_EQ(h.alerts.shown().size(), 1u);
    EXPECT_EQ(h.alerts.shown()[0].title, "Warning!");
    EXPECT_EQ(h.alerts.shown()[0].message, "Do you want to clear the stack ?");
    EXPECT_EQ(h.alerts.shown()[0].buttons, (std::vector<std::string>{"YES", "NO"}));
    EXPECT_EQ(imoderpn_count, 2);
    EXPECT_FALSE(state()["asking"]);
    h.alerts.scriptAnswer(0);  // YES
    press(kClear);
    EXPECT_EQ(imoderpn_count, 0);
    EXPECT_EQ(values()[7], "");
}

TEST_F(RPNScreen, LeavingShowsTheNewTopOnTheDisplayAndReopeningStartsAfresh) {
    Open();
    Push("3");
    Push("4");
    press(Digit(6));  // left in the entry row
    ASSERT_TRUE(view->tap("back"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(U16ToUtf8(h.led().stackLine(1).line().GetRawInputString()), "4");
    EXPECT_EQ(U16ToUtf8(h.led().stackLine(0).line().GetRawInputString()), "3");
    h.post("Orvane-open-rpn-stack");
    EXPECT_EQ(h.ctl().currentScreen(), "rpn_stack");
    EXPECT_EQ(state()["entry"]["text"], "");
    EXPECT_EQ(state()["focus"], "entry");
    // The pi the display pushed last is a level of its own, not replaced by the screen's entry.
    h.ctl().HideScreen("rpn_stack");
    h.keys({kKeyPi, kKeyOpenRpnStack});
    Push("5");
    EXPECT_EQ(values()[6].substr(0, 6), "3.1415");
    EXPECT_EQ(values()[7], "5");
}

TEST_F(RPNScreen, BinaryBaseTakesOnlyItsDigits) {
    h.launch(kCatBaseConversion, "Basic-RPN");
    h.keys({kKeyBaseBin, kKeyOpenRpnStack});
    view = dynamic_cast<RPNCalcView*>(h.ctl().screens().find("rpn_stack"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(state()["base"], "BIN");
    EXPECT_FALSE(press(Digit(2)));
    EXPECT_FALSE(press(kPoint));
    Push("101");
    EXPECT_EQ(values()[7], "00000101");  // the stack shows binary digits in whole bytes
    ASSERT_TRUE(view->tap("row:7"));
    press(Digit(1));  // 1011 written back as eleven
    std::vector<qcmplx> v;
    ASSERT_EQ(getRPNStackValues(v), 1);
    double d;
    qtoe(v[0].r, &d);
    EXPECT_EQ(d, 11);
}

}  // namespace
