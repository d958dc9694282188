// The percentage page: keys from the main keypad by notification, field states, the two forms.
#include <gtest/gtest.h>

#include <vector>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/business/business_calc_view.h"

namespace {

class BusinessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatBusiness);
        b = dynamic_cast<BusinessCalcView*>(h.ctl().screens().open("business"));
        ASSERT_NE(b, nullptr);
    }
    std::vector<std::string> texts() { return {b->text(0), b->text(1), b->text(2)}; }

    AppHarness h;
    BusinessCalcView* b = nullptr;
};

TEST_F(BusinessTest, StartsInTheFirstFormWithF0FocusedAndF2TheResult) {
    const auto j = b->describe();
    EXPECT_EQ(j["mode"], 1);
    EXPECT_EQ(j["focused"], "f0");
    EXPECT_EQ(j["result"], "f2");
    EXPECT_EQ(j["equal_beside"], "f2");
    EXPECT_EQ(j["equal_text"], "=");
    for (int f = 0; f < 3; ++f) EXPECT_EQ(j["fields"][f]["text"], "0");
    EXPECT_EQ(j["fields"][0]["colour"], nlohmann::json({1.0, 0.0, 0.502}));
    EXPECT_EQ(j["fields"][1]["colour"], nlohmann::json({0.0, 0.0, 0.0}));
    EXPECT_EQ(j["fields"][1]["state"], "input");
    EXPECT_EQ(j["fields"][2]["tag"], 3);
}

TEST_F(BusinessTest, KeysArriveFromTheMainKeypadByNotification) {
    h.keys({kKey1, kKey5});
    EXPECT_EQ(h.postedCount("BusinessCalc-EnterAKeycode"), 2);
    ASSERT_TRUE(b->tap("f1"));
    h.keys({kKey8, kKey0});
    EXPECT_EQ(texts(), (std::vector<std::string>{"15", "80", "12.00"}));
    EXPECT_EQ(h.inputUtf8(), "") << "the display gets nothing";
    h.keys({kKeyMenu});
    EXPECT_EQ(h.postedCount("BusinessCalc-EnterAKeycode"), 4) << "the menu key opens the menu";
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu);
    h.post("BusinessCalc-EnterAKeycode", std::string("x12"));  // not a key code: only calculates
    EXPECT_EQ(texts(), (std::vector<std::string>{"15", "80", "12.00"}));
}

// Key editing of the focused field (F0 of the first form; F2 shows the part of F1 = 0).
TEST_F(BusinessTest, KeyEditingRules) {
    struct Row {
        std::vector<int> keys;
        const char* text;
    };
    const Row rows[] = {
        {{kKeyDecimal}, "0."},
        {{kKey5}, "5"},
        {{kKeyDecimal, kKey5}, "0.5"},
        {{kKeyDecimal, kKeyDecimal, kKey0, kKey7}, "0.07"},
        {{kKey7, kKey8, kKey9, kKey4, kKey5, kKey6, kKey1, kKey2, kKey3, kKey0}, "7894561230"},
        {{kKey1, kKey2, kKeyChangeSign}, "-12"},
        {{kKey1, kKey2, kKeyChangeSign, kKeyChangeSign}, "12"},
        {{kKey1, kKeyDecimal, kKeyDecimal, kKey5}, "1.5"},
        {{kKey1, kKey2, kKeyClear}, "0"},
        {{kKey3, kKeyPlus, kKeyEquals, kKeyTimes}, "3"},
        {{kKeyPlus}, "0"},  // keys outside the table change no text, not even a zero
        {{kKeyChangeSign}, "-"},
        {{kKeyChangeSign, kKey4}, "4"},
    };
    for (const Row& r : rows) {
        b->enterAKeycode(kKeyClear);
        for (int k : r.keys) b->enterAKeycode(k);
        EXPECT_EQ(b->text(0), r.text) << "row " << (&r - rows);
    }
}

TEST_F(BusinessTest, TapsMoveTheStates) {
    ASSERT_TRUE(b->tap("f1"));  // an input field: it and the focused field swap
    EXPECT_EQ(b->state(0), BusinessCalcView::kInput);
    EXPECT_EQ(b->state(1), BusinessCalcView::kFocused);
    h.keys({kKey4, kKey0});
    ASSERT_TRUE(b->tap("f0"));
    h.keys({kKey2, kKey5});
    EXPECT_EQ(texts(), (std::vector<std::string>{"25", "40", "10.00"}));
    ASSERT_TRUE(b->tap("f2"));  // the result: it is focused and cleared, the input field becomes the result
    EXPECT_EQ(texts(), (std::vector<std::string>{"25", "0", "0"}));
    EXPECT_EQ(b->state(0), BusinessCalcView::kInput);
    EXPECT_EQ(b->state(1), BusinessCalcView::kResult);
    EXPECT_EQ(b->state(2), BusinessCalcView::kFocused);
    EXPECT_EQ(b->describe()["equal_beside"], "f1");
    h.keys({kKey5});
    EXPECT_EQ(b->text(1), "20.00") << "5 is 25 % of 20";
    ASSERT_TRUE(b->tap("f2"));  // the focused field stays focused
    EXPECT_EQ(b->state(2), BusinessCalcView::kFocused);
    EXPECT_EQ(texts(), (std::vector<std::string>{"25", "20.00", "5"}));
    EXPECT_FALSE(b->tap("f3"));
}

// Types a number text into the focused field by keys (a leading "-" is the sign key after the digits).
void Type(BusinessCalcView& v, const std::string& text) {
    static const int kDigitKeys[] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    v.enterAKeycode(kKeyClear);
    for (char c : text) {
        if (c >= '0' && c <= '9') v.enterAKeycode(kDigitKeys[c - '0']);
        if (c == '.') v.enterAKeycode(kKeyDecimal);
    }
    if (!text.empty() && text[0] == '-') v.enterAKeycode(kKeyChangeSign);
}

TEST_F(BusinessTest, FormulasOfBothFormsWithEveryFieldAsResult) {
    struct Row {
        int mode;
        int result;  // the result field
        const char* first;
        const char* second;  // the two other fields, in field order
        const char* expected;
    };
    const Row rows[] = {
        {1, 2, "15", "80", "12.00"},  {1, 0, "80", "12", "15.00"},   {1, 0, "0", "12", "inf"},
        {1, 1, "15", "12", "80.00"},  {1, 1, "0", "12", "inf"},      {2, 2, "80", "100", "25.00"},
        {2, 2, "0", "100", "inf"},    {2, 2, "100", "80", "-20.00"}, {2, 0, "100", "25", "80.00"},
        {2, 1, "80", "25", "100.00"}, {1, 2, "-50", "3", "-1.50"},   {1, 2, "0.5", "0.5", "0.00"},
    };
    ScreenContext context{h.platform, h.ctl(), nullptr};
    for (const Row& r : rows) {
        BusinessCalcView v(context);
        if (r.mode == 2) v.tap("mode2");
        // The result moves to F1 by a tap on F2, and on to F0 by a tap on F1.
        if (r.result <= 1) v.tap("f2");
        if (r.result == 0) v.tap("f1");
        ASSERT_EQ(v.fieldIn(BusinessCalcView::kResult), r.result);
        const char* texts[] = {r.first, r.second};
        int k = 0;
        for (int f = 0; f < 3; ++f) {
            if (f == r.result) continue;
            v.tap(f == 0 ? "f0" : f == 1 ? "f1" : "f2");
            Type(v, texts[k++]);
        }
        EXPECT_EQ(v.text(r.result), r.expected) << "row " << (&r - rows);
    }
}

TEST_F(BusinessTest, FormSwitchesRecalculateAndSetValueWritesTheFocusedField) {
    Type(*b, "80");
    b->tap("f1");
    Type(*b, "100");
    EXPECT_EQ(b->text(2), "80.00");
    ASSERT_TRUE(b->tap("mode2"));
    EXPECT_EQ(b->businessMode(), 2);
    EXPECT_EQ(b->text(2), "25.00");
    b->tap("mode2");
    EXPECT_EQ(b->text(2), "25.00");
    ASSERT_TRUE(b->setValue("value", 2.5));
    EXPECT_EQ(b->text(1), "2.500000");
    EXPECT_EQ(b->text(2), "-96.88");
    EXPECT_FALSE(b->setValue("percent", 1));
    ASSERT_TRUE(b->tap("mode1"));
    EXPECT_EQ(b->text(2), "2.00");
    EXPECT_TRUE(b->tap("menu"));
    h.loop.runPending();
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu);
}

}  // namespace
