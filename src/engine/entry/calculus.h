// Numeric calculus of the executor: evaluation at a point, sums and products over a stepped range,
// Romberg integration, differentiation by rules with a numeric central difference underneath, and the
// bracketing root search.
#pragma once

#include <string>

#include "numeric/qlib.h"

// Most terms a fnSum or fnProduct call may have: each term is a full standardization and evaluation, so
// more would freeze the calculator for minutes. A range with more terms fails with -7 before the first.
constexpr int kSeriesTermLimit = 1000000;

// One Romberg row: the trapezoid estimate of the integral of g_lpszVariable's expression (evaluated by
// fnex on `expression`) over [a, b] with 2^(n-2) new points for n > 1. The estimate carries over between
// calls, so each integration starts with n = 1.
double trapzd(const QELT* a, const QELT* b, long n, const char* expression);

// Neville's interpolation of the n points (xa, ya) at x: *y the value, *dy the last correction (its error
// estimate). Two equal abscissas end it early with the values reached.
void polint(const double* xa, const double* ya, int n, double x, double* y, double* dy);

// Romberg integration of expression over [a, b] (angle mode set to radians). Up to 12 rows, 5-point
// extrapolation, relative accuracy 1e-6; otherwise -9 and zero.
void integration(qcmplx* result, const QELT* a, const QELT* b, const char* expression);

// Derivative of expression (in the variable g_lpszVariable) at x (angle mode set to radians): sums,
// products, quotients, roots and powers by their rules, split where the evaluator itself splits the text;
// anything else (and a power or root whose base is not positive) by a central difference with h = 1e-6,
// moved to the nearest defined points when a neighbour is undefined. Errors: the evaluation's, -55 when no
// two distinct defined points exist.
void derivation(qcmplx* result, const std::string& expression, const QELT* x);
