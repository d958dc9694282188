// Net present value and internal rate of return of a cash-flow series.
#pragma once

// Scratch state of IRR, read by its equation during the root search: the value at time 0, the working
// array (position 0 holds the trial rate, positions 1 ... n the flows) and its length. The array is only
// valid while IRR runs; afterwards the pointer is null.
extern double g_tmpInitialInvestment;
extern double* g_tmpCashFlow;
extern int g_tmpNumberOfTime;

// Net present value: initial + sum over i = 1 ... count - 1 of values[i] / (1 + values[0] / 100)^i, that
// is values[0] is the rate in percent and values[1 ...] the flows of periods 1, 2, .... The engine passes
// initial = 0 and the arguments as typed. With count <= 0 (or no array) the result is `initial`. A result
// that is not finite (a rate of exactly -100 %, overflow) sets -51 ("Invalid parameters") and returns 0.
double NPV(double initial, const double* values, int count);

// Internal rate of return in percent: the rate x at which initial + sum over k = 1 ... count of
// flows[k - 1] / (1 + x / 100)^k is 0. Searched with fnroot between 0 and 100, then between -100 and 0.
// When neither interval holds a root, sets -12 ("Root not found") and returns 0. Not reentrant.
double IRR(double initial, const double* flows, int count);
