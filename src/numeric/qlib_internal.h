// Working form of the extended-precision library (not part of its public interface).
//
// Routines unpack q-type numbers into Xf, a 384-bit significand in six 64-bit limbs with a plain int
// exponent, compute there, and round once into the 336 bits of the stored form. The 48 extra bits carry the
// elementary functions' intermediate rounding errors far below the stored precision; the basic operations
// also return a sticky flag so that their final rounding is exact.
#pragma once

#include <cstdint>

#include "numeric/qlib.h"

namespace qx {

constexpr int L = 6;  // limbs of the working significand
using u64 = std::uint64_t;
using u128 = unsigned __int128;

enum : std::uint8_t { kZero = 0, kFinite = 1, kInf = 2 };

// value = (-1)^neg * (m / 2^384) * 2^e. Little-endian limbs: m[L-1] is the most significant and has bit 63
// set for every finite non-zero value. Zero and infinity ignore m and e.
struct Xf {
    u64 m[L];
    std::int32_t e;
    std::uint8_t neg;
    std::uint8_t cls;
};

// ---- stored form ----------------------------------------------------------------------------------------
void unpack(const QELT* q, Xf& x);
// Rounds x to 336 bits (to nearest, ties to even; sticky says that bits below x's 384 were non-zero) and
// stores it. An exponent beyond the stored range gives infinity and reports an overflow as routine name;
// one below it gives zero.
void pack(const Xf& x, QELT* q, bool sticky, const char* name);

// ---- construction -----------------------------------------------------------------------------------------
Xf zero();
Xf one();
Xf inf(bool negative);
Xf from_u64(u64 v);
Xf from_i64(std::int64_t v);
Xf from_double(double d);       // exact for finite d
double to_double(const Xf& x);  // truncated; for estimates only (huge exponents saturate to +-inf, tiny to 0)

// ---- arithmetic (results truncated to 384 bits; *sticky receives "bits were lost") ------------------------
Xf add(const Xf& a, const Xf& b, bool* sticky = nullptr);
Xf sub(const Xf& a, const Xf& b, bool* sticky = nullptr);
Xf mul(const Xf& a, const Xf& b, bool* sticky = nullptr);
Xf sqr(const Xf& a);
Xf div(const Xf& a, const Xf& b, bool* sticky = nullptr);  // b must not be zero
Xf sqrt(const Xf& a, bool* sticky = nullptr);              // a must not be negative
Xf mul_u64(const Xf& a, u64 k);
Xf div_u64(const Xf& a, u64 k);  // k > 0
inline Xf ldexp(Xf a, int k) {
    if (a.cls == kFinite) a.e += k;
    return a;
}
inline Xf neg(Xf a) {
    if (a.cls != kZero) a.neg ^= 1;
    return a;
}
inline Xf abs(Xf a) {
    a.neg = 0;
    return a;
}
inline bool is_zero(const Xf& a) {
    return a.cls == kZero;
}
inline bool is_inf(const Xf& a) {
    return a.cls == kInf;
}
int cmp(const Xf& a, const Xf& b);      // -1, 0, 1
int cmp_abs(const Xf& a, const Xf& b);  // compares magnitudes
Xf trunc(const Xf& a);                  // toward zero
Xf floor(const Xf& a);
Xf round_half_even(const Xf& a);
bool is_integer(const Xf& a);
// Truncates to a signed 64-bit integer; *fits is false when |a| >= 2^63.
std::int64_t to_i64(const Xf& a, bool* fits);

// ---- constants (384-bit, correctly truncated) -------------------------------------------------------------
const Xf& pi();
const Xf& half_pi();
const Xf& ln2();
const Xf& ln10();
// Fractional bits of 2/pi, most significant 64-bit word first; *count receives the number of words.
const u64* two_over_pi_bits(int* count);

// ---- power series
// ------------------------------------------------------------------------------------------ A series sum
// c[k] u^k with its coefficients' log2 magnitudes.
constexpr int kSeriesTerms = 48;
struct Series {
    Xf c[kSeriesTerms];
    double log2c[kSeriesTerms];
};
const Series& exp_series();          // e^s - 1 = s * sum s^k / (k+1)!
const Series& sin_series();          // sin s = s * sum (-s^2)^k / (2k+1)!
const Series& cosm1_series();        // cos s - 1 = s^2 * sum -(-s^2)^k / (2k+2)!
const Series& atan_series_table();   // atan t = t * sum (-t^2)^k / (2k+1)
const Series& atanh_series_table();  // atanh t = t * sum t^(2k) / (2k+1)
// Terms needed so that the first omitted one is below 2^-bits of the leading one, for an argument u.
int series_terms(const Series& s, const Xf& u, int bits);
// sum_{k<n} c[k] u^k by Horner's rule.
Xf horner(const Series& s, int n, const Xf& u);

// ---- elementary functions (relative error a few units of 2^-384 unless noted) -----------------------------
// exp: overflow gives infinity, underflow zero.
Xf exp(const Xf& x);
Xf expm1(const Xf& x);  // e^x - 1, accurate for small x
Xf log(const Xf& x);    // x > 0
Xf log1p(const Xf& x);  // x > -1, accurate for small x
// sin and cos of x (either output may be null). Exact argument reduction for every exponent.
void sincos(const Xf& x, Xf* s, Xf* c);
Xf atan(const Xf& x);
Xf atan2(const Xf& y, const Xf& x);  // in (-pi, pi]
Xf sinh(const Xf& x);
Xf cosh(const Xf& x);
Xf tanh(const Xf& x);
Xf asinh(const Xf& x);
Xf hypot(const Xf& x, const Xf& y);

}  // namespace qx
