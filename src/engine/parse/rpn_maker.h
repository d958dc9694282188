// Conversion of engine text into reverse-Polish order, and the token list node shared with the RPN and
// immediate-mode stack machine.
#pragma once

#include <memory>
#include <string>

#include "engine/limits.h"

// Node of a singly linked token list (operator stacks). name is an owned copy of a token, or null.
struct stack {
    std::unique_ptr<char[]> name;
    stack* next = nullptr;
};

// Allocates a node holding a copy of token (null gives a null name) in front of head; returns the new head.
stack* Push(stack* head, const char* token);
// Frees head and its copy; returns the next node (null for an empty list).
stack* Pop(stack* head);
// Frees a whole list.
void FreeStack(stack* head);

// Rewrites engine text (blank-separated tokens) in place into reverse-Polish text: every token followed by
// one blank, the trailing one included; "(" and ")" stay as group marks. Returns 1 on success; on a fault
// (two operators in a row, a ")" without its "(", a postfix operator right after an operator, or a result
// that would not fit in kEngineTextSize bytes) sets -1 and returns 0. Returns 0 at once when the engine
// error code is set.
//
// Operators wait on a stack and leave it for any later operator of lower or equal Priority ("^" is
// right-associative: an equal "^" does not pop); prefix functions are pushed, postfix "!" and "%" go
// straight to the output. So 2^3! is 2^(3!), sin 30 ^ 2 is (sin 30)^2, and abs (-3) + 4 is abs(-3 + 4).
int RPNMaker(std::string& text);

// The same on a zero-terminated text in a buffer of at least kEngineTextSize bytes.
int RPNMaker(char* text);
