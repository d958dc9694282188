// Extended-precision factorials, permutations and combinations, shared by the "ncr" and "npr" operators
// and the function-call executor. The callers test their arguments (whole numbers, n > k > 0); these
// routines compute whatever they are given.
#pragma once

#include "numeric/qlib.h"

// The product 1 * 2 * ... * j over every whole j <= m (1 for m below 2), so a fractional m gives
// floor(m)!; real result. Once the product overflows to infinity (the library reports it) the loop stops,
// so a huge m costs no more than the first factorial beyond the range.
void GT(qcmplx* result, const QELT* m);

// Permutations GT(n) / GT(n - k), real result.
void NPR(qcmplx* result, const QELT* n, const QELT* k);

// Combinations NPR(n, k) / GT(k), real result.
void NCR(qcmplx* result, const QELT* n, const QELT* k);
