// Evaluation of engine expressions: the extended-precision loop over qcmplx values that serves the
// calculator, and the double-precision loop over COMPLEX values that serves repeated evaluation (plotting,
// equation solving, numeric calculus), with its conversion cache. Also the angle mode and the variable
// evaluators of the calculus routines.
//
// Both loops run ExpressionParser (engine/parse/tokenizer.h) and RPNMaker (engine/parse/rpn_maker.h), then
// walk the reverse-Polish tokens: a word of the handler table runs its handler over the value stack with the
// base of the innermost open group; "(" and ")" open and close groups; anything else is an operand. The
// result is stack entry 0 (surplus values above it are ignored). Every failure sets the engine error code and
// gives zero; while the code is set, every call returns zero at once. Engine thread only; not reentrant.
#pragma once

#include <string>

#include "engine/limits.h"
#include "numeric/complex.h"
#include "numeric/qlib.h"

// Angle mode of the circular functions: 0 degree, 1 radian, 2 grad. A complex argument of an angle
// function sets it to 1 for the rest of the calculation.
extern int g_Mode;

// Stores mode in g_Mode and returns it.
int SetMode(int mode);

// Evaluates expr in extended precision. Operands: numbers (read with the extended text conversion),
// the variable named variable (value *value; ignored when variable is null), "pi", "e", "i", and the real
// or complex registers (a matrix register or any other word is -1). success is set to true on success and
// never cleared. Errors: -1 syntax (also for texts of kEngineTextSize characters or more, and expressions
// that need more than kValueStackSize values or open groups), the handlers' codes, -56 for a library error.
// After "^" the top value is converted to double precision once: an overflow there raises the library flag
// (printing its message), which the next qcmplx operation before another operand reports as -56.
qcmplx ExprEvaluation(const char* expr, bool& success, const char* variable, const QELT* value, int radix);

// Evaluates expr in double precision: numbers by strtod, the variable (value), "pi", "e" and "i"; registers
// are not available (-1); a non-number operand is -7. The converted form of the last text is cached
// (keyed on a copy of the text, the radix and the variable name), so repeated calls on one text skip the
// tokenizer and the conversion and run a compiled program. The result and error codes are those of the
// token walk described above.
COMPLEX ExprEvaluationEx(const char* expr, bool& success, const char* variable, long double value, int radix);

// The expression and variable name that the calculus routines evaluate (set by the executor).
// ExprEvaluationEx points g_lpszExpression at the text it evaluated (never reading through the old value).
extern const char* g_lpszExpression;
extern const char* g_lpszVariable;

// Reverse-Polish text of the cached conversion. Emptying it (or setting g_lpszExpression to null) makes
// the next ExprEvaluationEx convert its text again. The cache stays correct without either: a changed
// text is always converted again.
extern char g_lpszRPN[kEngineTextSize];

// g_lpszExpression in extended precision at x (variable g_lpszVariable, radix 10). An imaginary part above
// 1e-64 in magnitude sets -54 and gives zero. unused is not read.
void fn(qcmplx* result, const QELT* x, void* unused = nullptr);

// The same without the error: each part of magnitude below 1e-64 becomes exactly 0.
void fn1(qcmplx* result, const QELT* x, void* unused = nullptr);

// expr in double precision at x (variable g_lpszVariable, radix 10); 0 for a null or empty text. An
// imaginary part above 1e-8 in magnitude sets -54 and gives 0.
double fnex(double x, const char* expr);

// The root-search evaluation: g_lpszExpression at x like fnex, with the imaginary tolerance 1e-16. Fits
// fnroot (finance/fnroot.h); context is not read. (The text-keyed cache makes emptying it first needless.)
double fn(double x, void* context);
