#include "finance/mortgage.h"

#include <algorithm>
#include <cmath>

void CMortgageCalculate::Calc(double amount, double annualRate, double years) {
    m_dbAmount = Format(amount, 2);
    m_dbAIR = Format(annualRate, 4);
    m_dbLIY = Format(years, 2);
    const double n = Format(m_dbLIY * 12.0, 2);
    const double i = Format(m_dbAIR / 1200.0, 7);

    m_vMonths.clear();
    m_dbTotalInterest = 0.0;
    m_dbMonthlyPayment = 0.0;
    m_dbAvgMonthlyInt = 0.0;
    m_dbTotalPayment = m_dbAmount;
    if (!(n > 0.0)) return;  // no month to spread the amount over

    // 1 - (1 + i)^-n through expm1 so that a small rate over a few months keeps its digits.
    double payment = i != 0.0 ? m_dbAmount * i / -std::expm1(-n * std::log1p(i)) : m_dbAmount / n;
    payment = Format(payment, 2);
    if (!std::isfinite(payment)) return;
    m_dbMonthlyPayment = payment;

    const double tabulated = std::min(n, static_cast<double>(kMaxMonths));
    const int months = static_cast<int>(tabulated);
    m_vMonths.reserve(static_cast<size_t>(months));
    double balance = m_dbAmount;
    for (int k = 0; k < months; ++k) {
        MonthlyMortgageResult month;
        month.dbInterest = Format(balance * i, 2);
        const double principal = payment - month.dbInterest;
        month.dbPrincipalRate = payment != 0.0 ? Format(principal / payment * 100.0, 2) : 0.0;
        balance -= principal;
        month.dbBalance = balance;
        m_vMonths.push_back(month);
        m_dbTotalInterest += month.dbInterest;
    }
    m_dbTotalPayment = m_dbAmount + m_dbTotalInterest;
    m_dbAvgMonthlyInt = Format(m_dbTotalInterest / tabulated, 2);
}

bool CMortgageCalculate::GetMonthlyResult(int year, int month, MonthlyMortgageResult& result) const {
    result = MonthlyMortgageResult{0.0, 0.0, 0.0};
    if (year < 1 || month < 1 || month > 12) return false;
    const long long index = (static_cast<long long>(year) - 1) * 12 + (month - 1);
    if (index >= static_cast<long long>(m_vMonths.size())) return false;
    result = m_vMonths[static_cast<size_t>(index)];
    return true;
}

bool CMortgageCalculate::GetTotalofYears(int year, MonthlyMortgageResult& result) const {
    result = MonthlyMortgageResult{0.0, 0.0, 0.0};
    if (year < 1) return false;
    const long long first = (static_cast<long long>(year) - 1) * 12;
    const long long end = std::min(first + 12, static_cast<long long>(m_vMonths.size()));
    if (first >= end) return false;
    double shares = 0.0;
    for (long long k = first; k < end; ++k) {
        result.dbInterest += m_vMonths[static_cast<size_t>(k)].dbInterest;
        shares += m_vMonths[static_cast<size_t>(k)].dbPrincipalRate;
    }
    result.dbPrincipalRate = shares / 12.0;
    // The year's own closing balance: what is left owing once its last payment is made.
    result.dbBalance = m_vMonths[static_cast<size_t>(end - 1)].dbBalance;
    return true;
}
