#include "finance/loan.h"

#include <cmath>

namespace {

// Payment that repays `amount` in n periods at the decimal period rate i.
double PaymentFor(double amount, double i, double n) {
    if (!(n > 0.0)) return 0.0;  // no periods to spread the amount over
    if (i == 0.0) return amount / n;
    // i * w / (w - 1) with w = (1 + i)^n, written as i / (1 - (1 + i)^-n) so that a term long enough to
    // overflow w still gives its limit, the interest alone.
    return amount * i / -std::expm1(-n * std::log1p(i));
}

// Whole number of periods a payment needs to repay `amount`, rounded up; NaN when no count can be formed
// (for instance a negative payment at a positive rate) and +infinity when the payment only covers interest.
double PeriodsNeeded(double amount, double i, double pmt) {
    double m;
    if (i != 0.0) {
        const double ratio = pmt / amount;
        // The absolute value keeps a count for a payment below the first interest: the balance then grows.
        m = (std::log(ratio) - std::log(std::fabs(ratio - i))) / std::log1p(i);
    } else {
        m = amount / pmt;
    }
    return std::ceil(m);
}

}  // namespace

void CLoanCalculate::Calc(double loanAmount, double annualRate, double periodsPerYear, double nper,
                          double pmt) {
    m_dbLoanAmount = Format(loanAmount, 2);
    m_dbAIR = Format(annualRate, 4);
    m_dbPPY = Format(periodsPerYear, 2);
    m_dbNPER = Format(nper, 2);
    m_dbPMT = Format(pmt, 2);
    // Totals belong to the table being built; an object reused for a calculation without rows must not
    // keep reporting the previous loan's sums.
    m_dbTotalPayments = 0.0;
    m_dbTotalInterest = 0.0;
    m_dbPeriodIntRate = 0.0;
    m_vTable.clear();
    if (!(m_dbPPY > 0.0)) {
        m_dbNPER = 0.0;
        return;
    }

    const double i = Format(m_dbAIR / m_dbPPY / 100.0, 7);
    if (m_dbPMT == -1.0) {
        m_dbPMT = Format(PaymentFor(m_dbLoanAmount, i, m_dbNPER), 2);
        if (!std::isfinite(m_dbPMT)) m_dbPMT = 0.0;
    } else if (m_dbPMT != 0.0) {
        const double needed = PeriodsNeeded(m_dbLoanAmount, i, m_dbPMT);
        if (std::isnan(needed) || needed <= 0.0) {
            m_dbNPER = 0.0;
        } else if (needed < m_dbNPER) {
            m_dbNPER = needed;
        }
    }
    m_dbPeriodIntRate = Format(m_dbAIR / m_dbPPY, 4);

    if (!(m_dbNPER > 0.0)) {
        m_dbNPER = 0.0;
        return;
    }
    if (m_dbNPER > kMaxPeriods) m_dbNPER = kMaxPeriods;
    BuildTable(i);
}

void CLoanCalculate::BuildTable(double periodRate) {
    const int rows = static_cast<int>(m_dbNPER);
    m_vTable.reserve(static_cast<size_t>(rows));
    double balance = m_dbLoanAmount;
    for (int k = 1; k <= rows; ++k) {
        PeriodLoanResult row;
        row.dbTime = Format(k / m_dbPPY, 3);
        row.dbBalance = balance;
        row.dbInterest = Format(balance * periodRate, 2);
        m_dbTotalInterest += row.dbInterest;
        if (balance + row.dbInterest <= m_dbPMT) {
            // The final payment clears the balance and its interest; the row shows that whole payment.
            row.dbPrincipal = balance + row.dbInterest;
            m_dbTotalPayments += row.dbPrincipal;
            m_vTable.push_back(row);
            break;
        }
        row.dbPrincipal = m_dbPMT - row.dbInterest;
        m_dbTotalPayments += m_dbPMT;
        balance -= row.dbPrincipal;
        m_vTable.push_back(row);
    }
    // Rows after the final payment would only be blanks; list the loan as the payments it really takes.
    if (static_cast<int>(m_vTable.size()) < rows) m_dbNPER = static_cast<double>(m_vTable.size());
}

int CLoanCalculate::GetPeriodResult(int index, PeriodLoanResult& result) const {
    if (index < 0 || index >= static_cast<int>(m_dbNPER) || static_cast<size_t>(index) >= m_vTable.size())
        return 0;
    result = m_vTable[static_cast<size_t>(index)];
    return 1;
}
