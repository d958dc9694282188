// The RPN stack machine, and the commands it shares with the immediate mode: negation, "Pop", the
// handler words and the stack words.
#include <algorithm>
#include <cstring>

#include "engine/format/result_format.h"
#include "engine/stack/rpn_stack_internal.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

namespace rpn_detail {

namespace {

// Two-operand words after which a typed entry stays open.
const char* const kRpnOperators[] = {"+",   "-",    "*",     "/",   "^",   "and", "or",  "nand",
                                     "nor", "xor",  "iroot", "GCD", "RAN", "LCM", "ncr", "npr",
                                     "MOD", "iexp", "mod",   "shl", "shr", "rtl", "rtr"};

bool IsRpnOperator(const char* command) {
    return std::any_of(std::begin(kRpnOperators), std::end(kRpnOperators),
                       [command](const char* w) { return Is(command, w); });
}

bool Fail(int code) {
    SetErrorCode(code);
    return false;
}

qcmplx& Top() {
    return imoderpn_cplStack[imoderpn_count - 1];
}

// Removes the count argument of "roll", "pick" and "keep" from the top, as an unsigned integer that must
// not exceed the entries left below it.
bool TakeCount(int& n) {
    if (imoderpn_count == 0) return Fail(kErrSyntax);
    const qcmplx v = imoderpn_cplStack[--imoderpn_count];
    long whole = 0;
    QELT fraction[NQ];
    qifrac(v.r, &whole, fraction);
    if (whole < 0 || whole > imoderpn_count) return Fail(kErrSyntax);
    n = static_cast<int>(whole);
    return true;
}

void Drop() {
    if (imoderpn_count == 0) {
        Fail(kErrLibrary);
        return;
    }
    --imoderpn_count;
}

void ClearAll() {
    imoderpn_count = 0;
}

void Roll() {
    int n = 0;
    if (TakeCount(n)) RPNStackRoll(n);
}

void Pick() {
    int n = 0;
    if (!TakeCount(n)) return;
    if (n == 0) {  // there is no 0th entry to copy
        Fail(kErrSyntax);
        return;
    }
    PushValue(imoderpn_cplStack[imoderpn_count - n]);
}

void Swap() {
    if (RPNStackSwap() == 0) Fail(kErrSyntax);
}

void Depth() {
    PushValue(RealValue(imoderpn_count));
}

void Keep() {
    int n = 0;
    if (!TakeCount(n)) return;
    std::copy(imoderpn_cplStack + (imoderpn_count - n), imoderpn_cplStack + imoderpn_count,
              imoderpn_cplStack);
    imoderpn_count = n;
}

void Over() {
    if (imoderpn_count < 2) {
        Fail(kErrSyntax);
        return;
    }
    PushValue(imoderpn_cplStack[imoderpn_count - 2]);
}

void Last() {
    if (imoderpn_count == 0) {
        Fail(kErrSyntax);
        return;
    }
    PushValue(g_cplLast);
}

struct StackWord {
    const char* name;
    void (*run)();
};

const StackWord kStackWords[] = {
    {"drop", Drop}, {"clear", ClearAll}, {"roll", Roll},    {"pick", Pick},
    {"swap", Swap}, {"depth", Depth},    {"keep", Keep},    {"over", Over},
    {"last", Last}, {"undo", RPNUndo},   {"redo", RPNRedo},
};

bool RunStackWord(const char* command) {
    for (const StackWord& w : kStackWords) {
        if (!Is(command, w.name)) continue;
        imoderpn_status = -1;
        w.run();
        return true;
    }
    return false;
}

void Negate() {
    if (imoderpn_count == 0) {
        Fail(kErrSyntax);
        return;
    }
    Top() = qcmplx_sub(qczero, Top());
}

}  // namespace

Outcome RunCommonCommand(const char* command, int radixKey) {
    Outcome out;
    switch (ApplyEntryCommand(command, RadixOfKey(radixKey))) {
        case Entry::Cleared:
            out.useTop = false;
            return out;
        case Entry::Extended:
            out.extendsEntry = true;
            return out;
        case Entry::Began:
            return out;
        case Entry::None:
            break;
    }
    if (Is(command, "NEG")) {
        Negate();
    } else if (Is(command, "Pop")) {
        imoderpn_status = -1;
        out.useTop = false;
        if (imoderpn_count > 0) out.value = imoderpn_cplStack[--imoderpn_count];
    } else if (Is(command, "DoNothing")) {
        imoderpn_status = -1;
    } else if (RunStackWord(command)) {
        // done
    } else if (RunTableWord(command)) {
        // The value on top is no longer the pi that a digit would replace.
        if (!IsRpnOperator(command) || imoderpn_status == 3) imoderpn_status = -1;
    } else {
        Fail(kErrSyntax);
    }
    return out;
}

}  // namespace rpn_detail

using namespace rpn_detail;

qcmplx AddToRPNStack(const char* command, int radixKey) {
    if (GetErrorCode() != 0) return qczero;
    Clearmerror();  // a flag left by earlier work would fail the qcmplx operations below
    backupStack = TakeRPNSnapshot();
    Outcome out;
    if (Is(command, "(") || Is(command, ")")) {
        imoderpn_status = -1;
        g_cplLast = g_cplTmpLast;
    } else if (!Is(command, "=")) {
        out = RunCommonCommand(command, radixKey);
    }
    if (GetErrorCode() != 0) {
        RestoreRPNSnapshot(backupStack);
        return qczero;
    }
    const bool historyWord = Is(command, "undo") || Is(command, "redo");
    if (!historyWord && !out.extendsEntry && EntriesDiffer(backupStack)) RecordRPNUndo(backupStack);
    return out.useTop ? TopOrZero() : out.value;
}
