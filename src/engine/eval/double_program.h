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
#pragma once

#include <string>
#include <vector>

#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"

class DoubleProgram {
  public:
    // Compiles rpn (reverse-Polish engine text) with the free variable named variable (lower case; empty
    // for none). Never fails: a fault becomes an operation that sets its code when the run reaches it.
    void Compile(const std::string& rpn, const std::string& variable);

    // Runs the program with the variable's value x. On success stores stack entry 0 in re and im and
    // returns true; on an error sets the engine error code, stores zero and returns false. (The parts come
    // back separately: a returned pair of doubles costs a round trip through memory.)
    bool Run(double x, double& re, double& im);

    // Operations in the program.
    size_t size() const { return ops_.size(); }

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
};
