// Operator and function handlers of the expression engine, and the row type of the tables that bind them to
// their words (engine/parse/tables.h).
//
// Handler contract, shared by every table (double COMPLEX values, extended qcmplx values and REG
// registers):
//
//     void handler(V* stack, long& count, long base);
//
// stack[0 .. count-1] hold the values computed so far; base is the value count when the innermost
// parenthesis group that is still open was opened (0 outside any group). A handler takes its operands from
// the top: a two-operand handler replaces a = stack[count-2] and b = stack[count-1] by its result at
// stack[count-2] and leaves count-1; a one-operand handler replaces stack[count-1] and leaves count. When
// the group holds fewer values than the handler needs (count - base below 2, or below 1), it sets the
// engine error code to -1 and changes nothing. Other failures set the code named per handler and leave the
// count reduced or unchanged; the caller stops at the first error. Handlers keep no state of their own;
// they read g_Mode (angle mode) and g_BitWidth, may set g_Mode to 1 (a complex argument of an angle
// function is taken in radians), and the extended two-operand handlers record their parameter in
// g_dblLastParam. Engine thread only.
#pragma once

#include "numeric/complex.h"
#include "numeric/qlib.h"

// One table row: a word and its handler. The matrix table is a FunctionRow<REG>.
template <typename V>
using HandlerFn = void (*)(V* stack, long& count, long base);

template <typename V>
struct FunctionRow {
    const char* name;
    HandlerFn<V> handler;
};

using FUNCTION_TABLE = FunctionRow<COMPLEX>;    // rows of lpFunctionTable
using FUNCTION_TABLE_EX = FunctionRow<qcmplx>;  // rows of lpFunctionTableEx

// The parameter of the last extended two-operand operation, for repeating it in the immediate mode: the top
// operand b (the root index for "root" and "iroot"; for the bitwise words and "mod" b after conversion to
// double precision, imaginary part 0). Negation and "exp" leave it alone.
extern qcmplx g_dblLastParam;

// ---- double family (lpFunctionTable) ---------------------------------------------------------------------
// Domain errors are found after the fact: a result part that is not a number sets the handler's code.
// Angle functions take and give angles in the unit of g_Mode (0 degree, 1 radian, 2 grad) for real
// arguments. sin, cos, tan, sec, csc, ln and log round the real part of their result to 12 decimals.

void Add(COMPLEX* s, long& n, long base);      // a + b
void Sub(COMPLEX* s, long& n, long base);      // a - b; negation when the group holds one value
void Mul(COMPLEX* s, long& n, long base);      // a * b
void Div(COMPLEX* s, long& n, long base);      // a / b; -5 for b = 0
void Pow(COMPLEX* s, long& n, long base);      // a ^ b; b = 0 gives 1; -7 when |b| ln|a| >= 305
void Root(COMPLEX* s, long& n, long base);     // a root b: the a-th root of b
void iroot(COMPLEX* s, long& n, long base);    // a iroot b: the b-th root of a
void iexp(COMPLEX* s, long& n, long base);     // a * 10^b (also the word "exp")
void Percent(COMPLEX* s, long& n, long base);  // value / 100; -54 for a complex value
// n! for whole 0 <= n < 171; -54 complex, -53 not whole, -7 out of range.
void Factorial(COMPLEX* s, long& n, long base);
void Sqrt(COMPLEX* s, long& n, long base);  // -4 on a non-number
void Ln(COMPLEX* s, long& n, long base);
void Log(COMPLEX* s, long& n, long base);
void Abs(COMPLEX* s, long& n, long base);    // |value|; -57 on a non-number
void Sin(COMPLEX* s, long& n, long base);    // -19
void Cos(COMPLEX* s, long& n, long base);    // -20
void Tan(COMPLEX* s, long& n, long base);    // -21, also at the poles (odd multiples of 90 degrees)
void Sec(COMPLEX* s, long& n, long base);    // -27, also at the poles
void Csec(COMPLEX* s, long& n, long base);   // cosecant; -28, also at multiples of 180 degrees
void CTan(COMPLEX* s, long& n, long base);   // cotangent; -22; not rounded
void ASin(COMPLEX* s, long& n, long base);   // -3
void ACos(COMPLEX* s, long& n, long base);   // -2
void ATan(COMPLEX* s, long& n, long base);   // -17
void ACot(COMPLEX* s, long& n, long base);   // -18
void ASec(COMPLEX* s, long& n, long base);   // -31
void ACsec(COMPLEX* s, long& n, long base);  // arccosecant; -32
// Hyperbolic functions and their inverses take no angle unit.
void Sinh(COMPLEX* s, long& n, long base);    // -23
void Cosh(COMPLEX* s, long& n, long base);    // -24
void Tanh(COMPLEX* s, long& n, long base);    // -25
void Ctanh(COMPLEX* s, long& n, long base);   // -26
void Sech(COMPLEX* s, long& n, long base);    // -29
void Csech(COMPLEX* s, long& n, long base);   // -30
void ASinh(COMPLEX* s, long& n, long base);   // -13
void ACosh(COMPLEX* s, long& n, long base);   // -14
void ATanh(COMPLEX* s, long& n, long base);   // -15
void ACoth(COMPLEX* s, long& n, long base);   // -16
void ASech(COMPLEX* s, long& n, long base);   // -33
void ACsech(COMPLEX* s, long& n, long base);  // -34
// Bitwise words. Operands must be real (-54) and, except for not and cpl, whole (-53). and, or and xor
// combine the operands as signed 32-bit integers (taken modulo 2^32) and give a signed result; nand, nor,
// not and cpl give the unsigned g_BitWidth-bit result (0 for a width other than 8, 16, 32 or 64).
void ANDF(COMPLEX* s, long& n, long base);
void ORF(COMPLEX* s, long& n, long base);
void XORF(COMPLEX* s, long& n, long base);
void NANDF(COMPLEX* s, long& n, long base);
void NORF(COMPLEX* s, long& n, long base);
void Not(COMPLEX* s, long& n, long base);  // one's complement within g_BitWidth bits
void cpl(COMPLEX* s, long& n, long base);  // two's complement within g_BitWidth bits
// Shifts and rotations of a by b bits (SHL, SHR, RTL, RTR of numeric/radix.h); -54, -53.
void shl(COMPLEX* s, long& n, long base);
void shr(COMPLEX* s, long& n, long base);
void rtl(COMPLEX* s, long& n, long base);
void rtr(COMPLEX* s, long& n, long base);
void mod(COMPLEX* s, long& n, long base);  // |a| mod |b|; -54, -53, -5 for b = 0

// ---- extended family (lpFunctionTableEx) -----------------------------------------------------------------
// The qcmplx operations of numeric/qcomplex.h report library errors as -56. A part whose magnitude is at
// most 1e-64 counts as zero ("real"); where a real value is required a complex one sets -54. Circular
// functions convert a real argument (forward functions) or real result (inverse functions) from or to the
// unit of g_Mode; a complex one sets g_Mode to 1. Hyperbolic functions and their inverses take and give
// plain numbers in every angle mode and leave g_Mode alone.

void AddEx(qcmplx* s, long& n, long base);  // a + b; a real part below 1e-64 in magnitude becomes 0
void SubEx(qcmplx* s, long& n, long base);  // a - b, or negation (one value in the group); as AddEx
void MulEx(qcmplx* s, long& n, long base);
void DivEx(qcmplx* s, long& n, long base);
void PowEx(qcmplx* s, long& n, long base);
void rootEx(qcmplx* s, long& n, long base);   // a root b = b ^ (1/a)
void irootEx(qcmplx* s, long& n, long base);  // a iroot b = a ^ (1/b)
void expEx(qcmplx* s, long& n, long base);    // a * 10^b; records no parameter
void iexpEx(qcmplx* s, long& n, long base);   // a * 10^b
void SqrtEx(qcmplx* s, long& n, long base);   // value ^ 1/2
void LnEx(qcmplx* s, long& n, long base);
void LogEx(qcmplx* s, long& n, long base);
void AbsEx(qcmplx* s, long& n, long base);
// floor(value)! for a real value in 0 ... 1500; -54 complex, -56 out of range.
void FactorialEx(qcmplx* s, long& n, long base);
void PercentEx(qcmplx* s, long& n, long base);  // value / 100; -54
void SinEx(qcmplx* s, long& n, long base);
void CosEx(qcmplx* s, long& n, long base);
void TanEx(qcmplx* s, long& n,
           long base);  // -56 at +-pi/2 (after conversion), other poles left to the library
void SecEx(qcmplx* s, long& n, long base);
void CSecEx(qcmplx* s, long& n, long base);  // cosecant
void ASinEx(qcmplx* s, long& n, long base);
void ACosEx(qcmplx* s, long& n, long base);
void ATanEx(qcmplx* s, long& n, long base);
void ASecEx(qcmplx* s, long& n, long base);
void ACscEx(qcmplx* s, long& n, long base);
void SinhEx(qcmplx* s, long& n, long base);
void CoshEx(qcmplx* s, long& n, long base);
void TanhEx(qcmplx* s, long& n, long base);
void SechEx(qcmplx* s, long& n, long base);
void CSechEx(qcmplx* s, long& n, long base);
void ASinhEx(qcmplx* s, long& n, long base);
void ACoshEx(qcmplx* s, long& n, long base);
void ATanhEx(qcmplx* s, long& n, long base);
void ASechEx(qcmplx* s, long& n, long base);
void ACschEx(qcmplx* s, long& n, long base);
// Bitwise words and "mod": real operands (-54), converted to double precision and computed exactly as the
// double-family handler of the same word; the result has imaginary part 0.
void ANDFEx(qcmplx* s, long& n, long base);
void ORFEx(qcmplx* s, long& n, long base);
void XORFEx(qcmplx* s, long& n, long base);
void NANDFEx(qcmplx* s, long& n, long base);
void NORFEx(qcmplx* s, long& n, long base);
void notEx(qcmplx* s, long& n, long base);
void cplEx(qcmplx* s, long& n, long base);
void shlEx(qcmplx* s, long& n, long base);
void shrEx(qcmplx* s, long& n, long base);
void rtlEx(qcmplx* s, long& n, long base);
void rtrEx(qcmplx* s, long& n, long base);
void modEx(qcmplx* s, long& n, long base);
// Integer words of the RPN machine (engine/eval/integer_ops.h): -54 for complex operands.
void MODEx(qcmplx* s, long& n, long base);  // |a| mod |b|; -11 not whole, -5 for b = 0
void GCDEx(qcmplx* s, long& n, long base);  // -11 not whole
void LCMEx(qcmplx* s, long& n, long base);  // -35 not whole
void RANEx(qcmplx* s, long& n, long base);  // a random value between a and b
// Combinations and permutations of n = a taken r = b at a time (engine/eval/combinatorics.h); -54, -50 unless
// n > r > 0, -7 when the value does not fit the extended range (-56 when the factorials that fractional
// operands take overflow).
void nCrEx(qcmplx* s, long& n, long base);
void nPrEx(qcmplx* s, long& n, long base);
