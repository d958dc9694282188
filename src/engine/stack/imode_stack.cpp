// The immediate mode: operators typed between operands wait on the pending list and run by priority as
// later keys arrive, as on a classic calculator; "=" runs what is pending or repeats the last operation.
#include <algorithm>
#include <string>

#include "engine/eval/ext_support.h"
#include "engine/eval/handlers.h"
#include "engine/parse/tables.h"
#include "engine/stack/rpn_stack_internal.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

using namespace rpn_detail;

namespace {

const char* const kImodeOperators[] = {"+",   "-",   "*",    "/",   "^",   "ncr",   "npr",
                                       "and", "or",  "nand", "nor", "xor", "iroot", "iexp",
                                       "mod", "shl", "shr",  "rtl", "rtr"};

// Handlers that take one operand; "=" repeats them on the last result alone.
const char* const kOneOperandWords[] = {
    "!",    "%",     "abs",  "not",   "cpl",  "sqrt",  "ln",   "log",   "sin",  "sinh",
    "asin", "asinh", "cos",  "cosh",  "acos", "acosh", "tan",  "tanh",  "atan", "atanh",
    "sec",  "asec",  "sech", "asech", "csc",  "acsc",  "csch", "acsch",
};

template <size_t N>
bool OneOf(const char* command, const char* const (&words)[N]) {
    return std::any_of(std::begin(words), std::end(words),
                       [command](const char* w) { return Is(command, w); });
}

bool Failed() {
    return GetErrorCode() != 0;
}

bool PushPending(const char* word) {
    if (imoderpn_stack.size() >= static_cast<size_t>(kValueStackSize)) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    imoderpn_stack.emplace_back(word);
    return true;
}

// Removes the top pending operator and runs it on the stack; a "(" mark is only removed.
void RunPending() {
    const std::string op = std::move(imoderpn_stack.back());
    imoderpn_stack.pop_back();
    if (op != "(") RunTableWord(op.c_str());
}

void TypeOperator(const char* word) {
    // An operator right after another one replaces it.
    if (imoderpn_status == 1 && !imoderpn_stack.empty()) imoderpn_stack.pop_back();
    if (!imoderpn_stack.empty()) {
        const int priority = Priority(word);
        while (!imoderpn_stack.empty() && Priority(imoderpn_stack.back().c_str()) >= priority) {
            RunPending();
            if (Failed()) return;
        }
    } else if (imoderpn_count == 0) {
        if (!PushValue(qczero)) return;
        g_cplTmpLast = qczero;
    }
    if (PushPending(word)) imoderpn_status = 1;
}

void CloseGroup() {
    if (std::find(imoderpn_stack.begin(), imoderpn_stack.end(), "(") == imoderpn_stack.end()) {
        SetErrorCode(kErrCallSyntax);
        return;
    }
    while (imoderpn_stack.back() != "(") {
        RunPending();
        if (Failed()) return;
    }
    imoderpn_stack.pop_back();
    imoderpn_status = -1;
}

// "%" for a pending "+" or "-": the top becomes that percentage of the value below, so 200 + 10 % = is
// 220. False when that does not apply.
bool PercentOfBelow() {
    if (imoderpn_count < 2 || imoderpn_stack.empty()) return false;
    const std::string& op = imoderpn_stack.back();
    if (op != "+" && op != "-") return false;
    qcmplx& top = imoderpn_cplStack[imoderpn_count - 1];
    qcmplx below = imoderpn_cplStack[imoderpn_count - 2];
    if (!ext_detail::MakeReal(top) || !ext_detail::MakeReal(below)) {
        SetErrorCode(kErrComplex);
        return true;
    }
    top = qcmplx_div(qcmplx_mul(top, below), RealValue(100));
    imoderpn_status = -1;
    return true;
}

// Runs the operation named by g_chrLastItem again on the last result (with the last parameter for a
// two-operand one). Without one, the value on top is the result.
qcmplx RepeatLast() {
    const std::string name = g_chrLastItem;
    const FUNCTION_TABLE_EX* row = name.empty() ? nullptr : GetHandlerEx(name.c_str());
    if (row == nullptr) {
        if (imoderpn_count > 0) g_dblLastResult = TopOrZero();
        return g_dblLastResult;
    }
    // Choosing the operand count up front keeps a one-operand handler away from the parameter, which
    // could fail or switch the angle mode before the real run.
    qcmplx s[2] = {g_dblLastResult, g_dblLastParam};
    long n = OneOf(name.c_str(), kOneOperandWords) ? 1 : 2;
    row->handler(s, n, 0);
    if (Failed()) {
        ClearImodeRepeat();
        return qczero;
    }
    g_dblLastResult = s[0];
    return s[0];
}

Outcome Equals() {
    Outcome out;
    imoderpn_status = -1;
    if (imoderpn_stack.empty()) {
        out.useTop = false;
        out.value = RepeatLast();
        return out;
    }
    while (!imoderpn_stack.empty()) {
        ClearErrorCode();
        RunPending();
        // Too few operands (2 + =) leaves the value as it is; any other error ends the calculation.
        if (GetErrorCode() == kErrSyntax) ClearErrorCode();
        if (Failed()) return out;
    }
    g_dblLastResult = TopOrZero();
    return out;
}

Outcome RunImodeCommand(const char* command, int radixKey) {
    Outcome out;
    if (OneOf(command, kImodeOperators)) {
        TypeOperator(command);
    } else if (Is(command, "(")) {
        if (PushPending("(")) imoderpn_status = -1;
    } else if (Is(command, ")")) {
        CloseGroup();
    } else if (Is(command, "=")) {
        out = Equals();
    } else if (Is(command, "dauam")) {
        if (imoderpn_count == 0) {
            out.useTop = false;
        } else {
            qclear(imoderpn_cplStack[imoderpn_count - 1].r);
            imoderpn_status = -1;
        }
    } else if (!(Is(command, "%") && PercentOfBelow())) {
        out = RunCommonCommand(command, radixKey);
    }
    return out;
}

}  // namespace

qcmplx AddToImodeStack(const char* command, int radixKey) {
    if (GetErrorCode() != 0) return qczero;
    Clearmerror();  // a flag left by earlier work would fail the qcmplx operations below
    const Outcome out = RunImodeCommand(command, radixKey);
    if (Failed()) {
        ResetIModeRPNStack();
        return qczero;
    }
    return out.useTop ? TopOrZero() : out.value;
}
