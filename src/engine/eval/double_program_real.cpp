// The real form of a compiled double-precision program (see double_program.h).
#include <cstring>

#include "engine/eval/double_program.h"
#include "engine/eval/double_real_forms.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

// Translates the complex operations: a compile-time stack of value indices stands for the run-time value
// stack, so a push only records where its value lives, and each operation reads its operands by index
// and writes its result to the slot of the stack position it leaves the result at.
void DoubleProgram::BuildRealForm(long depth) {
    realOps_.clear();
    realPowers_.clear();
    realResult_ = kNoRealForm;
    const auto slot = [](size_t position) { return static_cast<std::uint16_t>(1 + position); };
    realValues_.assign(static_cast<size_t>(depth) + 1, 0.0);
    std::vector<std::uint16_t> refs;
    // The index of a folded or pushed operand; false for a constant off the real line.
    const auto operand = [&](Source source, COMPLEX value, std::uint16_t& index) {
        if (source == Source::kVariable) {
            index = 0;
        } else if (source == Source::kConstant) {
            if (!real_forms::IsPositiveZero(value.im)) return false;
            index = static_cast<std::uint16_t>(realValues_.size());
            realValues_.push_back(value.re);
        } else {
            index = refs.back();
            refs.pop_back();
        }
        return true;
    };
    for (const Op& op : ops_) {
        if (op.kind == Kind::kFail) return;
        if (op.kind == Kind::kPush) {
            std::uint16_t index;
            if (!operand(op.source, op.value, index)) return;
            refs.push_back(index);
            continue;
        }
        RealOp r{};
        r.unary = op.unary;
        r.handler = op.handler;
        r.arity = op.arity;
        if (op.kind == Kind::kCall) {
            r.kind = RealKind::kCall;
            r.b = refs.back();
            refs.pop_back();
            r.a = r.b;
            if (op.arity == 2) {
                r.a = refs.back();
                refs.pop_back();
            }
        } else {
            // The folded operand (or the top value) is b; a two-operand operation takes a from the stack.
            if (!operand(op.source, op.value, r.b)) return;
            r.a = r.b;
            const bool twoOperand = op.kind == Kind::kAdd || op.kind == Kind::kSub || op.kind == Kind::kMul ||
                                    op.kind == Kind::kDiv || (op.kind == Kind::kPow && !op.constantExponent);
            if (twoOperand) {
                r.a = refs.back();
                refs.pop_back();
            }
            switch (op.kind) {
                case Kind::kNegate:
                    r.kind = RealKind::kNegate;
                    break;
                case Kind::kAdd:
                    r.kind = RealKind::kAdd;
                    break;
                case Kind::kSub:
                    r.kind = RealKind::kSub;
                    break;
                case Kind::kMul:
                    r.kind = RealKind::kMul;
                    break;
                case Kind::kDiv:
                    r.kind = RealKind::kDiv;
                    break;
                case Kind::kPow:
                    r.kind = RealKind::kPow;
                    if (op.constantExponent) {
                        r.kind = RealKind::kPowConst;
                        if (op.exponent.e.im == 0 && op.exponent.e.re == 2) r.kind = RealKind::kSquare;
                        if (op.exponent.e.im == 0 && op.exponent.e.re == 3)
                            r.kind = HasFusedMultiplyAdd() ? RealKind::kCubeFma : RealKind::kCube;
                        r.aux = static_cast<std::uint32_t>(realPowers_.size());
                        realPowers_.push_back(op.exponent);
                    }
                    break;
                default:  // kValue
                    r.kind = op.unary == SinValue    ? RealKind::kSin
                             : op.unary == CosValue  ? RealKind::kCos
                             : op.unary == TanValue  ? RealKind::kTan
                             : op.unary == SqrtValue ? RealKind::kSqrt
                             : op.unary == LnValue   ? RealKind::kLn
                             : op.unary == LogValue  ? RealKind::kLog
                                                     : RealKind::kValue;
                    break;
            }
        }
        r.dst = slot(refs.size());
        refs.push_back(r.dst);
        realOps_.push_back(r);
    }
    if (refs.empty()) return;
    realResult_ = refs.front();
}

// A handler on real operands: its result counts only when it is real (+0 imaginary part) and the handler
// set no code; a failed attempt leaves no trace (the error code and g_Mode are put back).
bool DoubleProgram::RealCall(const RealOp& op, double a, double b, double& out) {
    COMPLEX args[2] = {{a, 0.0}, {b, 0.0}};
    if (op.arity == 1) args[0] = {b, 0.0};
    long n = op.arity;
    const int mode = g_Mode;
    op.handler(args, n, 0);
    if (g_ErrCode != 0 || g_Mode != mode || !real_forms::IsPositiveZero(args[0].im)) {
        g_ErrCode = 0;
        g_Mode = mode;
        return false;
    }
    out = args[0].re;
    return true;
}

// The value-level form on a real operand: its result counts only when it is real and without error.
bool DoubleProgram::RealValue(ValueFn f, double x, double& out) {
    int err = 0;
    const COMPLEX r = f({x, 0.0}, err);
    if (err != 0 || !real_forms::IsPositiveZero(r.im)) return false;
    out = r.re;
    return true;
}

// PowByExponent on a real base, when its shortcut does not apply.
bool DoubleProgram::RealPowConst(double a, const PowExponent& p, double& out) {
    int err = 0;
    const COMPLEX z = PowByExponent({a, 0.0}, p, err);
    if (err != 0 || !real_forms::IsPositiveZero(z.im)) return false;
    out = z.re;
    return true;
}

bool DoubleProgram::RealPowValue(double a, double b, double& out) {
    int err = 0;
    const COMPLEX z = PowValue({a, 0.0}, {b, 0.0}, err);
    if (err != 0 || !real_forms::IsPositiveZero(z.im)) return false;
    out = z.re;
    return true;
}
