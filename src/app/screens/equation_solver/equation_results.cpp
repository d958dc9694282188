#include "app/screens/equation_solver/equation_results.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "app/screens/equation_solver/equation_text.h"
#include "engine/eval/evaluate.h"
#include "engine/matrix/matrix.h"
#include "engine/poly/poly_roots.h"
#include "numeric/errors.h"
#include "numeric/fraction.h"
#include "tex/tex_convert.h"

namespace equation_solver {

const char* const kInvalidListTex = "\\rightarrow\\text{Invalid Parameters!}";
const char* const kInvalidDegreeTex = "\\rightarrow\\text{Invalid parameters!}";
const char* const kCannotSolveTex = "\\rightarrow\\text{Cannot be solved!}";
const char* const kUnequalLengthsAlert = "Equations have not the same number of parameters.";
const char* const kShapeAlert = "Number of equations and number of variables are not the same.";

namespace {

constexpr int kLargestDenominator = 1000000000;

SolverLine Message(const char* tex) {
    // The plain form is the text inside \text{...}.
    std::string plain = tex;
    const size_t open = plain.find("\\text{");
    if (open != std::string::npos) plain = plain.substr(open + 6, plain.size() - open - 7);
    return SolverLine{tex, plain};
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t k = text.find(from); k != std::string::npos; k = text.find(from, k + to.size()))
        text.replace(k, from.size(), to);
}

// The power and TeX conversions; false (text = the overlength text) when the result does not fit.
bool ConvertToTex(std::string& text) {
    return PowerProcessing(text) && MimeTexProcessing(text);
}

// The TeX of a fraction of the N solver: parentheses dropped.
std::string FractionTex(const std::string& fraction) {
    std::string t = processFraction(fraction);
    ConvertToTex(t);
    std::string out;
    for (char c : t)
        if (c != '(' && c != ')') out += c;
    return out;
}

// The value of an exact root text, "" when it does not evaluate.
std::string DecimalOf(const std::string& exact, int decimals) {
    ClearErrorCode();
    const double v = fnex(0, exact.c_str());
    const bool failed = GetErrorCode() != kErrNone || !std::isfinite(v);
    ClearErrorCode();
    return failed ? "" : TrimmedDecimal(v, decimals);
}

// "label=exact=decimal" for a root gpt wrote; false when it wrote none.
bool ExactLine(const std::optional<std::string>& exact, const std::string& label,
               std::vector<SolverLine>& lines) {
    if (!exact || exact->empty()) return false;
    const std::string decimal = DecimalOf(*exact, 12);
    SolverLine line{label + "=" + ResultTex(*exact), label + " = " + *exact};
    if (!decimal.empty()) {
        line.tex += "=" + decimal;
        line.plain += " = " + decimal;
    }
    lines.push_back(std::move(line));
    return true;
}

SolverLine DecimalLine(const std::string& label, const std::string& decimal) {
    return SolverLine{label + "=" + decimal, label + " = " + decimal};
}

void QuadraticLines(const std::string& text, std::vector<SolverLine>& lines) {
    int count = 0;
    bool firstExact = false;
    bool numericTried = false, numericOk = false;
    double x1 = 0, x2 = 0;
    for (int k = 0; k < 2; ++k) {
        const std::optional<std::string> exact = gpt(text, k, count);
        if (k == 0 && count == 2) {
            if (!ExactLine(exact, "X", lines)) lines.push_back(Message(kCannotSolveTex));
            return;
        }
        if (ExactLine(exact, UnknownName("X", k + 1), lines)) {
            firstExact = firstExact || k == 0;
            continue;
        }
        if (!numericTried) {
            numericOk = get_exact2(text, x1, x2) == 1;
            numericTried = true;
            ClearErrorCode();
        }
        if (!numericOk) {
            lines.push_back(Message(kCannotSolveTex));
            return;
        }
        // gpt gives the -sqrt root first and get_exact2 the +sqrt root first: after an exact first
        // root the one still missing is the +sqrt root.
        const double value = k == 0 || firstExact ? x1 : x2;
        lines.push_back(DecimalLine(UnknownName("X", k + 1), TrimmedDecimal(value, 12)));
    }
}

// The roots gpt_3 / gpt_4 wrote: real ones with their value, the others as complex.
void ClosedFormLines(int mask, const std::vector<std::string>& outs, std::vector<SolverLine>& lines) {
    for (size_t i = 0; i < outs.size(); ++i) {
        if (outs[i].empty()) continue;
        const std::string label = UnknownName("X", static_cast<int>(i) + 1);
        if (mask & (1 << i)) {
            lines.push_back(DecimalLine(label, TrimmedNumberText(outs[i])));
        } else {
            lines.push_back(SolverLine{label + "\\text{ is complex}", label + " is complex"});
        }
    }
    if (lines.empty()) lines.push_back(Message(kCannotSolveTex));
}

void RootLines(int degree, const std::string& text, std::vector<SolverLine>& lines) {
    switch (degree) {
        case 1: {
            int count = 0;
            if (!ExactLine(gpt(text, 0, count), "X", lines)) lines.push_back(Message(kCannotSolveTex));
            break;
        }
        case 2:
            QuadraticLines(text, lines);
            break;
        case 3: {
            std::vector<std::string> outs(3);
            const int mask = gpt_3(text, outs[0], outs[1], outs[2]);
            ClosedFormLines(mask, outs, lines);
            break;
        }
        case 4: {
            std::vector<std::string> outs(4);
            const int mask = gpt_4(text, outs[0], outs[1], outs[2], outs[3]);
            ClosedFormLines(mask, outs, lines);
            break;
        }
        default:
            lines.push_back(Message(kInvalidDegreeTex));
    }
}

}  // namespace

std::string FormulaTex(const std::string& formulaText) {
    std::string t = GuardSignedDenominators(formulaText);
    ConvertToTex(t);
    std::string out;
    for (char c : t)
        if (c != '(' && c != ')') out += c;
    ReplaceAll(out, "*=*", "=");
    return out;
}

std::string ResultTex(const std::string& engineText) {
    std::string t = processFraction(engineText);
    ReplaceAll(t, "sqrt", "\\sqrt");
    ConvertToTex(t);
    for (char& c : t) {
        if (c == '(') c = '{';
        if (c == ')') c = '}';
    }
    return t;
}

SolverOutcome SolvePolynomial(const std::string& text) {
    SolverOutcome o;
    std::vector<double> values;
    // A list that passes the check can still hold a number that does not evaluate (1/0): it is no
    // coefficient, and must not count as a zero one.
    if (!FinalValidateParameters(text, false) || !parseParameters(text, values)) {
        o.invalidList = true;
        o.lines.push_back(Message(kInvalidListTex));
        return o;
    }
    std::string rest;
    const int degree = getEquationDegree(GuardSignedDenominators(text), rest);
    RootLines(degree, rest, o.lines);
    o.solved = degree >= 1 && degree <= 4 && !o.lines.empty() && o.lines.front().tex != kCannotSolveTex;
    ClearErrorCode();
    return o;
}

SolverOutcome SolveSystem(const std::vector<std::string>& equations) {
    SolverOutcome o;
    const size_t n = equations.size();
    std::vector<std::vector<std::string>> lists;
    for (const std::string& e : equations) lists.push_back(parseParameters(e));
    for (const auto& l : lists) {
        if (l.size() != lists.front().size()) {
            o.alert = kUnequalLengthsAlert;
            return o;
        }
    }
    if (n > 0 && lists.front().size() != n + 1) {
        o.alert = kShapeAlert;
        return o;
    }
    REG a, b, x;
    a.type = b.type = REG_MATRIX;
    a.rows = a.cols = b.rows = static_cast<std::uint16_t>(n);
    b.cols = 1;
    a.data.assign(n * n, 0);
    b.data.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        std::vector<double> values;
        if (!FinalValidateParameters(equations[i], true) || !parseParameters(equations[i], values)) {
            o.invalidList = true;
            o.lines.push_back(Message(kInvalidListTex));
            return o;
        }
        for (size_t j = 0; j < n; ++j) a.at(static_cast<int>(i), static_cast<int>(j)) = values[j];
        b.data[i] = values[n];
    }
    ClearErrorCode();
    bool ok = n > 0 && MatrixInv(a) == 1;
    if (ok) {
        MatrixMul(a, b, x);
        ok = GetErrorCode() == kErrNone && x.data.size() == n;
    }
    for (size_t j = 0; ok && j < n; ++j) ok = std::isfinite(x.data[j]);
    ClearErrorCode();
    if (!ok) {
        o.lines.push_back(Message(kCannotSolveTex));
        return o;
    }
    for (size_t j = 0; j < n; ++j) {
        const double v = x.data[j];
        const std::string fraction = CFraction(v).ToString(kLargestDenominator);
        const std::string decimal = TrimmedDecimal(v, 6);
        const std::string label = UnknownName("X", static_cast<int>(j) + 1);
        o.lines.push_back(SolverLine{label + "=" + FractionTex(fraction) + "=" + decimal,
                                     label + " = " + fraction + " = " + decimal});
    }
    o.solved = true;
    return o;
}

}  // namespace equation_solver
