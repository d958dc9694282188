// Bracketing root finder of the rate, internal-rate-of-return and calculus root searches.
#pragma once

// Root-search limits. The step tolerance at the current best point b is
// 2 * kRootRelativeTolerance * |b| + kRootAbsoluteTolerance.
constexpr int kRootMaxIterations = 99;        // Brent iterations before giving up
constexpr double kRootEndPointAccept = 1e-8;  // |f| below this at an end point is taken as the root
constexpr double kRootRelativeTolerance = 1e-6;
constexpr double kRootAbsoluteTolerance = 0.5e-12;
constexpr int kRootRefineSteps = 8;  // secant steps that polish a converged root

// Finds a root of f between a and b (either order) by Brent's method (bisection, secant and inverse
// quadratic interpolation) and returns it. f receives the abscissa and `context` unchanged; the rate and
// cash-flow equations take their data from process-wide fields and are called with a null context.
//
// Clears g_ErrCode first (the extended-precision flag is left alone). An end point where |f| < 1e-8 is
// returned without iterating (a is tried first). Sets -12 ("Root not found") and returns 0 when f(a) and f(b)
// have the same sign, when f gives NaN, or when 99 iterations do not reach the tolerance 2e-6 * |b| +
// 0.5e-12. If f itself sets an error code, the search stops at once and returns 0 with that code kept.
// Once the search has converged, the root is polished to full double precision on the same function: up to
// kRootRefineSteps secant steps inside the final bracket, each kept only while it lowers |f| (a failing or
// non-finite evaluation ends the polish and keeps the point reached, with no error). Engine thread only.
double fnroot(double a, double b, double (*f)(double x, void* context), void* context = nullptr);
