// The polynomial root finder of the equation solver: exact forms (integers, fractions, surds) for degree
// 1 and 2, decimal roots of a quadratic in extended precision, and the closed forms of Cardano and Ferrari
// for degree 3 and 4, evaluated as formula texts in extended-precision complex arithmetic.
//
// A coefficient text lists the coefficients of a*x^n + ... + constant, highest power first, separated by
// blanks; each coefficient is an engine expression without blanks ("2 -3 1", "1 -1/2 0.25"). Every formula
// evaluation first clears the engine error code and the library error state; the root texts never carry an
// error code: a failure shows as a null text, a 0 result or a missing mask bit. g_lpszExpression and
// g_lpszVariable are left as the caller had them. Engine thread only.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numeric/fraction.h"

// Exact root of a linear or quadratic equation.
// Degree 1 (two coefficients a b): the root -b/a, written "%ld" or "%ld/%ld" when a fraction with a
// denominator up to 1e9 matches it within 1e-6, else with 16 fixed decimals.
// Degree 2 (a b c): the root with +sqrt of the quadratic formula when which = 1, with -sqrt otherwise, as
// an integer, a fraction or a surd form such as "(1+2*sqrt(3))/(5)" (a negative denominator stays as
// written: "(3+2*sqrt(5))/(-4)"). A zero leading coefficient of three makes it degree 1.
// count receives the number of coefficient tokens, 2 when a zero leading coefficient was dropped (the
// solver then shows a single root). Null when no exact form applies: an evaluation error, a coefficient
// that is no fraction, a negative discriminant or one above 1e10, or an inconsistent intermediate. Any
// other number of coefficients gives an empty text.
std::optional<std::string> gpt(const std::string& coefficients, int which, int& count);

// The two real roots of a quadratic a b c in extended precision: root1 with +sqrt, root2 with -sqrt (a
// double root is written twice). Returns 1 when both were written; 0 when the text does not hold exactly
// three coefficients, one fails to evaluate (its error code stays set) or the discriminant is negative (no
// code set). The solver calls it for a quadratic with a non-zero leading coefficient whose exact form is
// null or empty.
int get_exact2(const std::string& coefficients, double& root1, double& root2);

// Roots of a cubic (4 coefficients). Each real part is written with 10 fixed decimals to the outputs;
// the result is a mask with bit i set when root i+1 is real (imaginary part below 1e-16). A zero leading
// coefficient gives 0 and writes nothing. When the cubic is a shifted cube (x - r)^3 + k, one root is
// written, to out1. Outputs that get no root are left alone.
int gpt_3(const std::string& coefficients, std::string& out1, std::string& out2, std::string& out3);

// Roots of a quartic (5 coefficients), written and masked as gpt_3. A zero constant gives the root 0
// (out1, mask bit 0) followed by the cubic's roots; b = d = 0 gives the four roots of the biquadratic;
// a quadruple root is written once, to out1.
int gpt_4(const std::string& coefficients, std::string& out1, std::string& out2, std::string& out3,
          std::string& out4);

// Splits the square root of a fraction text (as Fracftoa writes it: "12", "3/4", "1 1/2") into a rational
// factor num/den and the remaining surd: fraction becomes "sqrt(3)", "sqrt(3/2)", "sqrt(1/2)", or "0" when
// nothing stays under the root (num/den then carries the whole root). A numerator that is not whole gives
// "sqrt(" text ")" with its first blank read as "+", and 1/1. Returns false, leaving the outputs alone,
// for a text whose parts do not evaluate.
bool simplify_square(std::string& fraction, long long& num, long long& den);

// Factors n by trial division up to sqrt(n) + 1: primes and their exponents in increasing order, count
// the number of primes. n becomes the cofactor left over (1 when fully factored); it is not listed.
void nt(unsigned long long& n, std::vector<int>& exponents, std::vector<unsigned long long>& primes,
        int& count);

// Reads a fraction text "W N/D", "N/D", "W" as the improper fraction num/den (den = 1 without "/D"; a text
// starting with "-" with a whole part subtracts N). False for a text that is no such fraction (the
// outputs are then 0/1).
bool getfrac(const std::string& text, long long& num, long long& den);

// The fraction of value with denominators up to 1e9 (CFraction::ToStr), read back as num/den.
bool getfrac(const CFraction& value, long long& num, long long& den);

// The equation solver's reading of a coefficient list, for the terminal program: leading zero coefficients
// are dropped, then by degree
//   1 and 2: "X_k = exact = decimal", the exact form from gpt and its value with 12 decimals (trailing
//            zeros and point removed, "-0" shown as "0"); a quadratic root without exact form is
//            "X_k = decimal" from get_exact2;
//   3 and 4: "X_k = decimal" with 10 decimals for each real root, "X_k is complex" for the others;
// "Invalid Parameters!" for an empty list or more than five coefficients, "Invalid parameters!" when no
// degree 1 to 4 remains, "Cannot be solved!" when the roots cannot be computed (a quadratic with complex
// roots, an evaluation error). Coefficients may be any engine expressions without blanks. The engine
// error code is clear afterwards.
std::vector<std::string> PolynomialRootLines(const std::string& coefficients);
