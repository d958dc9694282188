// Included last by the files of the double-precision hot path.
//
// GCC's straight-line vectorizer packs the two doubles of a returned or passed COMPLEX into one vector
// register and unpacks it through the stack; the narrow reads of the wide store cannot be forwarded and
// stall, which costs more than the arithmetic of a whole operation. These files are compiled without it.
#pragma once

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-slp-vectorize")
#endif

// Products and sums stay separately rounded where a fused multiply-add is available (a function compiled
// for such processors): the exact-arithmetic routines depend on every rounding they spell out.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("fp-contract=off")
#elif defined(__clang__)
#pragma clang fp contract(off)
#endif
