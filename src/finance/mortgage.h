// Mortgage amortization: the monthly payment of a mortgage and its months grouped by year.
#pragma once

#include <vector>

#include "finance/format.h"

// One month of the table, or the totals of one year (see CMortgageCalculate::GetTotalofYears).
struct MonthlyMortgageResult {
    double dbInterest;       // interest of the month, 2 places
    double dbPrincipalRate;  // principal share of the payment in percent, 2 places (0 when the payment is 0)
    double dbBalance;        // balance after the month's payment
};

class CMortgageCalculate {
  public:
    // Upper bound on the months of one table: longer mortgages are tabulated (and totalled) over this many
    // months only, so that no input can exhaust memory.
    static constexpr int kMaxMonths = 100000;

    CMortgageCalculate() = default;
    virtual ~CMortgageCalculate() = default;

    // The finance calculators' rounding (finance::Format).
    static double Format(double value, int places) { return finance::Format(value, places); }

    // Computes the monthly payment and rebuilds the table. amount in the user's currency, annualRate in
    // percent, years the length (kept rounded: amount and years to 2 places, the rate to 4). The number of
    // months n = years * 12 (2 places) may be fractional: the payment is that of n months and the table has
    // (int)n rows. Total payment = amount + total interest; the average monthly interest divides the total
    // interest by n. A length that gives no month (n <= 0) or a payment that cannot be formed leaves a
    // payment of 0 and an empty table. Never sets an error code.
    void Calc(double amount, double annualRate, double years);

    // Copies the month `month` (1 ... 12) of year `year` (1-based) into result and returns true; returns
    // false with result zeroed for a month outside the table.
    bool GetMonthlyResult(int year, int month, MonthlyMortgageResult& result) const;

    // Totals of one year (1-based) over those of its months that are in the table: dbInterest is the sum
    // of their interest, dbPrincipalRate the sum of their principal shares / 12, dbBalance the closing
    // balance after the year's last tabulated month (after month 12 for a full year). Returns false with
    // result zeroed when the year has no month in the table.
    bool GetTotalofYears(int year, MonthlyMortgageResult& result) const;

    int GetMonthCount() const { return static_cast<int>(m_vMonths.size()); }  // rows of the table
    double GetMonthlyPayment() const { return m_dbMonthlyPayment; }
    double GetAvgMonthlyInt() const { return m_dbAvgMonthlyInt; }
    double GetTotalInterest() const { return m_dbTotalInterest; }
    double GetTotalPayment() const { return m_dbTotalPayment; }

  private:
    double m_dbAmount = 0.0;
    double m_dbAIR = 0.0;
    double m_dbLIY = 0.0;
    double m_dbAvgMonthlyInt = 0.0;
    double m_dbMonthlyPayment = 0.0;
    double m_dbTotalInterest = 0.0;
    double m_dbTotalPayment = 0.0;
    std::vector<MonthlyMortgageResult> m_vMonths;
};
