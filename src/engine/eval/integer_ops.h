// Extended-precision forms of the integer operations shared by the RPN words "GCD", "LCM", "MOD" and "RAN"
// and the function-call executor. Each takes q-type operands, converts them to doubles and gives a real
// result; the double forms gcd, lcm and MOD are in numeric/radix.h. On failure they set the engine error
// code and give zero.
#pragma once

#include "numeric/qlib.h"

// Greatest common divisor of |p| and |q|. Each must be a 32-bit integer, else -11.
void GCD(qcmplx* result, const QELT* p, const QELT* q);

// |p| * |q| / gcd(|p|, |q|), computed in doubles. Each must be a 32-bit integer, else -35.
void LCM(qcmplx* result, const QELT* p, const QELT* q);

// |a| mod |b| (never negative). Both must be 32-bit integers, else -11; b = 0 gives 0 with -5.
void MOD(qcmplx* result, const QELT* a, const QELT* b);

// lo + |sin(k)| * (hi - lo) for lo, hi the smaller and larger of p and q and k the next value of the C
// library's rand(), so the sequence repeats after srand with the same seed.
void RAN(qcmplx* result, const QELT* p, const QELT* q);
