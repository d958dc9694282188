// Process-wide error state of the calculation engine, and the table of its error codes.
//
// Every engine routine reports a failure by storing a negative code in g_ErrCode and returning a zero value;
// nothing throws. The code is sticky: engine entry points return at once while it is set. A caller clears it
// with ClearErrorCode() before a calculation and reads it with GetErrorCode() afterwards; the text shown to
// the user is ErrorMessage(code).
//
// The error state sits in the numeric layer because the extended-precision complex operations report the
// library's failures through it (-56); the engine above sets every other code.
#pragma once

// The error codes: one row each, code, name and the message shown for it. Several codes share a message;
// their names say where the engine raises them.
#define ORV_ERROR_CODES(X)                                                                              \
    X(-1, kErrSyntax, "Syntax error") /* tokenizer, converter, operands, stacks */                      \
    X(-2, kErrArccos, "Arccos error")                                                                   \
    X(-3, kErrArcsin, "Arcsin error")                                                                   \
    X(-4, kErrSquareRoot, "(Square) root error")                                                        \
    X(-5, kErrDivision, "Division error")                                                               \
    X(-6, kErrLogarithm, "Logarit error")                                                               \
    X(-7, kErrOutOfRange, "Out of range error")                                                         \
    X(-8, kErrCallSyntax, "Syntax error") /* standardization: calls, arguments, text length */          \
    X(-9, kErrIntegration, "Integration error")                                                         \
    X(-10, kErrMatrixAddition, "Matrix addition error")                                                 \
    X(-11, kErrCallType, "Invalid type error") /* executor: an argument of the wrong kind */            \
    X(-12, kErrRootNotFound, "Root not found")                                                          \
    X(-13, kErrArcsinh, "Arcsinh error")                                                                \
    X(-14, kErrArccosh, "Arccosh error")                                                                \
    X(-15, kErrArctanh, "Arctanh error")                                                                \
    X(-16, kErrArccoth, "Arccoth error")                                                                \
    X(-17, kErrArctan, "Arctan error")                                                                  \
    X(-18, kErrArccot, "Arccot error")                                                                  \
    X(-19, kErrSin, "Sin error")                                                                        \
    X(-20, kErrCos, "Cos error")                                                                        \
    X(-21, kErrTan, "Tan error")                                                                        \
    X(-22, kErrCotan, "Cotan error")                                                                    \
    X(-23, kErrSinh, "Sinh error")                                                                      \
    X(-24, kErrCosh, "Cosh error")                                                                      \
    X(-25, kErrTanh, "Tanh error")                                                                      \
    X(-26, kErrCotanh, "Cotanh error")                                                                  \
    X(-27, kErrSec, "Sec error")                                                                        \
    X(-28, kErrCsc, "Csc error")                                                                        \
    X(-29, kErrSech, "Sech error")                                                                      \
    X(-30, kErrCsch, "Csch error")                                                                      \
    X(-31, kErrArcsec, "ArcSec error")                                                                  \
    X(-32, kErrArccsc, "ArcCsc error")                                                                  \
    X(-33, kErrArcsech, "ArcSech error")                                                                \
    X(-34, kErrArccsch, "ArcCsch error")                                                                \
    X(-35, kErrLcm, "LCM error")                                                                        \
    X(-36, kErrMod, "MOD error")                                                                        \
    X(-37, kErrFibonacciIndex, "Fibonacci index error")                                                 \
    X(-38, kErrMatrixMultiplication, "Matrix multiplication error")                                     \
    X(-39, kErrMatrixInversion, "Matrix inversion error")                                               \
    X(-40, kErrRadixConversion, "Radix conversion error")                                               \
    X(-41, kErrSeriesStep, "Sumation(Product) step error")                                              \
    X(-42, kErrNonSymmetric, "Non-symetric Matrix")                                                     \
    X(-43, kErrRank, "Rank calculation error")                                                          \
    X(-44, kErrDeterminant, "Det evaluation error")                                                     \
    X(-45, kErrMatrixTransformation, "Matrix transformation error")                                     \
    X(-46, kErrMatrixSubtraction, "Matrix subtraction error")                                           \
    X(-47, kErrEigenvector, "Eigenvector error")                                                        \
    X(-48, kErrLinearIndependent, "Linear independent error")                                           \
    X(-49, kErrNoList, "No list available")                                                             \
    X(-50, kErrInvalidArguments, "Invalid parameters") /* executor and combinations: argument ranges */ \
    X(-51, kErrInvalidFinance, "Invalid parameters")   /* finance: time value of money, cash flows */   \
    X(-52, kErrInvalidMacro, "Invalid macro")                                                           \
    X(-53, kErrNotInteger, "Invalid type error") /* a non-integer where an integer is required */       \
    X(-54, kErrComplex, "Complex's not been supported")                                                 \
    X(-55, kErrInfinite, "Infinite result")                                                             \
    X(-56, kErrLibrary, "Invalid parameter(s)") /* flagged by the extended-precision library */         \
    X(-57, kErrAbsolute, "Absolute error")

// No error pending.
constexpr int kErrNone = 0;
#define ORV_ERROR_CONSTANT(code, name, message) constexpr int name = code;
ORV_ERROR_CODES(ORV_ERROR_CONSTANT)
#undef ORV_ERROR_CONSTANT

// Current error code: kErrNone when none is pending, otherwise one of the codes above.
extern int g_ErrCode;

// Number of entries of ExceptionMsg; the message of code c (-57 <= c <= -1) is ExceptionMsg[c + 57].
constexpr int kErrorMessageCount = 57;
extern const char* const ExceptionMsg[kErrorMessageCount];

// The name of a code as written above ("kErrSyntax"), for diagnostics and tests; "" outside the table.
const char* ErrorCodeName(int code);

// Resets g_ErrCode to 0 and clears the extended-precision library's error flag (merror).
void ClearErrorCode();

// Returns g_ErrCode.
int GetErrorCode();

// Stores code in g_ErrCode and returns it. A code of 0 clears the engine code (not the library flag).
int SetErrorCode(int code);

// The message of a code: ExceptionMsg for -57 ... -1, "Unknown error" for every other non-zero code and
// an empty text for 0.
const char* ErrorMessage(int code);
