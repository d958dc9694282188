// The percentage page: keys from the main keypad by notification, field states, the two forms.
#include <gtest/gtest.h>

#include <vector>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/business/business_calc_view.h"

namespace {

using Texts = std::vector<std::string>;

// Types a number text into the focused field (a leading "-" is the sign key after the digits).
void Type(BusinessCalcView& v, const std::string& text) {
    static const int kDigitKeys[] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
    v.enterAKeycode(kKeyClear);
    for (char c : text) v.enterAKeycode(c == '.' ? kKeyDecimal : c == '-' ? kKeyNone : kDigitKeys[c - '0']);
    if (!text.empty() && text[0] == '-') v.enterAKeycode(kKeyChangeSign);
}

class BusinessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatBusiness);
        b = dynamic_cast<BusinessCalcView*>(h.ctl().screens().open("business"));
        ASSERT_NE(b, nullptr);
    }
    Texts texts() { return {b->text(0), b->text(1), b->text(2)}; }

    AppHarness h;
    BusinessCalcView* b = nullptr;
};

TEST_F(BusinessTest, KeysArriveByNotificationAndTapsMoveTheFieldStates) {
    auto j = b->describe();
    EXPECT_EQ(j["mode"], 1);
    EXPECT_EQ(j["fields"][0]["colour"], nlohmann::json({1.0, 0.0, 0.502}));
    EXPECT_EQ(j["fields"][1]["colour"], nlohmann::json({0.0, 0.0, 0.0}));
    EXPECT_EQ(j["equal_beside"], "f2");
    h.keys({kKey2, kKey5});
    ASSERT_TRUE(b->tap("f1"));  // an input field: it and the focused field swap
    h.keys({kKey4, kKey0});
    EXPECT_EQ(texts(), (Texts{"25", "40", "10.00"}));
    EXPECT_EQ(h.postedCount("BusinessCalc-EnterAKeycode"), 4);
    EXPECT_EQ(h.inputUtf8(), "") << "the display gets nothing";
    ASSERT_TRUE(b->tap("f2"));  // the result: focused and cleared; the input field becomes the result
    EXPECT_EQ(texts(), (Texts{"0", "40", "0"}));
    j = b->describe();
    EXPECT_EQ(j["focused"], "f2");
    EXPECT_EQ(j["fields"][1]["state"], "input");
    EXPECT_EQ(j["equal_beside"], "f0");
    h.keys({kKey5});
    EXPECT_EQ(b->text(0), "12.50") << "5 is 12.5 % of 40";
    ASSERT_TRUE(b->tap("f2"));  // the focused field stays focused
    EXPECT_EQ(b->state(2), BusinessCalcView::kFocused);
    EXPECT_FALSE(b->tap("f3"));
    h.post("BusinessCalc-EnterAKeycode", std::string("x12"));  // not a key code: only calculates
    EXPECT_EQ(texts(), (Texts{"12.50", "40", "5"}));
    h.keys({kKeyMenu});
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu) << "the menu key is the controller's";
}

TEST_F(BusinessTest, KeyEditingRules) {
    const struct {
        std::vector<int> keys;
        const char* text;
    } rows[] = {
        {{kKeyDecimal}, "0."},
        {{kKey5}, "5"},
        {{kKeyDecimal, kKeyDecimal, kKey0, kKey7}, "0.07"},
        {{kKey7, kKey8, kKey9, kKey4, kKey5, kKey6, kKey1, kKey2, kKey3, kKey0}, "7894561230"},
        {{kKey1, kKey2, kKeyChangeSign, kKeyChangeSign}, "12"},
        {{kKey1, kKeyDecimal, kKeyDecimal, kKey5, kKeyChangeSign}, "-1.5"},
        {{kKey1, kKey2, kKeyClear}, "0"},
        {{kKey3, kKeyPlus, kKeyEquals}, "3"},
        {{kKeyPlus}, "0"},  // keys outside the table change no text, not even a zero
        {{kKeyChangeSign}, "-"},
        {{kKeyChangeSign, kKey4}, "4"},
    };
    for (const auto& r : rows) {
        b->enterAKeycode(kKeyClear);
        for (int k : r.keys) b->enterAKeycode(k);
        EXPECT_EQ(b->text(0), r.text) << "row " << (&r - rows);
    }
}

TEST_F(BusinessTest, FormulasOfBothFormsWithEveryFieldAsResult) {
    const struct {
        int mode, result;            // the form and the result field
        const char *first, *second;  // the two other fields, in field order
        const char* expected;
    } rows[] = {
        {1, 2, "15", "80", "12.00"},  {1, 0, "80", "12", "15.00"},   {1, 0, "0", "12", "inf"},
        {1, 1, "15", "12", "80.00"},  {1, 1, "0", "12", "inf"},      {2, 2, "80", "100", "25.00"},
        {2, 2, "0", "100", "inf"},    {2, 2, "100", "80", "-20.00"}, {2, 0, "100", "25", "80.00"},
        {2, 1, "80", "25", "100.00"}, {1, 2, "-50", "3", "-1.50"},
    };
    ScreenContext context{h.platform, h.ctl(), nullptr};
    for (const auto& r : rows) {
        BusinessCalcView v(context);
        if (r.mode == 2) v.tap("mode2");
        if (r.result <= 1) v.tap("f2");  // the result moves to F1 ...
        if (r.result == 0) v.tap("f1");  // ... and on to F0
        ASSERT_EQ(v.fieldIn(BusinessCalcView::kResult), r.result);
        const char* typed[] = {r.first, r.second};
        int k = 0;
        for (int f = 0; f < 3; ++f) {
            if (f == r.result) continue;
            v.tap(f == 0 ? "f0" : f == 1 ? "f1" : "f2");
            Type(v, typed[k++]);
        }
        EXPECT_EQ(v.text(r.result), r.expected) << "row " << (&r - rows);
    }
    // Switching the form recalculates; setValue writes "%f" into the focused field.
    Type(*b, "80");
    b->tap("f1");
    Type(*b, "100");
    ASSERT_TRUE(b->tap("mode2"));
    EXPECT_EQ(b->text(2), "25.00");
    ASSERT_TRUE(b->setValue("value", 2.5));
    EXPECT_EQ(texts(), (Texts{"80", "2.500000", "-96.88"}));
    // The captions say what the fields mean in the form that shows.
    EXPECT_EQ(b->describe()["captions"], nlohmann::json({"Old value", "New value", "Change (%)"}));
    ASSERT_TRUE(b->tap("mode1"));
    EXPECT_EQ(b->describe()["captions"], nlohmann::json({"Percent (%)", "Of value", "Part"}));
}

}  // namespace
