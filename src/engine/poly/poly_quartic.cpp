// Ferrari's formulas for the quartic a*x^4 + b*x^3 + c*x^2 + d*x + e, as formula texts.
#include <utility>

#include "engine/poly/poly_roots.h"
#include "engine/poly/poly_support.h"
#include "numeric/qcomplex.h"

using namespace poly_detail;

namespace {

const char* const B1 =
    "(2*c^3-9*b*c*d-72*a*e*c+27*a*d^2+sqrt((2*c^3-9*b*d*c-72*a*e*c+27*a*d^2+27*b^2*e)^2-4*(c^2-3*b*d+12*a*e)^"
    "3)"
    " + 27*b^2*e)^(1/3)";
const char* const B2 = "(c^2-3*b*d+12*a*e)";
const char* const B3 = "(b^2/(4*a^2) - 2*c/(3*a))";
const char* const B4 = "(-b)/(4*a)";
const char* const B5 = "((-b^3)/a^3+4*c*b/a^2-8*d/a)";
const char* const B6 = "1/(3*2^(1/3)*a)";
const char* const B8 =
    "2^(1/3)*(c^2-3*b*d+12*a*e)/"
    "(3*a*(2*c^3-9*b*c*d-72*a*e*c+27*a*d^2+sqrt((2*c^3-9*b*d*c-72*a*e*c+27*a*d^2+27*"
    "b^2*e)^2-4*(c^2-3*b*d+12*a*e)^3) + 27*b^2*e)^(1/3))";
const char* const C1 = "B3+B6*B1+B8";
const char* const Y[4] = {
    "B4-(1/2)*sqrt(C1)-(1/2)*sqrt(2*B3-B6*B1-B8-B5/(4*sqrt(C1)))",
    "B4-(1/2)*sqrt(C1)+(1/2)*sqrt(2*B3-B6*B1-B8-B5/(4*sqrt(C1)))",
    "B4+(1/2)*sqrt(C1)-(1/2)*sqrt(2*B3-B6*B1-B8+B5/(4*sqrt(C1)))",
    "B4+(1/2)*sqrt(C1)+(1/2)*sqrt(2*B3-B6*B1-B8+B5/(4*sqrt(C1)))",
};
const char* const Y11 = "(-e/a)^(1/4)";
const char* const Y21 = "-(-e/a)^(1/4)";
const char* const kBiquadratic[4] = {
    "sqrt((-c+sqrt(c^2-4*a*e))/(2*a))",
    "sqrt((-c-sqrt(c^2-4*a*e))/(2*a))",
    "-sqrt((-c+sqrt(c^2-4*a*e))/(2*a))",
    "-sqrt((-c-sqrt(c^2-4*a*e))/(2*a))",
};
const char* const kQuadrupleTest = "e/d";
const char* const kQuadrupleNegative = "-(e/a)^(1/4)";
const char* const kQuadruplePositive = "(e/a)^(1/4)";

// The B values as written back into C1 and Y1 ... Y4, with their numbers for the special shapes.
struct Resolvent {
    qcmplx b1, b3, b4, b5, b6, b8;
    Substitution names;
};

void Name(Resolvent& r, const char* name, const qcmplx& v) {
    r.names.push_back({name, ValueText(v)});
}

// B8 divides by B1, the cube root of the resolvent: where that root vanishes (c^2 - 3bd + 12ae = 0 and the
// other part non-positive) the formula is 0/0. The conjugate root, with the sign of the inner square root
// turned, serves in its place (B6*B1 + B8 is the same for either choice); when both vanish, so does B8.
bool ResolventRoots(const std::vector<std::string>& tokens, Resolvent& r) {
    qcmplx b2;
    if (!EvalFormula(B1, tokens, r.b1) || !EvalFormula(B2, tokens, b2)) return false;
    if (!IsZeroValue(r.b1)) return EvalFormula(B8, tokens, r.b8);
    std::string b1 = B1, b8 = B8;
    const std::string plus = "+sqrt(", minus = "-sqrt(";
    b1.replace(b1.find(plus), plus.size(), minus);
    b8.replace(b8.find(plus), plus.size(), minus);
    qcmplx other;
    if (!EvalFormula(b1, tokens, other)) return false;
    if (IsZeroValue(other)) {
        r.b8 = qczero;
        return true;
    }
    r.b1 = other;
    return EvalFormula(b8, tokens, r.b8);
}

// The shapes whose C1 vanishes: a quadruple root, or a*x^4 + e.
void SpecialShapes(const std::vector<std::string>& tokens, const Resolvent& r, RootSet& roots) {
    qcmplx v;
    if (IsZeroValue(r.b1)) {
        roots.written = 1;
        roots.total = 4;
        if (!EvalFormula(kQuadrupleTest, tokens, v)) return;
        double ratio = 0;
        qtoe(v.r, &ratio);
        const bool known = EvalFormula(ratio > 0 ? kQuadrupleNegative : kQuadruplePositive, tokens, v);
        for (int i = 0; i < 4; ++i) {
            roots.value[i] = v;
            roots.known[i] = known;
        }
        return;
    }
    if (IsZeroValue(r.b3) && IsZeroValue(r.b4) && IsZeroValue(r.b5)) {
        roots.written = roots.total = 2;
        roots.known[0] = EvalFormula(Y11, tokens, roots.value[0]);
        roots.known[1] = EvalFormula(Y21, tokens, roots.value[1]);
        return;
    }
    roots.total = 4;  // not solved here
}

// The other two cube roots of the resolvent: B1 times w and B8 times w^2 (B8 is inversely proportional to
// B1), w = -1/2 + i*sqrt(3)/2; turns = 1 or 2.
void TurnCubeRoot(Resolvent& r, int turns) {
    qcmplx w;
    QELT three[NQ];
    ltoq(3, three);
    qsqrt(three, w.i);
    qmul(qhalf, w.i, w.i);
    qmov(qhalf, w.r);
    qneg(w.r);
    qcmplx w2 = qcmplx_mul(w, w);
    if (turns == 2) std::swap(w, w2);
    r.b1 = qcmplx_mul(r.b1, w);
    r.b8 = qcmplx_mul(r.b8, w2);
}

void Names(Resolvent& r) {
    r.names.clear();
    Name(r, "B1", r.b1);
    Name(r, "B3", r.b3);
    Name(r, "B4", r.b4);
    Name(r, "B5", r.b5);
    Name(r, "B6", r.b6);
    Name(r, "B8", r.b8);
}

void FerrariRoots(const std::vector<std::string>& tokens, RootSet& roots) {
    Resolvent r;
    qcmplx c1;
    roots.total = 4;
    if (!ResolventRoots(tokens, r) || !EvalFormula(B3, tokens, r.b3) || !EvalFormula(B4, tokens, r.b4) ||
        !EvalFormula(B5, tokens, r.b5) || !EvalFormula(B6, tokens, r.b6))
        return;
    Names(r);
    if (!EvalExt(Substitute(C1, r.names), c1)) return;
    // C1 is the square of twice the half-sum of two roots less the other two, for the pairing the cube root
    // picks. When it vanishes though B1 does not (a quartic symmetric about its centre, such as
    // x^4 + 2x^3 + 3x^2 + 2x - 1), the Y formulas divide by zero; another cube root picks another pairing.
    const Resolvent principal = r;
    for (int turns = 1; turns <= 2 && IsZeroValue(c1) && !IsZeroValue(r.b1); ++turns) {
        r = principal;
        TurnCubeRoot(r, turns);
        Names(r);
        if (!EvalExt(Substitute(C1, r.names), c1)) return;
    }
    if (IsZeroValue(c1)) {
        SpecialShapes(tokens, principal, roots);
        return;
    }
    Name(r, "C1", c1);
    roots.written = 4;
    for (int k = 0; k < 4; ++k) roots.known[k] = EvalExt(Substitute(Y[k], r.names), roots.value[k]);
}

}  // namespace

namespace poly_detail {

RootSet SolveQuartic(const std::vector<std::string>& tokens) {
    RootSet roots;
    if (tokens.size() < 5) return roots;
    qcmplx a, b, d, e;
    roots.total = 4;
    if (!EvalExt(tokens[0], a)) return roots;
    if (IsExactZero(a)) return RootSet();
    if (!EvalExt(tokens[4], e)) return roots;
    if (IsExactZero(e)) {
        const RootSet cubic = SolveCubic({tokens[0], tokens[1], tokens[2], tokens[3]});
        roots.written = 1 + cubic.written;
        roots.total = 1 + cubic.total;
        roots.known[0] = true;
        for (int i = 0; i < cubic.total; ++i) {
            roots.value[i + 1] = cubic.value[i];
            roots.known[i + 1] = cubic.known[i];
        }
        return roots;
    }
    if (!EvalExt(tokens[3], d) || !EvalExt(tokens[1], b)) return roots;
    if (IsExactZero(d) && IsExactZero(b)) {
        roots.written = 4;
        for (int k = 0; k < 4; ++k) roots.known[k] = EvalFormula(kBiquadratic[k], tokens, roots.value[k]);
        return roots;
    }
    FerrariRoots(tokens, roots);
    return roots;
}

}  // namespace poly_detail

int gpt_4(const std::string& coefficients, std::string& out1, std::string& out2, std::string& out3,
          std::string& out4) {
    EvalScope scope;
    const RootSet roots = SolveQuartic(SplitTokens(coefficients));
    std::string* outs[] = {&out1, &out2, &out3, &out4};
    for (int i = 0; i < roots.written; ++i)
        if (roots.known[i]) *outs[i] = FixedText(roots.value[i].r);
    return roots.Mask();
}
