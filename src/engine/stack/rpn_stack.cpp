// The shared value stack: its state, bounded access, snapshots and the operations the display calls
// directly.
#include "engine/stack/rpn_stack.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "engine/eval/handlers.h"
#include "engine/format/format_state.h"
#include "engine/format/result_format.h"
#include "engine/parse/tables.h"
#include "engine/stack/rpn_stack_internal.h"
#include "numeric/errors.h"

qcmplx imoderpn_cplStack[kValueStackSize];
int imoderpn_count = 0;
std::vector<std::string> imoderpn_stack;
RPN_SNAPSHOT backupStack;
std::vector<RPN_SNAPSHOT> undoStack;
std::vector<RPN_SNAPSHOT> redoStack;
qcmplx g_cplLast;
qcmplx g_cplTmpLast;
qcmplx g_dblLastResult;

namespace rpn_detail {

bool Is(const char* command, const char* word) {
    return command != nullptr && std::strcmp(command, word) == 0;
}

bool PushValue(const qcmplx& value) {
    if (imoderpn_count >= kValueStackSize) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    imoderpn_cplStack[imoderpn_count++] = value;
    return true;
}

qcmplx TopOrZero() {
    return imoderpn_count > 0 ? imoderpn_cplStack[imoderpn_count - 1] : qczero;
}

qcmplx RealValue(long value) {
    qcmplx v = qczero;
    ltoq(value, v.r);
    return v;
}

bool EntriesDiffer(const RPN_SNAPSHOT& snapshot) {
    if (snapshot.stack.size() != static_cast<size_t>(imoderpn_count)) return true;
    if (snapshot.stack.empty()) return false;
    return std::memcmp(snapshot.stack.data(), imoderpn_cplStack, sizeof(qcmplx) * snapshot.stack.size()) != 0;
}

bool RunTableWord(const char* word) {
    const FUNCTION_TABLE_EX* row = GetHandlerEx(word);
    if (row == nullptr) return false;
    long n = imoderpn_count;
    row->handler(imoderpn_cplStack, n, 0);
    imoderpn_count = static_cast<int>(n);
    return true;
}

}  // namespace rpn_detail

RPN_SNAPSHOT TakeRPNSnapshot() {
    RPN_SNAPSHOT s;
    s.stack.assign(imoderpn_cplStack, imoderpn_cplStack + imoderpn_count);
    s.status = imoderpn_status;
    s.factor = factor;
    return s;
}

void RestoreRPNSnapshot(const RPN_SNAPSHOT& snapshot) {
    // The stack holds kValueStackSize entries; a longer snapshot cannot have come from it and is cut.
    const size_t n = std::min(snapshot.stack.size(), static_cast<size_t>(kValueStackSize));
    std::copy(snapshot.stack.begin(), snapshot.stack.begin() + static_cast<long>(n), imoderpn_cplStack);
    imoderpn_count = static_cast<int>(n);
    imoderpn_status = snapshot.status;
    factor = snapshot.factor;
}

void ClearImodeRepeat() {
    g_chrLastItem[0] = '\0';
    g_dblLastParam = qczero;
    g_dblLastResult = qczero;
}

void SetImodeLastResult(const qcmplx& value) {
    g_dblLastResult = value;
}

bool ImodeEntryInProgress() {
    return imoderpn_status == 0 || imoderpn_status == 2 || imoderpn_status == 3;
}

namespace {

void PushHistory(std::vector<RPN_SNAPSHOT>& history, RPN_SNAPSHOT snapshot) {
    if (history.size() >= static_cast<size_t>(kRPNHistoryDepth)) history.erase(history.begin());
    history.push_back(std::move(snapshot));
}

// Restores the newest state of from and keeps the current one on to.
void MoveHistory(std::vector<RPN_SNAPSHOT>& from, std::vector<RPN_SNAPSHOT>& to) {
    if (from.empty()) return;
    PushHistory(to, TakeRPNSnapshot());
    RestoreRPNSnapshot(from.back());
    from.pop_back();
}

// The sign position of a positive scientific mantissa is meaningless in a list of values.
std::string EntryText(const qcmplx& value, int radixKey, int widthKey) {
    const DisplayString d =
        ConstructDisplayString(radixKey, widthKey, value.r, kNotationNorm, 16, g_iFixDigits);
    std::string text = d.text + d.exponent;
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

void rpn_detail::RecordRPNUndo(const RPN_SNAPSHOT& before) {
    PushHistory(undoStack, before);
    redoStack.clear();
}

bool AddRPNCommands(const std::vector<std::string>& words, int radixKey) {
    if (words.size() == 1) {
        AddToRPNStack(words[0].c_str(), radixKey);
        return GetErrorCode() == 0;
    }
    const RPN_SNAPSHOT before = TakeRPNSnapshot();
    // Each word would record its own undo step; the histories are put back and the whole run recorded once.
    const std::vector<RPN_SNAPSHOT> undo = undoStack, redo = redoStack;
    for (const std::string& w : words) {
        AddToRPNStack(w.c_str(), radixKey);
        if (GetErrorCode() != 0) {
            RestoreRPNSnapshot(before);
            undoStack = undo;
            redoStack = redo;
            return false;
        }
    }
    undoStack = undo;
    redoStack = redo;
    if (rpn_detail::EntriesDiffer(before)) rpn_detail::RecordRPNUndo(before);
    return true;
}

void RPNUndo() {
    MoveHistory(undoStack, redoStack);
}

void RPNRedo() {
    MoveHistory(redoStack, undoStack);
}

int getRPNStackStrings(std::vector<std::string>& out, int radixKey, int widthKey) {
    out.clear();
    out.reserve(static_cast<size_t>(imoderpn_count));
    // The formatter pads to the typed decimals while an entry is being typed; that entry is the top.
    const int status = imoderpn_status;
    for (int i = 0; i < imoderpn_count; ++i) {
        imoderpn_status = (i == imoderpn_count - 1) ? status : -1;
        out.push_back(EntryText(imoderpn_cplStack[i], radixKey, widthKey));
    }
    imoderpn_status = status;
    return imoderpn_count;
}

int getRPNStackValues(std::vector<qcmplx>& out) {
    out.assign(imoderpn_cplStack, imoderpn_cplStack + imoderpn_count);
    return imoderpn_count;
}

namespace {

// The consumed prefix of strtod, when it is an ordinary decimal number, read in extended precision.
bool ReadExtended(const char* text, const char* end, QELT* q) {
    std::string prefix(text, end);
    const size_t first = prefix.find_first_not_of(" \t\n\v\f\r");
    if (first == std::string::npos) return false;
    prefix.erase(0, first);
    if (prefix.find_first_not_of("+-0123456789.eE") != std::string::npos) return false;
    asctoq(prefix.c_str(), q);
    return true;
}

}  // namespace

int setRPNStackItem(int index, const char* text) {
    if (index < 0 || index >= imoderpn_count || text == nullptr) return 0;
    char* end = nullptr;
    const double d = std::strtod(text, &end);
    if (!std::isfinite(d)) return 0;
    qcmplx value = qczero;
    if (end == text || !ReadExtended(text, end, value.r)) etoq(d, value.r);
    imoderpn_cplStack[index] = value;
    return 1;
}

void ResetIModeRPNStack() {
    imoderpn_count = 0;
    imoderpn_status = -1;
    imoderpn_stack.clear();
}

void ResetIModeRPNStack(const qcmplx& value) {
    ResetIModeRPNStack();
    imoderpn_cplStack[0] = value;
    imoderpn_count = 1;
}

int RPNStackRoll(int n) {
    if (n < 0 || n > imoderpn_count) return 0;
    if (n <= 1) return 1;
    qcmplx* first = imoderpn_cplStack + (imoderpn_count - n);
    std::rotate(first, first + 1, imoderpn_cplStack + imoderpn_count);
    return 1;
}

int RPNStackSwap() {
    if (imoderpn_count < 2) return 0;
    std::swap(imoderpn_cplStack[imoderpn_count - 1], imoderpn_cplStack[imoderpn_count - 2]);
    return 1;
}
