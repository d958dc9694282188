// Process-wide error state of the calculation engine.
//
// Every engine routine reports a failure by storing a negative code in g_ErrCode and returning a zero value;
// nothing throws. The code is sticky: engine entry points return at once while it is set. A caller clears it
// with ClearErrorCode() before a calculation and reads it with GetErrorCode() afterwards; the text shown to
// the user is ErrorMessage(code).
#pragma once

// Current error code: 0 when none is pending, otherwise -1 ... -57 (see ExceptionMsg).
extern int g_ErrCode;

// Number of entries of ExceptionMsg; the message of code c (-57 <= c <= -1) is ExceptionMsg[c + 57].
constexpr int kErrorMessageCount = 57;
extern const char* const ExceptionMsg[kErrorMessageCount];

// Resets g_ErrCode to 0 and clears the extended-precision library's error flag (merror).
void ClearErrorCode();

// Returns g_ErrCode.
int GetErrorCode();

// Stores code in g_ErrCode and returns it. A code of 0 clears the engine code (not the library flag).
int SetErrorCode(int code);

// The message of a code: ExceptionMsg for -57 ... -1, "Unknown error" for every other non-zero code and
// an empty text for 0.
const char* ErrorMessage(int code);
