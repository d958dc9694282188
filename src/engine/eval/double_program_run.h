// The run of a compiled double-precision program, inline for the evaluation entry points (the per-value
// cost of a plot is mostly the way into the program and out of it).
#pragma once

#include <cstring>

#include "engine/eval/double_program.h"
#include "engine/eval/double_real_forms.h"
#include "engine/parse/tables.h"

[[gnu::always_inline]] inline bool DoubleProgram::RealStep(const RealOp& op, double* v) {
    const double a = v[op.a];
    const double b = v[op.b];
    double r = 0;
    switch (op.kind) {
        case RealKind::kAdd:
            r = a + b;  // the imaginary parts add to +0
            break;
        case RealKind::kSub:
            r = a - b;
            break;
        case RealKind::kNegate:
            r = 0.0 - b;  // complex_sub((0, 0), b)
            break;
        case RealKind::kMul:
            if (!real_forms::Mul(a, b, r)) return false;
            break;
        case RealKind::kDiv:
            if (!real_forms::Div(a, b, r)) return false;
            break;
        case RealKind::kSquare:
            if (TakesRealShortcut(b, realPowers_[op.aux])) {
                r = b * b;  // RealPow(b, 2)
                break;
            }
            if (!RealPowConst(b, realPowers_[op.aux], r)) return false;
            break;
        case RealKind::kCube:
            if (TakesRealShortcut(b, realPowers_[op.aux])) {
                if (!pow_detail::CorrectlyRoundedCube<false>(b, r)) r = RealCube(b);  // RealPow(b, 3)
                break;
            }
            if (!RealPowConst(b, realPowers_[op.aux], r)) return false;
            break;
        case RealKind::kCubeFma:
            if (TakesRealShortcut(b, realPowers_[op.aux])) {
                r = RealCubeFma(b);
                break;
            }
            if (!RealPowConst(b, realPowers_[op.aux], r)) return false;
            break;
        case RealKind::kPowConst: {
            const PowExponent& p = realPowers_[op.aux];
            if (TakesRealShortcut(b, p)) {
                r = RealPow(b, p.e.re);
                break;
            }
            if (!RealPowConst(b, p, r)) return false;
            break;
        }
        case RealKind::kPow:
            if (!RealPowValue(a, b, r)) return false;
            break;
        case RealKind::kSin:
            if (!real_forms::Sin(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kCos:
            if (!real_forms::Cos(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kTan:
            if (!real_forms::Tan(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kSqrt:
            if (!real_forms::Sqrt(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kLn:
            if (!real_forms::Ln(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kLog:
            if (!real_forms::Log(b, r) && !RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kValue:
            if (!RealValue(op.unary, b, r)) return false;
            break;
        case RealKind::kCall:
            if (!RealCall(op, a, b, r)) return false;
            break;
    }
    v[op.dst] = r;
    return true;
}

inline bool DoubleProgram::RunReal(double x, double& out) {
    if (realResult_ == kNoRealForm) return false;
    double* v = realValues_.data();
    v[0] = x;
    for (const RealOp& op : realOps_)
        if (!RealStep(op, v)) return false;
    out = v[realResult_];
    return true;
}

inline void DoubleProgram::SetRunLastItem() const {
    // The common case, the name already there, is one masked word compare.
    if (lastMask_ != 0) {
        std::uint64_t word;
        std::memcpy(&word, g_chrLastItem, sizeof word);
        if ((word & lastMask_) == lastWord_) return;
    }
    SetLastItemSlow();
}

inline bool DoubleProgram::Run(double x, double& re, double& im) {
    if (x == x && RunReal(x, re)) {
        im = 0;
        SetRunLastItem();
        return true;
    }
    return RunComplex(x, re, im);
}
