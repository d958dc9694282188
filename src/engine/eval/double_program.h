// Compiled form of a reverse-Polish text for the double-precision evaluation.
//
// The token walk over a reverse-Polish text does the same work on every evaluation: split the text, look
// every word up in lpFunctionTable, read numbers with strtod, track the group stack. All of that depends
// on the text alone, so a text that is evaluated many times (a plot, a root search, an integral) is
// compiled once into a list of operations with resolved handlers, parsed constants, the variable's slot
// and the group bases. The value counts, and with them every "too few operands" fault and the negation
// form of "-", are fixed by the text too and settled at compile time. An operand pushed right before the
// operation that consumes it is folded into that operation (x^2, 2*x, sin x), and a constant exponent is
// prepared once. Running the program gives the token walk's result, error code and g_chrLastItem exactly.
//
// Most evaluations stay on the real line: the variable is real and every operation gives a real result
// with imaginary part +0. For them the compiler also builds a real form of the program, a list of
// three-address operations over one array of doubles (the variable, the stack slots, the constants), so
// that an operand is an index and a push costs nothing. The real form runs first; an operation that
// would leave the real line or fail makes it give up without any trace, and the complex program then
// computes the value (and the error) from the start.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"

// The operations of a program's real form. Each computes its value, stores it in its slot and jumps to the
// next operation with the value in a register (a tail call: the run is one chain of jumps, with no loop or
// dispatch table between operations); the last returns the program's result.
namespace real_program {

struct Op;
// Returns the program's value. values[1] receives the imaginary part of that value (a zero; only the last
// operation may leave -0, a later one would have to take its sign into account) from the last operation;
// it holds 1 while the run goes on, and keeps it where the real form gives up. (A plain double comes back
// in a register through every operation's jump to the next; a returned record would be taken apart and
// put together again, and the jumps would become calls.)
using Fn = double (*)(const Op* op, double* values, double last);
struct Op {
    Fn fn;
    std::uint16_t dst, a, b;        // value indices: the result slot, the operands (b alone for one operand)
    std::uint16_t c;                // a fused add or subtract: its other operand
    unsigned char arity;            // handler operations: values the handler takes
    const PowExponent* power;       // a constant exponent, prepared
    double shortcutLo, shortcutHi;  // the bases that take the power's real shortcut (RealShortcutRange)
    ValueFn unary;                  // functions: the value-level form (the exact path)
    HandlerFn<COMPLEX> handler;     // handler operations
};

}  // namespace real_program

class DoubleProgram {
  public:
    // Compiles rpn (reverse-Polish engine text) with the free variable named variable (lower case; empty
    // for none). Never fails: a fault becomes an operation that sets its code when the run reaches it.
    void Compile(const std::string& rpn, const std::string& variable);

    // Runs the program with the variable's value x. On success stores stack entry 0 in re and im and
    // returns true; on an error sets the engine error code, stores zero and returns false. (The parts come
    // back separately: a returned pair of doubles costs a round trip through memory.) Defined inline in
    // double_program_run.h.
    bool Run(double x, double& re, double& im);

    // Operations in the program.
    size_t size() const { return ops_.size(); }

    // The real form alone, with the variable's value x: true with the result in re and im (im a zero)
    // when every operation stayed real and none failed; false otherwise, and then neither the error code,
    // g_Mode nor g_chrLastItem has changed. Run uses it; tests check it.
    bool RunReal(double x, double& re, double& im);
    // The complex program alone (the same contract as Run).
    bool RunComplex(double x, double& re, double& im);
    // Puts the name of the program's last handler into g_chrLastItem, as a successful run leaves it (for
    // callers of RunReal).
    void SetRunLastItem() const;
    // True when the program has a real form (no constant i, no compile-time fault).
    bool HasRealForm() const { return realStart_ != nullptr; }
    // Operations of the real form, its end included (fused ones count once).
    size_t RealSize() const { return realOps_.size(); }

  private:
    // Where the second operand of a two-operand operation (or the only one of a function) comes from.
    enum class Source : unsigned char { kStack, kConstant, kVariable };
    enum class Kind : unsigned char { kPush, kCall, kFail, kNegate, kAdd, kSub, kMul, kDiv, kPow, kValue };
    struct Op {
        Kind kind;
        Source source = Source::kStack;  // kPush: what is pushed; kAdd ... kValue: the folded operand
        unsigned char arity = 0;         // kCall: values the handler takes
        int code = 0;                    // kFail: the error code
        long count = 0;                  // values on the stack before the operation
        COMPLEX value{0, 0};             // the constant operand
        HandlerFn<COMPLEX> handler = nullptr;
        ValueFn unary = nullptr;
        bool constantExponent = false;  // kPow: exponent prepared in `exponent` (it was a constant)
        PowExponent exponent{};
        const char* lastItem = nullptr;         // last table row looked up by the operation's token
        const char* operandLastItem = nullptr;  // the same at the folded operand's token
    };

    bool AddOperand(long& n, const std::string& token, const std::string& variable);
    struct RealBuild;  // the translation into the real form
    void BuildRealForm(long depth);
    void SetLastItemSlow() const;
    bool AddHandler(const FUNCTION_TABLE* row, const std::vector<long>& groups, long& n);
    void Fold(Op& op);
    void Fail(int code, long n);
    static bool Stop(const char* lastItem, int code);
    static bool Call(const Op& op, double* re, double* im);
    static COMPLEX Apply(const Op& op, const double* re, const double* im, double br, double bi, long& dst,
                         int& err);
    template <bool kVariableNaN>
    bool Execute(double x, double& outRe, double& outIm);

    std::vector<Op> ops_;
    // The value stack as separate real and imaginary parts: every access is one double wide, which keeps
    // stores and the loads after them in step.
    std::vector<double> re_, im_;
    const char* lastItem_ = nullptr;
    // g_chrLastItem after a successful run, as a masked word when the name is short (else lastMask_ 0).
    std::uint64_t lastWord_ = 0, lastMask_ = 0;

    std::vector<real_program::Op> realOps_;
    const real_program::Op* realStart_ = nullptr;  // the first operation; null: no real form
    std::vector<double> realValues_;       // [0] the variable, then the stack slots, then the constants
    std::vector<PowExponent> realPowers_;  // the constant exponents the operations point at
};
