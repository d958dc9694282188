// What the equation solver computes when "=" is pressed: the roots of a polynomial list (the 1 - 4 solver)
// and the solution of a linear system (the N solver), as result lines in two forms: the TeX line the
// formula views typeset under the equation, and a plain-text line for the terminal.
//
// Both use the engine: the exact forms and closed formulas of the polynomial root finder (gpt, get_exact2,
// gpt_3, gpt_4), fnex for the parameters, and the matrix inverse and product for systems. The engine error
// code is clear afterwards. Engine thread only.
#pragma once

#include <string>
#include <vector>

namespace equation_solver {

// The result lines' messages, as TeX and as plain text.
extern const char* const kInvalidListTex;    // "\rightarrow\text{Invalid Parameters!}"
extern const char* const kInvalidDegreeTex;  // "\rightarrow\text{Invalid parameters!}"
extern const char* const kCannotSolveTex;    // "\rightarrow\text{Cannot be solved!}"

// The alerts of a system whose equations do not fit together (title "Warning!", button "OK").
extern const char* const kUnequalLengthsAlert;  // "Equations have not the same number of parameters."
extern const char* const kShapeAlert;           // "Number of equations and number of variables are not ..."

struct SolverLine {
    std::string tex;    // "X_1=\frac{1}{2}=0.5", "\rightarrow\text{Cannot be solved!}"
    std::string plain;  // "X_1 = 1/2 = 0.5", "Cannot be solved!"
};

struct SolverOutcome {
    // The list did not pass the final check (or a parameter does not evaluate): the 1 - 4 solver shows
    // kInvalidListTex in place of the formula; the N solver shows it as its only result line.
    bool invalidList = false;
    // The N solver's alert message (kUnequalLengthsAlert or kShapeAlert); no lines then.
    std::string alert;
    std::vector<SolverLine> lines;
    // True when the lines are roots or unknowns (not a message).
    bool solved = false;
};

// The 1 - 4 solver on the typed list (at most kMaxPolynomialParameters parameters):
//   - leading zero coefficients are dropped; a degree outside 1 ... 4 gives kInvalidDegreeTex;
//   - degree 1: "X=exact=decimal" (the exact root of gpt as TeX, its value with 12 decimals);
//   - degree 2: "X_1=..." and "X_2=..." in the order gpt gives them (the -sqrt root first), or
//     "X_k=decimal" from get_exact2 where gpt has no exact form, or kCannotSolveTex (complex roots);
//   - degrees 3 and 4: "X_k=decimal" for each root of gpt_3 / gpt_4, trimmed; a root that is not real is
//     "X_k\text{ is complex}" (plain "X_k is complex").
SolverOutcome SolvePolynomial(const std::string& text);

// The N solver on the equations' lists (each a1 ... aN b): the alerts when the lists differ in length or
// do not have N + 1 parameters; kCannotSolveTex for a singular system; else "X_j=fraction=decimal" for each
// unknown (the fraction with denominators up to 1e9 as TeX, the value with 6 decimals, trimmed).
SolverOutcome SolveSystem(const std::vector<std::string>& equations);

// The TeX of a formula text of toEquationString / toFunctionString as its view shows it: the power and TeX
// conversions (a denominator's sign kept inside the fraction), parentheses removed and "*=*" written "=".
// The overlength text when the conversion does not fit.
std::string FormulaTex(const std::string& formulaText);

// The TeX of an engine text as a result line shows it: fractions wrapped (processFraction), "sqrt" set as
// a root, the power and TeX conversions, and parentheses as TeX groups. The overlength text when the
// conversion does not fit.
std::string ResultTex(const std::string& engineText);

}  // namespace equation_solver
