#include "engine/double_program.h"

#include <algorithm>
#include <cstring>
#include <numbers>
#include <string_view>

#include "engine/limits.h"
#include "engine/number_text.h"
#include "engine/tables.h"

// GCC's straight-line vectorizer pairs the two parts of a COMPLEX into one wide register, stores it and
// reads the halves back; the read cannot be served from the wide store and stalls. The run loop keeps its
// values as scalars instead.
#if defined(__GNUC__) && !defined(__clang__)
#define ORV_NO_SLP __attribute__((optimize("no-tree-slp-vectorize")))
#else
#define ORV_NO_SLP
#endif

namespace {

bool IsTwoOperandWord(std::string_view w) {
    static constexpr std::string_view kWords[] = {"+",   "*",    "/",   "^",   "exp",   "and",
                                                  "or",  "nand", "nor", "xor", "root",  "mod",
                                                  "shl", "shr",  "rtl", "rtr", "iroot", "iexp"};
    return std::find(std::begin(kWords), std::end(kWords), w) != std::end(kWords);
}

// One-operand words whose value-level form the program calls directly.
ValueFn ValueForm(std::string_view w) {
    if (w == "sin") return SinValue;
    if (w == "cos") return CosValue;
    if (w == "tan") return TanValue;
    if (w == "sqrt") return SqrtValue;
    if (w == "ln") return LnValue;
    if (w == "log") return LogValue;
    return nullptr;
}

// complex_add, complex_sub, complex_mul and complex_div written out with the same operations in the same
// order, so that the arithmetic of a program runs in registers without calls.
inline COMPLEX AddOf(COMPLEX a, COMPLEX b) {
    return {a.re + b.re, a.im + b.im};
}
inline COMPLEX SubOf(COMPLEX a, COMPLEX b) {
    return {a.re - b.re, a.im - b.im};
}
inline COMPLEX MulOf(COMPLEX a, COMPLEX b) {
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}
inline COMPLEX DivOf(COMPLEX a, COMPLEX b) {
    const double n = b.re * b.re + b.im * b.im;
    return MulOf(a, {b.re / n, -b.im / n});
}

// Table names are a few characters: an inline loop is cheaper than a call.
bool SameText(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) ++a, ++b;
    return *a == *b;
}

void SetLastItem(const char* name) {
    if (name == nullptr || SameText(g_chrLastItem, name)) return;
    std::memset(g_chrLastItem, 0, sizeof g_chrLastItem);
    std::strncpy(g_chrLastItem, name, sizeof g_chrLastItem - 1);
}

}  // namespace

void DoubleProgram::Fail(int code, long n) {
    Op op{Kind::kFail};
    op.code = code;
    op.count = n;
    op.lastItem = lastItem_;
    ops_.push_back(op);
}

bool DoubleProgram::AddOperand(long& n, const std::string& token, const std::string& variable) {
    if (n >= kValueStackSize) {
        Fail(-1, n);
        return false;
    }
    Op op{Kind::kPush};
    op.source = Source::kConstant;
    op.count = n;
    op.lastItem = lastItem_;
    double v;
    if (ParseNumberToken(token.c_str(), &v)) {
        if (v != v) {
            Fail(-7, n);
            return false;
        }
        op.value = {v, 0};
    } else if (!variable.empty() && token == variable) {
        op.source = Source::kVariable;
    } else if (token == "pi") {
        op.value = {std::numbers::pi, 0};
    } else if (token == "e") {
        op.value = {std::numbers::e, 0};
    } else if (token == "i") {
        op.value = {0, 1};
    } else {
        Fail(-1, n);
        return false;
    }
    ops_.push_back(op);
    ++n;
    return true;
}

// An operation whose (second) operand was pushed by the operation just before takes that operand
// directly. A constant push cannot stop the run; a variable push can (a non-number), which the folded
// operation checks first and reports with the push's g_chrLastItem.
void DoubleProgram::Fold(Op& op) {
    if (ops_.empty() || ops_.back().kind != Kind::kPush) return;
    const Op& push = ops_.back();
    op.source = push.source;
    op.value = push.value;
    op.operandLastItem = push.lastItem;
    --op.count;
    ops_.pop_back();
}

bool DoubleProgram::AddHandler(const FUNCTION_TABLE* row, const std::vector<long>& groups, long& n) {
    const long base = groups.empty() ? 0 : groups.back();
    const std::string_view w(row->name);
    const bool twoOperand = w == "-" ? n - base != 1 : IsTwoOperandWord(w);
    if (n - base < (twoOperand ? 2 : 1)) {
        Fail(-1, n);
        return false;
    }
    Op op{Kind::kCall};
    op.count = n;
    op.handler = row->handler;
    op.lastItem = lastItem_;
    op.arity = twoOperand ? 2 : 1;
    if (w == "-") op.kind = twoOperand ? Kind::kSub : Kind::kNegate;
    if (w == "+") op.kind = Kind::kAdd;
    if (w == "*") op.kind = Kind::kMul;
    if (w == "/") op.kind = Kind::kDiv;
    if (w == "^") op.kind = Kind::kPow;
    if (!twoOperand && (op.unary = ValueForm(w)) != nullptr) op.kind = Kind::kValue;
    if (twoOperand) --n;
    switch (op.kind) {
        case Kind::kAdd:
        case Kind::kSub:
        case Kind::kMul:
        case Kind::kDiv:
        case Kind::kValue:
            Fold(op);
            break;
        case Kind::kPow:
            if (!ops_.empty() && ops_.back().kind == Kind::kPush && ops_.back().source == Source::kConstant) {
                op.constantExponent = true;
                op.exponent = MakePowExponent(ops_.back().value, true);
                --op.count;
                ops_.pop_back();
                Fold(op);  // x^2: the base folds in as well
            }
            break;
        default:
            break;
    }
    ops_.push_back(op);
    return true;
}

void DoubleProgram::Compile(const std::string& rpn, const std::string& variable) {
    ops_.clear();
    lastItem_ = nullptr;
    // The lookups below would change g_chrLastItem; the runs set it as the token walk would.
    char saved[sizeof g_chrLastItem];
    std::memcpy(saved, g_chrLastItem, sizeof saved);
    std::vector<long> groups;
    long n = 0, depth = 0;
    bool open = true;
    size_t i = 0;
    while (open && i < rpn.size()) {
        if (rpn[i] == ' ') {
            ++i;
            continue;
        }
        const size_t end = std::min(rpn.find(' ', i), rpn.size());
        const std::string token = rpn.substr(i, end - i);
        i = end;
        if (const FUNCTION_TABLE* row = GetHandler(token.c_str())) {
            lastItem_ = row->name;
            open = AddHandler(row, groups, n);
        } else if (token == "(") {
            if (groups.size() >= static_cast<size_t>(kValueStackSize)) {
                Fail(-1, n);
                open = false;
            } else {
                groups.push_back(n);
            }
        } else if (token == ")") {
            if (groups.empty()) {
                Fail(-1, n);
                open = false;
            } else {
                groups.pop_back();
            }
        } else {
            open = AddOperand(n, token, variable);
        }
        depth = std::max(depth, n);
    }
    if (open && n == 0) Fail(-1, n);
    std::memcpy(g_chrLastItem, saved, sizeof saved);
    re_.assign(static_cast<size_t>(depth) + 1, 0.0);
    im_.assign(static_cast<size_t>(depth) + 1, 0.0);
}

COMPLEX DoubleProgram::Stop(const char* lastItem, int code) {
    if (code != 0) SetErrorCode(code);
    SetLastItem(lastItem);
    return {0, 0};
}

COMPLEX DoubleProgram::Run(double x, bool& ok) {
    // A non-number variable fails at its first use; the common case runs without that test.
    return x != x ? Execute<true>(x, ok) : Execute<false>(x, ok);
}

template <bool kVariableNaN>
ORV_NO_SLP COMPLEX DoubleProgram::Execute(double x, bool& ok) {
    double* re = re_.data();
    double* im = im_.data();
    for (const Op& op : ops_) {
        const long t = op.count;  // one past the top value
        if (op.kind == Kind::kFail) return Stop(op.lastItem, op.code);
        if (op.kind == Kind::kCall) {
            // The count test is settled at compile time, so the handler sees just its operands.
            const long first = t - op.arity;
            COMPLEX args[2];
            for (int k = 0; k < op.arity; ++k) args[k] = {re[first + k], im[first + k]};
            long n = op.arity;
            op.handler(args, n, 0);
            if (GetErrorCode() != 0) return Stop(op.lastItem, 0);
            re[first] = args[0].re;
            im[first] = args[0].im;
            continue;
        }
        // The folded operand, or the top of the stack, as two doubles: a COMPLEX held across the calls
        // below would be spilled as one wide store and read back in halves, which stalls.
        double br = 0, bi = 0;
        long dst = t;  // where the result goes
        switch (op.source) {
            case Source::kStack:
                br = re[t - 1];
                bi = im[t - 1];
                dst = t - 1;
                break;
            case Source::kConstant:
                br = op.value.re;
                bi = op.value.im;
                break;
            case Source::kVariable:
                if (kVariableNaN) return Stop(op.kind == Kind::kPush ? op.lastItem : op.operandLastItem, -7);
                br = x;
                break;
        }
        COMPLEX r;
        int err = 0;
        switch (op.kind) {
            case Kind::kPush:
                r = {br, bi};
                break;
            case Kind::kNegate:
                r = SubOf({0, 0}, {br, bi});
                break;
            case Kind::kAdd:
                r = AddOf({re[dst - 1], im[dst - 1]}, {br, bi});
                --dst;
                break;
            case Kind::kSub:
                r = SubOf({re[dst - 1], im[dst - 1]}, {br, bi});
                --dst;
                break;
            case Kind::kMul:
                r = MulOf({re[dst - 1], im[dst - 1]}, {br, bi});
                --dst;
                break;
            case Kind::kDiv:
                if (br == 0 && bi == 0) return Stop(op.lastItem, -5);
                r = DivOf({re[dst - 1], im[dst - 1]}, {br, bi});
                --dst;
                break;
            case Kind::kPow:
                if (op.constantExponent) {
                    r = PowByExponent({br, bi}, op.exponent, err);
                } else {
                    r = PowValue({re[dst - 1], im[dst - 1]}, {br, bi}, err);
                    --dst;
                }
                break;
            case Kind::kValue:
                r = op.unary({br, bi}, err);
                break;
            case Kind::kCall:
            case Kind::kFail:
                break;  // handled above
        }
        if (err != 0) return Stop(op.lastItem, err);
        re[dst] = r.re;
        im[dst] = r.im;
    }
    SetLastItem(lastItem_);
    ok = true;
    return {re[0], im[0]};
}
