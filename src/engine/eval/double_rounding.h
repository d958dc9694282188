// Decimal rounding rules of the double-precision handlers: the twelve-decimal snapping of function results
// and the pole test of tan, sec and csc. Both are defined by decimal printing ("%.12lf", "%.0lf",
// "%.13lf") and reading back; these routines give exactly those values without formatting text in the
// common range and fall back to the text round trip elsewhere.
#pragma once

// x printed with "%.12lf" and read back with atof: x rounded to 12 decimals (ties to even on the exact
// binary value), the result rounded to the nearest double. Signs of zero and non-numbers are kept.
double SnapTo12Decimals(double x);

// The pole test on q = |argument| / period (period pi/2 for tan and sec, pi for csc): n is q printed with
// "%.0lf" and read with atoi, v is q printed with "%.13lf" and read with atof. True when v equals n and,
// with oddOnly, n is odd.
bool IsPoleQuotient(double q, bool oddOnly);
