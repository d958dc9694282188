#include "finance/mortgage.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct PaymentRow {
    double amount, rate, years;
    double monthlyPayment;  // spreadsheet PMT(rate / 1200, years * 12, -amount) rounded to 2 places
    int months;
};

// The unrounded payments were computed by the closed form in Python's decimal module
// (tests/finance/reference_values.py): 193.32801529, 1266.71327456, 359.78918414, 88.84878868.
const PaymentRow kPaymentRows[] = {
    {10000, 6, 5, 193.33, 60}, {250000, 4.5, 30, 1266.71, 360}, {10000, 6, 2.5, 359.79, 30},
    {1000, 12, 1, 88.85, 12},  {1200, 0, 1, 100.00, 12},
};

TEST(MortgageCalculate, PaymentAndTotals) {
    for (const PaymentRow& row : kPaymentRows) {
        SCOPED_TRACE(testing::Message() << row.amount << " at " << row.rate << " % over " << row.years);
        CMortgageCalculate mortgage;
        mortgage.Calc(row.amount, row.rate, row.years);
        EXPECT_DOUBLE_EQ(mortgage.GetMonthlyPayment(), row.monthlyPayment);
        ASSERT_EQ(mortgage.GetMonthCount(), row.months);

        double interest = 0.0;
        double balance = row.amount;
        MonthlyMortgageResult month;
        for (int k = 0; k < row.months; ++k) {
            ASSERT_TRUE(mortgage.GetMonthlyResult(k / 12 + 1, k % 12 + 1, month)) << k;
            const double principal = row.monthlyPayment - month.dbInterest;
            EXPECT_NEAR(month.dbInterest, CMortgageCalculate::Format(balance * row.rate / 1200, 2), 1e-9)
                << k;
            EXPECT_NEAR(month.dbPrincipalRate,
                        CMortgageCalculate::Format(principal / row.monthlyPayment * 100, 2), 1e-9)
                << k;
            balance -= principal;
            EXPECT_NEAR(month.dbBalance, balance, 1e-6) << k;
            interest += month.dbInterest;
        }
        // The payment is off by at most half a cent, and that error compounds like an annuity.
        const double i = row.rate / 1200;
        const double drift = i == 0 ? row.months : (std::pow(1 + i, row.months) - 1) / i;
        EXPECT_LT(std::fabs(balance), 0.005 * drift);
        EXPECT_NEAR(mortgage.GetTotalInterest(), interest, 1e-6);
        EXPECT_NEAR(mortgage.GetTotalPayment(), row.amount + interest, 1e-6);
        EXPECT_DOUBLE_EQ(mortgage.GetAvgMonthlyInt(),
                         CMortgageCalculate::Format(interest / (row.years * 12), 2));
    }
}

TEST(MortgageCalculate, FirstMonthOfTheDefaults) {
    CMortgageCalculate mortgage;
    mortgage.Calc(10000, 6, 5);
    MonthlyMortgageResult month;
    ASSERT_TRUE(mortgage.GetMonthlyResult(1, 1, month));
    EXPECT_DOUBLE_EQ(month.dbInterest, 50.00);
    EXPECT_DOUBLE_EQ(month.dbPrincipalRate, 74.14);  // 143.33 / 193.33
    EXPECT_NEAR(month.dbBalance, 9856.67, 1e-9);
    EXPECT_NEAR(mortgage.GetTotalInterest(), 1599.68, 1e-6);
    EXPECT_DOUBLE_EQ(mortgage.GetAvgMonthlyInt(), 26.66);
}

TEST(MortgageCalculate, YearTotals) {
    CMortgageCalculate mortgage;
    mortgage.Calc(10000, 6, 5);
    for (int year = 1; year <= 5; ++year) {
        double interest = 0.0;
        double shares = 0.0;
        MonthlyMortgageResult month;
        for (int m = 1; m <= 12; ++m) {
            ASSERT_TRUE(mortgage.GetMonthlyResult(year, m, month));
            interest += month.dbInterest;
            shares += month.dbPrincipalRate;
        }
        MonthlyMortgageResult total;
        ASSERT_TRUE(mortgage.GetTotalofYears(year, total)) << year;
        EXPECT_NEAR(total.dbInterest, interest, 1e-9) << year;
        EXPECT_NEAR(total.dbPrincipalRate, shares / 12, 1e-9) << year;
        EXPECT_EQ(total.dbBalance, month.dbBalance) << year;  // closing balance after month 12
    }
    MonthlyMortgageResult total;
    EXPECT_NEAR((mortgage.GetTotalofYears(1, total), total.dbBalance), 8231.95, 1e-6);
    EXPECT_FALSE(mortgage.GetTotalofYears(6, total));
    EXPECT_FALSE(mortgage.GetTotalofYears(0, total));
    EXPECT_EQ(total.dbInterest, 0.0);
}

TEST(MortgageCalculate, PartialLastYear) {
    CMortgageCalculate mortgage;
    mortgage.Calc(10000, 6, 2.5);
    ASSERT_EQ(mortgage.GetMonthCount(), 30);
    MonthlyMortgageResult month;
    EXPECT_TRUE(mortgage.GetMonthlyResult(3, 6, month));
    const double closing = month.dbBalance;
    EXPECT_FALSE(mortgage.GetMonthlyResult(3, 7, month));
    MonthlyMortgageResult total;
    ASSERT_TRUE(mortgage.GetTotalofYears(3, total));
    EXPECT_EQ(total.dbBalance, closing);
}

TEST(MortgageCalculate, MonthOutsideTheTableIsZero) {
    CMortgageCalculate mortgage;
    mortgage.Calc(10000, 6, 5);
    const int cases[][2] = {{0, 1}, {1, 0}, {1, 13}, {-1, 5}, {6, 1}, {2147483647, 12}};
    for (const auto& c : cases) {
        MonthlyMortgageResult month{1, 2, 3};
        EXPECT_FALSE(mortgage.GetMonthlyResult(c[0], c[1], month)) << c[0] << "/" << c[1];
        EXPECT_EQ(month.dbInterest, 0.0);
        EXPECT_EQ(month.dbBalance, 0.0);
    }
}

TEST(MortgageCalculate, FractionalMonths) {
    // 1.01 years are 12.12 months: the payment is that of 12.12 months, the table lists 12.
    CMortgageCalculate mortgage;
    mortgage.Calc(1000, 12, 1.01);
    EXPECT_EQ(mortgage.GetMonthCount(), 12);
    EXPECT_LT(mortgage.GetMonthlyPayment(), 88.85);
    EXPECT_DOUBLE_EQ(mortgage.GetAvgMonthlyInt(),
                     CMortgageCalculate::Format(mortgage.GetTotalInterest() / 12.12, 2));
}

TEST(MortgageCalculate, NoMonths) {
    const double lengths[] = {0.0, -3.0, 0.0001, std::nan("")};
    for (double years : lengths) {
        CMortgageCalculate mortgage;
        mortgage.Calc(10000, 6, years);
        EXPECT_EQ(mortgage.GetMonthCount(), 0) << years;
        EXPECT_EQ(mortgage.GetMonthlyPayment(), 0.0) << years;
        EXPECT_EQ(mortgage.GetAvgMonthlyInt(), 0.0) << years;
        EXPECT_EQ(mortgage.GetTotalPayment(), 10000.0) << years;
    }
}

TEST(MortgageCalculate, HugeLengthIsBounded) {
    CMortgageCalculate mortgage;
    mortgage.Calc(10000, 6, 1e9);
    EXPECT_EQ(mortgage.GetMonthCount(), CMortgageCalculate::kMaxMonths);
    EXPECT_DOUBLE_EQ(mortgage.GetMonthlyPayment(), 50.00);  // the interest alone
    EXPECT_DOUBLE_EQ(mortgage.GetAvgMonthlyInt(), 50.00);
    MonthlyMortgageResult month;
    EXPECT_TRUE(mortgage.GetMonthlyResult(CMortgageCalculate::kMaxMonths / 12, 1, month));
    EXPECT_FALSE(mortgage.GetMonthlyResult(CMortgageCalculate::kMaxMonths / 12 + 1, 12, month));
}

}  // namespace
