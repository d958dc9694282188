// Extended-precision arithmetic on q-type numbers.
//
// A q-type number is 24 unsigned 16-bit words:
//   word 0       sign: 0 positive, any non-zero value (0xFFFF when written by this library) negative
//   word 1       biased exponent; 0 means the number is zero
//   word 2       zero in a stored number
//   words 3..23  336-bit significand, most significant bit first; bit 15 of word 3 is set when non-zero
// The value is 0.s x 2^(e - 16639): 1 has exponent 16640 (0x4100), 2 has 0x4101, 0.5 has 0x40FF.
// Infinity has exponent 33280 (0x8200) and every significand word 0xFFFF. There is no not-a-number: a
// domain error reports through mtherr() and yields the routine's best value (0, infinity, ...).
//
// Argument convention: the result is the last argument and may be one of the inputs; the two-operand
// operations take their operands in reverse order: qadd(a, b, c) sets c = b + a, qsub(a, b, c) sets
// c = b - a, qmul(a, b, c) sets c = b * a and qdiv(a, b, c) sets c = b / a. The complex qcadd, qcsub, qcmul
// and qcdiv follow the same rule.
//
// Basic operations (add, sub, mul, div, sqrt) are correctly rounded to nearest, ties to even; the
// elementary functions are accurate to a few units in the last place. Nothing here allocates. All routines
// share process-wide error state (merror) and run on one thread only.
#pragma once

#include <cstdio>
#include <string>

typedef unsigned short QELT;

// Words in a q-type number.
constexpr int NQ = 24;
// Exponent bias and the exponent of infinity.
constexpr int QEXPBIAS = 16639;
constexpr int QEXPINF = 33280;
// Bits in the significand.
constexpr int QSIGBITS = 336;

// A complex number: real part, then imaginary part.
struct qcmplx {
    QELT r[NQ];
    QELT i[NQ];
};

// Named constants.
extern const QELT qzero[NQ];
extern const QELT qone[NQ];
extern const QELT qtwo[NQ];
extern const QELT qhalf[NQ];
extern const QELT qpi[NQ];
extern const QELT qsqrt2[NQ];
extern const QELT qlog2[NQ];
extern const qcmplx qczero;
extern const qcmplx qcone;

// ---- error reporting --------------------------------------------------------------------------------------

// Library error codes passed to mtherr and kept in merror.
enum {
    QERR_DOMAIN = 1,
    QERR_SING = 2,
    QERR_OVERFLOW = 3,
    QERR_UNDERFLOW = 4,
    QERR_TLOSS = 5,
    QERR_PLOSS = 6,
};

// The last error code reported through mtherr; 0 when none. Stays set until Clearmerror().
extern int merror;

// Message texts of the codes 0..6 ("unknown", "domain", ...).
extern const char* const ermsg[7];

// Where mtherr and asctoq print their messages: standard output unless a program redirects them; null
// drops them (the terminal calculator does, and sends them to standard error with --verbose).
extern FILE* g_qlibMessages;

// Prints "\n<name> <message> error\n" on g_qlibMessages unless it is null (codes outside 1..6 print
// "unknown") and stores code in merror. Returns 0.
int mtherr(const char* name, int code);

// Non-zero when merror is set.
int iserror();

// Sets merror to 0.
void Clearmerror();

// ---- moves and tests ------------------------------------------------------------------------------------

void qmov(const QELT* a, QELT* b);  // b = a
void qclear(QELT* x);               // x = 0
void qinfin(QELT* x);               // x = +infinity
void qabs(QELT* x);                 // x = |x|
void qneg(QELT* x);                 // x = -x (zero stays unsigned)
// -1, 0 or 1 as a < b, a = b, a > b (+0 and -0 compare equal).
int qcmp(const QELT* a, const QELT* b);
// Non-zero when a is zero. The non-const overload keeps the C library's generic iszero() template (visible
// with GNU extensions) from being chosen for a plain QELT array.
int iszero(const QELT* a);
inline int iszero(QELT* a) {
    return iszero(static_cast<const QELT*>(a));
}
// Non-zero when a is (plus or minus) infinity.
int qisinf(const QELT* a);

// ---- arithmetic -----------------------------------------------------------------------------------------

void qadd(const QELT* a, const QELT* b, QELT* c);   // c = b + a
void qsub(const QELT* a, const QELT* b, QELT* c);   // c = b - a
void qmul(const QELT* a, const QELT* b, QELT* c);   // c = b * a
void qmuli(const QELT* a, const QELT* b, QELT* c);  // c = b * a, for an a with a short (integer) significand
void qdiv(const QELT* a, const QELT* b, QELT* c);   // c = b / a; a = 0 reports a singularity (infinity)
// y = largest integer not greater than x.
void qfloor(const QELT* x, QELT* y);
// Splits x into its integer part truncated toward zero, as a 32-bit integer clamped to +-2147483647, and
// its fractional part with x's sign.
void qifrac(const QELT* x, long* i, QELT* frac);

// ---- functions ------------------------------------------------------------------------------------------
// Angles are in radians. Domain errors report code 1 (domain) or 2 (singularity); overflow code 3.

void qsqrt(const QELT* x, QELT* y);                // y = sqrt(x); x < 0 is a domain error (y = 0)
void qexp(const QELT* x, QELT* y);                 // y = e^x
void qlog(const QELT* x, QELT* y);                 // y = ln x; x <= 0 is a domain error
void qpow(const QELT* x, const QELT* y, QELT* z);  // z = x^y (negative x only for integral y)
void qpowi(const QELT* x, long n, QELT* y);        // y = x^n by repeated squaring
// y = n! (1 for n < 2), the integer products taken in the 384-bit working form (exact while they fit), so
// the result is rounded once. Beyond the range it reports an overflow and gives infinity.
void qfac(long n, QELT* y);
void qsin(const QELT* x, QELT* y);
void qcos(const QELT* x, QELT* y);
void qtan(const QELT* x, QELT* y);
void qsinh(const QELT* x, QELT* y);
void qcosh(const QELT* x, QELT* y);
void qtanh(const QELT* x, QELT* y);
void qasin(const QELT* x, QELT* y);  // |x| > 1 is a domain error
void qacos(const QELT* x, QELT* y);
void qatn(const QELT* x, QELT* y);                  // y = arctan x
void qatn2(const QELT* x, const QELT* y, QELT* z);  // z = atan2(y, x), in (-pi, pi]
void qasinh(const QELT* x, QELT* y);
void qacosh(const QELT* x, QELT* y);  // x < 1 is a domain error
void qatanh(const QELT* x, QELT* y);  // |x| >= 1 is a domain error
// y = x reduced modulo pi into [-pi/2, pi/2].
void qredpi(const QELT* x, QELT* y);

// ---- complex --------------------------------------------------------------------------------------------

void qcadd(const qcmplx* a, const qcmplx* b, qcmplx* c);  // c = b + a
void qcsub(const qcmplx* a, const qcmplx* b, qcmplx* c);  // c = b - a
void qcmul(const qcmplx* a, const qcmplx* b, qcmplx* c);  // c = b * a
void qcdiv(const qcmplx* a, const qcmplx* b, qcmplx* c);  // c = b / a; a = 0 reports a singularity
void qcabs(const qcmplx* a, QELT* b);                     // b = |a|
void qcexp(const qcmplx* a, qcmplx* b);
void qclog(const qcmplx* a, qcmplx* b);  // principal branch; a = 0 reports a singularity
void qcsin(const qcmplx* a, qcmplx* b);
void qccos(const qcmplx* a, qcmplx* b);
void qctan(const qcmplx* a, qcmplx* b);
void qcatan(const qcmplx* a, qcmplx* b);
void qcsinh(const qcmplx* a, qcmplx* b);
void qccosh(const qcmplx* a, qcmplx* b);
void qctanh(const qcmplx* a, qcmplx* b);
void qcpow(const qcmplx* a, const qcmplx* b, qcmplx* c);  // c = a^b (0^b = 0)
void qcatanh(const qcmplx* a, qcmplx* b);
void qcsqrt(const qcmplx* a, qcmplx* b);
void qcasin(const qcmplx* a, qcmplx* b);
void qcasinh(const qcmplx* a, qcmplx* b);
void qcacos(const qcmplx* a, qcmplx* b);
void qcacosh(const qcmplx* a, qcmplx* b);

// ---- conversions ----------------------------------------------------------------------------------------

// Exact conversion of a finite double (subnormals normalised; infinities give q infinity).
void etoq(double d, QELT* q);
// Rounds to the nearest double, ties to even. Exponents too small give a signed zero; too large report
// mtherr("qtoe", 3) and give the largest finite double with the number's sign.
void qtoe(const QELT* q, double* d);
void myetoq(double d, QELT* q);
void myqtoe(const QELT* q, double* d);
// Exact conversion of a signed 32-bit integer.
void ltoq(long l, QELT* q);

// Size that always holds the text written by qtoascex (99 digits, sign, point, exponent, terminator).
constexpr int QTOASCEX_SIZE = 128;
// Size that always holds the text written by qtoasc for any finite or infinite q-type number.
constexpr int QTOASC_SIZE = 5200;

// Scientific text with n digits after the point (n clamped to 0..99), correctly rounded (ties to even):
// a sign position ('-' or blank), the leading digit, '.', n digits and "E<exponent>", e.g. " 1.0000E0",
// "-1.235E-4". Infinity is written " INFINITY" or "-INFINITY". text must hold QTOASCEX_SIZE bytes.
void qtoascex(const QELT* x, char* text, int n);
// The digits of qtoascex in positional form with trailing zeros and a trailing point removed: " 2.5",
// " 100", " 0", "-0.001". text must hold QTOASC_SIZE bytes (the form has one character per decimal place
// of the exponent; callers use it for moderate exponents).
void qtoasc(const QELT* x, char* text, int n);
// The same texts as owned strings.
std::string qtoascex_str(const QELT* x, int n);
std::string qtoasc_str(const QELT* x, int n);
// Reads decimal text: blanks, an optional sign, digits with at most one point, an optional exponent
// (E or e, optional sign, digits). The text ends at its terminator, '\n' or '\r'. At most 99 significant
// digits are used; further integer digits still count in the magnitude. A malformed text prints
// "asctoq conversion error" on g_qlibMessages (unless null) and gives 0; a decimal exponent of 8192 or more
// gives infinity with mtherr("asctoq", 3), one below -8191 gives 0.
void asctoq(const char* text, QELT* q);
