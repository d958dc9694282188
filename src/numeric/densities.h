// Probability densities in double precision over the whole range of their arguments.
//
// The factorials and the gamma function are never formed: each density is written as the exponential of a
// sum of terms that stay small where the density is not negligible (the saddle-point form: the error term
// of Stirling's series for ln n! and the deviance x ln(x/m) + m - x, computed without cancellation). So
// every density that is a normal double comes out to a few units in the last place, huge arguments cost
// no more than small ones, and a density below the double range is 0. Callers check the argument ranges;
// these functions assume them.
#pragma once

// lambda^k e^-lambda / Gamma(k + 1) for k >= 0 and lambda > 0 (k need not be whole).
double PoissonDensity(double k, double lambda);

// C(n, k) p^k (1 - p)^(n - k) for whole 0 <= k <= n and 0 <= p <= 1.
double BinomialDensity(double k, double n, double p);

// x^(shape - 1) e^(-x / scale) / (scale^shape Gamma(shape)) for x >= 0, shape > 0 and scale > 0. At x = 0
// the density is 1 / scale for shape 1, 0 above and infinite below.
double GammaDensity(double x, double shape, double scale);
