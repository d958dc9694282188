// The value stack of the two key-by-key calculators: the reverse-Polish (RPN) stack machine and the
// immediate mode (I-mode), in which operators are typed between operands and evaluated by priority as the
// keys are pressed. Both share one extended-precision stack and one entry state
// (engine/stack/rpn_entry_state.h).
//
// The display sends one command word per key press with the current radix key (145 binary, 146 octal,
// 147 decimal, 148 hexadecimal; any other key counts as decimal) and shows the value the command returns.
// Command words:
//   entry     digits "0"-"9" and, in hexadecimal, "A"-"F" (only digits of the radix are accepted); in
//             decimal also a complete number text ("12.5", "-3", "1E5"); ".." the decimal point; "PI";
//             "i" (the imaginary unit); any other word beginning with "." clears (below).
//   both      "NEG", "Pop", "DoNothing", the words of lpFunctionTableEx (engine/parse/tables.h) and the stack
//             words "drop", "clear", "roll", "pick", "swap", "depth", "keep", "over", "last", "undo",
//             "redo".
//   RPN       "(" and ")" end the entry being typed (")" is the ENTER word); "=" changes nothing.
//   I-mode    "(", ")", "=", "%" (percentage of the value below for a pending "+" or "-"), "dauam".
// Every failure sets the engine error code (numeric/errors.h); an unknown word is -1 ("Syntax error").
// While the error code is set, both command functions return zero at once and change nothing.
//
// The stack holds kValueStackSize entries; a command that would push past that fails with -1.
// Engine thread only; not reentrant.
#pragma once

#include <string>
#include <vector>

#include "engine/limits.h"
#include "engine/stack/rpn_entry_state.h"
#include "numeric/qlib.h"

// Depth of the undo and the redo history.
constexpr int kRPNHistoryDepth = 16;

// The value stack: entries 0 .. imoderpn_count - 1; the last one is the top.
extern qcmplx imoderpn_cplStack[kValueStackSize];
extern int imoderpn_count;

// I-mode pending operators and "(" marks; back() is the top.
extern std::vector<std::string> imoderpn_stack;

// A saved state of the stack: its entries (bottom first, count = stack.size()), the entry status and the
// count of typed decimals.
struct RPN_SNAPSHOT {
    std::vector<qcmplx> stack;
    int status = -1;
    double factor = 0;
};

// Taken at the start of every RPN command and restored when the command fails.
extern RPN_SNAPSHOT backupStack;

// Undo and redo histories, oldest first, at most kRPNHistoryDepth each (the oldest is dropped to make
// room). An RPN command that succeeds and changes the stack's entries records the state before it on the
// undo history and clears the redo history. A number entry is one step: it is recorded when it begins,
// not for every further digit. "undo" and "redo" record nothing, and neither do the direct operations
// below (setRPNStackItem, RPNStackRoll, ...) or the I-mode.
extern std::vector<RPN_SNAPSHOT> undoStack;
extern std::vector<RPN_SNAPSHOT> redoStack;

// The value that "last" pushes (taken from g_cplTmpLast by the RPN words "(" and ")"), and the entry
// most recently typed (it follows the entry digit by digit).
extern qcmplx g_cplLast;
extern qcmplx g_cplTmpLast;

// I-mode: the result of the last "=", which a further "=" repeats the last operation on (the operation
// named by g_chrLastItem with the parameter g_dblLastParam, engine/parse/tables.h and
// engine/eval/handlers.h). The display also keeps it equal to the value on show.
extern qcmplx g_dblLastResult;

// Applies one RPN command (see above) with the radix key. Returns the new top entry ("Pop": the entry
// removed), or zero when the stack is empty, for a clearing word, or when the command failed. Atomic: a
// failing command leaves the stack, its count and the entry state exactly as before, with the error code
// set for the caller to show ("drop" on an empty stack is -56; the other stack words and too few operands
// are -1; the handlers' codes otherwise).
qcmplx AddToRPNStack(const char* command, int radixKey);

// Applies several RPN command words as one command (a key whose meaning takes several words): all of
// them or none, and at most one undo step. When a word fails, the stack, its count, the entry state and
// both histories are put back as they were before the first word, and false is returned with the error
// code set. When all succeed and the entries changed, the state before the first word is recorded on the
// undo history (and the redo history cleared); when they did not change, the histories stay as they
// were. A single word is exactly AddToRPNStack. radixKey is the radix of the number words.
bool AddRPNCommands(const std::vector<std::string>& words, int radixKey);

// The state of the stack (entries, entry status, typed decimals), and putting one back. A snapshot is
// cut to the kValueStackSize entries the stack holds.
RPN_SNAPSHOT TakeRPNSnapshot();
void RestoreRPNSnapshot(const RPN_SNAPSHOT& snapshot);

// Applies one I-mode command with the radix key. Returns the value to show: the top entry, or for "="
// without a pending operator the repeated result. Any failure empties the stack and the pending
// operators (entry status -1) and returns zero, leaving the error code set.
qcmplx AddToImodeStack(const char* command, int radixKey);

// The operation a further I-mode "=" repeats: ClearImodeRepeat forgets it (g_chrLastItem, g_dblLastParam
// and g_dblLastResult), SetImodeLastResult makes value the result it is repeated on. The display calls
// them to keep the repeat in step with the value on show (a complex value cannot be shown, so nothing is
// repeated on it).
void ClearImodeRepeat();
void SetImodeLastResult(const qcmplx& value);

// True while the top entry is a number being typed (its integer or its fractional part) or pi from "PI":
// an entry that a value recalled from elsewhere replaces.
bool ImodeEntryInProgress();

// Display texts of the stack entries, bottom first, into out (replacing its contents): the real part of
// each entry by ConstructDisplayString (engine/format/result_format.h) with the radix and width keys, NORM
// notation, 16 digits and g_iFixDigits fixed decimals, the exponent part appended and the blank sign
// position of a positive scientific mantissa dropped. Only the top entry shows the decimals being typed.
// Returns the count (0 and an empty out for an empty stack).
int getRPNStackStrings(std::vector<std::string>& out, int radixKey, int widthKey);

// Copies the entries, bottom first, into out (replacing its contents); returns the count.
int getRPNStackValues(std::vector<qcmplx>& out);

// Replaces entry index (0 = bottom) by the real value of text as atof reads it (an ordinary decimal text
// keeps all its digits). Returns 1, or 0 without a change for an index outside 0 .. count-1, a null text
// or a value that is not finite.
int setRPNStackItem(int index, const char* text);

// Empties the stack and the pending I-mode operators; the entry status becomes -1.
void ResetIModeRPNStack();
// The same, then value becomes the only entry.
void ResetIModeRPNStack(const qcmplx& value);

// Moves the n-th entry from the top (1-based) to the top; the entries above it move down by one.
// Returns 0 for n below 0 or above the count, otherwise 1 (n of 0 or 1 changes nothing).
int RPNStackRoll(int n);

// Exchanges the two top entries. Returns 0 (no change) with fewer than two entries, otherwise 1.
int RPNStackSwap();

// Restores the last state of the undo (redo) history and moves the current state (stack, count, entry
// status) onto the redo (undo) history. Nothing happens when the history is empty.
void RPNUndo();
void RPNRedo();
