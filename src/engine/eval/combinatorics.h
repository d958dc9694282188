// Extended-precision factorials, permutations and combinations, shared by the "ncr" and "npr" operators
// and the function-call executor. The callers test their arguments (n > k > 0; the executor also whole
// numbers in the 32-bit range); these routines compute whatever they are given.
#pragma once

#include "numeric/qlib.h"

// The product 1 * 2 * ... * j over every whole j <= m (1 for m below 2), so a fractional m gives
// floor(m)!; real result. Once the product overflows to infinity (the library reports it) the loop stops,
// so a huge m costs no more than the first factorial beyond the range.
void GT(qcmplx* result, const QELT* m);

// Permutations of whole n > k > 0: the product of the k factors n - k + 1 ... n, real result. Returns
// false (result zero) when the value does not fit the extended range; the loop ends there, so it runs
// at most some 16,600 times whatever k is. Other operands keep the factorial form GT(n) / GT(n - k).
bool NPR(qcmplx* result, const QELT* n, const QELT* k);

// Combinations of whole n > k > 0: the product of the factors n - k + 1 ... n divided by k!, taken as
// C(n - j + i, i) for i = 1 ... j with j = min(k, n - k), so no partial result exceeds the answer and
// every value below 2^336 is exact. Returns false (result zero) when the value does not fit the extended
// range. Other operands keep the factorial form NPR(n, k) / GT(k).
bool NCR(qcmplx* result, const QELT* n, const QELT* k);
