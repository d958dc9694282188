// The loan form and its result screen, driven as the window and the headless runs drive them.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/finance_form/finance_form.h"
#include "app/screens/loan/loan_calc_view.h"
#include "app/screens/loan/loan_result_view.h"

namespace {

using Row = std::vector<std::string>;

LoanResultView Result(double amount, double rate, double ppy, double nper, double pmt) {
    LoanResultView r;
    r.setLoanAmount(amount, rate, ppy, nper, pmt);
    return r;
}

TEST(LoanResult, PaymentComputedOverTwelveMonths) {
    const LoanResultView r = Result(1000, 7, 12, 12, -1);
    EXPECT_EQ(r.summaryLines(), (Row{"Interest rate per period: 0.5833", "Payment per period: 86.53",
                                     "Total Payments: 1038.31", "Total Interest: 38.31"}));
    const FinanceTable t = r.table();
    EXPECT_EQ(t.columns, (Row{"Period", "Years", "Balance", "Interest", "Principal"}));
    ASSERT_EQ(t.rows.size(), 12u);
    EXPECT_EQ(t.rows[0], (Row{"1", "0.083", "1000.00", " 5.83", "80.70"}));
    EXPECT_EQ(t.rows[1][1], "0.167");
    EXPECT_EQ(t.rows[11], (Row{"12", "1.000", "85.98", " 0.50", "86.48"}));
    EXPECT_TRUE(t.highlighted.empty());
}

TEST(LoanResult, EdgeCases) {
    struct Case {
        const char* what;
        double amount, rate, ppy, nper, pmt;
        size_t rows;
        Row summary;  // payment, total payments, total interest lines
        Row lastRow;
    };
    const Case cases[] = {
        {"a payment of 100 needs 11 of the 12 periods; the last row shows the whole final payment",
         1000,
         7,
         12,
         12,
         100,
         11,
         {"Payment per period: 100.00", "Total Payments: 1033.41", "Total Interest: 33.41"},
         {"11", "0.917", "33.22", " 0.19", "33.41"}},
        {"no interest: the amount over the payments",
         1000,
         0,
         12,
         12,
         -1,
         12,
         {"Payment per period: 83.33", "Total Payments: 999.96", "Total Interest: 0.00"},
         {"12", "1.000", "83.37", " 0.00", "83.33"}},
        {"a payment of 0 computes nothing: the balance grows by its interest",
         1000,
         7,
         12,
         3,
         0,
         3,
         {"Payment per period: 0.00", "Total Payments: 0.00", "Total Interest: 17.60"},
         {"3", "0.250", "1011.70", " 5.90", "-5.90"}},
        {"a payment below the first interest: about 139.3 periods, capped by the 12 given",
         1000,
         12,
         12,
         12,
         8,
         12,
         {"Payment per period: 8.00", "Total Payments: 96.00", "Total Interest: 121.36"},
         {"12", "1.000", "1023.13", "10.23", "-2.23"}},
        {"the same payment with room for all its periods",
         1000,
         12,
         12,
         200,
         8,
         140,
         {"Payment per period: 8.00", "Total Payments: 1120.00", "Total Interest: 1725.49"},
         {"140", "11.667", "1597.51", "15.98", "-7.98"}},
        {"a number of payments too small for the payment: the balance stays",
         1000,
         7,
         12,
         5,
         100,
         5,
         {"Payment per period: 100.00", "Total Payments: 500.00", "Total Interest: 23.64"},
         {"5", "0.417", "620.02", " 3.62", "96.38"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LoanResultView r = Result(c.amount, c.rate, c.ppy, c.nper, c.pmt);
        const FinanceTable t = r.table();
        ASSERT_EQ(t.rows.size(), c.rows);
        const Row lines = r.summaryLines();
        EXPECT_EQ(Row(lines.begin() + 1, lines.end()), c.summary);
        EXPECT_EQ(t.rows.back(), c.lastRow);
        for (const Row& row : t.rows)
            for (const std::string& cell : row)
                EXPECT_TRUE(IsFinanceBoxText(cell.substr(cell.find_first_not_of(' '))))
                    << "no garbage cell: " << cell;
    }
}

TEST(LoanResult, TableAsTabSeparatedTextAndCsv) {
    const FinanceTable t = Result(1000, 7, 12, 2, -1).table();
    EXPECT_EQ(t.tabSeparated(),
              "Period\tYears\tBalance\tInterest\tPrincipal\n"
              "1\t0.083\t1000.00\t5.83\t498.55\n"
              "2\t0.167\t501.45\t2.93\t504.38\n");
    EXPECT_EQ(t.csv(),
              "Period,Years,Balance,Interest,Principal\n"
              "1,0.083,1000.00,5.83,498.55\n"
              "2,0.167,501.45,2.93,504.38\n");
    FinanceTable quoted{{"a,b", "say \"x\""}, {{"1", "2\n3"}}, {}};
    EXPECT_EQ(quoted.csv(), "\"a,b\",\"say \"\"x\"\"\"\n1,\"2\n3\"\n");
}

// ---- the form ---------------------------------------------------------------------------------------------

class LoanForm : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch(kCatFinance);
        h.keys({kKeyOpenLoan});
        ASSERT_EQ(h.ctl().currentScreen(), "loan");
        s = static_cast<LoanCalcView*>(h.ctl().screens().find("loan"));
        s->setChangeListener([this] { ++changes; });
    }
    nlohmann::json d() const { return s->describe(); }
    void press(std::initializer_list<int> indices) {
        for (int i : indices) EXPECT_TRUE(s->pressKeypad(i)) << i;
    }

    AppHarness h;
    LoanCalcView* s = nullptr;
    int changes = 0;
};

TEST_F(LoanForm, OpensWithTheDefaultsAndLabels) {
    const nlohmann::json j = d();
    EXPECT_EQ(j["title"], "Loan Calculator");
    EXPECT_EQ(j["page"], "form");
    EXPECT_EQ(j["transition"], "none");
    EXPECT_EQ(j["fields"], nlohmann::json({"amount", "rate", "ppy", "nper", "pmt"}));
    EXPECT_EQ(j["labels"]["nper"], "Total Number of \n Payments ");
    EXPECT_EQ(j["labels"]["pmt"], "Payment Each Period \n(Not match to calculate) ");
    EXPECT_EQ(j["boxes"]["pmt"], "-1");
    EXPECT_EQ(j["focus"], "amount");
    EXPECT_TRUE(j["keypad"]);
    EXPECT_TRUE(j["alert"].is_null());
    EXPECT_TRUE(j["result"].is_null());
}

TEST_F(LoanForm, KeypadEditsTheFocusedBoxThenPushesTheResultAndBack) {
    press(
        {FinanceKeypad::kClear, FinanceKeypad::kDigit1 + 1, FinanceKeypad::kDigit0, FinanceKeypad::kDigit0});
    EXPECT_EQ(d()["boxes"]["amount"], "200");
    EXPECT_TRUE(s->tap("nper"));
    press({FinanceKeypad::kClear, FinanceKeypad::kDigit1 + 3});
    EXPECT_EQ(d()["boxes"]["nper"], "4");
    EXPECT_EQ(d()["boxes"]["amount"], "200") << "keys edit the focused box only";
    EXPECT_GT(changes, 0);

    press({FinanceKeypad::kCalculate});
    nlohmann::json j = d();
    EXPECT_EQ(j["page"], "result");
    EXPECT_EQ(j["transition"], "push_from_right");
    EXPECT_FALSE(j["keypad"]);
    EXPECT_EQ(j["result"]["title"], "Calculator Results");
    EXPECT_EQ(j["result"]["rows"].size(), 4u);
    EXPECT_EQ(j["result"]["summary"][1], "Payment per period: 50.73");
    EXPECT_EQ(s->resultTabSeparated().substr(0, 7), "Period\t");
    EXPECT_FALSE(s->pressKeypad(FinanceKeypad::kDigit0)) << "the result screen covers the keypad";
    EXPECT_FALSE(s->tap("amount"));

    EXPECT_TRUE(s->tap("back"));
    EXPECT_EQ(h.postedCount("BackLoanCalcView"), 1);
    j = d();
    EXPECT_EQ(j["page"], "form");
    EXPECT_EQ(j["transition"], "push_from_left");
    EXPECT_TRUE(j["result"].is_null());
    EXPECT_EQ(s->resultCsv(), "");
    EXPECT_EQ(h.ctl().currentScreen(), "loan");

    EXPECT_TRUE(s->tap("back"));
    EXPECT_EQ(h.postedCount("BackFromLoanCalViewToMainView"), 1);
    EXPECT_EQ(h.ctl().currentScreen(), "");
    const auto saved = h.storage.readStringArray(h.dir.file(LoanCalcView::kFileName));
    EXPECT_EQ(saved, (std::vector<std::string>{"200", "7", "12", "4", "-1"}));

    h.restart();
    h.keys({kKeyOpenLoan});
    EXPECT_EQ(h.ctl().screens().find("loan")->describe()["boxes"]["nper"], "4");
}

// The window's back button and Escape tap "close": it goes where the screen's own back button goes (the
// result page back to the form, then the form saved and left), never straight to the calculator.
TEST_F(LoanForm, CloseActsAsTheBackButtonOfThePageShowing) {
    ASSERT_TRUE(s->enterText("nper", u"6"));
    press({FinanceKeypad::kCalculate});
    ASSERT_EQ(d()["page"], "result");
    EXPECT_TRUE(s->tap("close"));
    EXPECT_EQ(d()["page"], "form");
    EXPECT_EQ(h.ctl().currentScreen(), "loan");
    EXPECT_TRUE(s->tap("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.storage.readStringArray(h.dir.file(LoanCalcView::kFileName)),
              (std::vector<std::string>{"1000", "7", "12", "6", "-1"}));
}

TEST_F(LoanForm, RefusedInputsShowTheInputErrorAlert) {
    struct Case {
        const char* field;
        const char16_t* text;
    };
    const Case cases[] = {{"amount", u"0"}, {"amount", u"-5"}, {"rate", u"-1"},  {"ppy", u"0"},
                          {"nper", u""},    {"pmt", u"-2"},    {"pmt", u"-1.5"}, {"amount", u"-"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const std::string before = d()["boxes"][c.field];
        ASSERT_TRUE(s->enterText(c.field, c.text));
        EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate));
        nlohmann::json j = d();
        EXPECT_EQ(j["page"], "form");
        EXPECT_EQ(j["alert"], nlohmann::json({{"title", "Input Error"},
                                              {"message", "Please check input again!"},
                                              {"buttons", {"OK"}}}));
        EXPECT_FALSE(j["keypad"]);
        EXPECT_FALSE(s->pressKeypad(FinanceKeypad::kCalculate)) << "the alert is modal";
        h.loop.runPending();  // the alert is answered
        EXPECT_TRUE(d()["alert"].is_null());
        ASSERT_TRUE(s->enterText(c.field, Utf8ToU16(before)));
    }
    EXPECT_EQ(h.alerts.shown().size(), std::size(cases));
    EXPECT_TRUE(s->enterText("pmt", u"0"));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate)) << "a payment of 0 is accepted";
    EXPECT_EQ(d()["page"], "result");
}

TEST_F(LoanForm, InputsAreRoundedToTwoPlacesBeforeTheResult) {
    ASSERT_TRUE(s->enterText("rate", u"6.125"));
    ASSERT_TRUE(s->enterText("nper", u"12.994"));
    press({FinanceKeypad::kCalculate});
    // 6.12 % a year (the form rounds the rate to 2 places) and 12.994 payments, 12.99 after rounding: 12
    // rows.
    EXPECT_EQ(d()["result"]["summary"][0], "Interest rate per period: 0.5100");
    EXPECT_EQ(d()["result"]["rows"].size(), 12u);
    EXPECT_FALSE(LoanCalcView::CheckInputs({INFINITY, 7, 12, 12, -1}).has_value());
}

}  // namespace
