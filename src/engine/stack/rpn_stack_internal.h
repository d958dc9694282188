// Pieces that the RPN machine and the immediate mode share: bounded stack access, snapshots, number
// entry and the commands that behave the same in both calculators.
#pragma once

#include "engine/stack/rpn_stack.h"
#include "numeric/qlib.h"

namespace rpn_detail {

// Exact word comparison; a null text matches nothing.
bool Is(const char* command, const char* word);

// Pushes value; false with -1 set when the stack is full.
bool PushValue(const qcmplx& value);

// The top entry, or zero for an empty stack.
qcmplx TopOrZero();

// A real q-number as a complex value.
qcmplx RealValue(long value);

// True when the entries (count or values) differ from the snapshot's.
bool EntriesDiffer(const RPN_SNAPSHOT& snapshot);

// Keeps before on the undo history (dropping the oldest beyond kRPNHistoryDepth) and clears the redo
// history.
void RecordRPNUndo(const RPN_SNAPSHOT& before);

// Runs the lpFunctionTableEx handler of word over the whole stack (group base 0). False when word is
// not in the table (nothing runs, g_chrLastItem is kept).
bool RunTableWord(const char* word);

// Number entry (both calculators): digits and number texts of the radix, "..", "PI", "i" and the
// clearing words beginning with ".". None when command is no entry word; errors are set as usual.
enum class Entry { None, Began, Extended, Cleared };
Entry ApplyEntryCommand(const char* command, int radix);

// What a command did, for the caller's return value and undo record.
struct Outcome {
    bool useTop = true;         // return the top entry; otherwise value
    qcmplx value = {};          // the value to return when useTop is false
    bool extendsEntry = false;  // only typed further into the entry in progress
};

// Applies a command that both calculators treat alike: number entry, "NEG", "Pop", "DoNothing", the
// table words (status -1 first, except that the RPN two-operand words keep a typed entry open) and the
// stack words. Sets -1 for an unknown word.
Outcome RunCommonCommand(const char* command, int radixKey);

}  // namespace rpn_detail
