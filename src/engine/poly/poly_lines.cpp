// The equation solver's result lines for a coefficient list, in plain text.
#include <cmath>
#include <cstdio>

#include "engine/poly/poly_roots.h"
#include "engine/poly/poly_support.h"
#include "numeric/errors.h"

using namespace poly_detail;

namespace {

const char* const kInvalidList = "Invalid Parameters!";
const char* const kInvalidDegree = "Invalid parameters!";
const char* const kCannotSolve = "Cannot be solved!";

// "%.12lf" without trailing zeros and point, "-0" as "0".
std::string TrimmedDecimal(double v) {
    char text[400];
    std::snprintf(text, sizeof text, "%.12lf", v);
    std::string s = text;
    if (s.find('.') != std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

// A root text of gpt_3 / gpt_4 as shown: always 10 decimals, no sign on zero.
std::string FixedRoot(const qcmplx& v) {
    std::string s = FixedText(v.r);
    if (s.find('.') == std::string::npos) s += ".0000000000";
    if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);
    return s;
}

std::string Label(int k) {
    return Cat({"X_", std::to_string(k)});
}

// Exact line "X_k = exact = decimal", or false when the exact text is null or empty.
bool ExactLine(const std::optional<std::string>& exact, int k, std::vector<std::string>& lines) {
    if (!exact || exact->empty()) return false;
    double value = 0;
    EvalDouble(*exact, value);
    lines.push_back(Cat({Label(k), " = ", *exact, " = ", TrimmedDecimal(value)}));
    return true;
}

void QuadraticLines(const std::string& text, std::vector<std::string>& lines) {
    int count = 0;
    for (int k = 0; k < 2; ++k) {
        const std::optional<std::string> exact = gpt(text, k, count);
        if (k == 0 && count == 2) {
            if (!ExactLine(exact, 1, lines)) lines.push_back(kCannotSolve);
            return;
        }
        if (ExactLine(exact, k + 1, lines)) continue;
        double x1 = 0, x2 = 0;
        if (!get_exact2(text, x1, x2)) {
            lines.push_back(kCannotSolve);
            return;
        }
        lines.push_back(Cat({Label(k + 1), " = ", TrimmedDecimal(k == 0 ? x1 : x2)}));
    }
}

void ClosedFormLines(const RootSet& roots, std::vector<std::string>& lines) {
    if (roots.total == 0 || roots.Failed()) {
        lines.push_back(kCannotSolve);
        return;
    }
    for (int i = 0; i < roots.total; ++i) {
        if (IsRealValue(roots.value[i])) {
            lines.push_back(Cat({Label(i + 1), " = ", FixedRoot(roots.value[i])}));
        } else {
            lines.push_back(Cat({Label(i + 1), " is complex"}));
        }
    }
}

}  // namespace

std::vector<std::string> PolynomialRootLines(const std::string& coefficients) {
    EvalScope scope;
    std::vector<std::string> lines;
    std::vector<std::string> params = SplitTokens(coefficients);
    if (params.empty() || params.size() > 5) return {kInvalidList};
    // Leading coefficients equal to 0 do not count (one that fails to evaluate is kept).
    size_t first = 0;
    for (; first < params.size(); ++first) {
        double v = 0;
        if (!EvalDouble(params[first], v) || v != 0) break;
    }
    params.erase(params.begin(), params.begin() + static_cast<long>(first));
    const int degree = static_cast<int>(params.size()) - 1;
    std::string text;
    for (const std::string& p : params) {
        if (!text.empty()) text += ' ';
        text.append(p, 1, p.size() - 2);
    }
    switch (degree) {
        case 1: {
            int count = 0;
            if (!ExactLine(gpt(text, 0, count), 1, lines)) lines.push_back(kCannotSolve);
            break;
        }
        case 2:
            QuadraticLines(text, lines);
            break;
        case 3:
            ClosedFormLines(SolveCubic(params), lines);
            break;
        case 4:
            ClosedFormLines(SolveQuartic(params), lines);
            break;
        default:
            lines.push_back(kInvalidDegree);
    }
    ClearErrorCode();
    return lines;
}
