#include "app/screens/loan/loan_result_view.h"

#include "app/screens/finance_form/finance_form.h"
#include "finance/loan.h"

void LoanResultView::setLoanAmount(double loanAmount, double annualIntRate, double periodPerYear, double nper,
                                   double pmt) {
    m_dbLA = loanAmount;
    m_dbAIR = annualIntRate;
    m_dbPPY = periodPerYear;
    m_dbNPER = nper;
    m_dbPMT = pmt;

    CLoanCalculate calc;
    calc.Calc(loanAmount, annualIntRate, periodPerYear, nper, pmt);
    m_dbPeriodIntRate = calc.GetPeriodIntRate();
    m_dbPayment = calc.GetPMT();
    m_dbTotalPayments = calc.GetTotalPayments();
    m_dbTotalInterest = calc.GetTotalInterest();

    for (auto* column : {&arrPeriod, &arrYear, &arrBal, &arrInt, &arrPrinc}) column->clear();
    const int rows = static_cast<int>(calc.GetNPER());
    for (int r = 0; r < rows; ++r) {
        PeriodLoanResult row;
        if (!calc.GetPeriodResult(r, row)) break;
        arrPeriod.push_back(std::to_string(r + 1));
        arrYear.push_back(FinanceFixed(row.dbTime, 3, 5));
        arrBal.push_back(FinanceFixed(row.dbBalance, 2, 5));
        arrInt.push_back(FinanceFixed(row.dbInterest, 2, 5));
        arrPrinc.push_back(FinanceFixed(row.dbPrincipal, 2, 5));
    }
}

std::vector<std::string> LoanResultView::summaryLines() const {
    return {
        "Interest rate per period: " + FinanceFixed(m_dbPeriodIntRate, 4),
        "Payment per period: " + FinanceFixed(m_dbPayment, 2),
        "Total Payments: " + FinanceFixed(m_dbTotalPayments, 2),
        "Total Interest: " + FinanceFixed(m_dbTotalInterest, 2),
    };
}

FinanceTable LoanResultView::table() const {
    FinanceTable t;
    t.columns.assign(std::begin(kColumns), std::end(kColumns));
    t.rows.reserve(arrPeriod.size());
    for (size_t r = 0; r < arrPeriod.size(); ++r)
        t.rows.push_back({arrPeriod[r], arrYear[r], arrBal[r], arrInt[r], arrPrinc[r]});
    return t;
}
