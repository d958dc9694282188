// The real form of a compiled double-precision program (see double_program.h).
#include <cstring>

#include "engine/eval/double_program.h"
#include "engine/eval/double_real_forms.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

using real_program::Fn;
using real_program::Op;
using real_program::Result;

namespace {

// Where an operand is read: its slot, or the register holding the value of the operation just before
// (which is also in its slot; the register spares the store-to-load round trip).
enum Src : bool { kSlot, kLast };

template <Src S>
[[gnu::always_inline]] inline double Read(const double* v, std::uint16_t index, double last) {
    return S == kLast ? last : v[index];
}

constexpr Result kGiveUp{0, false};

// Stores r and goes on with the next operation (a tail call).
[[gnu::always_inline]] inline Result Next(const Op* op, double* v, double r) {
    v[op->dst] = r;
    return op[1].fn(op + 1, v, r);
}

// ---- the exact paths, out of line ------------------------------------------------------------------------

// The value-level form on a real operand: its result counts only when it is real and without error.
[[gnu::noinline]] Result ExactValue(ValueFn f, double x) {
    int err = 0;
    const COMPLEX r = f({x, 0.0}, err);
    return {r.re, err == 0 && real_forms::IsPositiveZero(r.im)};
}

// PowByExponent on a real base, where its real shortcut does not apply.
[[gnu::noinline]] Result ExactPowConst(double a, const PowExponent& p) {
    int err = 0;
    const COMPLEX z = PowByExponent({a, 0.0}, p, err);
    return {z.re, err == 0 && real_forms::IsPositiveZero(z.im)};
}

[[gnu::noinline]] Result ExactPow(double a, double b) {
    int err = 0;
    const COMPLEX z = PowValue({a, 0.0}, {b, 0.0}, err);
    return {z.re, err == 0 && real_forms::IsPositiveZero(z.im)};
}

// ---- operations ------------------------------------------------------------------------------------------
// Each form computes r from its operands and returns true, or false where the real form gives up.

struct AddForm {
    static bool Apply(const Op*, double a, double b, double& r) {
        r = a + b;  // the imaginary parts add to +0
        return true;
    }
};
struct SubForm {
    static bool Apply(const Op*, double a, double b, double& r) {
        r = a - b;
        return true;
    }
};
struct MulForm {
    static bool Apply(const Op*, double a, double b, double& r) { return real_forms::Mul(a, b, r); }
};
struct DivForm {
    static bool Apply(const Op*, double a, double b, double& r) { return real_forms::Div(a, b, r); }
};
struct PowForm {
    static bool Apply(const Op*, double a, double b, double& r) {
        const Result z = ExactPow(a, b);
        r = z.value;
        return z.ok;
    }
};

struct NegateForm {
    static bool Apply(const Op*, double b, double& r) {
        r = 0.0 - b;  // complex_sub((0, 0), b)
        return true;
    }
};

// Constant exponents: PowByExponent's real shortcut inline, the rest exactly.
[[gnu::always_inline]] inline bool PowOrExact(const Op* op, double b, double& r) {
    const Result z = ExactPowConst(b, *op->power);
    r = z.value;
    return z.ok;
}
struct SquareForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!(b >= op->shortcutLo && b < op->shortcutHi)) return PowOrExact(op, b, r);  // TakesRealShortcut
        r = b * b;                                                                      // RealPow(b, 2)
        return true;
    }
};
struct CubeForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!(b >= op->shortcutLo && b < op->shortcutHi)) return PowOrExact(op, b, r);  // TakesRealShortcut
        if (!pow_detail::CorrectlyRoundedCube<false>(b, r)) r = RealCube(b);            // RealPow(b, 3)
        return true;
    }
};
#if ORV_CUBE_FMA
// The cube with fused multiply-adds for its exact products: the whole operation is compiled for such
// processors, so that RealCubeFma's computation runs inline (the values are RealCube's).
template <Src B>
[[gnu::target("fma")]] Result CubeFma(const Op* op, double* v, double last) {
    const double b = Read<B>(v, op->b, last);
    double r;
    if (!(b >= op->shortcutLo && b < op->shortcutHi)) {  // TakesRealShortcut
        if (!PowOrExact(op, b, r)) return kGiveUp;
    } else if (!pow_detail::CorrectlyRoundedCube<true>(b, r)) {
        r = std::pow(b, 3.0);
    }
    return Next(op, v, r);
}
#endif
struct PowConstForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!(b >= op->shortcutLo && b < op->shortcutHi)) return PowOrExact(op, b, r);  // TakesRealShortcut
        r = RealPow(b, op->power->e.re);
        return true;
    }
};

// A function: its real form where that decides, else the value-level form.
template <bool (*F)(double, double&)>
struct FunctionForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (F(b, r)) return true;
        const Result z = ExactValue(op->unary, b);
        r = z.value;
        return z.ok;
    }
};
struct ValueForm {
    static bool Apply(const Op* op, double b, double& r) {
        const Result z = ExactValue(op->unary, b);
        r = z.value;
        return z.ok;
    }
};

template <class F, Src A, Src B>
Result Binary(const Op* op, double* v, double last) {
    double r;
    if (!F::Apply(op, Read<A>(v, op->a, last), Read<B>(v, op->b, last), r)) return kGiveUp;
    return Next(op, v, r);
}

template <class F, Src B>
Result Unary(const Op* op, double* v, double last) {
    double r;
    if (!F::Apply(op, Read<B>(v, op->b, last), r)) return kGiveUp;
    return Next(op, v, r);
}

// A handler on real operands: its result counts only when it is real (+0 imaginary part) and the handler
// set no code; a failed attempt leaves no trace (the error code and g_Mode are put back).
Result HandlerCall(const Op* op, double* v, double) {
    COMPLEX args[2] = {{v[op->a], 0.0}, {v[op->b], 0.0}};
    if (op->arity == 1) args[0] = args[1];
    long n = op->arity;
    const int mode = g_Mode;
    op->handler(args, n, 0);
    if (g_ErrCode != 0 || g_Mode != mode || !real_forms::IsPositiveZero(args[0].im)) {
        g_ErrCode = 0;
        g_Mode = mode;
        return kGiveUp;
    }
    return Next(op, v, args[0].re);
}

// The end: stack entry 0, from its slot or (when the last operation made it) from the register.
template <Src S>
Result End(const Op* op, double* v, double last) {
    return {Read<S>(v, op->a, last), true};
}

// An operation whose value m the next one at once adds to or subtracts from another value c (at index
// c): one step for the two, m never stored. The add is IEEE's, the same either way round.
enum class Tail { kAdd, kSubtractFrom, kSubtract };  // c + m, c - m, m - c

template <Tail T>
[[gnu::always_inline]] inline double Combine(double m, double c) {
    if (T == Tail::kAdd) return c + m;
    if (T == Tail::kSubtractFrom) return c - m;
    return m - c;
}

template <class F, Tail T, Src A, Src B>
Result BinaryThen(const Op* op, double* v, double last) {
    double m;
    if (!F::Apply(op, Read<A>(v, op->a, last), Read<B>(v, op->b, last), m)) return kGiveUp;
    return Next(op, v, Combine<T>(m, v[op->c]));
}

template <class F, Tail T, Src B>
Result UnaryThen(const Op* op, double* v, double last) {
    double m;
    if (!F::Apply(op, Read<B>(v, op->b, last), m)) return kGiveUp;
    return Next(op, v, Combine<T>(m, v[op->c]));
}

template <class F>
Fn PickBinary(bool aLast, bool bLast) {
    if (aLast) return Binary<F, kLast, kSlot>;
    if (bLast) return Binary<F, kSlot, kLast>;
    return Binary<F, kSlot, kSlot>;
}

template <class F>
Fn PickUnary(bool bLast) {
    return bLast ? Unary<F, kLast> : Unary<F, kSlot>;
}

template <class F, Tail T>
Fn PickBinaryThen(bool aLast, bool bLast) {
    if (aLast) return BinaryThen<F, T, kLast, kSlot>;
    if (bLast) return BinaryThen<F, T, kSlot, kLast>;
    return BinaryThen<F, T, kSlot, kSlot>;
}

// What the builder remembers of an operation for fusing it with the next.
struct Shape {
    enum Kind : unsigned char { kOther, kMul, kDiv, kSquare } kind = kOther;
    bool aLast = false, bLast = false;
};

template <Tail T>
Fn PickThen(const Shape& s) {
    switch (s.kind) {
        case Shape::kMul:
            return PickBinaryThen<MulForm, T>(s.aLast, s.bLast);
        case Shape::kDiv:
            return PickBinaryThen<DivForm, T>(s.aLast, s.bLast);
        case Shape::kSquare:
            return s.bLast ? UnaryThen<SquareForm, T, kLast> : UnaryThen<SquareForm, T, kSlot>;
        default:
            return nullptr;
    }
}

// An add or subtract (subtract: a - b) whose one operand is the value of the operation just built, which
// is a product, a quotient or a square: that operation takes the add over. False when it cannot.
bool FuseTail(std::vector<Op>& built, const Shape& previous, bool subtract, std::uint16_t a, std::uint16_t b,
              std::uint16_t last, std::uint16_t dst) {
    if (built.empty() || previous.kind == Shape::kOther || built.back().dst != last ||
        (a == last) == (b == last))
        return false;
    Op& op = built.back();
    if (!subtract) {
        op.fn = PickThen<Tail::kAdd>(previous);
    } else {
        op.fn = b == last ? PickThen<Tail::kSubtractFrom>(previous) : PickThen<Tail::kSubtract>(previous);
    }
    op.c = a == last ? b : a;
    op.dst = dst;
    return true;
}

Fn PickFunction(ValueFn unary, bool bLast) {
    if (unary == SinValue) return PickUnary<FunctionForm<real_forms::Sin>>(bLast);
    if (unary == CosValue) return PickUnary<FunctionForm<real_forms::Cos>>(bLast);
    if (unary == TanValue) return PickUnary<FunctionForm<real_forms::Tan>>(bLast);
    if (unary == SqrtValue) return PickUnary<FunctionForm<real_forms::Sqrt>>(bLast);
    if (unary == LnValue) return PickUnary<FunctionForm<real_forms::Ln>>(bLast);
    if (unary == LogValue) return PickUnary<FunctionForm<real_forms::Log>>(bLast);
    return PickUnary<ValueForm>(bLast);
}

Fn PickPower(const PowExponent& p, bool bLast) {
    if (p.e.im == 0 && p.e.re == 2) return PickUnary<SquareForm>(bLast);
#if ORV_CUBE_FMA
    if (p.e.im == 0 && p.e.re == 3 && HasFusedMultiplyAdd()) return bLast ? CubeFma<kLast> : CubeFma<kSlot>;
#endif
    if (p.e.im == 0 && p.e.re == 3) return PickUnary<CubeForm>(bLast);
    return PickUnary<PowConstForm>(bLast);
}

}  // namespace

// Translates the complex operations: a compile-time stack of value indices stands for the run-time value
// stack, so a push only records where its value lives, and each operation reads its operands by index
// and writes its result to the slot of the stack position it leaves the result at. An operand that the
// operation just before produced is read from the register that carries it.
void DoubleProgram::BuildRealForm(long depth) {
    realOps_.clear();
    realStart_ = nullptr;
    realPowers_.clear();
    realValues_.assign(static_cast<size_t>(depth) + 1, 0.0);
    std::vector<real_program::Op> built;
    std::vector<std::uint16_t> refs;
    std::uint16_t last = 0;  // the index whose value the register carries: at the start the variable's
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
    const auto pop = [&refs] {
        const std::uint16_t index = refs.back();
        refs.pop_back();
        return index;
    };
    std::vector<size_t> powerOf;  // per operation: its exponent's index in realPowers_, or none
    Shape previous;               // of the operation built last
    constexpr size_t kNone = ~size_t{0};
    for (const Op& op : ops_) {
        if (op.kind == Kind::kFail) return;
        if (op.kind == Kind::kPush) {
            std::uint16_t index;
            if (!operand(op.source, op.value, index)) return;
            refs.push_back(index);
            continue;
        }
        real_program::Op r{};
        Shape shape;
        r.unary = op.unary;
        r.handler = op.handler;
        r.arity = op.arity;
        size_t power = kNone;
        if (op.kind == Kind::kCall) {
            r.b = pop();
            r.a = op.arity == 2 ? pop() : r.b;
            r.fn = HandlerCall;
        } else {
            // The folded operand (or the top value) is b; a two-operand operation takes a from the stack.
            if (!operand(op.source, op.value, r.b)) return;
            r.a = r.b;
            const bool twoOperand = op.kind == Kind::kAdd || op.kind == Kind::kSub || op.kind == Kind::kMul ||
                                    op.kind == Kind::kDiv || (op.kind == Kind::kPow && !op.constantExponent);
            if (twoOperand) r.a = pop();
            const bool aLast = twoOperand && r.a == last, bLast = r.b == last;
            shape.aLast = aLast;
            shape.bLast = bLast;
            if ((op.kind == Kind::kAdd || op.kind == Kind::kSub) &&
                FuseTail(built, previous, op.kind == Kind::kSub, r.a, r.b, last,
                         static_cast<std::uint16_t>(1 + refs.size()))) {
                refs.push_back(built.back().dst);
                last = built.back().dst;
                previous = Shape{};
                continue;
            }
            switch (op.kind) {
                case Kind::kNegate:
                    r.fn = PickUnary<NegateForm>(bLast);
                    break;
                case Kind::kAdd:
                    r.fn = PickBinary<AddForm>(aLast, bLast);
                    break;
                case Kind::kSub:
                    r.fn = PickBinary<SubForm>(aLast, bLast);
                    break;
                case Kind::kMul:
                    r.fn = PickBinary<MulForm>(aLast, bLast);
                    shape.kind = Shape::kMul;
                    break;
                case Kind::kDiv:
                    r.fn = PickBinary<DivForm>(aLast, bLast);
                    shape.kind = Shape::kDiv;
                    break;
                case Kind::kPow:
                    if (op.constantExponent) {
                        power = realPowers_.size();
                        realPowers_.push_back(op.exponent);
                        RealShortcutRange(op.exponent, r.shortcutLo, r.shortcutHi);
                        r.fn = PickPower(op.exponent, bLast);
                        if (op.exponent.e.im == 0 && op.exponent.e.re == 2) shape.kind = Shape::kSquare;
                    } else {
                        r.fn = PickBinary<PowForm>(aLast, bLast);
                    }
                    break;
                default:  // kValue
                    r.fn = PickFunction(op.unary, bLast);
                    break;
            }
        }
        r.dst = static_cast<std::uint16_t>(1 + refs.size());  // the slot of the stack position
        refs.push_back(r.dst);
        last = r.dst;
        built.push_back(r);
        powerOf.push_back(power);
        previous = shape;
    }
    if (refs.empty()) return;
    real_program::Op end{};
    end.a = refs.front();
    end.fn = end.a == last ? End<kLast> : End<kSlot>;
    built.push_back(end);
    powerOf.push_back(kNone);
    for (size_t i = 0; i < built.size(); ++i)
        if (powerOf[i] != kNone) built[i].power = &realPowers_[powerOf[i]];  // realPowers_ is complete
    realOps_ = std::move(built);
    realStart_ = realOps_.data();
}
