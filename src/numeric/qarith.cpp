// Arithmetic on the 384-bit working form.
#include <cmath>
#include <cstring>

#include <x86intrin.h>

#include "numeric/qlib_internal.h"

namespace qx {

namespace {

inline int clz64(u64 v) {
    return v ? __builtin_clzll(v) : 64;
}

// 128-by-64-bit division; requires hi < d.
inline u64 div128(u64 hi, u64 lo, u64 d, u64* rem) {
#if defined(__x86_64__)
    u64 q, r;
    __asm__("divq %4" : "=a"(q), "=d"(r) : "a"(lo), "d"(hi), "rm"(d) : "cc");
    *rem = r;
    return q;
#else
    u128 n = (static_cast<u128>(hi) << 64) | lo;
    *rem = static_cast<u64>(n % d);
    return static_cast<u64>(n / d);
#endif
}

// Shifts the n-limb number w left by s bits (0 <= s < 64 * n).
void shl_limbs(u64* w, int n, int s) {
    int ls = s / 64, bs = s % 64;
    if (ls) {
        for (int i = n - 1; i >= 0; --i) w[i] = i - ls >= 0 ? w[i - ls] : 0;
    }
    if (bs) {
        for (int i = n - 1; i > 0; --i) w[i] = (w[i] << bs) | (w[i - 1] >> (64 - bs));
        w[0] <<= bs;
    }
}

// Shifts the n-limb number w right by s bits; returns true when a non-zero bit was shifted out.
bool shr_limbs(u64* w, int n, long s) {
    if (s <= 0) return false;
    bool lost = false;
    if (s >= 64L * n) {
        for (int i = 0; i < n; ++i) {
            lost |= w[i] != 0;
            w[i] = 0;
        }
        return lost;
    }
    int ls = static_cast<int>(s / 64), bs = static_cast<int>(s % 64);
    for (int i = 0; i < ls; ++i) lost |= w[i] != 0;
    if (ls) {
        for (int i = 0; i < n; ++i) w[i] = i + ls < n ? w[i + ls] : 0;
    }
    if (bs) {
        lost |= (w[0] & ((u64(1) << bs) - 1)) != 0;
        for (int i = 0; i < n - 1; ++i) w[i] = (w[i] >> bs) | (w[i + 1] << (64 - bs));
        w[n - 1] >>= bs;
    }
    return lost;
}

// Leading zero bits of an n-limb number (64 * n for zero).
int clz_limbs(const u64* w, int n) {
    for (int i = n - 1; i >= 0; --i)
        if (w[i]) return (n - 1 - i) * 64 + clz64(w[i]);
    return 64 * n;
}

int cmp_limbs(const u64* a, const u64* b, int n) {
    for (int i = n - 1; i >= 0; --i)
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    return 0;
}

// Makes a finite value from an n-limb magnitude (n >= L) whose value is w / 2^(64n) * 2^e: normalises and
// keeps the top L limbs; lower non-zero bits go to *sticky.
Xf from_limbs(u64* w, int n, long e, bool neg, bool* sticky) {
    Xf r;
    int lz = clz_limbs(w, n);
    if (lz == 64 * n) {
        r = zero();
        return r;
    }
    if (lz) shl_limbs(w, n, lz);
    bool st = false;
    for (int i = 0; i < n - L; ++i) st |= w[i] != 0;
    std::memcpy(r.m, w + (n - L), sizeof r.m);
    r.e = static_cast<std::int32_t>(e - lz);
    r.neg = neg;
    r.cls = kFinite;
    if (sticky) *sticky = st;
    return r;
}

// Magnitude sum or difference of finite a and b with |a| >= |b|, in seven limbs (one guard limb).
Xf add_mag(const Xf& a, const Xf& b, bool subtract, bool neg, bool* sticky) {
    using ull = unsigned long long;
    u64 bw[L + 1];
    const long d = static_cast<long>(a.e) - b.e;
    bool st = false;
    if (d < 64) {
        // The common case: the shifted operand fits the seven limbs without loss.
        if (d == 0) {
            bw[0] = 0;
            for (int i = 0; i < L; ++i) bw[i + 1] = b.m[i];
        } else {
            const int r = static_cast<int>(d), l = 64 - r;
            bw[0] = b.m[0] << l;
            for (int i = 0; i < L - 1; ++i) bw[i + 1] = (b.m[i] >> r) | (b.m[i + 1] << l);
            bw[L] = b.m[L - 1] >> r;
        }
    } else {
        bw[0] = 0;
        std::memcpy(bw + 1, b.m, sizeof b.m);
        st = shr_limbs(bw, L + 1, d);
    }
    u64 w[L + 1];
    long e = a.e;
    Xf r;
    r.neg = neg;
    r.cls = kFinite;
    if (!subtract) {
        unsigned char c = 0;
        w[0] = bw[0];
        for (int i = 0; i < L; ++i)
            c = _addcarry_u64(c, a.m[i], bw[i + 1], reinterpret_cast<ull*>(&w[i + 1]));
        if (c) {
            st |= (w[0] & 1) != 0;
            for (int i = 0; i < L; ++i) w[i] = (w[i] >> 1) | (w[i + 1] << 63);
            w[L] = (w[L] >> 1) | (u64(1) << 63);
            e += 1;
        }
        std::memcpy(r.m, w + 1, sizeof r.m);
        r.e = static_cast<std::int32_t>(e);
        if (sticky) *sticky = st || w[0] != 0;
        return r;
    }
    // The true subtrahend exceeds bw by less than one guard unit when bits were lost: subtracting one more
    // unit keeps the truncated difference below the true one, and the rest stays sticky.
    unsigned char c = _subborrow_u64(0, 0, bw[0], reinterpret_cast<ull*>(&w[0]));
    if (st) {
        unsigned char c2 = _subborrow_u64(0, w[0], 1, reinterpret_cast<ull*>(&w[0]));
        c |= c2;
    }
    for (int i = 0; i < L; ++i) c = _subborrow_u64(c, a.m[i], bw[i + 1], reinterpret_cast<ull*>(&w[i + 1]));
    if (w[L] >> 63) {  // no cancellation
        std::memcpy(r.m, w + 1, sizeof r.m);
        r.e = static_cast<std::int32_t>(e);
        if (sticky) *sticky = st || w[0] != 0;
        return r;
    }
    bool st2 = false;
    r = from_limbs(w, L + 1, e, neg, &st2);
    if (sticky) *sticky = st || st2;
    return r;
}

}  // namespace

Xf zero() {
    Xf r{};
    r.cls = kZero;
    return r;
}

Xf one() {
    return from_u64(1);
}

Xf inf(bool negative) {
    Xf r{};
    r.cls = kInf;
    r.neg = negative;
    return r;
}

Xf from_u64(u64 v) {
    if (!v) return zero();
    Xf r{};
    int lz = clz64(v);
    r.m[L - 1] = v << lz;
    r.e = 64 - lz;
    r.cls = kFinite;
    return r;
}

Xf from_i64(std::int64_t v) {
    u64 mag = v < 0 ? u64(0) - static_cast<u64>(v) : static_cast<u64>(v);
    Xf r = from_u64(mag);
    if (v < 0) r.neg = 1;
    return r;
}

Xf from_double(double d) {
    if (d == 0 || std::isnan(d)) return zero();
    if (std::isinf(d)) return inf(d < 0);
    int ex;
    double f = std::frexp(std::fabs(d), &ex);  // f in [0.5, 1)
    u64 bits = static_cast<u64>(std::ldexp(f, 64));
    Xf r = from_u64(bits);
    r.e = ex;
    r.neg = d < 0;
    return r;
}

double to_double(const Xf& x) {
    if (x.cls == kZero) return 0.0;
    if (x.cls == kInf) return x.neg ? -HUGE_VAL : HUGE_VAL;
    double top = static_cast<double>(x.m[L - 1]) + std::ldexp(static_cast<double>(x.m[L - 2]), -64);
    int e = x.e - 64;
    if (x.e > 5000) return x.neg ? -HUGE_VAL : HUGE_VAL;
    if (x.e < -5000) return 0.0;
    double v = std::ldexp(top, e);
    return x.neg ? -v : v;
}

int cmp_abs(const Xf& a, const Xf& b) {
    if (a.cls != kFinite || b.cls != kFinite) {
        int ra = a.cls == kZero ? 0 : (a.cls == kInf ? 2 : 1);
        int rb = b.cls == kZero ? 0 : (b.cls == kInf ? 2 : 1);
        return ra < rb ? -1 : (ra > rb ? 1 : 0);
    }
    if (a.e != b.e) return a.e < b.e ? -1 : 1;
    return cmp_limbs(a.m, b.m, L);
}

int cmp(const Xf& a, const Xf& b) {
    bool az = a.cls == kZero, bz = b.cls == kZero;
    if (az && bz) return 0;
    int sa = az ? 0 : (a.neg ? -1 : 1);
    int sb = bz ? 0 : (b.neg ? -1 : 1);
    if (sa != sb) return sa < sb ? -1 : 1;
    int c = cmp_abs(a, b);
    return sa < 0 ? -c : c;
}

Xf add(const Xf& a, const Xf& b, bool* sticky) {
    if (sticky) *sticky = false;
    if (a.cls == kInf || b.cls == kInf) {
        if (a.cls == kInf && b.cls == kInf && a.neg != b.neg) return zero();
        return a.cls == kInf ? a : b;
    }
    if (a.cls == kZero) return b;
    if (b.cls == kZero) return a;
    bool subtract = a.neg != b.neg;
    int c = cmp_abs(a, b);
    if (subtract && c == 0) return zero();
    return c >= 0 ? add_mag(a, b, subtract, a.neg, sticky) : add_mag(b, a, subtract, b.neg, sticky);
}

Xf sub(const Xf& a, const Xf& b, bool* sticky) {
    return add(a, neg(b), sticky);
}

namespace {

// Adds the 128-bit product x*y into the three-limb column accumulator (c0, c1, c2).
inline void mac(u64 x, u64 y, u64& c0, u64& c1, u64& c2) {
#if defined(__x86_64__) && !defined(__clang__)
    // GCC turns the portable form into long carry shuffles; this is the four-instruction column step.
    u64 hi;
    __asm__("mulq %[y]\n\taddq %%rax, %[c0]\n\tadcq %%rdx, %[c1]\n\tadcq $0, %[c2]"
            : [c0] "+r"(c0), [c1] "+r"(c1), [c2] "+r"(c2), "+a"(x), "=d"(hi)
            : [y] "rm"(y)
            : "cc");
#else
    u128 t = static_cast<u128>(x) * y;
    u128 s = static_cast<u128>(c0) + static_cast<u64>(t);
    c0 = static_cast<u64>(s);
    u128 s1 = static_cast<u128>(c1) + static_cast<u64>(t >> 64) + static_cast<u64>(s >> 64);
    c1 = static_cast<u64>(s1);
    c2 += static_cast<u64>(s1 >> 64);
#endif
}

// Product of two six-limb numbers column by column, from column First on (lower columns are skipped and
// read as zero). p receives all twelve limbs.
template <int First>
inline void mul_columns(const u64* a, const u64* b, u64* p) {
    u64 c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 16
    for (int k = 0; k < First; ++k) p[k] = 0;
#pragma GCC unroll 16
    for (int k = First; k < 2 * L - 1; ++k) {
        const int lo = k - L + 1 > 0 ? k - L + 1 : 0, hi = k < L - 1 ? k : L - 1;
#pragma GCC unroll 8
        for (int i = lo; i <= hi; ++i) mac(a[i], b[k - i], c0, c1, c2);
        p[k] = c0;
        c0 = c1;
        c1 = c2;
        c2 = 0;
    }
    p[2 * L - 1] = c0;
}

}  // namespace

Xf mul(const Xf& a, const Xf& b, bool* sticky) {
    if (sticky) *sticky = false;
    bool ng = a.neg != b.neg;
    if (a.cls == kZero || b.cls == kZero) return zero();
    if (a.cls == kInf || b.cls == kInf) return inf(ng);
    u64 p[2 * L];
    if (sticky) {
        mul_columns<0>(a.m, b.m, p);  // exact: the rounding into the stored form needs every bit
    } else {
        // Working precision: the columns below the fifth change the product by less than 2^-440 of it.
        mul_columns<L - 1>(a.m, b.m, p);
    }
    long e = static_cast<long>(a.e) + b.e;
    if (!(p[2 * L - 1] >> 63)) {
        for (int i = 2 * L - 1; i > 0; --i) p[i] = (p[i] << 1) | (p[i - 1] >> 63);
        p[0] <<= 1;
        e -= 1;
    }
    Xf r;
    std::memcpy(r.m, p + L, sizeof r.m);
    r.e = static_cast<std::int32_t>(e);
    r.neg = ng;
    r.cls = kFinite;
    if (sticky) {
        bool st = false;
        for (int i = 0; i < L; ++i) st |= p[i] != 0;
        *sticky = st;
    }
    return r;
}

Xf sqr(const Xf& a) {
    return mul(a, a);
}

Xf div(const Xf& a, const Xf& b, bool* sticky) {
    if (sticky) *sticky = false;
    bool ng = a.neg != b.neg;
    if (a.cls == kInf) return inf(ng);
    if (a.cls == kZero || b.cls == kInf) return zero();
    if (b.cls == kZero) return inf(ng);
    // Knuth's algorithm D on u = A * 2^384 (twelve limbs) by v = B (six limbs, already normalised).
    const int n = L, m = L;
    u64 u[2 * L + 1];
    for (int i = 0; i < L; ++i) u[i] = 0;
    for (int i = 0; i < L; ++i) u[L + i] = a.m[i];
    u[2 * L] = 0;
    const u64* v = b.m;
    u64 q[L + 1];
    for (int j = m; j >= 0; --j) {
        u64 qhat, rhat;
        bool rhat_big = false;
        if (u[j + n] >= v[n - 1]) {
            // qhat would overflow a limb: take the largest digit, with its remainder.
            qhat = ~u64(0);
            u128 r = (static_cast<u128>(u[j + n]) << 64 | u[j + n - 1]) - static_cast<u128>(qhat) * v[n - 1];
            rhat_big = (r >> 64) != 0;
            rhat = static_cast<u64>(r);
        } else {
            qhat = div128(u[j + n], u[j + n - 1], v[n - 1], &rhat);
        }
        while (!rhat_big &&
               static_cast<u128>(qhat) * v[n - 2] > (static_cast<u128>(rhat) << 64 | u[j + n - 2])) {
            --qhat;
            u128 t = static_cast<u128>(rhat) + v[n - 1];
            rhat = static_cast<u64>(t);
            rhat_big = (t >> 64) != 0;
        }
        // u[j .. j+n] -= qhat * v
        u64 borrow = 0, carry = 0;
        for (int i = 0; i < n; ++i) {
            u128 p = static_cast<u128>(qhat) * v[i] + carry;
            carry = static_cast<u64>(p >> 64);
            u64 pl = static_cast<u64>(p);
            u128 t = static_cast<u128>(u[i + j]) - pl - borrow;
            u[i + j] = static_cast<u64>(t);
            borrow = static_cast<u64>(t >> 64) ? 1 : 0;
        }
        u128 t = static_cast<u128>(u[j + n]) - carry - borrow;
        u[j + n] = static_cast<u64>(t);
        if (static_cast<u64>(t >> 64)) {
            // Subtracted one v too many: add it back.
            --qhat;
            u64 c = 0;
            for (int i = 0; i < n; ++i) {
                u128 s = static_cast<u128>(u[i + j]) + v[i] + c;
                u[i + j] = static_cast<u64>(s);
                c = static_cast<u64>(s >> 64);
            }
            u[j + n] += c;
        }
        q[j] = qhat;
    }
    bool rem = false;
    for (int i = 0; i < n; ++i) rem |= u[i] != 0;
    bool st = false;
    Xf r = from_limbs(q, L + 1, static_cast<long>(a.e) - b.e + 64, ng, &st);
    if (sticky) *sticky = st || rem;
    return r;
}

namespace {

// out (2n limbs) = x^2 for an n-limb x.
void square_limbs(const u64* x, int n, u64* out) {
    for (int i = 0; i < 2 * n; ++i) out[i] = 0;
    for (int i = 0; i < n; ++i) {
        u64 carry = 0;
        for (int j = 0; j < n; ++j) {
            u128 t = static_cast<u128>(x[i]) * x[j] + out[i + j] + carry;
            out[i + j] = static_cast<u64>(t);
            carry = static_cast<u64>(t >> 64);
        }
        out[i + n] = carry;
    }
}

}  // namespace

Xf sqrt(const Xf& a, bool* sticky) {
    if (sticky) *sticky = false;
    if (a.cls != kFinite) return a;
    // With a = A / 2^384 * 2^ea, the root is S / 2^384 * 2^k where S = floor(sqrt(N)) and
    // N = A * 2^384, k = ea / 2 for an even exponent, N = A * 2^383, k = (ea + 1) / 2 for an odd one.
    // Newton's iteration for the reciprocal root gives S to a few units; an exact integer check fixes it.
    const int odd = a.e & 1;
    Xf am = a;
    am.neg = 0;
    am.e = odd ? -1 : 0;  // am = N / 2^768, in [0.25, 1)
    Xf r = from_double(1.0 / std::sqrt(to_double(am)));
    const Xf three = from_u64(3);
    for (int it = 0; it < 3; ++it) r = ldexp(mul(r, sub(three, mul(am, sqr(r)))), -1);
    Xf s = mul(am, r);

    constexpr int W = L + 1;  // S may briefly reach 2^384 while it is being corrected
    u64 N[2 * W] = {};
    for (int i = 0; i < L; ++i) N[L + i] = a.m[i];
    if (odd) shr_limbs(N, 2 * W, 1);
    u64 S[W] = {};
    std::memcpy(S, s.m, sizeof s.m);
    if (s.e > 0) {
        shl_limbs(S, W, s.e);
    } else if (s.e < 0) {
        shr_limbs(S, W, -s.e);
    }
    u64 sq[2 * W], R[2 * W];
    bool exact = false;
    for (;;) {
        square_limbs(S, W, sq);
        if (cmp_limbs(sq, N, 2 * W) > 0) {
            for (int i = 0; i < W; ++i)
                if (S[i]-- != 0) break;
            continue;
        }
        u64 borrow = 0;
        for (int i = 0; i < 2 * W; ++i) {
            u128 t = static_cast<u128>(N[i]) - sq[i] - borrow;
            R[i] = static_cast<u64>(t);
            borrow = static_cast<u64>(t >> 64) ? 1 : 0;
        }
        // (S + 1)^2 <= N exactly when R >= 2S + 1, i.e. R > 2S.
        u64 S2[2 * W] = {};
        u64 c = 0;
        for (int i = 0; i < W; ++i) {
            S2[i] = (S[i] << 1) | c;
            c = S[i] >> 63;
        }
        S2[W] = c;
        if (cmp_limbs(R, S2, 2 * W) > 0) {
            for (int i = 0; i < W; ++i)
                if (++S[i] != 0) break;
            continue;
        }
        exact = true;
        for (int i = 0; i < 2 * W; ++i) exact &= R[i] == 0;
        break;
    }
    Xf res;
    res.cls = kFinite;
    res.neg = 0;
    std::memcpy(res.m, S, sizeof res.m);
    res.e = odd ? (a.e + 1) / 2 : a.e / 2;
    if (sticky) *sticky = !exact;
    return res;
}

Xf mul_u64(const Xf& a, u64 k) {
    if (a.cls != kFinite || k == 0) return k == 0 && a.cls != kInf ? zero() : a;
    u64 w[L + 1];
    u64 carry = 0;
    for (int i = 0; i < L; ++i) {
        u128 t = static_cast<u128>(a.m[i]) * k + carry;
        w[i] = static_cast<u64>(t);
        carry = static_cast<u64>(t >> 64);
    }
    w[L] = carry;
    return from_limbs(w, L + 1, static_cast<long>(a.e) + 64, a.neg, nullptr);
}

Xf div_u64(const Xf& a, u64 k) {
    if (a.cls != kFinite) return a;
    int lz = clz64(k);
    u64 kn = k << lz;  // normalised divisor; the quotient is then scaled back by 2^lz
    u64 w[L + 1];
    u64 rem = 0;
    // (a.m * 2^lz) / kn: process a.m shifted by lz into seven limbs.
    u64 src[L + 1];
    std::memcpy(src, a.m, sizeof a.m);
    src[L] = 0;
    if (lz) shl_limbs(src, L + 1, lz);
    for (int i = L; i >= 0; --i) w[i] = div128(rem, src[i], kn, &rem);
    // One more limb of quotient from the remainder for precision.
    u64 ext[L + 2];
    u64 extra = div128(rem, 0, kn, &rem);
    ext[0] = extra;
    for (int i = 0; i <= L; ++i) ext[i + 1] = w[i];
    return from_limbs(ext, L + 2, static_cast<long>(a.e) + 64, a.neg, nullptr);
}

Xf trunc(const Xf& a) {
    if (a.cls != kFinite || a.e >= 384) return a;
    if (a.e <= 0) return zero();
    Xf r = a;
    int frac_bits = 384 - a.e;
    for (int i = 0; i < L; ++i) {
        int lo = i * 64;
        if (lo + 64 <= frac_bits) {
            r.m[i] = 0;
        } else if (lo < frac_bits) {
            r.m[i] &= ~((u64(1) << (frac_bits - lo)) - 1);
        }
    }
    return r;
}

bool is_integer(const Xf& a) {
    if (a.cls != kFinite) return a.cls == kZero;
    if (a.e >= 384) return true;
    if (a.e <= 0) return false;
    Xf t = trunc(a);
    return cmp_limbs(t.m, a.m, L) == 0;
}

Xf floor(const Xf& a) {
    Xf t = trunc(a);
    if (a.cls == kFinite && a.neg && cmp(t, a) != 0) t = sub(t, one());
    return t;
}

Xf round_half_even(const Xf& a) {
    if (a.cls != kFinite || a.e >= 384) return a;
    Xf t = trunc(a);
    Xf f = abs(sub(a, t));
    Xf half = ldexp(one(), -1);
    int c = cmp(f, half);
    bool up = c > 0;
    if (c == 0) {
        bool fits;
        std::int64_t ti = to_i64(t, &fits);
        up = fits ? (ti & 1) != 0 : false;
    }
    if (up) t = a.neg ? sub(t, one()) : add(t, one());
    return t;
}

std::int64_t to_i64(const Xf& a, bool* fits) {
    if (fits) *fits = true;
    if (a.cls == kZero) return 0;
    if (a.cls == kInf || a.e > 63) {
        if (fits) *fits = false;
        return a.neg ? INT64_MIN : INT64_MAX;
    }
    if (a.e <= 0) return 0;
    u64 v = a.m[L - 1] >> (64 - a.e);
    return a.neg ? -static_cast<std::int64_t>(v) : static_cast<std::int64_t>(v);
}

}  // namespace qx
