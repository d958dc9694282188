// The mortgage's result screen: the summary lines and the months grouped by year, each full year followed
// by its total row (highlighted). A last year that is not full lists its months without a total row.
#pragma once

#include <string>
#include <vector>

#include "app/screens/finance_form/finance_result.h"

class MortResultView : public FinanceResultView {
  public:
    static constexpr const char* kColumns[] = {"Year", "Month", "Print%", "Interest", "Balance"};
    static constexpr const char* kTotal = "Total";

    // Takes the already rounded inputs of the form, runs CMortgageCalculate over them and fills the rows:
    // month k = 12 (year - 1) + month is listed while k <= 12 x years (and the table holds it), as "%d"
    // year, the month's name, then "%.2f" of the principal share, the interest and the balance after the
    // payment; after a year's twelfth month its total row follows ("%d" year, "Total", "%.2f" of the
    // year's share, interest and balance).
    void setMortAmount(double amount, double annualIntRate, double lengthInYears);

    // "Monthly payment: %.2f", "Avg.monthly interest: %.2f", "Total Payments: %.2f", "Total Interest: %.2f".
    std::vector<std::string> summaryLines() const override;
    FinanceTable table() const override;

    // "Jan" ... "Dec" for 1 ... 12, "" for any other number.
    static const char* getNameMonth(int month);

    int rowCount() const { return static_cast<int>(arrYear.size()); }
    double monthlyPayment() const { return m_dbPayment; }

  private:
    void addRow(int year, const char* month, double share, double interest, double balance, bool total);

    double m_dbMA = 0.0, m_dbAIR = 0.0, m_dbLIY = 0.0;  // the inputs as given
    double m_dbPayment = 0.0;
    double m_dbAvgMonthlyInt = 0.0;
    double m_dbTotalPayment = 0.0;
    double m_dbTotalInterest = 0.0;
    // The column texts, one entry per row, and the indices of the total rows.
    std::vector<std::string> arrYear, arrMonth, arrPrinRate, arrInt, arrBal;
    std::vector<int> m_vTotalRows;
};
