#include "finance/cashflow.h"

#include <cmath>
#include <vector>

#include "finance/fnroot.h"
#include "numeric/errors.h"

double g_tmpInitialInvestment = 0.0;
double* g_tmpCashFlow = nullptr;
int g_tmpNumberOfTime = 0;

namespace {

double DiscountedSum(double initial, const double* values, int count) {
    if (values == nullptr || count <= 0) return initial;
    const double base = 1.0 + values[0] / 100.0;
    double sum = initial;
    for (int i = 1; i < count; ++i) {
        // A zero flow adds nothing at any rate; skipping it keeps 0 / 0 out of the sum at -100 %.
        if (values[i] != 0.0) sum += values[i] / std::pow(base, i);
    }
    return sum;
}

// The IRR equation. At -100 % every discount factor is 0; the one-sided limit there is dominated by the
// last non-zero flow, which gives the root search a usable sign at the end of its negative interval.
double fnIRR(double x, void* /*context*/) {
    g_tmpCashFlow[0] = x;
    if (1.0 + x / 100.0 != 0.0)
        return DiscountedSum(g_tmpInitialInvestment, g_tmpCashFlow, g_tmpNumberOfTime);
    for (int k = g_tmpNumberOfTime - 1; k >= 1; --k) {
        if (g_tmpCashFlow[k] != 0.0) return std::copysign(HUGE_VAL, g_tmpCashFlow[k]);
    }
    return g_tmpInitialInvestment;
}

}  // namespace

double NPV(double initial, const double* values, int count) {
    const double sum = DiscountedSum(initial, values, count);
    if (std::isfinite(sum)) return sum;
    SetErrorCode(kErrInvalidFinance);
    return 0.0;
}

double IRR(double initial, const double* flows, int count) {
    if (flows == nullptr || count < 0) count = 0;
    std::vector<double> work(static_cast<size_t>(count) + 1, 0.0);
    for (int k = 0; k < count; ++k) work[static_cast<size_t>(k) + 1] = flows[k];
    g_tmpInitialInvestment = initial;
    g_tmpCashFlow = work.data();
    g_tmpNumberOfTime = count + 1;

    double x = fnroot(0.0, 100.0, fnIRR);
    if (GetErrorCode() != 0) {
        SetErrorCode(0);
        x = fnroot(-100.0, 0.0, fnIRR);
    }
    g_tmpCashFlow = nullptr;
    g_tmpNumberOfTime = 0;
    return x;
}
