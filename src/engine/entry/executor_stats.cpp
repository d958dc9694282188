// Statistics over the list register and the probability densities of the executor.
#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/entry/executor.h"
#include "engine/entry/executor_internal.h"
#include "engine/matrix/registers.h"
#include "numeric/densities.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

using executor_detail::Real;

namespace {

constexpr int kListRegister = 29;

double Mean(const std::vector<double>& x) {
    double s = 0;
    for (double v : x) s += v;
    return s / static_cast<double>(x.size());
}

// The sum of squared deviations from the mean, in two passes: the mean first, then the deviations, with
// the sum of the deviations (zero in exact arithmetic) taken back out for the rounding of the mean. The
// one-pass n Sx2 - (Sx)^2 cancels to nothing for data such as 100000001, 100000002, 100000003.
double SquaredDeviations(const std::vector<double>& x) {
    const double mean = Mean(x);
    double d = 0, d2 = 0;
    for (double v : x) {
        d += v - mean;
        d2 += (v - mean) * (v - mean);
    }
    return std::max(0.0, d2 - d * d / static_cast<double>(x.size()));
}

}  // namespace

qcmplx ListStatistic(int index) {
    const REG& list = g_reg[kListRegister];
    if (list.type != REG_MATRIX || list.cols != 1) {
        SetErrorCode(kErrNoList);
        return qczero;
    }
    const std::vector<double> x(list.data.begin(), list.data.begin() + list.rows);
    const double n = static_cast<double>(x.size());
    if (index == kCallCount) return Real(n);
    double s = 0, s2 = 0;
    for (double v : x) {
        s += v;
        s2 += v * v;
    }
    if (index == kCallListSum) return Real(s);
    if (index == kCallListSsq) return Real(s2);
    // Every other statistic needs at least one value (an empty list has no mean, median or extreme).
    if (x.empty()) {
        SetErrorCode(kErrNoList);
        return qczero;
    }
    switch (index) {
        case kCallAvg:
            return Real(s / n);
        case kCallSdv:
            return Real(std::sqrt(SquaredDeviations(x) / n));
        case kCallSsd:
            if (n <= 1) {
                SetErrorCode(kErrDivision);
                return qczero;
            }
            return Real(std::sqrt(SquaredDeviations(x) / (n - 1)));
        case kCallMin: {
            double m = x[0];
            for (double v : x)
                if (v < m) m = v;
            return Real(m);
        }
        case kCallMax: {
            double m = x[0];
            for (double v : x)
                if (v > m) m = v;
            return Real(m);
        }
        case kCallAvd: {
            const double mean = Mean(x);
            double d = 0;
            for (double v : x) d += std::fabs(v - mean);
            return Real(d / n);
        }
        case kCallDsq: {
            const double mean = Mean(x);
            double d = 0;
            for (double v : x) d += (v - mean) * (v - mean);
            return Real(d);
        }
        case kCallMedian: {
            std::vector<double> y = x;
            std::sort(y.begin(), y.end(), [](double a, double b) { return a > b; });
            const size_t m = y.size() / 2;
            return Real(y.size() % 2 ? y[m] : (y[m - 1] + y[m]) / 2);
        }
        case kCallMode: {
            size_t best = 0, bestCount = 0;
            for (size_t i = 0; i < x.size(); ++i) {
                size_t c = static_cast<size_t>(std::count(x.begin(), x.end(), x[i]));
                if (c > bestCount) {
                    bestCount = c;
                    best = i;
                }
            }
            return Real(x[best]);
        }
        case kCallGm: {
            double p = 1;
            for (double v : x) p *= v;
            if (x.size() % 2 == 0 && p < 0) {
                SetErrorCode(kErrSquareRoot);
                return qczero;
            }
            // An odd count of values keeps a negative product's real root: the cube root of -8 is -2.
            const double root = std::pow(std::fabs(p), 1.0 / n);
            return Real(p < 0 ? -root : root);
        }
        default:
            SetErrorCode(kErrSyntax);
            return qczero;
    }
}

qcmplx Density(int index, const std::string& args) {
    std::vector<double> a;
    // Too few arguments: -8 for RayPDF and GausPDF, -56 for the others.
    const int need = (index == kCallBinomial || index == kCallGamma || index == kCallGauss) ? 3 : 2;
    const int missing = (index == kCallRayleigh || index == kCallGauss) ? kErrCallSyntax : kErrLibrary;
    if (!executor_detail::ReadDoubles(args, 10, need, missing, a)) return qczero;
    auto fail = [](int code = kErrLibrary) {
        SetErrorCode(code);
        return qczero;
    };
    auto whole = [](double v) { return v == std::trunc(v); };
    double r = 0;
    switch (index) {
        case kCallPoisson: {
            const double k = a[0], lambda = a[1];
            if (k < 0 || lambda <= 0) return fail();
            if (!whole(k)) return fail(kErrNotInteger);  // a count
            r = PoissonDensity(k, lambda);
            break;
        }
        case kCallBinomial: {
            const double k = a[0], n = a[1], p = a[2];
            if (k < 0 || n < 0 || p < 0 || k > n || p > 1) return fail();
            if (!whole(k) || !whole(n)) return fail(kErrNotInteger);
            r = BinomialDensity(k, n, p);
            break;
        }
        case kCallGamma: {
            // Gamma(k) for every shape k > 0 ((k - 1)! for whole k); no density has a shape or scale of 0.
            const double x = a[0], k = a[1], theta = a[2];
            if (x < 0 || k <= 0 || theta <= 0) return fail();
            r = GammaDensity(x, k, theta);
            break;
        }
        case kCallGeo: {
            const double k = a[0], p = a[1];
            if (k < 0 || p < 0 || p > 1) return fail();
            r = p * std::pow(1 - p, k - 1);
            break;
        }
        case kCallRayleigh: {
            const double x = a[0], s = a[1];
            if (x < 0 || s <= 0) return fail();
            r = x * std::exp(-x * x / (2 * s)) / s;
            break;
        }
        default: {
            const double x = a[0], mu = a[1], s = a[2];
            if (s <= 0) return fail();
            r = std::exp(-(x - mu) * (x - mu) / (2 * s)) / std::sqrt(2 * M_PI * s);
            break;
        }
    }
    // Arguments inside the accepted ranges can still leave the doubles (GammaPDF at 0 for a shape below 1).
    if (!std::isfinite(r)) return fail();
    return Real(r);
}
