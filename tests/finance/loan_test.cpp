#include "finance/loan.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<PeriodLoanResult> Rows(const CLoanCalculate& loan) {
    std::vector<PeriodLoanResult> rows;
    PeriodLoanResult row;
    for (int k = 0; loan.GetPeriodResult(k, row) == 1; ++k) rows.push_back(row);
    return rows;
}

// Every row but a final one repays payment - interest; the final one shows balance + interest.
void ExpectConsistentTable(const CLoanCalculate& loan, double amount) {
    const std::vector<PeriodLoanResult> rows = Rows(loan);
    ASSERT_EQ(static_cast<int>(rows.size()), static_cast<int>(loan.GetNPER()));
    double balance = amount;
    double interest = 0.0;
    double paid = 0.0;
    for (size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(testing::Message() << "row " << k);
        EXPECT_NEAR(rows[k].dbBalance, balance, 1e-9);
        interest += rows[k].dbInterest;
        const bool final = rows[k].dbPrincipal == rows[k].dbBalance + rows[k].dbInterest;
        paid += final ? rows[k].dbPrincipal : loan.GetPMT();
        balance -= rows[k].dbPrincipal;
        if (final) {
            EXPECT_EQ(k + 1, rows.size());
        }
    }
    EXPECT_NEAR(loan.GetTotalInterest(), interest, 1e-9);
    EXPECT_NEAR(loan.GetTotalPayments(), paid, 1e-9);
}

TEST(LoanCalculate, ComputesThePayment) {
    CLoanCalculate loan;
    loan.Calc(1000, 7, 12, 12, -1);
    // Spreadsheet PMT at the rate rounded to 7 places, 0.0058333, over 12 periods: 86.52666... (closed form
    // 1000 * i * (1 + i)^12 / ((1 + i)^12 - 1), evaluated with Python's decimal module).
    EXPECT_DOUBLE_EQ(loan.GetPMT(), 86.53);
    EXPECT_DOUBLE_EQ(loan.GetPeriodIntRate(), 0.5833);
    EXPECT_EQ(loan.GetNPER(), 12.0);
    const std::vector<PeriodLoanResult> rows = Rows(loan);
    ASSERT_EQ(rows.size(), 12u);
    const double times[] = {0.083, 0.167, 0.25, 0.333, 0.417, 0.5, 0.583, 0.667, 0.75, 0.833, 0.917, 1.0};
    for (size_t k = 0; k < rows.size(); ++k) EXPECT_DOUBLE_EQ(rows[k].dbTime, times[k]) << "row " << k;
    EXPECT_DOUBLE_EQ(rows[0].dbInterest, 5.83);
    EXPECT_DOUBLE_EQ(rows[0].dbPrincipal, 80.70);
    // The rounded-up payment leaves 85.98 + 0.50 for the last period, which is paid in full.
    EXPECT_NEAR(rows[11].dbBalance, 85.98, 1e-9);
    EXPECT_NEAR(rows[11].dbPrincipal, 86.48, 1e-9);
    EXPECT_NEAR(loan.GetTotalPayments(), 1038.31, 1e-9);
    EXPECT_NEAR(loan.GetTotalInterest(), 38.31, 1e-9);
    ExpectConsistentTable(loan, 1000);
}

TEST(LoanCalculate, PaymentGivenShortensTheTable) {
    CLoanCalculate loan;
    loan.Calc(1000, 7, 12, 12, 100);
    EXPECT_EQ(loan.GetNPER(), 11.0);  // ceil of about 10.33
    PeriodLoanResult last;
    ASSERT_EQ(loan.GetPeriodResult(10, last), 1);
    EXPECT_NEAR(last.dbBalance, 33.22, 1e-9);
    EXPECT_NEAR(last.dbInterest, 0.19, 1e-9);
    EXPECT_NEAR(last.dbPrincipal, 33.41, 1e-9);  // the whole final payment
    EXPECT_NEAR(loan.GetTotalPayments(), 1033.41, 1e-9);
    EXPECT_NEAR(loan.GetTotalInterest(), 33.41, 1e-9);
    ExpectConsistentTable(loan, 1000);
}

struct CountRow {
    const char* what;
    double amount, rate, ppy, nper, pmt;
    double expectedNper;
};

const CountRow kCountRows[] = {
    {"count below the bound", 1000, 7, 12, 24, 100, 11},
    {"bound below the count", 1000, 7, 12, 5, 100, 5},
    {"payment below first interest, capped", 1000, 12, 12, 100, 8, 100},
    {"payment below first interest, counted", 1000, 12, 12, 200, 8, 140},  // ceil of about 139.3
    {"payment only covers interest", 1000, 12, 12, 24, 10, 24},            // infinite count keeps the bound
    {"payment beyond the whole loan", 1000, 12, 12, 12, 2000, 1},
    {"zero rate", 1000, 0, 12, 24, 300, 4},
    {"payment too small for any count", 1000, 12, 12, 24, 4, 0},
    {"negative payment at a rate", 1000, 12, 12, 24, -50, 0},
    {"negative payment at zero rate", 1000, 0, 12, 24, -50, 0},
    {"fractional bound", 1000, 7, 12, 12.5, -1, 12.5},
};

TEST(LoanCalculate, NumberOfPayments) {
    for (const CountRow& row : kCountRows) {
        CLoanCalculate loan;
        loan.Calc(row.amount, row.rate, row.ppy, row.nper, row.pmt);
        EXPECT_EQ(loan.GetNPER(), row.expectedNper) << row.what;
        EXPECT_EQ(static_cast<int>(Rows(loan).size()), static_cast<int>(row.expectedNper)) << row.what;
        ExpectConsistentTable(loan, row.amount);
    }
}

TEST(LoanCalculate, BalanceGrowsWhenThePaymentIsBelowTheInterest) {
    CLoanCalculate loan;
    loan.Calc(1000, 12, 12, 100, 8);
    const std::vector<PeriodLoanResult> rows = Rows(loan);
    ASSERT_EQ(rows.size(), 100u);
    for (size_t k = 1; k < rows.size(); ++k) EXPECT_GT(rows[k].dbBalance, rows[k - 1].dbBalance) << k;
}

TEST(LoanCalculate, ZeroRateSplitsTheAmount) {
    CLoanCalculate loan;
    loan.Calc(1200, 0, 12, 12, -1);
    EXPECT_DOUBLE_EQ(loan.GetPMT(), 100.0);
    EXPECT_EQ(loan.GetNPER(), 12.0);
    EXPECT_DOUBLE_EQ(loan.GetTotalPayments(), 1200.0);
    EXPECT_DOUBLE_EQ(loan.GetTotalInterest(), 0.0);
    EXPECT_DOUBLE_EQ(loan.GetPeriodIntRate(), 0.0);
}

TEST(LoanCalculate, ZeroPaymentOnlyAccruesInterest) {
    CLoanCalculate loan;
    loan.Calc(1000, 12, 12, 3, 0);
    EXPECT_EQ(loan.GetNPER(), 3.0);
    EXPECT_EQ(loan.GetPMT(), 0.0);
    const std::vector<PeriodLoanResult> rows = Rows(loan);
    ASSERT_EQ(rows.size(), 3u);
    const double balances[] = {1000.0, 1010.0, 1020.1};
    const double interest[] = {10.0, 10.1, 10.2};
    for (size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(rows[k].dbBalance, balances[k], 1e-9) << k;
        EXPECT_NEAR(rows[k].dbInterest, interest[k], 1e-9) << k;
        EXPECT_NEAR(rows[k].dbPrincipal, -interest[k], 1e-9) << k;
    }
    EXPECT_EQ(loan.GetTotalPayments(), 0.0);
    EXPECT_NEAR(loan.GetTotalInterest(), 30.3, 1e-9);
}

TEST(LoanCalculate, FinalPaymentBeforeTheLastRowEndsTheTable) {
    // 240 at 5 %: the first interest rounds to 1.00, so a payment of 241 settles everything at once,
    // although the count formula (just above 1) rounds up to 2.
    CLoanCalculate loan;
    loan.Calc(240, 5, 12, 12, 241);
    EXPECT_EQ(loan.GetNPER(), 1.0);
    PeriodLoanResult row;
    ASSERT_EQ(loan.GetPeriodResult(0, row), 1);
    EXPECT_DOUBLE_EQ(row.dbPrincipal, 241.0);
    EXPECT_EQ(loan.GetPeriodResult(1, row), 0);
    EXPECT_DOUBLE_EQ(loan.GetTotalPayments(), 241.0);
}

TEST(LoanCalculate, RowIndexOutsideTheTable) {
    CLoanCalculate loan;
    loan.Calc(1000, 7, 12, 12, -1);
    PeriodLoanResult row{1, 2, 3, 4};
    EXPECT_EQ(loan.GetPeriodResult(-1, row), 0);
    EXPECT_EQ(loan.GetPeriodResult(12, row), 0);
    EXPECT_EQ(row.dbTime, 1.0);  // untouched
    EXPECT_EQ(row.dbPrincipal, 4.0);
    EXPECT_EQ(loan.GetPeriodResult(11, row), 1);
}

TEST(LoanCalculate, HugeNumberOfPaymentsIsBounded) {
    CLoanCalculate loan;
    loan.Calc(1000, 5, 12, 1e12, -1);
    EXPECT_EQ(loan.GetNPER(), CLoanCalculate::kMaxPeriods);
    EXPECT_DOUBLE_EQ(loan.GetPMT(), 4.17);  // the interest alone: the term is practically endless
    PeriodLoanResult row;
    EXPECT_EQ(loan.GetPeriodResult(CLoanCalculate::kMaxPeriods - 1, row), 1);
    EXPECT_EQ(loan.GetPeriodResult(CLoanCalculate::kMaxPeriods, row), 0);

    loan.Calc(1000, 0, 12, 1e300, 0);  // no payment: the bound given is used as is
    EXPECT_EQ(loan.GetNPER(), CLoanCalculate::kMaxPeriods);
}

TEST(LoanCalculate, CalculationWithoutRowsResetsTheResults) {
    CLoanCalculate loan;
    loan.Calc(1000, 7, 12, 12, -1);
    ASSERT_GT(loan.GetTotalPayments(), 0.0);
    loan.Calc(1000, 12, 12, 24, 4);  // no count: empty table
    EXPECT_EQ(loan.GetNPER(), 0.0);
    EXPECT_EQ(loan.GetTotalPayments(), 0.0);
    EXPECT_EQ(loan.GetTotalInterest(), 0.0);
    PeriodLoanResult row;
    EXPECT_EQ(loan.GetPeriodResult(0, row), 0);
}

struct DegenerateRow {
    const char* what;
    double amount, rate, ppy, nper, pmt;
};

// Inputs the form rejects; a direct caller still gets finite numbers and an empty table.
const DegenerateRow kDegenerateRows[] = {
    {"no periods per year", 1000, 7, 0, 12, -1},
    {"negative periods per year", 1000, 7, -12, 12, -1},
    {"no payments, payment computed", 1000, 7, 12, 0, -1},
    {"negative payments, payment computed", 1000, 7, 12, -5, -1},
    {"no periods, zero rate", 1000, 0, 12, 0, -1},
    {"NaN count", 1000, 7, 12, std::nan(""), -1},
};

TEST(LoanCalculate, DegenerateInputsGiveAnEmptyTable) {
    for (const DegenerateRow& row : kDegenerateRows) {
        CLoanCalculate loan;
        loan.Calc(row.amount, row.rate, row.ppy, row.nper, row.pmt);
        EXPECT_EQ(loan.GetNPER(), 0.0) << row.what;
        EXPECT_TRUE(std::isfinite(loan.GetPMT())) << row.what;
        EXPECT_TRUE(Rows(loan).empty()) << row.what;
    }
}

}  // namespace
