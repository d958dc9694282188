// The mortgage form and its result screen: months grouped by year, year totals, refused inputs.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/finance_form/finance_form.h"
#include "app/screens/mortgage/mort_calc_view.h"
#include "app/screens/mortgage/mort_result_view.h"

namespace {

using Row = std::vector<std::string>;

TEST(MortResult, FiveYearsHaveSixtyMonthsAndFiveTotals) {
    MortResultView r;
    r.setMortAmount(10000, 6, 5);
    EXPECT_EQ(r.summaryLines(), (Row{"Monthly payment: 193.33", "Avg.monthly interest: 26.66",
                                     "Total Payments: 11599.68", "Total Interest: 1599.68"}));
    const FinanceTable t = r.table();
    EXPECT_EQ(t.columns, (Row{"Year", "Month", "Print%", "Interest", "Balance"}));
    ASSERT_EQ(t.rows.size(), 65u);
    EXPECT_EQ(t.highlighted, (std::vector<int>{12, 25, 38, 51, 64}));
    EXPECT_EQ(t.rows[0], (Row{"1", "Jan", "74.14", "50.00", "9856.67"}));
    EXPECT_EQ(t.rows[11][1], "Dec");
    // A year's total: its interest, its principal shares / 12 and its closing balance.
    EXPECT_EQ(t.rows[12], (Row{"1", "Total", "76.21", "551.91", "8231.95"}));
    EXPECT_EQ(t.rows[13], (Row{"2", "Jan", "78.71", "41.16", "8079.78"}));
    EXPECT_EQ(t.rows[64][1], "Total");
}

TEST(MortResult, PartialLastYearHasNoTotalRow) {
    struct Case {
        double years;
        size_t rows;
        std::vector<int> totals;
        Row last;  // year and month of the last row
    };
    const Case cases[] = {
        {2.5, 32, {12, 25}, {"3", "Jun"}},
        {1, 13, {12}, {"1", "Total"}},
        {0.25, 3, {}, {"1", "Mar"}},
        {0.01, 0, {}, {}},  // 0.12 of a month: nothing to list
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.years);
        MortResultView r;
        r.setMortAmount(10000, 6, c.years);
        const FinanceTable t = r.table();
        ASSERT_EQ(t.rows.size(), c.rows);
        EXPECT_EQ(t.highlighted, c.totals);
        if (!c.last.empty()) {
            EXPECT_EQ(Row(t.rows.back().begin(), t.rows.back().begin() + 2), c.last);
        }
    }
}

TEST(MortResult, LongMortgagesStopAtTheTabulatedMonths) {
    MortResultView r;
    r.setMortAmount(10000, 6, 1e6);
    const FinanceTable t = r.table();
    EXPECT_EQ(t.rows.size(), 100000u + 100000u / 12) << "every tabulated month and its full years' totals";
    EXPECT_EQ(t.rows.back()[1], "Apr");
    EXPECT_STREQ(MortResultView::getNameMonth(0), "");
    EXPECT_STREQ(MortResultView::getNameMonth(13), "");
}

TEST(MortForm, CalculatesOrRefusesAndGoesBack) {
    AppHarness h;
    h.launch(kCatFinance);
    h.keys({kKeyOpenMortgage});
    ScreenModel* s = h.ctl().screens().find("mortgage");
    ASSERT_NE(s, nullptr);
    nlohmann::json j = s->describe();
    EXPECT_EQ(j["title"], "Mortgage Calculator");
    EXPECT_EQ(j["labels"], nlohmann::json({{"amount", "Mortgage Amount"},
                                           {"rate", "Annual Interest Rate(%)"},
                                           {"years", "Length in Years"}}));
    EXPECT_EQ(j["boxes"], nlohmann::json({{"amount", "10000"}, {"rate", "6"}, {"years", "5"}}));

    for (const std::vector<double>& refused :
         {std::vector<double>{0, 6, 5}, {10000, -0.5, 5}, {10000, 6, 0}, {10000, 6, -2}, {10000, NAN, 5}})
        EXPECT_FALSE(MortCalcView::CheckInputs(refused).has_value())
            << refused[0] << refused[1] << refused[2];
    ASSERT_TRUE(s->enterText("amount", u"-"));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate));
    EXPECT_EQ(s->describe()["alert"]["message"], "Please check input again!");
    h.loop.runPending();
    ASSERT_TRUE(s->enterText("amount", u"10000"));

    EXPECT_TRUE(s->tap("years"));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kPoint));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kDigit1 + 4));
    EXPECT_EQ(s->describe()["boxes"]["years"], "5.5");
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate));
    j = s->describe();
    EXPECT_EQ(j["page"], "result");
    EXPECT_EQ(j["result"]["rows"].size(), 66u + 5u);
    EXPECT_EQ(j["result"]["highlighted"].size(), 5u);
    h.post("BackMortCalView");
    EXPECT_EQ(s->describe()["page"], "form");
    EXPECT_TRUE(s->tap("back"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.storage.readStringArray(h.dir.file(MortCalcView::kFileName)),
              (std::vector<std::string>{"10000", "6", "5.5"}));
}

}  // namespace
