#include "app/screens/mortgage/mort_result_view.h"

#include "app/screens/finance_form/finance_form.h"
#include "finance/mortgage.h"

const char* MortResultView::getNameMonth(int month) {
    static const char* const kNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? kNames[month - 1] : "";
}

void MortResultView::addRow(int year, const char* month, double share, double interest, double balance,
                            bool total) {
    if (total) m_vTotalRows.push_back(static_cast<int>(arrYear.size()));
    arrYear.push_back(std::to_string(year));
    arrMonth.emplace_back(month);
    arrPrinRate.push_back(FinanceFixed(share, 2));
    arrInt.push_back(FinanceFixed(interest, 2));
    arrBal.push_back(FinanceFixed(balance, 2));
}

void MortResultView::setMortAmount(double amount, double annualIntRate, double lengthInYears) {
    m_dbMA = amount;
    m_dbAIR = annualIntRate;
    m_dbLIY = lengthInYears;

    CMortgageCalculate calc;
    calc.Calc(amount, annualIntRate, lengthInYears);
    m_dbPayment = calc.GetMonthlyPayment();
    m_dbAvgMonthlyInt = calc.GetAvgMonthlyInt();
    m_dbTotalPayment = calc.GetTotalPayment();
    m_dbTotalInterest = calc.GetTotalInterest();

    for (auto* column : {&arrYear, &arrMonth, &arrPrinRate, &arrInt, &arrBal}) column->clear();
    m_vTotalRows.clear();
    // The months listed: those within the length, and never past the months the calculation tabulated.
    const double lastMonth = 12.0 * lengthInYears;
    const int months = calc.GetMonthCount();
    for (int year = 1;; ++year) {
        for (int month = 1; month <= 12; ++month) {
            const long long k = 12LL * (year - 1) + month;
            if (static_cast<double>(k) > lastMonth || k > months) return;
            MonthlyMortgageResult m;
            calc.GetMonthlyResult(year, month, m);
            addRow(year, getNameMonth(month), m.dbPrincipalRate, m.dbInterest, m.dbBalance, false);
        }
        MonthlyMortgageResult total;
        calc.GetTotalofYears(year, total);
        addRow(year, kTotal, total.dbPrincipalRate, total.dbInterest, total.dbBalance, true);
    }
}

std::vector<std::string> MortResultView::summaryLines() const {
    return {
        "Monthly payment: " + FinanceFixed(m_dbPayment, 2),
        "Avg.monthly interest: " + FinanceFixed(m_dbAvgMonthlyInt, 2),
        "Total Payments: " + FinanceFixed(m_dbTotalPayment, 2),
        "Total Interest: " + FinanceFixed(m_dbTotalInterest, 2),
    };
}

FinanceTable MortResultView::table() const {
    FinanceTable t;
    t.columns.assign(std::begin(kColumns), std::end(kColumns));
    t.rows.reserve(arrYear.size());
    for (size_t r = 0; r < arrYear.size(); ++r)
        t.rows.push_back({arrYear[r], arrMonth[r], arrPrinRate[r], arrInt[r], arrBal[r]});
    t.highlighted = m_vTotalRows;
    return t;
}
