#include "app/screens/mortgage/mort_calc_view.h"

#include <cmath>

#include "app/screens/mortgage/mort_result_view.h"
#include "finance/format.h"

namespace {

const FinanceFormScreen::Names kNames{"mortgage", "Mortgage Calculator", MortCalcView::kFileName,
                                      "BackMortCalView", "BackFromMortCalViewToMainView"};

std::vector<FinanceForm::Box> MortBoxes() {
    return {
        {"amount", "Mortgage Amount", "10000"},
        {"rate", "Annual Interest Rate(%)", "6"},
        {"years", "Length in Years", "5"},
    };
}

}  // namespace

MortCalcView::MortCalcView(ScreenContext& context) : FinanceFormScreen(context, kNames, MortBoxes()) {}

std::optional<MortInputs> MortCalcView::CheckInputs(const std::vector<double>& values) {
    if (values.size() != 3) return std::nullopt;
    for (double v : values)
        if (!std::isfinite(v)) return std::nullopt;
    if (values[0] <= 0 || values[1] < 0 || values[2] <= 0) return std::nullopt;
    return MortInputs{finance::Format(values[0], 2), finance::Format(values[1], 2),
                      finance::Format(values[2], 2)};
}

std::unique_ptr<FinanceResultView> MortCalcView::makeResult(const std::vector<double>& values) const {
    const std::optional<MortInputs> in = CheckInputs(values);
    if (!in) return nullptr;
    auto result = std::make_unique<MortResultView>();
    result->setMortAmount(in->amount, in->rate, in->years);
    return result;
}
