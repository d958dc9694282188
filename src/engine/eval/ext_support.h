// Pieces shared by the extended-precision handlers.
#pragma once

#include "numeric/qlib.h"

namespace ext_detail {

// Constants of the extended handlers, built once on first use.
struct Constants {
    QELT tiny[NQ];  // 1e-64: parts up to this magnitude count as zero
    QELT ten[NQ];
    QELT hundred[NQ];
    QELT limit[NQ];  // 1500, the largest factorial argument
    QELT halfPi[NQ];
    QELT degreeToRadian[NQ];  // pi / 180
    QELT gradToRadian[NQ];    // pi / 200
    QELT radianToDegree[NQ];  // 180 / pi
    QELT radianToGrad[NQ];    // 200 / pi
    qcmplx half;              // 1/2 + 0i
    qcmplx tenC;              // 10 + 0i
};
const Constants& K();

// |x| <= 1e-64 (strict: |x| < 1e-64).
bool IsTiny(const QELT* x);
bool IsBelowTiny(const QELT* x);

// The real test: a value whose imaginary part is at most 1e-64 in magnitude is real, and its imaginary
// part is set to exactly 0.
bool MakeReal(qcmplx& v);

double ToDouble(const QELT* q);

}  // namespace ext_detail
