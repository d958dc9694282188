// The real form of a compiled double-precision program (see double_program.h).
#include <cstring>

#include "engine/eval/double_program.h"
#include "engine/eval/double_real_forms.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

using real_program::Fn;
using real_program::Op;

namespace {

// Where an operand is read: its slot, or the register holding the value of the operation just before
// (which is also in its slot; the register spares the store-to-load round trip).
enum Src : bool { kSlot, kLast };

template <Src S>
[[gnu::always_inline]] inline double Read(const double* v, std::uint16_t index, double last) {
    return S == kLast ? last : v[index];
}

// The real form gives up: values[1] keeps its 1, and the value returned means nothing.
constexpr double kGiveUp = 0;

// Stores r and goes on with the next operation (a tail call).
[[gnu::always_inline]] inline double Next(const Op* op, double* v, double r) {
    v[op->dst] = r;
    return op[1].fn(op + 1, v, r);
}

// After an operation with imaginary part im: the next one, or for the last operation of the program the
// result. Only the last may leave -0 (a later one would have to take its sign into account); a non-number
// or -0 anywhere else hands the run over.
template <bool kFinal>
[[gnu::always_inline]] inline double Then(const Op* op, double* v, double r, double im = 0.0) {
    if constexpr (kFinal) {
        if (!real_forms::IsZero(im)) return kGiveUp;
        v[1] = im;
        return r;
    } else {
        if (!real_forms::IsPositiveZero(im)) return kGiveUp;
        return Next(op, v, r);
    }
}

// ---- the exact paths, out of line ------------------------------------------------------------------------

// An exact path's result: its real part, and whether it counts on the real line (real and without error).
struct Exact {
    double value;
    bool real;
};

Exact RealOrGiveUp(COMPLEX z, int err) {
    return {z.re, err == 0 && real_forms::IsPositiveZero(z.im)};
}

// The value-level form on a real operand.
[[gnu::noinline]] Exact ExactValue(ValueFn f, double x) {
    int err = 0;
    const COMPLEX z = f({x, 0.0}, err);
    return RealOrGiveUp(z, err);
}

// PowByExponent on a real base, where its real shortcut does not apply.
[[gnu::noinline]] Exact ExactPowConst(double a, const PowExponent& p) {
    int err = 0;
    const COMPLEX z = PowByExponent({a, 0.0}, p, err);
    return RealOrGiveUp(z, err);
}

[[gnu::noinline]] Exact ExactPow(double a, double b) {
    int err = 0;
    const COMPLEX z = PowValue({a, 0.0}, {b, 0.0}, err);
    return RealOrGiveUp(z, err);
}

[[gnu::always_inline]] inline bool Counts(const Exact& z, double& r) {
    r = z.value;
    return z.real;
}

// ---- operations ------------------------------------------------------------------------------------------
// Each form computes r from its operands and returns true, or false where the real form gives up. A
// two-operand form also gives its imaginary part (a zero unless the operation leaves the real line), for
// the operation to test as its place in the program requires.

struct AddForm {
    static bool Apply(const Op*, double a, double b, double& r, double&) {
        r = a + b;  // the imaginary parts add to +0
        return true;
    }
};
struct SubForm {
    static bool Apply(const Op*, double a, double b, double& r, double&) {
        r = a - b;
        return true;
    }
};
struct MulForm {
    static bool Apply(const Op*, double a, double b, double& r, double& im) {
        real_forms::Mul(a, b, r, im);
        return true;
    }
};
struct DivForm {
    static bool Apply(const Op*, double a, double b, double& r, double& im) {
        return real_forms::Div(a, b, r, im);
    }
};
struct PowForm {
    static bool Apply(const Op*, double a, double b, double& r, double&) { return Counts(ExactPow(a, b), r); }
};

struct NegateForm {
    static bool Apply(const Op*, double b, double& r) {
        r = 0.0 - b;  // complex_sub((0, 0), b)
        return true;
    }
};

// Constant exponents: PowByExponent's real shortcut inline, the rest exactly.
[[gnu::always_inline]] inline bool Shortcut(const Op* op, double b) {
    return b >= op->shortcutLo && b < op->shortcutHi;  // TakesRealShortcut
}
struct SquareForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!Shortcut(op, b)) return Counts(ExactPowConst(b, *op->power), r);
        r = b * b;  // RealPow(b, 2)
        return true;
    }
};
struct CubeForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!Shortcut(op, b)) return Counts(ExactPowConst(b, *op->power), r);
        if (!pow_detail::CorrectlyRoundedCube<false>(b, r)) r = RealCube(b);  // RealPow(b, 3)
        return true;
    }
};
#if ORV_CUBE_FMA
// The cube with fused multiply-adds for its exact products: the whole operation is compiled for such
// processors, so that RealCubeFma's computation runs inline (the values are RealCube's).
template <Src B, bool kFinal>
[[gnu::target("fma")]] double CubeFma(const Op* op, double* v, double last) {
    const double b = Read<B>(v, op->b, last);
    double r;
    if (!Shortcut(op, b)) {
        if (!Counts(ExactPowConst(b, *op->power), r)) return kGiveUp;
    } else if (!pow_detail::CorrectlyRoundedCube<true>(b, r)) {
        r = std::pow(b, 3.0);
    }
    return Then<kFinal>(op, v, r);
}
#endif
struct PowConstForm {
    static bool Apply(const Op* op, double b, double& r) {
        if (!Shortcut(op, b)) return Counts(ExactPowConst(b, *op->power), r);
        r = RealPow(b, op->power->e.re);
        return true;
    }
};

// A function: its real form where that decides, else the value-level form.
template <bool (*F)(double, double&)>
struct FunctionForm {
    static bool Apply(const Op* op, double b, double& r) {
        return F(b, r) || Counts(ExactValue(op->unary, b), r);
    }
};

template <class F, Src A, Src B, bool kFinal>
double Binary(const Op* op, double* v, double last) {
    double r, im = 0.0;
    if (!F::Apply(op, Read<A>(v, op->a, last), Read<B>(v, op->b, last), r, im)) return kGiveUp;
    return Then<kFinal>(op, v, r, im);
}

template <class F, Src B, bool kFinal>
double Unary(const Op* op, double* v, double last) {
    double r;
    if (!F::Apply(op, Read<B>(v, op->b, last), r)) return kGiveUp;
    return Then<kFinal>(op, v, r);
}

// A handler on real operands: its result counts only when it is real (+0 imaginary part) and the handler
// set no code; a failed attempt leaves no trace (the error code and g_Mode are put back).
template <bool kFinal>
double HandlerCall(const Op* op, double* v, double) {
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
    return Then<kFinal>(op, v, args[0].re);
}

// The end of a program whose result is not the last operation's: stack entry 0, from its slot or the
// register.
template <Src S>
double End(const Op* op, double* v, double last) {
    v[1] = 0.0;
    return Read<S>(v, op->a, last);
}

// An operation whose value m the next one at once adds to or subtracts from another value c (at index
// c): one step for the two, m never stored. The add is IEEE's, the same either way round. c's imaginary
// part is +0, so c + m and c - m have +0 whatever the sign of m's zero, and m - c keeps m's.
enum class Tail { kAdd, kSubtractFrom, kSubtract };  // c + m, c - m, m - c

template <Tail T>
[[gnu::always_inline]] inline double Combine(double m, double c) {
    if (T == Tail::kAdd) return c + m;
    if (T == Tail::kSubtractFrom) return c - m;
    return m - c;
}

template <class F, Tail T, Src A, Src B, bool kFinal>
double BinaryThen(const Op* op, double* v, double last) {
    double m, im = 0.0;
    if (!F::Apply(op, Read<A>(v, op->a, last), Read<B>(v, op->b, last), m, im)) return kGiveUp;
    if (T != Tail::kSubtract) {
        if (!real_forms::IsZero(im)) return kGiveUp;
        im = 0.0;  // +0 + (+-0) and +0 - (+-0) are +0
    }
    return Then<kFinal>(op, v, Combine<T>(m, v[op->c]), im);
}

template <class F, Tail T, Src B, bool kFinal>
double UnaryThen(const Op* op, double* v, double last) {
    double m;
    if (!F::Apply(op, Read<B>(v, op->b, last), m)) return kGiveUp;
    return Then<kFinal>(op, v, Combine<T>(m, v[op->c]));
}

// Each operation comes in two forms, the second for the last operation of a program: the builder keeps
// both and takes the second for the operation that ends up last.
struct Fns {
    Fn step = nullptr, last = nullptr;
};

template <class F>
Fns PickBinary(bool aLast, bool bLast) {
    if (aLast) return {Binary<F, kLast, kSlot, false>, Binary<F, kLast, kSlot, true>};
    if (bLast) return {Binary<F, kSlot, kLast, false>, Binary<F, kSlot, kLast, true>};
    return {Binary<F, kSlot, kSlot, false>, Binary<F, kSlot, kSlot, true>};
}

template <class F>
Fns PickUnary(bool bLast) {
    if (bLast) return {Unary<F, kLast, false>, Unary<F, kLast, true>};
    return {Unary<F, kSlot, false>, Unary<F, kSlot, true>};
}

template <class F, Tail T>
Fns PickBinaryThen(bool aLast, bool bLast) {
    if (aLast) return {BinaryThen<F, T, kLast, kSlot, false>, BinaryThen<F, T, kLast, kSlot, true>};
    if (bLast) return {BinaryThen<F, T, kSlot, kLast, false>, BinaryThen<F, T, kSlot, kLast, true>};
    return {BinaryThen<F, T, kSlot, kSlot, false>, BinaryThen<F, T, kSlot, kSlot, true>};
}

// What the builder remembers of an operation for fusing it with the next.
struct Shape {
    enum Kind : unsigned char { kOther, kMul, kDiv, kSquare } kind = kOther;
    bool aLast = false, bLast = false;
};

template <Tail T>
Fns PickThen(const Shape& s) {
    switch (s.kind) {
        case Shape::kMul:
            return PickBinaryThen<MulForm, T>(s.aLast, s.bLast);
        case Shape::kDiv:
            return PickBinaryThen<DivForm, T>(s.aLast, s.bLast);
        case Shape::kSquare:
            if (s.bLast)
                return {UnaryThen<SquareForm, T, kLast, false>, UnaryThen<SquareForm, T, kLast, true>};
            return {UnaryThen<SquareForm, T, kSlot, false>, UnaryThen<SquareForm, T, kSlot, true>};
        default:
            return {};
    }
}

// The six value-level forms the compiler calls directly (the other functions run as handlers).
Fns PickFunction(ValueFn unary, bool bLast) {
    if (unary == SinValue) return PickUnary<FunctionForm<real_forms::Sin>>(bLast);
    if (unary == CosValue) return PickUnary<FunctionForm<real_forms::Cos>>(bLast);
    if (unary == TanValue) return PickUnary<FunctionForm<real_forms::Tan>>(bLast);
    if (unary == SqrtValue) return PickUnary<FunctionForm<real_forms::Sqrt>>(bLast);
    if (unary == LnValue) return PickUnary<FunctionForm<real_forms::Ln>>(bLast);
    return PickUnary<FunctionForm<real_forms::Log>>(bLast);
}

Fns PickPower(const PowExponent& p, bool bLast) {
    if (p.e.im == 0 && p.e.re == 2) return PickUnary<SquareForm>(bLast);
#if ORV_CUBE_FMA
    if (p.e.im == 0 && p.e.re == 3 && UsesFusedMultiplyAdd()) {
        if (bLast) return {CubeFma<kLast, false>, CubeFma<kLast, true>};
        return {CubeFma<kSlot, false>, CubeFma<kSlot, true>};
    }
#endif
    if (p.e.im == 0 && p.e.re == 3) return PickUnary<CubeForm>(bLast);
    return PickUnary<PowConstForm>(bLast);
}

}  // namespace

// Translates the complex operations: a compile-time stack of value indices stands for the run-time value
// stack, so a push only records where its value lives, and each operation reads its operands by index
// and writes its result to the slot of the stack position it leaves the result at. An operand that the
// operation just before produced is read from the register that carries it.
struct DoubleProgram::RealBuild {
    static constexpr size_t kNoPower = ~size_t{0};

    explicit RealBuild(DoubleProgram& p) : program(p) {}

    DoubleProgram& program;
    std::vector<real_program::Op> built;
    std::vector<Fn> lastForms;    // per operation: its form as the program's last
    std::vector<size_t> powerOf;  // per operation: its exponent's index in realPowers_, or kNoPower
    std::vector<std::uint16_t> refs;
    std::uint16_t last = 0;  // the index whose value the register carries: at the start the variable's
    Shape previous;          // of the operation built last

    // The index of a folded or pushed operand; false for a constant off the real line.
    bool Operand(Source source, COMPLEX value, std::uint16_t& index) {
        if (source == Source::kVariable) {
            index = 0;
        } else if (source == Source::kConstant) {
            if (!real_forms::IsPositiveZero(value.im)) return false;
            index = static_cast<std::uint16_t>(program.realValues_.size());
            program.realValues_.push_back(value.re);
        } else {
            index = Pop();
        }
        return true;
    }

    std::uint16_t Pop() {
        const std::uint16_t index = refs.back();
        refs.pop_back();
        return index;
    }

    // The result goes to the slot of the stack position it is left at.
    void Emit(real_program::Op r, Fns fns, Shape shape, size_t power) {
        r.fn = fns.step;
        r.dst = static_cast<std::uint16_t>(2 + refs.size());
        refs.push_back(r.dst);
        last = r.dst;
        built.push_back(r);
        lastForms.push_back(fns.last);
        powerOf.push_back(power);
        previous = shape;
    }

    // An add or subtract (subtract: a - b, both popped) whose one operand is the value of the operation
    // just built, which is a product, a quotient or a square: that operation takes the add over, leaving
    // its result where the add would. False when it cannot.
    bool FuseTail(bool subtract, std::uint16_t a, std::uint16_t b) {
        if (built.empty() || previous.kind == Shape::kOther || built.back().dst != last ||
            (a == last) == (b == last))
            return false;
        Fns fns;
        if (!subtract) {
            fns = PickThen<Tail::kAdd>(previous);
        } else {
            fns = b == last ? PickThen<Tail::kSubtractFrom>(previous) : PickThen<Tail::kSubtract>(previous);
        }
        real_program::Op& op = built.back();
        op.fn = fns.step;
        lastForms.back() = fns.last;
        op.c = a == last ? b : a;
        op.dst = static_cast<std::uint16_t>(2 + refs.size());
        last = op.dst;
        refs.push_back(op.dst);
        previous = Shape{};
        return true;
    }

    // A constant exponent: prepared once, its shortcut as an interval.
    Fns Power(const PowExponent& exponent, bool bLast, real_program::Op& r, Shape& shape, size_t& power) {
        power = program.realPowers_.size();
        program.realPowers_.push_back(exponent);
        RealShortcutRange(exponent, r.shortcutLo, r.shortcutHi);
        if (exponent.e.im == 0 && exponent.e.re == 2) shape.kind = Shape::kSquare;
        return PickPower(exponent, bLast);
    }

    // One operation other than a push; false when the program has no real form.
    bool Add(const Op& op) {
        real_program::Op r{};
        r.unary = op.unary;
        r.handler = op.handler;
        r.arity = op.arity;
        Shape shape;
        size_t power = kNoPower;
        if (op.kind == Kind::kCall) {
            r.b = Pop();
            r.a = op.arity == 2 ? Pop() : r.b;
            Emit(r, {HandlerCall<false>, HandlerCall<true>}, shape, power);
            return true;
        }
        // The folded operand (or the top value) is b; a two-operand operation takes a from the stack.
        if (!Operand(op.source, op.value, r.b)) return false;
        const bool twoOperand = op.kind == Kind::kAdd || op.kind == Kind::kSub || op.kind == Kind::kMul ||
                                op.kind == Kind::kDiv || (op.kind == Kind::kPow && !op.constantExponent);
        r.a = twoOperand ? Pop() : r.b;
        shape.aLast = twoOperand && r.a == last;
        shape.bLast = r.b == last;
        if ((op.kind == Kind::kAdd || op.kind == Kind::kSub) && FuseTail(op.kind == Kind::kSub, r.a, r.b))
            return true;
        Fns fns;
        switch (op.kind) {
            case Kind::kNegate:
                fns = PickUnary<NegateForm>(shape.bLast);
                break;
            case Kind::kAdd:
                fns = PickBinary<AddForm>(shape.aLast, shape.bLast);
                break;
            case Kind::kSub:
                fns = PickBinary<SubForm>(shape.aLast, shape.bLast);
                break;
            case Kind::kMul:
                fns = PickBinary<MulForm>(shape.aLast, shape.bLast);
                shape.kind = Shape::kMul;
                break;
            case Kind::kDiv:
                fns = PickBinary<DivForm>(shape.aLast, shape.bLast);
                shape.kind = Shape::kDiv;
                break;
            case Kind::kPow:
                fns = op.constantExponent ? Power(op.exponent, shape.bLast, r, shape, power)
                                          : PickBinary<PowForm>(shape.aLast, shape.bLast);
                break;
            default:  // kValue
                fns = PickFunction(op.unary, shape.bLast);
                break;
        }
        Emit(r, fns, shape, power);
        return true;
    }

    // The last operation returns the result when it is stack entry 0; otherwise an end operation reads
    // it. Then the exponents are pointed at, now that realPowers_ is complete.
    void Finish() {
        if (!built.empty() && built.back().dst == refs.front()) {
            built.back().fn = lastForms.back();
        } else {
            real_program::Op end{};
            end.a = refs.front();
            end.fn = end.a == last ? End<kLast> : End<kSlot>;
            built.push_back(end);
            powerOf.push_back(kNoPower);
        }
        for (size_t i = 0; i < built.size(); ++i)
            if (powerOf[i] != kNoPower) built[i].power = &program.realPowers_[powerOf[i]];
        program.realOps_ = std::move(built);
        program.realStart_ = program.realOps_.data();
    }
};

void DoubleProgram::BuildRealForm(long depth) {
    realOps_.clear();
    realStart_ = nullptr;
    realPowers_.clear();
    realValues_.assign(static_cast<size_t>(depth) + 2, 0.0);
    RealBuild b(*this);
    for (const Op& op : ops_) {
        if (op.kind == Kind::kFail) return;
        if (op.kind == Kind::kPush) {
            std::uint16_t index;
            if (!b.Operand(op.source, op.value, index)) return;
            b.refs.push_back(index);
        } else if (!b.Add(op)) {
            return;
        }
    }
    if (!b.refs.empty()) b.Finish();
}
