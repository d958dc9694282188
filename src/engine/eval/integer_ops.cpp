#include "engine/eval/integer_ops.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

double ToDouble(const QELT* q) {
    double d;
    qtoe(q, &d);
    return d;
}

// The value equals its truncation to a signed 32-bit integer.
bool IsInt32(double v) {
    return v >= INT32_MIN && v <= INT32_MAX && v == std::trunc(v);
}

void SetReal(qcmplx* result, double v) {
    etoq(v, result->r);
    qclear(result->i);
}

}  // namespace

void GCD(qcmplx* result, const QELT* p, const QELT* q) {
    const double a = ToDouble(p), b = ToDouble(q);
    if (!IsInt32(a) || !IsInt32(b)) {
        SetErrorCode(kErrCallType);
        *result = qczero;
        return;
    }
    SetReal(result,
            static_cast<double>(gcd(std::labs(static_cast<long>(a)), std::labs(static_cast<long>(b)))));
}

void LCM(qcmplx* result, const QELT* p, const QELT* q) {
    const double a = ToDouble(p), b = ToDouble(q);
    if (!IsInt32(a) || !IsInt32(b)) {
        SetErrorCode(kErrLcm);
        *result = qczero;
        return;
    }
    SetReal(result, lcm(std::fabs(a), std::fabs(b)));
}

void MOD(qcmplx* result, const QELT* a, const QELT* b) {
    const double x = ToDouble(a), y = ToDouble(b);
    if (!IsInt32(x) || !IsInt32(y)) {
        SetErrorCode(kErrCallType);
        *result = qczero;
        return;
    }
    if (y == 0) {
        SetErrorCode(kErrDivision);
        *result = qczero;
        return;
    }
    SetReal(result, MOD(x, y));
}

void RAN(qcmplx* result, const QELT* p, const QELT* q) {
    const double a = ToDouble(p), b = ToDouble(q);
    const double lo = a < b ? a : b;
    const double hi = a < b ? b : a;
    const double r = std::fabs(std::sin(static_cast<double>(std::rand())));
    SetReal(result, lo + r * (hi - lo));
}
