#include "engine/eval/double_program.h"

#include <algorithm>
#include <cstring>
#include <numbers>
#include <string_view>

#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file
#include "engine/limits.h"
#include "engine/parse/number_text.h"
#include "engine/parse/tables.h"

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
        Fail(kErrSyntax, n);
        return false;
    }
    Op op{Kind::kPush};
    op.source = Source::kConstant;
    op.count = n;
    op.lastItem = lastItem_;
    double v;
    if (ParseNumberToken(token.c_str(), &v)) {
        if (v != v) {
            Fail(kErrOutOfRange, n);
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
        Fail(kErrSyntax, n);
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
        Fail(kErrSyntax, n);
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
                Fail(kErrSyntax, n);
                open = false;
            } else {
                groups.push_back(n);
            }
        } else if (token == ")") {
            if (groups.empty()) {
                Fail(kErrSyntax, n);
                open = false;
            } else {
                groups.pop_back();
            }
        } else {
            open = AddOperand(n, token, variable);
        }
        depth = std::max(depth, n);
    }
    if (open && n == 0) Fail(kErrSyntax, n);
    std::memcpy(g_chrLastItem, saved, sizeof saved);
    re_.assign(static_cast<size_t>(depth) + 1, 0.0);
    im_.assign(static_cast<size_t>(depth) + 1, 0.0);
    lastWord_ = lastMask_ = 0;
    if (lastItem_ != nullptr && std::strlen(lastItem_) < sizeof lastWord_) {
        std::memcpy(&lastWord_, lastItem_, std::strlen(lastItem_) + 1);
        lastMask_ = ~std::uint64_t{0} >> (8 * (sizeof lastWord_ - std::strlen(lastItem_) - 1));
    }
    BuildRealForm(depth);
}

void DoubleProgram::SetLastItemSlow() const {
    SetLastItem(lastItem_);
}

bool DoubleProgram::Stop(const char* lastItem, int code) {
    if (code != 0) SetErrorCode(code);
    SetLastItem(lastItem);
    return false;
}

bool DoubleProgram::RunComplex(double x, double& re, double& im) {
    re = 0;
    im = 0;
    // A non-number variable fails at its first use; the common case runs without that test.
    return x != x ? Execute<true>(x, re, im) : Execute<false>(x, re, im);
}

bool DoubleProgram::Call(const Op& op, double* re, double* im) {
    // The count test is settled at compile time, so the handler sees just its operands.
    const long first = op.count - op.arity;
    COMPLEX args[2];
    for (int k = 0; k < op.arity; ++k) args[k] = {re[first + k], im[first + k]};
    long n = op.arity;
    op.handler(args, n, 0);
    if (GetErrorCode() != 0) return false;
    re[first] = args[0].re;
    im[first] = args[0].im;
    return true;
}

// The arithmetic and function operations on their operand b (folded or the top value) and, for the
// two-operand ones, the value at dst - 1, which then receives the result.
[[gnu::always_inline]] inline COMPLEX DoubleProgram::Apply(const Op& op, const double* re, const double* im,
                                                           double br, double bi, long& dst, int& err) {
    switch (op.kind) {
        case Kind::kNegate:
            return SubOf({0, 0}, {br, bi});
        case Kind::kAdd:
            --dst;
            return AddOf({re[dst], im[dst]}, {br, bi});
        case Kind::kSub:
            --dst;
            return SubOf({re[dst], im[dst]}, {br, bi});
        case Kind::kMul:
            --dst;
            return MulOf({re[dst], im[dst]}, {br, bi});
        case Kind::kDiv:
            if (br == 0 && bi == 0) {
                err = kErrDivision;
                return {0, 0};
            }
            --dst;
            return DivOf({re[dst], im[dst]}, {br, bi});
        case Kind::kPow:
            if (op.constantExponent) return PowByExponent({br, bi}, op.exponent, err);
            --dst;
            return PowValue({re[dst], im[dst]}, {br, bi}, err);
        case Kind::kValue:
            return op.unary({br, bi}, err);
        default:
            return {br, bi};  // kPush
    }
}

template <bool kVariableNaN>
bool DoubleProgram::Execute(double x, double& outRe, double& outIm) {
    double* re = re_.data();
    double* im = im_.data();
    for (const Op& op : ops_) {
        const long t = op.count;  // one past the top value
        if (op.kind == Kind::kFail) return Stop(op.lastItem, op.code);
        if (op.kind == Kind::kCall) {
            if (!Call(op, re, im)) return Stop(op.lastItem, 0);
            continue;
        }
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
                if (kVariableNaN)
                    return Stop(op.kind == Kind::kPush ? op.lastItem : op.operandLastItem, kErrOutOfRange);
                br = x;
                break;
        }
        int err = 0;
        const COMPLEX r = Apply(op, re, im, br, bi, dst, err);
        if (err != 0) return Stop(op.lastItem, err);
        re[dst] = r.re;
        im[dst] = r.im;
    }
    SetLastItem(lastItem_);
    outRe = re[0];
    outIm = im[0];
    return true;
}
