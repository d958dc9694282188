// The equation solver's parameter lists and the formula texts built from them.
//
// A parameter list holds numbers separated by single blanks, each made of digits, ".", "/" and "-": an
// integer, a decimal or a fraction such as -3/4 or 1.5/2.5. A polynomial lists its coefficients from the
// highest power down to the constant term ("1 -3 2" is X^2-3X+2=0); an equation of a linear system lists
// a1 ... aN b for a1*X_1 + ... + aN*X_N = b.
//
// The checks come in two strengths: while typing, a list may end in a half-typed number ("3/", "4.", "-");
// before computing, every number must be complete. Numbers are evaluated on the engine's double path
// (fnex); every function here leaves the engine error code clear. Engine thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace equation_solver {

// Most coefficients of the 1 - 4 solver: degree 4.
constexpr int kMaxPolynomialParameters = 5;

// Texts of 4096 characters or more are not converted to formulas.
constexpr size_t kMaxFormulaText = 4096;

// One parameter while typing: false for an empty text, one starting with "/", one containing "..", "-/"
// or "--", one with more than one "/", one with a "-" anywhere but at the start or right after the "/",
// and one with more than one "." unless each further "." is at least three characters after the one
// before it with the "/" between them (a decimal on either side of the fraction bar: 1.5/2.5).
bool ValidateOneParameter(std::string_view parameter);

// The same before computing, except the "-/" test, and also false for a parameter that starts with "."
// or ends with "/", "." or "-".
bool FinalValidateOneParameter(std::string_view parameter);

// A whole list: false for an empty text and for a text holding two blanks in a row; otherwise the text is
// trimmed at both ends, split at blanks, and every parameter must pass ValidateOneParameter (or the final
// form). There must be at least one parameter, and at most kMaxPolynomialParameters unless allowMany.
bool ValidateParameters(std::string_view text, bool allowMany);
bool FinalValidateParameters(std::string_view text, bool allowMany);

// The text with every signed denominator in parentheses ("1/-2" becomes "1/(-2)"): the engine reads a sign
// only at the start of a group, and the fraction rewrite of the formula view would end the denominator
// before it.
std::string GuardSignedDenominators(const std::string& text);

// parseParameters:toStringArray: the parameters of text (blanks at the ends and repeated blanks do not
// count).
std::vector<std::string> parseParameters(std::string_view text);

// parseParameters:toLongDoubleArray:withSize: the parameters evaluated with fnex (signed denominators
// guarded). False (values then hold
// what did evaluate, 0 in place of the others) when a parameter fails to evaluate, as 1/0 does.
bool parseParameters(std::string_view text, std::vector<double>& values);

// 1 when parameter evaluates exactly to value (signed denominators guarded), 0 otherwise; 0 for an empty text
// and for a parameter that does not evaluate (a half-typed "3/" equals nothing).
int Compare(const std::string& parameter, double value);

// The parameters left after dropping the leading ones equal to 0, joined by single blanks, into rest;
// returns their count - 1 (the degree: -1 when none is left).
int getEquationDegree(const std::string& text, std::string& rest);

// The formula text of a polynomial list, before its TeX conversion: the terms from the highest power
// down, "X^n" / "-X^n" / "(p)X^n" (no "^1"), zero terms left out, the constant as "+(p)", then "*=*0" (or
// "*=*?" for a single parameter), blanks removed and "+(-" written "-(". "1 -3 2" gives X^2-(3)X+(2)*=*0
// and "2" gives (2)X*=*?.
std::string toEquationString(const std::string& text);

// The formula text of one equation a1 ... aN b of a system: "X_1" / "-X_1" / "(a)X_1" terms, then "=" when
// a term was written, then "(b)" (or "?" for a single parameter), blanks removed and "+(-" written "-(". "1 1
// 3" gives X_1+X_2=(3). Unknowns from the tenth on are written with braces ("X_{10}") so that they typeset
// whole.
std::string toFunctionString(const std::string& text);

// The subscripted name of unknown k (1-based) as TeX: "X_1" ... "X_9", "X_{10}" ...
std::string UnknownName(const char* base, int k);

// Wraps each blank-separated piece that holds a "/" in parentheses, so that the TeX conversion sets it
// as one fraction: "1 1/2" gives "1 (1/2)".
std::string processFraction(const std::string& text);

// A number printed with that many decimals (in any process locale) without trailing zeros and then without
// a trailing ".", and "-0" shown as "0".
std::string TrimmedDecimal(double value, int decimals);
// The same trimming of a number that is already text ("2.0000000000" gives "2").
std::string TrimmedNumberText(std::string text);

}  // namespace equation_solver
