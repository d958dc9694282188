#include "engine/entry/calculus.h"

#include <cctype>
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/entry/executor.h"
#include "engine/entry/executor_internal.h"
#include "engine/entry/expr_eval.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/evaluate.h"
#include "engine/parse/tables.h"
#include "finance/fnroot.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

namespace {

// The texts g_lpszExpression and g_lpszVariable point at while a calculus call runs.
std::string s_expression, s_variable;

void Bind(const std::string& expression, const std::string& variable) {
    s_expression = expression;
    s_variable = variable;
    g_lpszExpression = s_expression.c_str();
    g_lpszVariable = s_variable.c_str();
}

std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

bool ReadNumber(const std::string& args, int& pos, qcmplx& v) {
    bool present;
    if (ReadArgument(args, pos, 10, v, present)) return true;
    if (!present) SetErrorCode(kErrCallSyntax);
    return false;
}

double Dbl(const QELT* q) {
    double d;
    qtoe(q, &d);
    return d;
}

// ---- sums and products ---------------------------------------------------------------------------------

// More than kSeriesTermLimit terms from start to end (range = end - start) by step: floor(range / step) + 1
// terms, so the limit is passed when range / step reaches it. The step is non-zero unless the range is 0.
bool TooManyTerms(const QELT* range, const QELT* step) {
    if (iszero(range)) return false;
    QELT quotient[NQ], limit[NQ];
    qdiv(step, range, quotient);
    qabs(quotient);
    ltoq(kSeriesTermLimit, limit);
    return qcmp(quotient, limit) >= 0;
}

qcmplx SumOrProduct(const std::string& expr, const std::string& var, const std::string& args, int pos,
                    bool product) {
    qcmplx start, end, step = qcmplx_make(1, 0);
    if (!ReadNumber(args, pos, start) || !ReadNumber(args, pos, end)) return qczero;
    bool present;
    qcmplx given;
    if (ReadArgument(args, pos, 10, given, present)) {
        step = given;
    } else if (present) {
        return qczero;
    }
    const int dir = qcmp(end.r, start.r);
    QELT range[NQ];
    qsub(start.r, end.r, range);  // end - start
    const bool ok = dir == 0 || (dir > 0 && qcmp(step.r, qzero) > 0 && qcmp(step.r, range) <= 0) ||
                    (dir < 0 && qcmp(step.r, qzero) < 0 && qcmp(step.r, range) >= 0);
    if (!ok) {
        SetErrorCode(kErrSeriesStep);
        return qczero;
    }
    if (TooManyTerms(range, step.r)) {
        SetErrorCode(kErrOutOfRange);
        return qczero;
    }
    const bool ascending = qcmp(step.r, qzero) > 0;
    qcmplx acc = product ? qcone : qczero;
    QELT value[NQ];
    qmov(start.r, value);
    do {
        std::string term = expr;
        if (!StrReplace(term, var, qtoasc_str(value, 64))) {
            SetErrorCode(kErrCallSyntax);
            return qczero;
        }
        if (!ExprStandardize(term, 10)) return qczero;
        bool evaluated = false;
        qcmplx v = ExprEvaluation(term.c_str(), evaluated, nullptr, nullptr, 10);
        if (g_ErrCode) return qczero;
        if (!iszero(v.i)) {
            SetErrorCode(kErrComplex);
            return qczero;
        }
        acc = product ? qcmplx_mul(acc, v) : qcmplx_add(acc, v);
        if (g_ErrCode) return qczero;
        qadd(step.r, value, value);
    } while (ascending ? qcmp(value, end.r) <= 0 : qcmp(value, end.r) >= 0);
    return acc;
}

// ---- differentiation -------------------------------------------------------------------------------------

// The expression's value at x (real part), or false with the error set.
bool ValueAt(const std::string& text, const QELT* x, qcmplx& out) {
    const char* saved = g_lpszExpression;
    g_lpszExpression = text.c_str();
    fn(&out, x, nullptr);
    g_lpszExpression = saved;
    return g_ErrCode == 0;
}

// Drops blanks at both ends and parentheses that enclose the whole text.
std::string Unwrap(std::string t) {
    for (;;) {
        t = Trim(t);
        if (t.size() < 2 || t.front() != '(' || t.back() != ')') return t;
        int depth = 0;
        for (size_t i = 0; i < t.size(); ++i) {
            if (t[i] == '(') ++depth;
            if (t[i] == ')' && --depth == 0 && i + 1 < t.size()) return t;  // the first group closes early
        }
        t = t.substr(1, t.size() - 2);
    }
}

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// Where the evaluator would split text at depth 0: its lowest-binding operator. Returns the operator
// ('+', '-', '*', '/', 'r' for root, '^') and its position and length, or 0 when the text is a single
// operand, a function application or uses an operator these rules do not cover.
char SplitPoint(const std::string& t, size_t& at, size_t& len) {
    int depth = 0;
    size_t add = std::string::npos, mul = std::string::npos, root = std::string::npos,
           pow = std::string::npos;
    char last_nonblank = 0;
    size_t last_nonblank_pos = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (depth == 0 && c != '(' && c != ')') {
            if ((c == '+' || c == '-') && last_nonblank && !std::strchr("+-*/^(", last_nonblank)) {
                // Not the sign of an exponent such as 1e-5.
                const bool exponent = (last_nonblank == 'e' || last_nonblank == 'E') &&
                                      last_nonblank_pos > 0 &&
                                      std::isdigit(static_cast<unsigned char>(t[last_nonblank_pos - 1]));
                if (!exponent) add = i;
            } else if (c == '*' || c == '/') {
                mul = i;
            } else if (c == '^') {
                if (pow == std::string::npos) pow = i;
            } else if (IsWordChar(c) && (i == 0 || !IsWordChar(t[i - 1]))) {
                size_t j = i;
                while (j < t.size() && IsWordChar(t[j])) ++j;
                std::string word = t.substr(i, j - i);
                for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
                if (word == "root") {
                    root = i;
                } else if (!std::isdigit(static_cast<unsigned char>(word[0]))) {
                    // Words that bind more loosely than the arithmetic operators, or differently (and, mod,
                    // abs, exp as a times-ten-to operator, ...) leave the text to the numeric difference.
                    const int p = Priority(word.c_str());
                    if (p != 7 && FindReg(word.c_str()) < 0 && word != "pi" && word != "e" && word != "i" &&
                        (!g_lpszVariable || word != g_lpszVariable))
                        return 0;
                    if (word == "abs") return 0;
                }
            }
        }
        if (c != ' ') {
            last_nonblank = c;
            last_nonblank_pos = i;
        }
    }
    if (add != std::string::npos) return at = add, len = 1, t[add];
    if (mul != std::string::npos) return at = mul, len = 1, t[mul];
    if (root != std::string::npos) return at = root, len = 4, 'r';
    if (pow != std::string::npos) return at = pow, len = 1, '^';
    return 0;
}

// The one-sided search for the defined point nearest to x0 in the direction of `outer`, which is undefined:
// bisection until the two ends are within 1e-10; the defined end is returned.
void NearestDefined(const std::string& text, const QELT* x0, QELT* outer) {
    QELT defined[NQ], undefined[NQ], mid[NQ], gap[NQ], limit[NQ];
    qmov(x0, defined);
    qmov(outer, undefined);
    asctoq("1e-10", limit);
    for (int i = 0; i < 200; ++i) {
        qsub(defined, undefined, gap);
        qabs(gap);
        if (qcmp(gap, limit) <= 0) break;
        qadd(defined, undefined, mid);
        qmul(qhalf, mid, mid);
        qcmplx v;
        if (ValueAt(text, mid, v)) {
            qmov(mid, defined);
        } else {
            ClearErrorCode();
            qmov(mid, undefined);
        }
    }
    qmov(defined, outer);
}

bool NumericDerivative(const std::string& text, const QELT* x0, qcmplx& out) {
    qcmplx f0;
    if (!ValueAt(text, x0, f0)) return false;
    QELT h[NQ], xl[NQ], xr[NQ];
    asctoq("1e-6", h);
    qsub(h, x0, xl);
    qadd(h, x0, xr);
    qcmplx fl, fr;
    if (!ValueAt(text, xl, fl)) {
        ClearErrorCode();
        NearestDefined(text, x0, xl);
        if (!ValueAt(text, xl, fl)) return false;
    }
    if (!ValueAt(text, xr, fr)) {
        ClearErrorCode();
        NearestDefined(text, x0, xr);
        if (!ValueAt(text, xr, fr)) return false;
    }
    if (qcmp(xl, xr) == 0) {
        SetErrorCode(kErrInfinite);
        return false;
    }
    QELT num[NQ], den[NQ];
    qsub(fl.r, fr.r, num);
    qsub(xl, xr, den);
    qdiv(den, num, num);
    out = qcmplx_real(num);
    return true;
}

bool Derive(const std::string& whole, const QELT* x0, qcmplx& out);

// A = value, dA = derivative of each side.
struct Side {
    qcmplx v, d;
};

bool Both(const std::string& a, const std::string& b, const QELT* x0, Side& A, Side& B) {
    return ValueAt(a, x0, A.v) && Derive(a, x0, A.d) && ValueAt(b, x0, B.v) && Derive(b, x0, B.d);
}

bool Derive(const std::string& whole, const QELT* x0, qcmplx& out) {
    const std::string t = Unwrap(whole);
    size_t at = 0, len = 0;
    const char op = SplitPoint(t, at, len);
    if (!op) return NumericDerivative(t, x0, out);
    const std::string a = t.substr(0, at), b = t.substr(at + len);
    Side A, B;
    switch (op) {
        case '+':
        case '-':
            if (!Derive(a, x0, A.d) || !Derive(b, x0, B.d)) return false;
            out = op == '+' ? qcmplx_add(A.d, B.d) : qcmplx_sub(A.d, B.d);
            return g_ErrCode == 0;
        case '*':
            if (!Both(a, b, x0, A, B)) return false;
            out = qcmplx_add(qcmplx_mul(A.d, B.v), qcmplx_mul(A.v, B.d));
            return g_ErrCode == 0;
        case '/':
            if (!Both(a, b, x0, A, B)) return false;
            out = qcmplx_div(qcmplx_sub(qcmplx_mul(A.d, B.v), qcmplx_mul(A.v, B.d)), qcmplx_mul(B.v, B.v));
            return g_ErrCode == 0;
        case 'r': {
            // A root B = B^(1/A): V (A B'/B - A' ln B) / A^2, for a positive index and radicand.
            if (!ValueAt(a, x0, A.v) || !ValueAt(b, x0, B.v)) return false;
            if (qcmp(A.v.r, qzero) <= 0 || qcmp(B.v.r, qzero) <= 0) return NumericDerivative(t, x0, out);
            qcmplx V;
            if (!Derive(a, x0, A.d) || !Derive(b, x0, B.d) || !ValueAt(t, x0, V)) return false;
            qcmplx inner =
                qcmplx_sub(qcmplx_div(qcmplx_mul(A.v, B.d), B.v), qcmplx_mul(A.d, qcmplx_log(B.v)));
            out = qcmplx_div(qcmplx_mul(V, inner), qcmplx_mul(A.v, A.v));
            return g_ErrCode == 0;
        }
        default: {
            // A^B = A^B (B' ln A + B A'/A), for a positive base.
            if (!ValueAt(a, x0, A.v)) return false;
            if (qcmp(A.v.r, qzero) <= 0) return NumericDerivative(t, x0, out);
            qcmplx V;
            if (!ValueAt(b, x0, B.v) || !Derive(a, x0, A.d) || !Derive(b, x0, B.d) || !ValueAt(t, x0, V))
                return false;
            qcmplx inner =
                qcmplx_add(qcmplx_mul(B.d, qcmplx_log(A.v)), qcmplx_div(qcmplx_mul(B.v, A.d), A.v));
            out = qcmplx_mul(V, inner);
            return g_ErrCode == 0;
        }
    }
}

}  // namespace

double trapzd(const QELT* a, const QELT* b, long n, const char* expression) {
    static double s = 0;
    const double lo = Dbl(a), hi = Dbl(b);
    if (n == 1) {
        s = 0.5 * (hi - lo) * (fnex(lo, expression) + fnex(hi, expression));
        return s;
    }
    const long m = 1L << (n - 2);
    const double d = (hi - lo) / static_cast<double>(m);
    double x = lo + 0.5 * d, sum = 0;
    for (long j = 0; j < m; ++j, x += d) sum += fnex(x, expression);
    s = 0.5 * (s + (hi - lo) * sum / static_cast<double>(m));
    return s;
}

void polint(const double* xa, const double* ya, int n, double x, double* y, double* dy) {
    std::vector<double> c(ya, ya + n), d(ya, ya + n);
    int ns = 0;
    double dif = std::fabs(x - xa[0]);
    for (int i = 1; i < n; ++i) {
        double dift = std::fabs(x - xa[i]);
        if (dift < dif) {
            ns = i;
            dif = dift;
        }
    }
    *y = ya[ns--];
    *dy = 0;
    for (int m = 1; m < n; ++m) {
        for (int i = 0; i < n - m; ++i) {
            const double ho = xa[i] - x, hp = xa[i + m] - x, w = c[i + 1] - d[i], den = ho - hp;
            if (den == 0) return;  // two equal abscissas
            const double f = w / den;
            d[i] = hp * f;
            c[i] = ho * f;
        }
        *dy = (2 * (ns + 1) < n - m) ? c[ns + 1] : d[ns--];
        *y += *dy;
    }
}

void integration(qcmplx* result, const QELT* a, const QELT* b, const char* expression) {
    *result = qczero;
    SetMode(1);
    if (qcmp(a, b) == 0) return;
    const QELT* lo = a;
    const QELT* hi = b;
    double sign = 1;
    if (qcmp(a, b) > 0) {
        lo = b;
        hi = a;
        sign = -1;
    }
    constexpr int kRows = 12, kPoints = 5;
    double s[kRows + 2], h[kRows + 2];
    h[1] = 1;
    double ss = 0, dss = 0;
    for (int j = 1; j <= kRows; ++j) {
        s[j] = trapzd(lo, hi, j, expression);
        if (g_ErrCode) return;
        if (j >= kPoints) {
            polint(&h[j - kPoints + 1], &s[j - kPoints + 1], kPoints, 0.0, &ss, &dss);
            if (std::fabs(dss) <= 1e-6 * std::fabs(ss)) {
                *result = qcmplx_make(ss * sign, 0);
                return;
            }
        }
        h[j + 1] = 0.25 * h[j];
    }
    SetErrorCode(kErrIntegration);
}

void derivation(qcmplx* result, const std::string& expression, const QELT* x) {
    *result = qczero;
    SetMode(1);
    qcmplx d;
    if (Derive(expression, x, d)) *result = qcmplx_real(d.r);
    if (g_ErrCode) *result = qczero;
}

qcmplx CalculusCall(int index, const std::string& args) {
    int pos = 0;
    std::string expr, var;
    if (!GetParam(args, expr, pos) || !GetParam(args, var, pos)) {
        SetErrorCode(kErrCallSyntax);
        return qczero;
    }
    var = Trim(var);
    if (index == kCallSum || index == kCallProduct) {
        return SumOrProduct(expr, var, args, pos, index == kCallProduct);
    }
    if (!ExprStandardize(expr, 10)) return qczero;
    // The numeric arguments first: a call nested in them binds the variable for itself.
    qcmplx p1, p2;
    if (!ReadNumber(args, pos, p1)) return qczero;
    if ((index == kCallInt || index == kCallRoot) && !ReadNumber(args, pos, p2)) return qczero;
    Bind(expr, var);
    qcmplx r = qczero;
    switch (index) {
        case kCallEval:
            fn(&r, p1.r, nullptr);
            break;
        case kCallInt:
            integration(&r, p1.r, p2.r, g_lpszExpression);
            break;
        case kCallDeriv:
            derivation(&r, s_expression, p1.r);
            break;
        default: {  // fnRoot
            const double root = fnroot(Dbl(p1.r), Dbl(p2.r), fn, nullptr);
            if (!g_ErrCode) r = qcmplx_make(root, 0);
            break;
        }
    }
    return g_ErrCode ? qczero : r;
}
