#include "engine/poly/poly_support.h"

#include <cstdlib>

#include "engine/format/result_format.h"
#include "numeric/errors.h"

namespace poly_detail {

namespace {

// Parts below 1e-16 in magnitude count as zero (imaginary parts of real roots, vanishing intermediates).
// Compared in extended precision: a huge part must not trip the library's overflow report.
bool BelowZeroPart(const QELT* x) {
    static const struct Limit {
        QELT q[NQ];
        Limit() { asctoq("1e-16", q); }
    } limit;
    QELT a[NQ];
    qmov(x, a);
    qabs(a);
    return qcmp(a, limit.q) < 0;
}

std::string PlainText(const QELT* x) {
    return ConstructDisplayString2(kRadixDec, kWidth64, x, kNotationNorm, 64, 10);
}

}  // namespace

std::string Cat(std::initializer_list<std::string_view> parts) {
    size_t n = 0;
    for (std::string_view p : parts) n += p.size();
    std::string out;
    out.reserve(n);
    for (std::string_view p : parts) out.append(p);
    return out;
}

std::vector<std::string> SplitTokens(const std::string& text) {
    std::vector<std::string> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        tokens.push_back(Cat({"(", std::string_view(text).substr(i, end - i), ")"}));
        i = end;
    }
    return tokens;
}

bool EvalDouble(const std::string& text, double& value) {
    ClearErrorCode();
    value = static_cast<double>(fnex(0, text.c_str()));
    return GetErrorCode() == 0;
}

bool EvalExt(const std::string& text, qcmplx& value) {
    ClearErrorCode();
    value = qczero;
    g_lpszExpression = text.c_str();
    fn1(&value, qzero);
    return GetErrorCode() == 0;
}

std::string ValueText(const qcmplx& value) {
    return Cat({"((", PlainText(value.r), ")+(", PlainText(value.i), ")*i)"});
}

std::string ShortValueText(const qcmplx& value) {
    if (iszero(value.i)) return Cat({"(", PlainText(value.r), ")"});
    return ValueText(value);
}

std::string FixedText(const QELT* value) {
    return ConstructDisplayString2(kRadixDec, kWidth64, value, kNotationFix, 64, 10);
}

std::string Substitute(const std::string& formula, const Substitution& names) {
    std::string out;
    out.reserve(formula.size() * 4);
    size_t i = 0;
    while (i < formula.size()) {
        bool replaced = false;
        for (const auto& [name, text] : names) {
            if (!name.empty() && formula.compare(i, name.size(), name) == 0) {
                out += text;
                i += name.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out += formula[i++];
    }
    return out;
}

bool IsZeroValue(const qcmplx& value) {
    return BelowZeroPart(value.r) && BelowZeroPart(value.i);
}

bool IsRealValue(const qcmplx& value) {
    return BelowZeroPart(value.i);
}

bool IsExactZero(const qcmplx& value) {
    return iszero(value.r) && iszero(value.i);
}

long long Gcd(long long a, long long b) {
    a = std::llabs(a);
    b = std::llabs(b);
    while (b != 0) {
        const long long t = a % b;
        a = b;
        b = t;
    }
    return a;
}

bool RootSet::Failed() const {
    for (int i = 0; i < total; ++i)
        if (!known[i]) return true;
    return false;
}

int RootSet::Mask() const {
    int mask = 0;
    for (int i = 0; i < written; ++i)
        if (known[i] && IsRealValue(value[i])) mask |= 1 << i;
    return mask;
}

bool EvalFormula(const std::string& formula, const std::vector<std::string>& tokens, qcmplx& value) {
    static const char* const kLetters[] = {"a", "b", "c", "d", "e"};
    Substitution names;
    for (size_t k = 0; k < tokens.size() && k < 5; ++k) names.push_back({kLetters[k], tokens[k]});
    const std::string text = Substitute(formula, names);
    if (EvalExt(text, value)) return true;
    // Long coefficient expressions repeated in a long formula can pass what the evaluator takes in one
    // text (its token form, with blanks around every operator, is longer still); their values are short.
    bool shorter = false;
    for (auto& entry : names) {
        qcmplx v;
        if (!EvalExt(entry.second, v)) return false;
        std::string valueText = ShortValueText(v);
        if (valueText.size() < entry.second.size()) {
            entry.second = std::move(valueText);
            shorter = true;
        }
    }
    return shorter && EvalExt(Substitute(formula, names), value);
}

}  // namespace poly_detail
