#include "engine/entry/executor.h"

#include <cmath>
#include <cstdint>
#include <vector>

#include "engine/entry/calculus.h"
#include "engine/entry/executor_internal.h"
#include "engine/entry/expr_eval.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/combinatorics.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/integer_ops.h"
#include "finance/cashflow.h"
#include "finance/tvm.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"
#include "numeric/radix.h"

bool ReadArgument(const std::string& args, int& pos, int radix, qcmplx& value, bool& present) {
    std::string text;
    present = GetParam(args, text, pos) != 0;
    if (!present) return false;
    if (!ExprStandardize(text, radix)) return false;
    bool ok = false;
    value = ExprEvaluation(text.c_str(), ok, nullptr, nullptr, radix);
    if (g_ErrCode) return false;
    if (!iszero(value.i)) {
        SetErrorCode(kErrComplex);
        return false;
    }
    return true;
}

namespace executor_detail {

qcmplx Real(double v) {
    return qcmplx_make(v, 0);
}

bool ReadDoubles(const std::string& args, int radix, int required, int missingCode,
                 std::vector<double>& out) {
    int pos = 0;
    for (;;) {
        qcmplx v;
        bool present;
        if (!ReadArgument(args, pos, radix, v, present)) {
            if (present) return false;  // the argument itself failed
            break;
        }
        double d;
        qtoe(v.r, &d);
        out.push_back(d);
    }
    if (static_cast<int>(out.size()) < required) {
        SetErrorCode(missingCode);
        return false;
    }
    return true;
}

bool ReadFixed(const std::string& args, int radix, int count, std::vector<qcmplx>& out, int* next) {
    int pos = 0;
    for (int i = 0; i < count; ++i) {
        qcmplx v;
        bool present;
        if (!ReadArgument(args, pos, radix, v, present)) {
            if (!present) SetErrorCode(kErrCallSyntax);
            return false;
        }
        out.push_back(v);
    }
    if (next) *next = pos;
    return true;
}

bool IsInt32(double d) {
    // Range first: converting an out-of-range double to int32 is undefined.
    return std::fabs(d) < 2147483648.0 && d == std::trunc(d);
}

}  // namespace executor_detail

using namespace executor_detail;

namespace {

void ClearCalculusBinding() {
    g_lpszExpression = nullptr;
    g_lpszVariable = nullptr;
}

// gcd / lcm folded left over two or more arguments.
qcmplx GcdLcm(const std::string& args, bool lcm) {
    ClearCalculusBinding();
    std::vector<qcmplx> first;
    int pos = 0;
    if (!ReadFixed(args, 10, 2, first, &pos)) return qczero;
    qcmplx acc;
    (lcm ? LCM : GCD)(&acc, first[0].r, first[1].r);
    if (g_ErrCode) return qczero;
    for (;;) {
        qcmplx v;
        bool present;
        if (!ReadArgument(args, pos, 10, v, present)) {
            if (present) return qczero;
            break;
        }
        qcmplx next;
        (lcm ? LCM : GCD)(&next, acc.r, v.r);
        if (g_ErrCode) return qczero;
        acc = next;
    }
    return acc;
}

qcmplx Fibonacci(const std::string& args) {
    ClearCalculusBinding();
    std::vector<qcmplx> a;
    if (!ReadFixed(args, 10, 1, a)) return qczero;
    double n;
    qtoe(a[0].r, &n);
    if (!IsInt32(n) || n < 0) {
        SetErrorCode(kErrNotInteger);
        return qczero;
    }
    if (n >= 1024) {
        SetErrorCode(kErrOutOfRange);
        return qczero;
    }
    if (n == 0) return Real(0);
    double x = 1, y = 1;  // fib(1), fib(2)
    for (int i = 3; i <= static_cast<int>(n); ++i) {
        double z = x + y;
        x = y;
        y = z;
    }
    return Real(y);
}

qcmplx Permutation(const std::string& args, bool combinations) {
    std::vector<qcmplx> a;
    if (!ReadFixed(args, 10, 2, a)) return qczero;
    double n, k;
    qtoe(a[0].r, &n);
    qtoe(a[1].r, &k);
    if (!IsInt32(n) || !IsInt32(k)) {
        SetErrorCode(kErrCallType);
        return qczero;
    }
    if (!(n > k && k > 0)) {
        SetErrorCode(kErrInvalidArguments);
        return qczero;
    }
    qcmplx r;
    if (!(combinations ? NCR : NPR)(&r, a[0].r, a[1].r)) {
        SetErrorCode(kErrOutOfRange);
        return qczero;
    }
    return r;
}

// not / cpl within the bit width, the argument read in the caller's radix.
qcmplx Complement(const std::string& args, int radix, bool twos) {
    ClearCalculusBinding();
    std::vector<qcmplx> a;
    if (!ReadFixed(args, radix, 1, a)) return qczero;
    double x;
    qtoe(a[0].r, &x);
    if (!(std::fabs(x) < 9.2233720368547758e18) || x != std::trunc(x)) {
        SetErrorCode(kErrNotInteger);
        return qczero;
    }
    const std::int64_t v = static_cast<std::int64_t>(x);
    const int w = g_BitWidth;
    if (w == 8 || w == 16 || w == 32) {
        const std::uint64_t mask = (std::uint64_t(1) << w) - 1;
        std::uint64_t low = static_cast<std::uint64_t>(v) & mask;
        std::uint64_t r = twos ? (std::uint64_t(0) - low) & mask : ~low & mask;
        return Real(static_cast<double>(r));
    }
    if (w == 64) {
        std::uint64_t u = static_cast<std::uint64_t>(v);
        std::uint64_t r = twos ? std::uint64_t(0) - u : ~u;
        return Real(static_cast<double>(r));
    }
    return a[0];
}

// pv, nper, rate, pmt, fv: five values and an optional payment type.
qcmplx TimeValue(int index, const std::string& args) {
    std::vector<double> v;
    if (!ReadDoubles(args, 10, 0, kErrCallSyntax, v)) return qczero;
    if (v.size() < 5) {
        SetErrorCode(kErrCallSyntax);
        return qczero;
    }
    const int type = (v.size() < 6 || v[5] == 0) ? 0 : 1;
    double r = 0;
    switch (index) {
        case kCallPv:
            r = CTVMCalc::PVcalc(v[0], v[1], v[2], v[3], v[4], type);
            break;
        case kCallNper:
            r = CTVMCalc::NPERcalc(v[0], v[1], v[2], v[3], v[4], type);
            break;
        case kCallRate:
            r = CTVMCalc::YRATECalc(v[0], v[1], v[2], v[3], v[4], type);
            break;
        case kCallPmt:
            r = CTVMCalc::PMTcalc(v[0], v[1], v[2], v[3], v[4], type);
            break;
        default:
            r = CTVMCalc::FVcalc(v[0], v[1], v[2], v[3], v[4], type);
            break;
    }
    return g_ErrCode ? qczero : Real(r);
}

qcmplx Depreciation(int index, const std::string& args) {
    const int need = index == kCallSln ? 3 : 4;
    std::vector<double> v;
    if (!ReadDoubles(args, 10, need, kErrCallSyntax, v)) return qczero;
    double r;
    if (index == kCallSln) {
        r = CTVMCalc::SLNcalc(v[0], v[1], v[2]);
    } else if (index == kCallSyd) {
        r = CTVMCalc::SYDcalc(v[0], v[1], v[2], v[3]);
    } else {
        r = CTVMCalc::DBcalc(v[0], v[1], v[2], v[3], v.size() > 4 ? v[4] : 12.0);
    }
    return g_ErrCode ? qczero : Real(r);
}

qcmplx CashFlow(int index, const std::string& args) {
    std::vector<double> v;
    if (!ReadDoubles(args, 10, index == kCallIrr ? 2 : 1, kErrCallSyntax, v)) return qczero;
    double r = index == kCallIrr ? IRR(v[0], v.data() + 1, static_cast<int>(v.size()) - 1)
                                 : NPV(0, v.data(), static_cast<int>(v.size()));
    return g_ErrCode ? qczero : Real(r);
}

}  // namespace

bool ExcuteInDoubles(int index) {
    switch (index) {
        case kCallRT:
        case kCallDeriv:
        case kCallEval:
        case kCallSum:
        case kCallProduct:
        case kCallNcr:
        case kCallNpr:
        case kCallGcd:
        case kCallModule:
        case kCallNot:
        case kCallCpl:
            return false;
        default:
            return index > kCallRT && index <= kCallGauss;
    }
}

qcmplx Excute(int index, const std::string& args, int radix) {
    if (g_ErrCode) return qczero;
    switch (index) {
        case kCallInt:
        case kCallDeriv:
        case kCallEval:
        case kCallRoot:
        case kCallSum:
        case kCallProduct:
            return CalculusCall(index, args);
        case kCallGcd:
            return GcdLcm(args, false);
        case kCallLcm:
            return GcdLcm(args, true);
        case kCallModule: {
            std::vector<qcmplx> a;
            return ReadFixed(args, 10, 1, a) ? Real(0) : qczero;
        }
        case kCallFib:
            return Fibonacci(args);
        case kCallRan: {
            ClearCalculusBinding();
            std::vector<qcmplx> a;
            if (!ReadFixed(args, 10, 2, a)) return qczero;
            qcmplx r;
            RAN(&r, a[0].r, a[1].r);
            return r;
        }
        case kCallNcr:
            return Permutation(args, true);
        case kCallNpr:
            return Permutation(args, false);
        case kCallNot:
            return Complement(args, radix, false);
        case kCallCpl:
            return Complement(args, radix, true);
        case kCallPv:
        case kCallNper:
        case kCallRate:
        case kCallPmt:
        case kCallFv:
            return TimeValue(index, args);
        case kCallDb:
        case kCallSyd:
        case kCallSln:
            return Depreciation(index, args);
        case kCallNpv:
        case kCallIrr:
            return CashFlow(index, args);
        case kCallPoisson:
        case kCallBinomial:
        case kCallGamma:
        case kCallGeo:
        case kCallRayleigh:
        case kCallGauss:
            return Density(index, args);
        case kCallListSum:
        case kCallListSsq:
        case kCallAvg:
        case kCallSdv:
        case kCallSsd:
        case kCallMin:
        case kCallMax:
        case kCallAvd:
        case kCallMedian:
        case kCallMode:
        case kCallDsq:
        case kCallGm:
        case kCallCount:
            return ListStatistic(index);
        default:
            SetErrorCode(kErrSyntax);
            return qczero;
    }
}
