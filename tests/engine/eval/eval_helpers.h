// Small wrappers around the two evaluation paths for the engine tests.
#pragma once

#include <cmath>
#include <string>

#include "engine/eval/evaluate.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

namespace testutil {

struct ExResult {
    qcmplx v;
    int err;
    bool ok;
    double re() const {
        double d;
        qtoe(v.r, &d);
        return d;
    }
    double im() const {
        double d;
        qtoe(v.i, &d);
        return d;
    }
};

struct DResult {
    COMPLEX v;
    int err;
    bool ok;
};

// Evaluates text from a clean error state in the given angle mode; the variable is bound to x.
inline ExResult Ex(const char* text, int mode = 0, const char* variable = nullptr, double x = 0,
                   int radix = 10) {
    ClearErrorCode();
    SetMode(mode);
    QELT q[NQ];
    etoq(x, q);
    bool ok = false;
    const qcmplx v = ExprEvaluation(text, ok, variable, q, radix);
    return {v, GetErrorCode(), ok};
}

inline DResult Dbl(const char* text, int mode = 0, const char* variable = nullptr, double x = 0,
                   int radix = 10) {
    ClearErrorCode();
    SetMode(mode);
    bool ok = false;
    const COMPLEX v = ExprEvaluationEx(text, ok, variable, x, radix);
    return {v, GetErrorCode(), ok};
}

// The value as 40 significant digits (for comparing extended results with exact decimal expectations).
inline std::string Digits(const QELT* q, int n = 40) {
    return qtoascex_str(q, n);
}

// q equals the decimal text exactly after conversion by the library (both rounded the same way).
inline bool EqualsDecimal(const QELT* q, const char* text) {
    QELT want[NQ];
    asctoq(text, want);
    return qcmp(q, want) == 0;
}

// |q - want| <= tolerance * max(1, |want|), computed in extended precision.
inline bool Near(const QELT* q, const char* want, const char* tolerance = "1e-95") {
    QELT w[NQ], d[NQ], t[NQ], scale[NQ];
    asctoq(want, w);
    asctoq(tolerance, t);
    qsub(w, q, d);  // q - w
    qabs(d);
    qmov(w, scale);
    qabs(scale);
    if (qcmp(scale, qone) < 0) qmov(qone, scale);
    qmul(scale, t, t);
    return qcmp(d, t) <= 0;
}

}  // namespace testutil
