#include "finance/fnroot.h"

#include <cmath>
#include <utility>

#include "numeric/errors.h"

namespace {

double RootNotFound() {
    SetErrorCode(kErrRootNotFound);
    return 0.0;
}

bool SameStrictSign(double x, double y) {
    return (x > 0.0 && y > 0.0) || (x < 0.0 && y < 0.0);
}

// One Brent step proposal: interpolation when it promises to stay well inside the bracket, else bisection.
// d and e are the last and the one-before-last steps and are updated in place.
void ChooseStep(double a, double b, double c, double fa, double fb, double fc, double m, double tol1,
                double& d, double& e) {
    if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
        const double s = fb / fa;
        double p;
        double q;
        if (a == c) {
            p = 2.0 * m * s;  // secant
            q = 1.0 - s;
        } else {
            const double r = fa / fc;  // inverse quadratic through a, b and c
            const double t = fb / fc;
            p = s * (2.0 * m * r * (r - t) - (b - a) * (t - 1.0));
            q = (r - 1.0) * (t - 1.0) * (s - 1.0);
        }
        if (p > 0.0) q = -q;
        p = std::fabs(p);
        const double bound1 = 3.0 * m * q - std::fabs(tol1 * q);
        const double bound2 = std::fabs(e * q);
        if (2.0 * p < (bound1 < bound2 ? bound1 : bound2)) {
            e = d;
            d = p / q;
            return;
        }
    }
    d = m;
    e = d;
}

// Polishes the converged root b (value fb) of the bracket [b, c] (f changes sign between them, or fc is
// zero) by secant steps through both ends. A step is kept only while it stays inside the bracket and lowers
// |f|; the bracket keeps the sign change. The Brent tolerance leaves about six digits; a few of these steps
// reach the double nearest the root wherever f is smooth.
double Polish(double b, double fb, double c, double fc, double (*f)(double x, void* context), void* context) {
    for (int step = 0; step < kRootRefineSteps && fb != 0.0; ++step) {
        if (!std::isfinite(fc) || fc == fb) break;
        const double x = b - fb * (b - c) / (fb - fc);
        if (!std::isfinite(x) || x == b || (x - b) * (x - c) > 0.0) break;
        const double fx = f(x, context);
        if (GetErrorCode() != 0) {
            SetErrorCode(0);  // the search itself succeeded; the point reached stands
            break;
        }
        if (!(std::fabs(fx) < std::fabs(fb))) break;
        if (!SameStrictSign(fx, fb)) {
            c = b;
            fc = fb;
        }
        b = x;
        fb = fx;
    }
    return b;
}

}  // namespace

double fnroot(double a, double b, double (*f)(double x, void* context), void* context) {
    if (a > b) std::swap(a, b);
    SetErrorCode(0);
    if (f == nullptr) return RootNotFound();

    double fa = f(a, context);
    if (GetErrorCode() != 0) return 0.0;
    if (std::fabs(fa) < kRootEndPointAccept) return a;
    double fb = f(b, context);
    if (GetErrorCode() != 0) return 0.0;
    if (std::fabs(fb) < kRootEndPointAccept) return b;
    // A NaN end would pass the sign test below and let the bracket collapse onto it, reporting a point
    // that is no root as a success.
    if (std::isnan(fa) || std::isnan(fb) || SameStrictSign(fa, fb)) return RootNotFound();

    double c = b;
    double fc = fb;
    double d = b - a;
    double e = d;
    for (int iter = 0; iter < kRootMaxIterations; ++iter) {
        if (SameStrictSign(fb, fc)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2.0 * kRootRelativeTolerance * std::fabs(b) + kRootAbsoluteTolerance;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol1 || fb == 0.0) return Polish(b, fb, c, fc, f, context);
        ChooseStep(a, b, c, fa, fb, fc, m, tol1, d, e);
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : std::copysign(tol1, m);
        fb = f(b, context);
        if (GetErrorCode() != 0) return 0.0;
        if (std::isnan(fb)) return RootNotFound();
    }
    return RootNotFound();
}
