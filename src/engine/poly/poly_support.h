// Internal helpers of the polynomial root finder (engine/poly/poly_roots.h): coefficient tokens, evaluation
// of formula texts in both precisions, value texts and name substitution. Not for other callers.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/eval/evaluate.h"
#include "numeric/qlib.h"

namespace poly_detail {

// Saves g_lpszExpression and g_lpszVariable, clears the variable (the root finder binds none) and puts
// both back on destruction, so that a caller's calculus state survives a root search.
class EvalScope {
  public:
    EvalScope() : m_expression(g_lpszExpression), m_variable(g_lpszVariable) { g_lpszVariable = nullptr; }
    ~EvalScope() {
        g_lpszExpression = m_expression;
        g_lpszVariable = m_variable;
    }
    EvalScope(const EvalScope&) = delete;
    EvalScope& operator=(const EvalScope&) = delete;

  private:
    const char* m_expression;
    const char* m_variable;
};

// Concatenation of text pieces (one allocation).
std::string Cat(std::initializer_list<std::string_view> parts);

// The maximal runs of non-blank characters of text, each wrapped as "(" token ")".
std::vector<std::string> SplitTokens(const std::string& text);

// Clears the error state and evaluates text with fnex at 0. False when the evaluation set an error code
// (the code stays set).
bool EvalDouble(const std::string& text, double& value);

// Clears the error state and evaluates text with fn1 in extended precision. False when the evaluation
// set an error code (the code stays set; a text too long for the evaluator is a syntax error).
bool EvalExt(const std::string& text, qcmplx& value);

// The value written back into a formula: "((re)+(im)*i)", each part in plain decimal with 65 significant
// digits.
std::string ValueText(const qcmplx& value);

// The same, shortened to "(re)" for a real value.
std::string ShortValueText(const qcmplx& value);

// Writes a real part with 10 fixed decimals, as the root outputs carry it.
std::string FixedText(const QELT* value);

// Replaces, in one left-to-right pass, every occurrence of a name by its text; names are tried in the
// given order at each position and inserted texts are never scanned again (so a coefficient text that
// itself contains a formula letter, such as "(e)", stays intact).
using Substitution = std::vector<std::pair<std::string, std::string>>;
std::string Substitute(const std::string& formula, const Substitution& names);

// True when both parts are below 1e-16 in magnitude; IsRealValue when the imaginary part is.
bool IsZeroValue(const qcmplx& value);
bool IsRealValue(const qcmplx& value);

// Exactly zero (both parts).
bool IsExactZero(const qcmplx& value);

// Greatest common divisor of |a| and |b| (gcd(0, b) = |b|).
long long Gcd(long long a, long long b);

// Roots of a cubic or quartic as the closed forms left them. `written` roots go to the caller's outputs;
// `total` >= written roots are known (a path that writes one root may still know the others); known[i]
// is false where an evaluation failed.
struct RootSet {
    int written = 0;
    int total = 0;
    qcmplx value[4] = {};
    bool known[4] = {};
    // True when some root could not be computed at all (an evaluation error), as opposed to complex.
    bool Failed() const;
    // Bit i for each written, known root whose imaginary part is below 1e-16.
    int Mask() const;
};

// Solvers behind gpt_3 and gpt_4; tokens are the "(" coefficient ")" texts, highest power first.
RootSet SolveCubic(const std::vector<std::string>& tokens);
RootSet SolveQuartic(const std::vector<std::string>& tokens);

// Evaluates formula with the coefficient tokens substituted for the letters a, b, c, ... . When that
// fails, the coefficients' value texts stand in for those that are longer, and the formula is evaluated
// once more (long coefficient expressions can make a formula too long for the evaluator).
bool EvalFormula(const std::string& formula, const std::vector<std::string>& tokens, qcmplx& value);

}  // namespace poly_detail
