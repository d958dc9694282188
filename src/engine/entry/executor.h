// The function-call executor: computes one call of the executor's vocabulary (fnName indices 1 ... 44:
// calculus, integer and combinatorial functions, statistics over the LIST register, densities, time value
// of money, depreciation, NPV, IRR, not/cpl) from its argument text.
#pragma once

#include <string>

#include "numeric/qlib.h"

// Computes call `index` of fnName with the text between its parentheses. Arguments are read with GetParam
// and each is standardized and evaluated in radix 10 (not and cpl: in `radix`); a complex argument is -54.
// fnSum and fnProduct take at most kSeriesTermLimit (10^6) terms; a longer range is -7 ("Out of range
// error") before the first term. Returns the real value; zero with the error code set on failure, and zero
// at once while an error is set. Called by ExprStandardize only.
qcmplx Excute(int index, const std::string& args, int radix);

// fnName indices.
enum FunctionCall {
    kCallRT = 0,
    kCallInt = 1,
    kCallDeriv = 2,
    kCallEval = 3,
    kCallGcd = 4,
    kCallRoot = 5,
    kCallLcm = 6,
    kCallModule = 7,
    kCallFib = 8,
    kCallRan = 9,
    kCallSum = 10,
    kCallProduct = 11,
    kCallListSum = 12,
    kCallListSsq = 13,
    kCallNpv = 14,
    kCallAvg = 15,
    kCallSdv = 16,
    kCallSsd = 17,
    kCallMin = 18,
    kCallMax = 19,
    kCallAvd = 20,
    kCallMedian = 21,
    kCallMode = 22,
    kCallDsq = 23,
    kCallGm = 24,
    kCallNcr = 25,
    kCallNpr = 26,
    kCallDb = 27,
    kCallSyd = 28,
    kCallSln = 29,
    kCallPv = 30,
    kCallNper = 31,
    kCallRate = 32,
    kCallPmt = 33,
    kCallFv = 34,
    kCallNot = 35,
    kCallCpl = 36,
    kCallCount = 37,
    kCallIrr = 38,
    kCallPoisson = 39,
    kCallBinomial = 40,
    kCallGamma = 41,
    kCallGeo = 42,
    kCallRayleigh = 43,
    kCallGauss = 44,
};

// True for the calls whose value comes out of a double-precision computation and so carries 17 significant
// digits: fnInt, fnRoot, lcm, fib, ran, the statistics, the densities, the time-value, depreciation and
// cash-flow functions. False for those computed in extended precision or exactly (fnDeriv, fnEval, fnSum,
// fnProduct, ncr, npr, gcd, module, not, cpl) and for indices outside the table.
bool ExcuteInDoubles(int index);

// Reads the next argument of args from pos, standardizes and evaluates it in radix. Returns false when
// there is no further argument (present = false, nothing set) or when it failed (present = true, the
// error code set: its own evaluation error, or -54 for a complex value).
bool ReadArgument(const std::string& args, int& pos, int radix, qcmplx& value, bool& present);
