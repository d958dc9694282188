#include "finance/fnroot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <limits>

#include "numeric/errors.h"

namespace {

// Counts the evaluations of the function under search, so tests can tell an end-point answer from an
// iterated one.
struct Probe {
    double (*g)(double);
    int calls = 0;
};

double Eval(double x, void* context) {
    Probe* probe = static_cast<Probe*>(context);
    ++probe->calls;
    return probe->g(x);
}

double Tolerance(double root) {
    return 2.0 * 1e-6 * std::fabs(root) + 0.5e-12;
}

struct RootRow {
    const char* what;
    double (*g)(double);
    double a;
    double b;
    double root;
};

const RootRow kRootRows[] = {
    {"x^2 - 2", [](double x) { return x * x - 2.0; }, 0.0, 2.0, std::sqrt(2.0)},
    {"x^2 - 2, bounds swapped", [](double x) { return x * x - 2.0; }, 2.0, 0.0, std::sqrt(2.0)},
    {"x^3 - x - 2", [](double x) { return x * x * x - x - 2.0; }, 1.0, 2.0, 1.5213797068045676},
    {"cos x - x", [](double x) { return std::cos(x) - x; }, 0.0, 1.0, 0.7390851332151607},
    {"e^x - 1e6 (wide)", [](double x) { return std::exp(x) - 1e6; }, -50.0, 50.0, std::log(1e6)},
    {"x + 3 (negative root)", [](double x) { return x + 3.0; }, -10.0, 1.0, -3.0},
};

TEST(Fnroot, FindsBracketedRootsWithinTolerance) {
    for (const RootRow& row : kRootRows) {
        Probe probe{row.g};
        ClearErrorCode();
        const double x = fnroot(row.a, row.b, Eval, &probe);
        EXPECT_EQ(GetErrorCode(), kErrNone) << row.what;
        // The stopping rule bounds the bracket half-width, so the answer lies within twice the tolerance.
        EXPECT_NEAR(x, row.root, 2.0 * Tolerance(row.root)) << row.what;
        EXPECT_LE(probe.calls, 2 + kRootMaxIterations) << row.what;
    }
}

// After the search converges the root is polished on the same function: the double nearest the root, or
// within a few units in the last place where f itself is rounded.
TEST(Fnroot, PolishesTheRootToDoublePrecision) {
    const double exact[] = {1.4142135623730950488,  1.4142135623730950488, 1.5213797068045675696,
                            0.73908513321516064166, 13.815510557964274104, -3.0};  // mpmath, 20 digits
    static_assert(std::size(exact) == std::size(kRootRows));
    for (size_t k = 0; k < std::size(kRootRows); ++k) {
        const RootRow& row = kRootRows[k];
        Probe probe{row.g};
        const double x = fnroot(row.a, row.b, Eval, &probe);
        EXPECT_EQ(GetErrorCode(), 0) << row.what;
        EXPECT_NEAR(x, exact[k], 4 * std::numeric_limits<double>::epsilon() * std::fabs(exact[k]))
            << row.what;
        EXPECT_LE(probe.calls, 2 + kRootMaxIterations + kRootRefineSteps) << row.what;
    }
    // A polish step where f fails keeps the converged point and reports nothing. (The search never meets
    // f = 0 exactly on x^3 - 2; its polish does.)
    Probe failing{[](double x) {
        const double f = x * x * x - 2;
        if (f == 0) SetErrorCode(kErrComplex);
        return f;
    }};
    ClearErrorCode();
    const double x = fnroot(0.0, 2.0, Eval, &failing);
    EXPECT_EQ(GetErrorCode(), 0);
    EXPECT_NEAR(x, std::cbrt(2.0), 2.0 * Tolerance(std::cbrt(2.0)));
    EXPECT_NE(x, std::cbrt(2.0));
}

TEST(Fnroot, NoSignChangeIsRootNotFound) {
    Probe probe{[](double x) { return x * x + 1.0; }};
    EXPECT_EQ(fnroot(-1.0, 1.0, Eval, &probe), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);
    EXPECT_EQ(probe.calls, 2);
}

TEST(Fnroot, RootAtAnEndPointIsReturnedWithoutIterating) {
    Probe atA{[](double x) { return x - 1.0; }};
    EXPECT_EQ(fnroot(1.0, 3.0, Eval, &atA), 1.0);
    EXPECT_EQ(atA.calls, 1);

    Probe atB{[](double x) { return x - 3.0; }};
    EXPECT_EQ(fnroot(1.0, 3.0, Eval, &atB), 3.0);
    EXPECT_EQ(atB.calls, 2);

    // Below the acceptance threshold counts as a root even without a sign change.
    Probe nearA{[](double x) { return x * x + 5e-9; }};
    EXPECT_EQ(fnroot(0.0, 1.0, Eval, &nearA), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    Probe notNear{[](double x) { return x * x + 2e-8; }};
    EXPECT_EQ(fnroot(0.0, 1.0, Eval, &notNear), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);
}

TEST(Fnroot, GivesUpAfterTheIterationLimit) {
    // A jump on an enormous interval: interpolation cannot help, and halving from 1e300 down to the
    // absolute tolerance takes far more than the allowed iterations.
    Probe probe{[](double x) { return x < 1e-3 ? -1.0 : 1.0; }};
    EXPECT_EQ(fnroot(-1e300, 1e300, Eval, &probe), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);
    EXPECT_EQ(probe.calls, 2 + kRootMaxIterations);
}

TEST(Fnroot, NaNIsNotARoot) {
    Probe atEnd{[](double x) { return x < 0.0 ? std::nan("") : x - 0.5; }};
    EXPECT_EQ(fnroot(-1.0, 1.0, Eval, &atEnd), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);

    Probe inside{[](double x) { return std::fabs(x) < 0.9 ? std::nan("") : x; }};
    EXPECT_EQ(fnroot(-1.0, 1.0, Eval, &inside), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);
}

TEST(Fnroot, InfiniteEndValueStillBrackets) {
    Probe probe{[](double x) { return x == 0.0 ? HUGE_VAL : 1.0 / x - 2.0; }};
    const double x = fnroot(0.0, 1.0, Eval, &probe);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_NEAR(x, 0.5, 2.0 * Tolerance(0.5));
}

TEST(Fnroot, ClearsAStaleErrorCode) {
    SetErrorCode(kErrOutOfRange);
    Probe probe{[](double x) { return x - 0.5; }};
    EXPECT_NEAR(fnroot(0.0, 1.0, Eval, &probe), 0.5, 2.0 * Tolerance(0.5));
    EXPECT_EQ(GetErrorCode(), kErrNone);
}

TEST(Fnroot, StopsWhenTheFunctionFails) {
    Probe probe{[](double x) {
        if (x > 0.3) SetErrorCode(kErrComplex);
        return x - 0.7;
    }};
    EXPECT_EQ(fnroot(0.0, 1.0, Eval, &probe), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrComplex);
    EXPECT_EQ(probe.calls, 2);
}

TEST(Fnroot, DefaultContextIsNull) {
    // A non-null context would make the function constant and the search fail.
    const double x = fnroot(0.0, 4.0, [](double v, void* context) { return context ? 1.0 : v * v - 3.0; });
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_NEAR(x, std::sqrt(3.0), 2.0 * Tolerance(std::sqrt(3.0)));

    EXPECT_EQ(fnroot(0.0, 1.0, nullptr), 0.0);
    EXPECT_EQ(GetErrorCode(), kErrRootNotFound);
}

}  // namespace
