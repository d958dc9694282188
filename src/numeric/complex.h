// Double-precision complex numbers and their elementary functions.
//
// COMPLEX is the value type of the engine's double-precision evaluation path (plotting, equation solving,
// numeric calculus). Every function here is pure: operands by value, a new value back, no global state, no
// error code. A domain violation shows up as an infinite or not-a-number part; the operator handlers test
// for that (a value that differs from itself) and turn it into their error codes.
//
// Angles are in radians. Inverse functions return principal values; each handles a small table of limit
// cases (infinite or very large arguments on an axis) before its general formula, and passes the general
// result through Round so that rounding noise in one part does not turn a real result complex.
#pragma once

struct COMPLEX {
    double re;  // real part
    double im;  // imaginary part
};

// Componentwise a + b and a - b.
COMPLEX complex_add(COMPLEX a, COMPLEX b);
COMPLEX complex_sub(COMPLEX a, COMPLEX b);

// a * b by the schoolbook formula.
COMPLEX complex_mul(COMPLEX a, COMPLEX b);

// 1 / z = (re / n, -im / n) with n = re^2 + im^2. No zero test: z = 0 gives non-numbers.
COMPLEX complex_inverse(COMPLEX z);

// a * complex_inverse(b); b = 0 gives non-numbers.
COMPLEX complex_div(COMPLEX a, COMPLEX b);

// |z| = sqrt(re^2 + im^2).
double complex_abs(COMPLEX z);

// ln(1 + x), accurate for small x (the rounding of 1 + x is corrected).
double logex(double x);

// ln |z|, computed from the larger part so that neither squaring overflows. z = 0 gives not-a-number.
double logabs(COMPLEX z);

// Principal square root: real part >= 0; for re < 0 the imaginary part has the sign of im and is positive
// when im is zero (of either sign). sqrt(0) = 0.
COMPLEX complex_sqrt(COMPLEX z);

// e^z.
COMPLEX complex_exp(COMPLEX z);

// Principal logarithm (logabs(z), atan2(im, re)); z = 0 gives a non-number real part and angle 0.
COMPLEX complex_log(COMPLEX z);

// complex_log(z) / ln 10, both parts.
COMPLEX complex_log10(COMPLEX z);

// a^b = exp(b * log a) on the principal branch. 0^b is 0 for every b, 0^0 included; callers that want
// x^0 = 1 test the exponent first.
COMPLEX complex_pow(COMPLEX a, COMPLEX b);

// Circular functions. A real argument gives an exactly real result.
COMPLEX complex_sin(COMPLEX z);
COMPLEX complex_cos(COMPLEX z);
// Two formulas split at |im z| = 1, so that large imaginary parts reach i or -i without overflow.
COMPLEX complex_tan(COMPLEX z);
COMPLEX complex_cot(COMPLEX z);  // 1 / tan z
COMPLEX complex_sec(COMPLEX z);  // 1 / cos z
COMPLEX complex_csc(COMPLEX z);  // 1 / sin z

// Hyperbolic functions. A real argument gives an exactly real result.
COMPLEX complex_sinh(COMPLEX z);
COMPLEX complex_cosh(COMPLEX z);
// Exactly +1 (-1) for re > 700 (re < -700) with a tiny imaginary part, where sinh / cosh would overflow.
COMPLEX complex_tanh(COMPLEX z);
COMPLEX complex_csch(COMPLEX z);  // 1 / sinh z
COMPLEX complex_sech(COMPLEX z);  // 1 / cosh z
COMPLEX complex_coth(COMPLEX z);  // 1 / tanh z

// Inverse circular functions, principal values in radians.
COMPLEX complex_arcsin(COMPLEX z);  // -i log(iz + sqrt(1 - z^2))
COMPLEX complex_arccos(COMPLEX z);  // -i log(z + i sqrt(1 - z^2))
COMPLEX complex_arctan(COMPLEX z);  // (i/2) log((z + i) / (i - z))
COMPLEX complex_arcsec(COMPLEX z);  // arccos(1 / z)
COMPLEX complex_arccsc(COMPLEX z);  // arcsin(1 / z)
// arctan(1 / z); arccot 0 = pi/2, the limit along the positive real axis, instead of a non-number.
COMPLEX complex_arccot(COMPLEX z);

// Inverse hyperbolic functions.
COMPLEX complex_arcsinh(COMPLEX z);  // log(z + sqrt(z^2 + 1))
// log(z + sqrt(z^2 - 1)); for re z < 0 this is the negative of the usual branch (arccosh -2 has real part
// -1.317), which still satisfies cosh(arccosh z) = z.
COMPLEX complex_arccosh(COMPLEX z);
COMPLEX complex_arctanh(COMPLEX z);  // (1/2) log((1 + z) / (1 - z))
COMPLEX complex_arcsech(COMPLEX z);  // arccosh(1 / z)
COMPLEX complex_arccsch(COMPLEX z);  // arcsinh(1 / z)
// arctanh(1 / z); arccoth 0 = i pi/2, the limit from either side of the real axis, instead of a non-number.
COMPLEX complex_arccoth(COMPLEX z);

// Snaps negligible parts to zero: with r = |z| * 3.333e-16, when r < 1e-5 each part strictly inside (-r, r)
// becomes 0; otherwise (|z| above about 3e10) z is returned unchanged.
COMPLEX Round(COMPLEX z);
