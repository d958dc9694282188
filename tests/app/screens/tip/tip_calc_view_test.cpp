// The tip page through the screen interface and through the whole application: the bill from "=", the
// sliders, the labels, the float shares and the result panel's rule.
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
        savedMode = g_sOutputMode;
    }
    void TearDown() override { g_sOutputMode = savedMode; }
    std::string label(const char* key) { return tip->describe()[key].get<std::string>(); }

    AppHarness h;
    TipCalcView* tip = nullptr;
    std::string savedMode;
};

TEST_F(TipTest, EqualsPassesTheResultAsTheBillAndShowsThePanel) {
    EXPECT_FALSE(tip->resultViewShown());
    EXPECT_EQ(label("bill_caption"), "Bill Amount");
    EXPECT_EQ(label("tip_caption"), "Percent to tip");
    EXPECT_EQ(label("people_caption"), "# of people");
    h.keys({kKey1, kKey2, kKey0, kKeyTimes, kKey1, kKey0, kKeyEquals});
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 1200);
    EXPECT_TRUE(tip->describe()["result_shown"]);
    EXPECT_EQ(label("bill_amount"), "1,200.00");
    EXPECT_EQ(label("tip"), "120.00");
    EXPECT_EQ(label("total"), "1,320.00");
    EXPECT_EQ(label("tip_per_person"), "120.00");
    EXPECT_EQ(label("total_per_person"), "1,320.00");
    EXPECT_EQ(label("tip_percent_label"), "10");
    EXPECT_EQ(label("people_label"), "1");
    EXPECT_EQ(label("sales_tax_label"), "");
}

TEST_F(TipTest, SlidersAreRoundedAndKeptInTheirRanges) {
    tip->setBillAmount(200);
    struct Row {
        const char* control;
        double value;
        const char* labelKey;
        const char* shown;
    };
    const Row rows[] = {
        {"tip_percent", 15.4, "tip_percent_label", "15"},
        {"tip_percent", 15.5, "tip_percent_label", "16"},
        {"tip_percent", 80, "tip_percent_label", "50"},
        {"tip_percent", -3, "tip_percent_label", "0"},
        {"people", 3.6, "people_label", "4"},
        {"people", 0, "people_label", "1"},
        {"people", 45, "people_label", "30"},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(tip->setValue(r.control, r.value)) << r.control;
        EXPECT_EQ(label(r.labelKey), r.shown) << r.control << " = " << r.value;
    }
    EXPECT_FALSE(tip->setValue("people", NAN));
    EXPECT_FALSE(tip->setValue("sales_tax", 5));
    // Now 0 % among 30 people.
    EXPECT_EQ(label("tip"), "0.00");
    EXPECT_EQ(label("total_per_person"), "6.67");
    ASSERT_TRUE(tip->setValue("tip_percent", 20));
    ASSERT_TRUE(tip->setValue("people", 3));
    EXPECT_EQ(label("tip"), "40.00");
    EXPECT_EQ(label("total"), "240.00");
    EXPECT_EQ(label("tip_per_person"), "13.33");
    EXPECT_EQ(label("total_per_person"), "80.00");
    EXPECT_FLOAT_EQ(tip->describe()["people"].get<float>(), 3);
}

TEST_F(TipTest, ABillOfZeroShowsZerosEverywhere) {
    tip->setValue("people", 7);
    tip->setBillAmount(0);
    for (const char* key : {"bill_amount", "tip", "total", "tip_per_person", "total_per_person"})
        EXPECT_EQ(label(key), "0.00") << key;
}

TEST_F(TipTest, SharesAreWorkedInSinglePrecision) {
    // 10,000,000.01 with 10 %: the total 11,000,000.011 has no float closer than 11,000,000.
    tip->setBillAmount(10000000.01);
    EXPECT_EQ(label("total"), "11,000,000.01");
    EXPECT_EQ(label("total_per_person"), "11,000,000.00") << "one person: the total up to float rounding";
    EXPECT_EQ(label("tip"), "1,000,000.00");
    tip->setValue("people", 7);
    const float share = static_cast<float>(10000000.01 * 1.1) / 7.0f;
    EXPECT_EQ(label("total_per_person"), fixTextDisplay(FormatFixed(share, 2), "English (US)"));
    EXPECT_NE(label("total_per_person"),
              fixTextDisplay(FormatFixed(10000000.01 * 1.1 / 7, 2), "English (US)"));
}

TEST_F(TipTest, LabelsFollowTheOutputFormat) {
    tip->setBillAmount(-1234.5);
    EXPECT_EQ(label("bill_amount"), "-1,234.50");
    tip->setBillAmount(-123);
    EXPECT_EQ(label("bill_amount"), "-123.00");
    g_sOutputMode = "European";
    tip->setBillAmount(-1234.5);
    EXPECT_EQ(label("bill_amount"), "-1.234,50");
    // The display's result text in the European format is read with its own decimal mark.
    h.keys({kKey2, kKeyDecimal, kKey5, kKeyEquals});
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 2.5);
    EXPECT_EQ(label("total"), "2,75");
    h.keys({kKey1, kKey2, kKey3, kKey4, kKeyDecimal, kKey5, kKeyEquals});
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 1234.5) << h.resultUtf8();
    EXPECT_EQ(label("bill_amount"), "1.234,50");
}

TEST_F(TipTest, TheFirstKeyAfterAResultHidesThePanelAndEqualsShowsItAgain) {
    struct Step {
        int key;
        bool shown;
    };
    const Step steps[] = {
        {kKey5, false},     {kKeyEquals, true}, {kKeyPlus, false},  {kKey1, false},
        {kKeyEquals, true}, {kKeyEquals, true}, {kKeyClear, false},
    };
    for (const Step& s : steps) {
        h.keys({s.key});
        EXPECT_EQ(tip->resultViewShown(), s.shown) << "after key " << s.key;
    }
    EXPECT_DOUBLE_EQ(tip->billAmountMoney(), 6);
}

TEST_F(TipTest, KeysInAnotherCategoryReArmTheRule) {
    h.keys({kKey8, kKeyEquals});
    ASSERT_TRUE(tip->resultViewShown());
    tip->didHide();  // the strip leaves the page
    EXPECT_FALSE(tip->resultViewShown());
    h.ctl().selectCategoryItem(kCatArithmetic);
    h.keys({kKey1, kKeyPlus});
    h.ctl().selectCategoryItem(kCatTip);
    tip->didShow();  // back on the page: the panel that was showing shows again
    EXPECT_TRUE(tip->resultViewShown());
    h.keys({kKey2});
    EXPECT_FALSE(tip->resultViewShown()) << "the rule is armed again, so the first key hides the panel";
    tip->didHide();
    tip->didShow();
    EXPECT_FALSE(tip->resultViewShown()) << "a hidden panel stays hidden across page changes";
}

TEST_F(TipTest, AResultPostedAsAnErrorMessageReadsAsABillOfZero) {
    h.keys({kKeyEquals});  // empty line: "Empty string"
    EXPECT_TRUE(tip->resultViewShown());
    EXPECT_EQ(label("bill_amount"), "0.00");
}

TEST_F(TipTest, TheMenuButtonOpensTheMenuThroughTheController) {
    EXPECT_TRUE(tip->tap("menu"));
    EXPECT_FALSE(tip->tap("bill"));
    h.loop.runPending();
    EXPECT_EQ(h.ctl().openList(), kCategoryMenu);
}

}  // namespace
