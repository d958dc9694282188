#include "finance/cashflow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "numeric/errors.h"

namespace {

struct NpvRow {
    const char* what;
    double initial;
    std::vector<double> values;  // rate in percent, then the flows of periods 1, 2, ...
    double expected;
};

// Spreadsheet NPV(rate, flows...) + initial, evaluated with Python's decimal module
// (tests/finance/reference_values.py).
const NpvRow kNpvRows[] = {
    {"one flow", 0, {10, 110}, 100},
    {"project", 0, {10, -10000, 3000, 4200, 6800}, 1188.443412335223},
    {"with an investment at time 0", -40000, {8, 8000, 9200, 10000, 12000, 14500}, 1922.0615549323722},
    {"negative rate", 0, {-50, 10, 10}, 60},
    {"rate only", 7, {10}, 7},
    {"nothing", 7, {}, 7},
    {"-100 % without flows to discount", 5, {-100, 0, 0}, 5},
};

TEST(CashFlow, NetPresentValue) {
    for (const NpvRow& row : kNpvRows) {
        ClearErrorCode();
        const double npv = NPV(row.initial, row.values.data(), static_cast<int>(row.values.size()));
        EXPECT_NEAR(npv, row.expected, 1e-11 * std::max(1.0, std::fabs(row.expected))) << row.what;
        EXPECT_EQ(GetErrorCode(), kErrNone) << row.what;
    }
    EXPECT_EQ(NPV(3, nullptr, 4), 3.0);
}

TEST(CashFlow, NetPresentValueAtMinus100PercentIsRejected) {
    const double values[] = {-100, 50};
    ClearErrorCode();
    EXPECT_EQ(NPV(0, values, 2), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrInvalidFinance);
}

struct IrrRow {
    const char* what;
    double initial;
    std::vector<double> flows;
    double expected;  // percent; Python decimal bisection to 1e-30 (reference_values.py)
};

const IrrRow kIrrRows[] = {
    {"one period", -100, {110}, 10},
    {"project", -70000, {12000, 15000, 18000, 21000, 26000}, 8.663094803653161},
    {"loss over one period", -100, {50}, -50},
    {"loss over three periods", -100, {30, 20, 10}, -25.302926873902734},
    // At -100 % the flows of mixed sign give inf - inf; the search still needs a sign there.
    {"loss, flows of mixed sign", -100, {30, -10, 50}, -14.009763797132496},
    {"four equal flows", -100, {30, 30, 30, 30}, 7.7138472952083551},  // mpmath findroot, 40 digits
};

TEST(CashFlow, InternalRateOfReturn) {
    for (const IrrRow& row : kIrrRows) {
        ClearErrorCode();
        const double irr = IRR(row.initial, row.flows.data(), static_cast<int>(row.flows.size()));
        EXPECT_EQ(GetErrorCode(), kErrNone) << row.what;
        // The search's own tolerance leaves six digits; the polished root is right to double precision.
        EXPECT_NEAR(irr, row.expected, 1e-13 * std::fabs(row.expected)) << row.what;
        EXPECT_EQ(g_tmpCashFlow, nullptr) << row.what;  // the working array is gone
    }
}

TEST(CashFlow, BreakEvenIsFoundAtTheEndPoint) {
    const double flows[] = {60, 40};
    ClearErrorCode();
    EXPECT_EQ(IRR(-100, flows, 2), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrNone);
}

struct NoRootRow {
    const char* what;
    double initial;
    std::vector<double> flows;
};

const NoRootRow kNoRootRows[] = {
    {"every flow received", 100, {50, 50}},
    {"nothing but the start", 100, {}},
    {"every flow paid", -10, {-20, -30}},
    {"return above 100 %", -100, {250}},  // 150 % lies outside both intervals
};

TEST(CashFlow, NoInternalRateOfReturn) {
    for (const NoRootRow& row : kNoRootRows) {
        ClearErrorCode();
        EXPECT_EQ(IRR(row.initial, row.flows.data(), static_cast<int>(row.flows.size())), 0.0) << row.what;
        EXPECT_EQ(GetErrorCode(), kErrRootNotFound) << row.what;
        EXPECT_EQ(g_tmpCashFlow, nullptr) << row.what;
    }
}

}  // namespace
