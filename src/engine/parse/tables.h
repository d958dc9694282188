// The engine's vocabulary: the handler tables, the words the tokenizer accepts, the register and
// function-call names, and the binding strength of every word.
//
// Tables are fixed at build time and searched linearly from the first row; the first exact
// (case-sensitive) match wins. The matrix table over REG values lives with the matrix handlers
// (engine/matrix/matrix.h) and has the same row shape, FunctionRow<REG>.
#pragma once

#include <string_view>

#include "engine/eval/handlers.h"

constexpr int kFunctionTableSize = 51;
constexpr int kFunctionTableExSize = 53;
constexpr int kFunctionWordCount = 49;
constexpr int kRegisterNameCount = 30;
constexpr int kFunctionCallNameCount = 45;
constexpr int kLastItemSize = 128;

// Handlers of the double-precision evaluation (ExprEvaluationEx).
extern const FUNCTION_TABLE lpFunctionTable[kFunctionTableSize];
// Handlers of the extended-precision evaluation (ExprEvaluation) and of the RPN stack machine. Its four
// upper-case rows "RAN", "MOD", "LCM" and "GCD" are reached only through RPN commands, since evaluation
// looks up lower-case engine text.
extern const FUNCTION_TABLE_EX lpFunctionTableEx[kFunctionTableExSize];

// Upper-case names the tokenizer accepts besides numbers, registers and the free variable.
extern const char* const lpszFunction[kFunctionWordCount];

// Register names; index i names g_reg[i]. Index 13 is the one-letter "V" and 27 is "VW" (after "VZ").
extern const char* const g_regname[kRegisterNameCount];

// Names of the function calls that standardization hands to the executor, in search order.
extern const char* const fnName[kFunctionCallNameCount];

// Name of the row found by the last successful GetHandler / GetHandlerEx, for repeating an operation in
// the immediate mode. Zero-terminated.
extern char g_chrLastItem[kLastItemSize];

// Row of lpFunctionTable (GetHandler) or lpFunctionTableEx (GetHandlerEx) whose name equals word exactly,
// or null. A hit copies the row's name into g_chrLastItem; a miss leaves it alone. A null word is a miss.
const FUNCTION_TABLE* GetHandler(const char* word);
const FUNCTION_TABLE_EX* GetHandlerEx(const char* word);

// Binding strength of a token for the reverse-Polish conversion: 0 for "(" and ")", 1 and/or/nand/nor/
// xor/abs, 2 "+" "-", 3 mod/shl/shr/rtl/rtr, 4 "*" "/", 5 "^" root "!" "%", 6 exp, 7 the prefix
// functions (also "actan" and "lg"), 8 everything else (operands, iroot, iexp, not, cpl, ncr, ...).
int Priority(const char* token);
int Priority(std::string_view token);

// Index of the register named token (compared in upper case, exactly), or -1. "v" is 13; "vl" is -1.
int FindReg(const char* token);

// Searches text from offset for each register name in index order; the first name that occurs (in table
// order, not the leftmost occurrence) sets offset to the position of its occurrence (counted from the
// start of text) and its index is returned. -1 and offset unchanged when none occurs or offset lies
// outside text.
int FindReg(const char* text, int& offset);

// The same search over fnName, with three rules: an occurrence inside a longer word (a letter or "_" right
// before it, a letter or digit right after it: the N of SIN, LN or NAND) is no call and the search for that
// name goes on after it; an occurrence of "sum" (index 12) that is not at offset itself and is followed by
// "_" is skipped the same way; an occurrence preceded by a backslash is ignored and the search goes on with
// the next name. offset is changed only when a name is found.
int FindFunction(const char* text, int& offset);

// True for the words that the tokenizer accepts as names (upper case, exact).
bool IsFunctionWord(const char* word);
