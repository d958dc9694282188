#include "app/screens/loan/loan_calc_view.h"

#include <cmath>

#include "app/screens/loan/loan_result_view.h"
#include "finance/format.h"

namespace {

const FinanceFormScreen::Names kNames{"loan", "Loan Calculator", LoanCalcView::kFileName, "BackLoanCalcView",
                                      "BackFromLoanCalViewToMainView"};

std::vector<FinanceForm::Box> LoanBoxes() {
    return {
        {"amount", "Loan Amount", "1000"},
        {"rate", "Annual Interest Rate", "7"},
        {"ppy", "Periods Per Year", "12"},
        {"nper", "Total Number of \n Payments ", "12"},
        {"pmt", "Payment Each Period \n(Not match to calculate) ", "-1"},
    };
}

}  // namespace

LoanCalcView::LoanCalcView(ScreenContext& context) : FinanceFormScreen(context, kNames, LoanBoxes()) {}

std::optional<LoanInputs> LoanCalcView::CheckInputs(const std::vector<double>& values) {
    if (values.size() != 5) return std::nullopt;
    for (double v : values)
        if (!std::isfinite(v)) return std::nullopt;
    const double amount = values[0], rate = values[1], ppy = values[2], nper = values[3], pmt = values[4];
    if (amount <= 0 || rate < 0 || ppy <= 0 || nper <= 0 || (pmt < 0 && pmt != -1)) return std::nullopt;
    return LoanInputs{finance::Format(amount, 2), finance::Format(rate, 2), finance::Format(ppy, 2),
                      finance::Format(nper, 2), finance::Format(pmt, 2)};
}

std::unique_ptr<FinanceResultView> LoanCalcView::makeResult(const std::vector<double>& values) const {
    const std::optional<LoanInputs> in = CheckInputs(values);
    if (!in) return nullptr;
    auto result = std::make_unique<LoanResultView>();
    result->setLoanAmount(in->amount, in->rate, in->ppy, in->nper, in->pmt);
    return result;
}
