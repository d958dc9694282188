// The loan's result screen: the summary lines and the amortization table period by period.
//
// Rows are the periods the loan takes: when the final payment falls before the number of payments the
// user gave, the table ends with that payment (no empty rows follow); when the number given is too small
// for the payment, the table simply ends with a balance left.
#pragma once

#include <string>
#include <vector>

#include "app/screens/finance_form/finance_result.h"

class LoanResultView : public FinanceResultView {
  public:
    static constexpr const char* kColumns[] = {"Period", "Years", "Balance", "Interest", "Principal"};

    // Takes the already rounded inputs of the form (payment -1: to be computed), runs a fresh
    // CLoanCalculate over them and fills the summary and the column texts: "%d" period number, "%5.3f"
    // years, "%5.2f" balance, interest and principal.
    void setLoanAmount(double loanAmount, double annualIntRate, double periodPerYear, double nper,
                       double pmt);

    // "Interest rate per period: %.4f", "Payment per period: %.2f", "Total Payments: %.2f",
    // "Total Interest: %.2f".
    std::vector<std::string> summaryLines() const override;
    FinanceTable table() const override;

    int rowCount() const { return static_cast<int>(arrPeriod.size()); }
    double periodIntRate() const { return m_dbPeriodIntRate; }
    double payment() const { return m_dbPayment; }
    double totalPayments() const { return m_dbTotalPayments; }
    double totalInterest() const { return m_dbTotalInterest; }

  private:
    // The inputs as given.
    double m_dbLA = 0.0, m_dbAIR = 0.0, m_dbPPY = 0.0, m_dbNPER = 0.0, m_dbPMT = 0.0;
    // The column texts, one entry per row.
    std::vector<std::string> arrPeriod, arrYear, arrBal, arrInt, arrPrinc;
    double m_dbPeriodIntRate = 0.0;
    double m_dbPayment = 0.0;
    double m_dbTotalPayments = 0.0;
    double m_dbTotalInterest = 0.0;
};
