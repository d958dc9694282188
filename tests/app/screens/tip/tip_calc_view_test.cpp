// The tip page through the screen interface and the whole application: the bill from "=", the sliders,
// the labels, the float shares and the result panel's rule.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/text_format.h"
#include "app/screens/tip/tip_calc_view.h"

namespace {

class TipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatTip);
        tip = dynamic_cast<TipCalcView*>(h.ctl().screens().open("tip"));
        ASSERT_NE(tip, nullptr);
    }
    void TearDown() override { g_sOutputMode = savedMode; }
    std::string label(const char* key) { return tip->describe()[key].get<std::string>(); }

    AppHarness h;
    TipCalcView* tip = nullptr;
    std::string savedMode = g_sOutputMode;
};

TEST_F(TipTest, EqualsPassesTheResultAsTheBillAndTheSlidersSplitIt) {
    EXPECT_EQ(label("people_caption"), "# of people");
    h.keys({kKey1, kKey2, kKey0, kKeyTimes, kKey1, kKey0, kKeyEquals});
    EXPECT_TRUE(tip->describe()["result_shown"]);
    const char* keys[] = {"bill_amount",       "tip",         "total", "tip_per_person", "total_per_person",
                          "tip_percent_label", "people_label"};
    const char* shown[] = {"1,200.00", "120.00", "1,320.00", "120.00", "1,320.00", "10", "1"};
    for (int k = 0; k < 7; ++k) EXPECT_EQ(label(keys[k]), shown[k]) << keys[k];
    // Slider values are rounded and kept in their ranges.
    const struct {
        const char* control;
        double value;
        const char* key;
        const char* shown;
    } rows[] = {{"tip_percent", 15.5, "tip_percent_label", "16"},
                {"tip_percent", 80, "tip_percent_label", "50"},
                {"tip_percent", -3, "tip", "0.00"},
                {"people", 0, "people_label", "1"},
                {"people", 45, "total_per_person", "40.00"},
                {"people", 2.6, "people_label", "3"}};
    for (const auto& r : rows) {
        ASSERT_TRUE(tip->setValue(r.control, r.value));
        EXPECT_EQ(label(r.key), r.shown) << r.control << " = " << r.value;
    }
    EXPECT_FALSE(tip->setValue("people", NAN));
    EXPECT_FALSE(tip->setValue("sales_tax", 5));
    tip->setBillAmount(0);
    for (const char* key : {"bill_amount", "tip", "total", "tip_per_person", "total_per_person"})
        EXPECT_EQ(label(key), "0.00") << key;
}

TEST_F(TipTest, SharesAreWorkedInSinglePrecision) {
    // 10,000,000.01 with 10 %: no float lies closer to the total 11,000,000.011 than 11,000,000.
    tip->setBillAmount(10000000.01);
    EXPECT_EQ(label("total"), "11,000,000.01");
    EXPECT_EQ(label("total_per_person"), "11,000,000.00") << "one person: the total up to float rounding";
    tip->setValue("people", 7);
    const float share = static_cast<float>(10000000.01 * 1.1) / 7.0f;
    EXPECT_EQ(label("total_per_person"), fixTextDisplay(FormatFixed(share, 2), "English (US)"));
}

TEST_F(TipTest, LabelsAndResultsFollowTheOutputFormat) {
    tip->setBillAmount(-123);
    EXPECT_EQ(label("bill_amount"), "-123.00");
    g_sOutputMode = "European";
    h.keys({kKey1, kKey2, kKey3, kKey4, kKeyDecimal, kKey5, kKeyEquals});
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 1234.5) << h.resultUtf8();
    EXPECT_EQ(label("bill_amount"), "1.234,50");
}

TEST_F(TipTest, TheFirstKeyAfterAResultHidesThePanelAndEqualsShowsItAgain) {
    const struct {
        int key;
        bool shown;
    } steps[] = {{kKey5, false},     {kKeyEquals, true}, {kKeyPlus, false}, {kKey1, false},
                 {kKeyEquals, true}, {kKeyEquals, true}, {kKeyClear, false}};
    for (const auto& s : steps) {
        h.keys({s.key});
        EXPECT_EQ(tip->resultViewShown(), s.shown) << "after key " << s.key;
    }
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 6);
    h.keys({kKeyEquals});  // an empty line: the message reads as a bill of 0
    EXPECT_EQ(label("bill_amount"), "0.00");
}

TEST_F(TipTest, ThePanelFollowsItsPageAndTheRuleStaysArmedAcrossCategories) {
    h.keys({kKey8, kKeyEquals});
    h.ctl().selectCategoryItem(kCatArithmetic);  // the strip leaves the page
    EXPECT_FALSE(tip->resultViewShown());
    h.keys({kKey1, kKeyPlus});
    h.ctl().selectCategoryItem(kCatTip);
    EXPECT_TRUE(tip->resultViewShown()) << "the panel that was showing shows again with its page";
    h.keys({kKey2});
    EXPECT_FALSE(tip->resultViewShown());
    tip->didHide();
    tip->didShow();
    EXPECT_FALSE(tip->resultViewShown()) << "a hidden panel stays hidden across page changes";
    EXPECT_TRUE(tip->tap("menu"));
    h.loop.runPending();
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu);
}

}  // namespace
