// The time-value-of-money screen: solving each field, the check buttons, captions and payment type, the
// rounding of what it shows, and its file.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/finance_form/finance_form.h"
#include "app/screens/tvm/tvm_view.h"

namespace {

// The application with the TVM screen open.
struct TvmRun {
    TvmRun() {
        h.launch(kCatFinance);
        h.keys({kKeyOpenTvm});
        EXPECT_EQ(h.ctl().currentScreen(), "tvm");
        s = static_cast<TVMView*>(h.ctl().screens().find("tvm"));
    }
    std::string box(const char* field) const { return s->describe()["boxes"][field]; }

    AppHarness h;
    TVMView* s = nullptr;
};

class TVMScreen : public ::testing::Test, protected TvmRun {};

TEST_F(TVMScreen, DefaultsAndTexts) {
    const nlohmann::json j = s->describe();
    EXPECT_EQ(j["title"], "TVM Calculator");
    EXPECT_EQ(j["fields"], nlohmann::json({"nper", "rate", "pv", "pmt", "fv", "ppy"}));
    EXPECT_EQ(j["captions"], nlohmann::json({{"nper", "Total periods  (NPER)"},
                                             {"rate", "Annual interest rate (RATE)"},
                                             {"pv", "Present value     (PV)"},
                                             {"pmt", "Payment/Period (PMT)"},
                                             {"fv", "Future Value       (FV)"},
                                             {"ppy", "Period per year"}}));
    EXPECT_EQ(j["boxes"], nlohmann::json({{"nper", "360"},
                                          {"rate", "6.007"},
                                          {"pv", "200000"},
                                          {"pmt", "-1200"},
                                          {"fv", "0"},
                                          {"ppy", "12"}}));
    EXPECT_EQ(j["focus"], "nper");
    EXPECT_EQ(j["checked"], "nper");
    EXPECT_EQ(j["payment_type"], 1);
    EXPECT_EQ(j["segments"], nlohmann::json({"Begin of period", "End of Period"}));
    EXPECT_EQ(j["payment_type_caption"], "Payment type");
}

TEST_F(TVMScreen, SolvingEachFieldFromTheDefaults) {
    const std::pair<const char*, const char*> rows[] = {
        {"nper", "360.00"}, {"pmt", "-1200.01"}, {"pv", "199999.79"}, {"fv", "-1.30"}, {"rate", "6.007"}};
    for (const auto& [field, shown] : rows) {
        SCOPED_TRACE(field);
        TvmRun fresh;
        ASSERT_TRUE(fresh.s->tap(std::string("check:") + field));
        EXPECT_TRUE(fresh.s->pressKeypad(FinanceKeypad::kCalculate));
        EXPECT_EQ(fresh.box(field), shown);
        EXPECT_EQ(fresh.s->describe()["checked"], field);
    }
}

TEST_F(TVMScreen, CaptionsChecksAndPaymentType) {
    EXPECT_TRUE(s->tap("caption:pmt"));
    EXPECT_EQ(s->describe()["checked"], "pmt");
    EXPECT_FALSE(s->tap("caption:ppy")) << "the periods-per-year caption checks nothing";
    EXPECT_FALSE(s->tap("check:ppy"));
    EXPECT_FALSE(s->pressLabel(7));
    EXPECT_EQ(s->describe()["checked"], "pmt");

    EXPECT_TRUE(s->setValue("payment_type", 0));
    EXPECT_TRUE(s->paymentAtBeginning());
    EXPECT_FALSE(s->setValue("payment_type", 2));
    EXPECT_FALSE(s->setValue("payment_type", 0.5));
    EXPECT_EQ(s->describe()["payment_type"], 0);
    // Payments at the beginning earn one period more: the payment is the end-of-period one / (1 + r).
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate));
    EXPECT_EQ(box("pmt"), "-1194.03");
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kCalculate)) << "solving again from its own result";
    EXPECT_EQ(box("pmt"), "-1194.03");
}

TEST_F(TVMScreen, RejectedInputsShowZeroAndLeaveTheErrorCodeAlone) {
    struct Case {
        const char* check;
        const char* field;
        const char16_t* text;
        const char* shown;
    };
    const Case cases[] = {
        {"pv", "rate", u"-1", "0.00"},  // a negative rate has no present value
        {"nper", "fv", u"5", "0.00"},   // PV and FV of the same sign
        {"fv", "ppy", u"0", "0.00"},    // no periods per year
        {"rate", "pv", u"1", "0.000"},  // no rate balances these flows
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.check);
        TvmRun fresh;
        SetErrorCode(kErrSyntax);
        ASSERT_TRUE(fresh.s->enterText(c.field, c.text));
        ASSERT_TRUE(fresh.s->tap(std::string("check:") + c.check));
        EXPECT_TRUE(fresh.s->pressKeypad(FinanceKeypad::kCalculate));
        EXPECT_EQ(fresh.box(c.check), c.shown);
        EXPECT_EQ(GetErrorCode(), kErrSyntax) << "the calculator's own error state is kept";
        ClearErrorCode();
    }
    int code = 0;
    EXPECT_EQ(TVMView::Solve(TVMView::kPV, {360, -1, 0, -1200, 0, 12}, false, &code), 0.0);
    EXPECT_EQ(code, kErrInvalidFinance);
    EXPECT_EQ(TVMView::Solve(TVMView::kFV, {360, -1, 200000, -1200, 0, 12}, false, &code), 225210.06)
        << "a negative rate is accepted for the future value";
    EXPECT_EQ(code, 0);
}

TEST_F(TVMScreen, KeypadFocusAndFile) {
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kNextField));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kBackspace));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kDigit1 + 4));
    EXPECT_EQ(box("rate"), "6.005");
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kPreviousField));
    EXPECT_TRUE(s->pressKeypad(FinanceKeypad::kPreviousField));
    EXPECT_EQ(s->describe()["focus"], "ppy");
    EXPECT_TRUE(s->tap("check:fv"));
    EXPECT_TRUE(s->setValue("payment_type", 0));
    EXPECT_TRUE(s->tap("back"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.storage.readStringArray(h.dir.file(TVMView::kFileName)),
              (std::vector<std::string>{"360", "6.005", "200000", "-1200", "0", "12", "6", "5", "1"}));

    h.restart();
    h.keys({kKeyOpenTvm});
    const nlohmann::json j = h.ctl().screens().find("tvm")->describe();
    EXPECT_EQ(j["boxes"]["rate"], "6.005");
    EXPECT_EQ(j["focus"], "ppy");
    EXPECT_EQ(j["checked"], "fv");
    EXPECT_EQ(j["payment_type"], 0);
}

TEST_F(TVMScreen, CloseSavesAndLeavesAsTheBackButtonDoes) {
    ASSERT_TRUE(s->enterText("pv", u"1500"));
    EXPECT_TRUE(s->tap("close"));
    EXPECT_EQ(h.ctl().currentScreen(), "");
    EXPECT_EQ(h.postedCount("BackFromTVMViewToMainView"), 1);
    const auto saved = h.storage.readStringArray(h.dir.file(TVMView::kFileName));
    ASSERT_TRUE(saved && saved->size() == 9u);
    EXPECT_EQ((*saved)[TVMView::kPV], "1500");
}

TEST(TVMFile, UnknownFocusOrButtonNumbersKeepTheirDefaults) {
    AppHarness h;
    h.storage.writeStringArray(h.dir.file(TVMView::kFileName),
                               {"1", "2", "3", "4", "5", "6", "7", "0", "yes", "extra"});
    h.launch(kCatFinance);
    h.keys({kKeyOpenTvm});
    const nlohmann::json j = h.ctl().screens().find("tvm")->describe();
    EXPECT_EQ(j["boxes"]["ppy"], "6");
    EXPECT_EQ(j["focus"], "nper");
    EXPECT_EQ(j["checked"], "nper");
    EXPECT_EQ(j["payment_type"], 1);
}

}  // namespace
