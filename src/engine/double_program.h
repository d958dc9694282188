// Compiled form of a reverse-Polish text for the double-precision evaluation.
//
// The token walk over a reverse-Polish text does the same work on every evaluation: split the text, look
// every word up in lpFunctionTable, read numbers with strtod, track the group stack. All of that depends
// on the text alone, so a text that is evaluated many times (a plot, a root search, an integral) is
// compiled once into a list of operations with resolved handlers, parsed constants, the variable's slot
// and the group bases; the value counts, and therefore every "too few operands" fault and the negation
// form of "-", are fixed by the text as well and decided at compile time. Running the program gives the
// token walk's result, error code and g_chrLastItem exactly.
#pragma once

#include <string>
#include <vector>

#include "engine/handlers.h"

class DoubleProgram {
  public:
    // Compiles rpn (reverse-Polish engine text) with the free variable named variable (lower case; empty
    // for none). Never fails: a fault becomes an operation that sets its code when the run reaches it.
    void Compile(const std::string& rpn, const std::string& variable);

    // Runs the program with the variable's value x. On success returns stack entry 0 and sets ok; on an
    // error sets the engine error code, returns zero and leaves ok alone.
    COMPLEX Run(double x, bool& ok);

    // Operations in the program (for tests of the compiler).
    size_t size() const { return ops_.size(); }

  private:
    enum class Kind : unsigned char {
        kConst,
        kVariable,
        kCall,
        kFail,
        kAdd,
        kSub,
        kNegate,
        kMul,
        kDiv,
        kUnaryValue,
        kPow
    };
    struct Op {
        Kind kind;
        int code = 0;         // kFail: the error code
        long base = 0;        // kCall: the group base passed to the handler
        long count = 0;       // values on the stack before the operation
        COMPLEX value{0, 0};  // kConst
        HandlerFn<COMPLEX> handler = nullptr;
        int (*unary)(COMPLEX&) = nullptr;
        const char* lastItem = nullptr;  // name of the last table row looked up up to here
    };

    bool AddOperand(long& n, const std::string& token, const std::string& variable);
    bool AddHandler(const FUNCTION_TABLE* row, std::vector<long>& groups, long& n);
    void Fail(int code, long n);
    COMPLEX Stop(const Op& op, int code);

    std::vector<Op> ops_;
    std::vector<COMPLEX> stack_;
    const char* lastItem_ = nullptr;
};
