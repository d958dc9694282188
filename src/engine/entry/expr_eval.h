// The engine entry: one call evaluates any text the calculator produces.
//
// ExprEval takes the scalar path (standardization, then the extended-precision evaluation) or the matrix
// path (the matrix evaluation over registers). ExprStandardize computes every function call of the
// executor's vocabulary (fnInt, gcd, avg, ...) and writes its value back into the text, and rewrites the
// root call RT(a,b) into the "root" operator. Engine thread only; callers clear the error code before and
// read it after.
#pragma once

#include <string>

#include "engine/matrix/registers.h"

// Evaluates text: mode 0 the scalar path in radix 2, 8, 10 or 16, mode 1 the matrix path (radix ignored,
// no standardization); any other mode gives zero. The result also stays in register 0 (cleared first) and
// is returned as a copy; it means something only when no error is set afterwards. While an error is set,
// returns register 0 unchanged. A text of kEngineTextSize characters or more sets -8.
REG ExprEval(const char* text, int mode, int radix);

// Rewrites text in place: each executor call is replaced by its value (radix 10: "(" mantissa ")*10^("
// exponent ")", the mantissa with 32 decimals for a value computed in extended precision or exactly and
// with 16 decimals -- the 17 significant digits a double carries -- for a value computed in double
// precision (ExcuteInDoubles); radix 2, 8, 16: its digits zero-padded to g_BitWidth), each RT(a,b) by
// "((a) root (b)) ". Returns 1 on success, 0 with the error code set: -8 for an unbalanced call, a missing
// RT argument or a text that would reach kEngineTextSize characters; the executor's codes otherwise.
int ExprStandardize(std::string& text, int radix);

// Evaluates a matrix expression over the registers (solve(A,B) is rewritten to inv(A)*(B) first). The
// result is left in register 0 and returned; success is set only on success. Numbers are real scalars,
// other operands must be register names (-1 otherwise); "pi", "e" and "i" mean nothing here.
REG MatrixExprEval(const char* expression, bool& success);
