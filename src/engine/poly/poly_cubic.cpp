// Cardano's formulas for the cubic a*x^3 + b*x^2 + c*x + d, as formula texts.
#include "engine/poly/poly_roots.h"
#include "engine/poly/poly_support.h"
#include "numeric/qcomplex.h"

using namespace poly_detail;

namespace {

const char* const A1 = "(-b)/(3*a)";
const char* const A2 =
    "((-2)*b^3 + 9*a*c*b - 27*a^2*d + (4*(3*a*c-b^2)^3+((-2)*b^3+9*a*c*b-27*a^2*d)^2)^(1/2))^(1/3)";
const char* const A3 = "a";
const char* const A4 = "(3*a*c-b^2)";
const char* const A5 = "1/(6*2^(1/3)*a)";
const char* const X1 = "A1 + A2/(3*2^(1/3)*A3) - (2^(1/3)*A4)/(3*A3*A2)";
const char* const X2 = "A1 - A5*((1-i*sqrt(3))*A2) + ((1+i*sqrt(3))*A4/(3*2^(2/3)*A3*A2))";
const char* const X3 = "A1 - A5*((1+i*sqrt(3))*A2) + ((1-i*sqrt(3))*A4/(3*2^(2/3)*A3*A2))";
const char* const X11 = "(-d/a)^(1/3)";
// When A2 vanishes (b^2 = 3ac, so the cubic is a*(x + b/3a)^3 plus a constant), the real root is the
// centre minus the real cube root of the remaining constant. X11 is that root only for x^3 = 0 and a triple
// root at r >= 0; for x^3 + 8, (x + 1)^3 or (x - 1)^3 + 1 it gives a complex or a wrong root.
const char* const X12 = "(-b)/(3*a)-(2*b^3-9*a*c*b+27*a^2*d)^(1/3)/(3*a)";

bool Close(const qcmplx& x, const qcmplx& y) {
    qcmplx diff = qcmplx_sub(x, y);
    QELT d[NQ], scale[NQ], tol[NQ];
    qcabs(&diff, d);
    qcabs(&y, scale);
    if (qcmp(scale, qone) < 0) qmov(qone, scale);
    asctoq("1e-30", tol);
    qmul(scale, tol, tol);
    return qcmp(d, tol) <= 0;
}

// The shifted-cube path: one root written, the other two (centre + t * the complex cube roots of unity)
// known for the callers that list all three.
void ShiftedCubeRoots(const std::vector<std::string>& tokens, const qcmplx& centre, RootSet& roots) {
    qcmplx x11, x12;
    const bool ok11 = EvalFormula(X11, tokens, x11);
    if (!EvalFormula(X12, tokens, x12)) {
        roots.written = roots.total = 1;
        return;
    }
    const qcmplx root = ok11 && IsRealValue(x11) && Close(x11, x12) ? x11 : x12;
    roots.written = 1;
    roots.total = 3;
    roots.value[0] = root;
    roots.known[0] = roots.known[1] = roots.known[2] = true;
    qcmplx omega;
    QELT three[NQ];
    ltoq(3, three);
    qsqrt(three, omega.i);
    qmul(qhalf, omega.i, omega.i);
    qmov(qhalf, omega.r);
    qneg(omega.r);
    const qcmplx t = qcmplx_sub(root, centre);
    roots.value[1] = qcmplx_add(centre, qcmplx_mul(t, omega));
    qneg(omega.i);
    roots.value[2] = qcmplx_add(centre, qcmplx_mul(t, omega));
}

}  // namespace

namespace poly_detail {

RootSet SolveCubic(const std::vector<std::string>& tokens) {
    RootSet roots;
    qcmplx lead;
    if (tokens.size() < 4) return roots;
    if (!EvalExt(tokens[0], lead)) {
        roots.total = 3;  // nothing known
        return roots;
    }
    if (IsExactZero(lead)) return roots;

    const char* const parts[] = {A1, A2, A3, A4, A5};
    qcmplx value[5];
    Substitution names;
    for (int k = 0; k < 5; ++k) {
        if (!EvalFormula(parts[k], tokens, value[k])) {
            roots.total = 3;
            return roots;
        }
        names.push_back({Cat({"A", std::to_string(k + 1)}), ValueText(value[k])});
    }
    if (IsZeroValue(value[1])) {
        ShiftedCubeRoots(tokens, value[0], roots);
        return roots;
    }
    const char* const forms[] = {X1, X2, X3};
    roots.written = roots.total = 3;
    for (int k = 0; k < 3; ++k) roots.known[k] = EvalExt(Substitute(forms[k], names), roots.value[k]);
    return roots;
}

}  // namespace poly_detail

int gpt_3(const std::string& coefficients, std::string& out1, std::string& out2, std::string& out3) {
    EvalScope scope;
    const RootSet roots = SolveCubic(SplitTokens(coefficients));
    std::string* outs[] = {&out1, &out2, &out3};
    for (int i = 0; i < roots.written; ++i)
        if (roots.known[i]) *outs[i] = FixedText(roots.value[i].r);
    return roots.Mask();
}
