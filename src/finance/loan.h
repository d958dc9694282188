// Loan amortization: the payment or the number of payments of a loan, and its table period by period.
#pragma once

#include <vector>

#include "finance/format.h"

// One row of the amortization table.
struct PeriodLoanResult {
    double dbTime;      // years from the start: period number / periods per year, 3 places
    double dbBalance;   // balance at the start of the period
    double dbInterest;  // interest of the period, 2 places
    double
        dbPrincipal;  // principal repaid; on the final payment's row the whole payment (balance + interest)
};

class CLoanCalculate {
  public:
    // Upper bound on the rows of one table (a century of daily payments fits): a larger number of payments
    // is cut to this many rows so that no input can exhaust memory.
    static constexpr int kMaxPeriods = 100000;

    CLoanCalculate() = default;
    virtual ~CLoanCalculate() = default;

    // The finance calculators' rounding (finance::Format).
    static double Format(double value, int places) { return finance::Format(value, places); }

    // Computes the loan and rebuilds the table. Amounts are in the user's currency, annualRate in percent.
    // The inputs are kept rounded (amount, periods per year, NPER and payment to 2 places, the rate to 4).
    //  - pmt == -1: the payment that repays the amount in NPER periods is computed (0 when NPER <= 0).
    //  - any other non-zero pmt: NPER becomes the number of periods that payment needs, the NPER given
    //    being an upper bound; a count that cannot be formed (or is <= 0) leaves an empty table, one that is
    //    infinite (payment equal to the interest) keeps the NPER given.
    //  - pmt == 0: nothing is computed; the balance grows by its interest for NPER rows.
    // The table has (int)NPER rows, at most kMaxPeriods (NPER is cut to that bound). When the final payment
    // comes before the last row, the table ends there and NPER becomes the number of rows made. Totals are
    // the sums over the table. periodsPerYear <= 0 gives an empty result. Never sets an error code.
    void Calc(double loanAmount, double annualRate, double periodsPerYear, double nper, double pmt);

    // Copies row `index` (0-based) of the last table into result and returns 1; returns 0 and leaves
    // result untouched when index < 0 or index >= (int)GetNPER().
    int GetPeriodResult(int index, PeriodLoanResult& result) const;

    double GetPeriodIntRate() const { return m_dbPeriodIntRate; }  // percent per period, 4 places
    double GetPMT() const { return m_dbPMT; }                      // payment per period, 2 places
    double GetTotalPayments() const { return m_dbTotalPayments; }
    double GetTotalInterest() const { return m_dbTotalInterest; }
    double GetNPER() const { return m_dbNPER; }  // after Calc: the table's row count, 0 ... kMaxPeriods

  private:
    void BuildTable(double periodRate);

    double m_dbLoanAmount = 0.0;
    double m_dbAIR = 0.0;
    double m_dbPPY = 0.0;
    double m_dbNPER = 0.0;
    double m_dbPMT = 0.0;
    double m_dbPeriodIntRate = 0.0;
    double m_dbTotalPayments = 0.0;
    double m_dbTotalInterest = 0.0;
    std::vector<PeriodLoanResult> m_vTable;
};
