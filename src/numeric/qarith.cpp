// Arithmetic on the 384-bit working form.
#include <cmath>
#include <cstring>

#include <x86intrin.h>

#include "numeric/qlib_internal.h"
#include "numeric/qlimb.h"

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

// Product of two six-limb numbers column by column, from column First on (lower columns are skipped and
// read as zero). p receives all twelve limbs.
template <int First, int N = L>
inline void mul_columns(const u64* a, const u64* b, u64* p) {
    u64 c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 16
    for (int k = 0; k < First; ++k) p[k] = 0;
#pragma GCC unroll 16
    for (int k = First; k < 2 * N - 1; ++k) {
        const int lo = k - N + 1 > 0 ? k - N + 1 : 0, hi = k < N - 1 ? k : N - 1;
#pragma GCC unroll 8
        for (int i = lo; i <= hi; ++i) mac(a[i], b[k - i], c0, c1, c2);
        p[k] = c0;
        c0 = c1;
        c1 = c2;
        c2 = 0;
    }
    p[2 * N - 1] = c0;
}

}  // namespace

Xf mul(const Xf& a, const Xf& b, bool* sticky) {
    Xf r;
    r.neg = a.neg != b.neg;
    if (a.cls != kFinite || b.cls != kFinite) {
        if (sticky) *sticky = false;
        if (a.cls == kZero || b.cls == kZero) return zero();
        return inf(r.neg);
    }
    u64 p[2 * L];
    long e = static_cast<long>(a.e) + b.e;
    r.cls = kFinite;
    if (!sticky) {
        // Working precision: the columns below the fifth change the product by less than 2^-440 of it,
        // and only the top seven limbs are looked at.
        mul_columns<L - 1>(a.m, b.m, p);
        if (p[2 * L - 1] >> 63) {
            for (int i = 0; i < L; ++i) r.m[i] = p[L + i];
        } else {
            for (int i = 0; i < L; ++i) r.m[i] = (p[L + i] << 1) | (p[L + i - 1] >> 63);
            e -= 1;
        }
        r.e = static_cast<std::int32_t>(e);
        return r;
    }
    mul_columns<0>(a.m, b.m, p);  // exact: the rounding into the stored form needs every bit
    if (!(p[2 * L - 1] >> 63)) {
        for (int i = 2 * L - 1; i > 0; --i) p[i] = (p[i] << 1) | (p[i - 1] >> 63);
        p[0] <<= 1;
        e -= 1;
    }
    std::memcpy(r.m, p + L, sizeof r.m);
    r.e = static_cast<std::int32_t>(e);
    bool st = false;
    for (int i = 0; i < L; ++i) st |= p[i] != 0;
    *sticky = st;
    return r;
}

Xf sqr(const Xf& a) {
    return mul(a, a);
}

namespace {

// floor((2^128 - 1) / d) - 2^64 for a normalised d: the reciprocal that turns a 2-by-1 division into
// multiplications (Moller and Granlund, "Improved division by invariant integers").
inline u64 reciprocal(u64 d) {
    u64 r;
    return div128(~d, ~u64(0), d, &r);
}

// (nh, nl) / d with nh < d, given v = reciprocal(d).
inline u64 div2by1(u64 nh, u64 nl, u64 d, u64 v, u64* rem) {
    u128 q = static_cast<u128>(v) * nh + ((static_cast<u128>(nh) << 64) | nl);
    u64 qh = static_cast<u64>(q >> 64) + 1, ql = static_cast<u64>(q);
    u64 r = nl - qh * d;
    if (r > ql) {
        --qh;
        r += d;
    }
    if (r >= d) {
        ++qh;
        r -= d;
    }
    *rem = r;
    return qh;
}

// u[0..n] -= q * v[0..n-1]; returns the final borrow out of u[n] (0 or 1).
inline u64 submul(u64* u, const u64* v, int n, u64 q) {
    u64 carry = 0;
    for (int i = 0; i < n; ++i) {
#if defined(__x86_64__) && !defined(__clang__)
        u64 lo = v[i], hi;
        __asm__("mulq %[q]\n\taddq %[c], %%rax\n\tadcq $0, %%rdx\n\tsubq %%rax, %[u]\n\tadcq $0, %%rdx"
                : "+a"(lo), "=&d"(hi), [u] "+m"(u[i])
                : [q] "r"(q), [c] "r"(carry)
                : "cc");
        carry = hi;
#else
        u128 p = static_cast<u128>(q) * v[i] + carry;
        u64 pl = static_cast<u64>(p);
        carry = static_cast<u64>(p >> 64) + (u[i] < pl ? 1 : 0);
        u[i] -= pl;
#endif
    }
    u64 top = u[n];
    u[n] = top - carry;
    return top < carry ? 1 : 0;
}

inline void addback(u64* u, const u64* v, int n) {
    unsigned char c = 0;
    for (int i = 0; i < n; ++i)
        c = _addcarry_u64(c, u[i], v[i], reinterpret_cast<unsigned long long*>(&u[i]));
    u[n] += c;
}

// Top `K` limbs of a times top `K` limbs of b (the rest read as zero), for the low-precision steps of an
// iteration: only K * K limb products.
template <int K>
Xf mul_top(const Xf& a, const Xf& b) {
    if (a.cls != kFinite || b.cls != kFinite) return mul(a, b);
    u64 p[2 * K];
    mul_columns<0, K>(a.m + (L - K), b.m + (L - K), p);
    Xf r{};
    long e = static_cast<long>(a.e) + b.e;
    if (!(p[2 * K - 1] >> 63)) {
        for (int i = 2 * K - 1; i > 0; --i) p[i] = (p[i] << 1) | (p[i - 1] >> 63);
        p[0] <<= 1;
        e -= 1;
    }
    const int n = 2 * K < L ? 2 * K : L;
    for (int i = 0; i < n; ++i) r.m[L - 1 - i] = p[2 * K - 1 - i];
    r.e = static_cast<std::int32_t>(e);
    r.neg = a.neg != b.neg;
    r.cls = kFinite;
    return r;
}

}  // namespace

Xf div(const Xf& a, const Xf& b, bool* sticky) {
    if (sticky) *sticky = false;
    bool ng = a.neg != b.neg;
    if (a.cls == kInf) return inf(ng);
    if (a.cls == kZero || b.cls == kInf) return zero();
    if (b.cls == kZero) return inf(ng);
    // Long division of A * 2^384 by B (both normalised six-limb significands): the quotient's top bit is
    // A >= B, then six limb digits, each estimated from the divisor's top limb by a reciprocal and
    // corrected with the next one.
    const u64* v = b.m;
    u64 u[2 * L + 1];
    for (int i = 0; i < L; ++i) u[i] = 0;
    for (int i = 0; i < L; ++i) u[L + i] = a.m[i];
    u[2 * L] = 0;
    const bool top = cmp_limbs(a.m, v, L) >= 0;
    if (top) {
        unsigned char c = 0;
        for (int i = 0; i < L; ++i)
            c = _subborrow_u64(c, u[L + i], v[i], reinterpret_cast<unsigned long long*>(&u[L + i]));
    }
    const u64 vinv = reciprocal(v[L - 1]);
    u64 q[L];
    for (int j = L - 1; j >= 0; --j) {
        u64 qhat, rhat;
        bool rhat_big = false;
        if (u[j + L] >= v[L - 1]) {
            qhat = ~u64(0);
            u128 r = (static_cast<u128>(u[j + L]) << 64 | u[j + L - 1]) - static_cast<u128>(qhat) * v[L - 1];
            rhat_big = (r >> 64) != 0;
            rhat = static_cast<u64>(r);
        } else {
            qhat = div2by1(u[j + L], u[j + L - 1], v[L - 1], vinv, &rhat);
        }
        while (!rhat_big &&
               static_cast<u128>(qhat) * v[L - 2] > (static_cast<u128>(rhat) << 64 | u[j + L - 2])) {
            --qhat;
            u128 t = static_cast<u128>(rhat) + v[L - 1];
            rhat = static_cast<u64>(t);
            rhat_big = (t >> 64) != 0;
        }
        if (submul(u + j, v, L, qhat)) {
            --qhat;  // one v too many
            addback(u + j, v, L);
        }
        q[j] = qhat;
    }
    bool rem = false;
    for (int i = 0; i < L; ++i) rem |= u[i] != 0;
    Xf r;
    r.cls = kFinite;
    r.neg = ng;
    r.e = a.e - b.e;
    if (top) {
        rem |= (q[0] & 1) != 0;
        for (int i = 0; i < L - 1; ++i) r.m[i] = (q[i] >> 1) | (q[i + 1] << 63);
        r.m[L - 1] = (q[L - 1] >> 1) | (u64(1) << 63);
        r.e += 1;
    } else {
        std::memcpy(r.m, q, sizeof r.m);
    }
    if (sticky) *sticky = rem;
    return r;
}

namespace {

// r = a + b over n limbs; returns the carry.
u64 add_n(u64* r, const u64* a, const u64* b, int n) {
    unsigned char c = 0;
    for (int i = 0; i < n; ++i)
        c = _addcarry_u64(c, a[i], b[i], reinterpret_cast<unsigned long long*>(&r[i]));
    return c;
}

// r = a - b over n limbs; returns the borrow.
u64 sub_n(u64* r, const u64* a, const u64* b, int n) {
    unsigned char c = 0;
    for (int i = 0; i < n; ++i)
        c = _subborrow_u64(c, a[i], b[i], reinterpret_cast<unsigned long long*>(&r[i]));
    return c;
}

void add_1(u64* r, int n, u64 v) {
    for (int i = 0; i < n && v; ++i) {
        r[i] += v;
        v = r[i] < v ? 1 : 0;
    }
}

void sub_1(u64* r, int n, u64 v) {
    for (int i = 0; i < n && v; ++i) {
        u64 old = r[i];
        r[i] -= v;
        v = old < v ? 1 : 0;
    }
}

bool negative(const u64* r, int n) {
    return (r[n - 1] >> 63) != 0;
}

// Knuth's long division of u (un limbs) by the normalised v (vn limbs, top bit set): q receives
// un - vn + 1 limbs, u the remainder (its low vn limbs).
void divrem(u64* u, int un, const u64* v, int vn, u64* q) {
    const u64 vinv = reciprocal(v[vn - 1]);
    u64 w[16];
    for (int i = 0; i < un; ++i) w[i] = u[i];
    w[un] = 0;
    for (int j = un - vn; j >= 0; --j) {
        u64 qhat, rhat;
        bool rhat_big = false;
        if (w[j + vn] >= v[vn - 1]) {
            qhat = ~u64(0);
            u128 r =
                (static_cast<u128>(w[j + vn]) << 64 | w[j + vn - 1]) - static_cast<u128>(qhat) * v[vn - 1];
            rhat_big = (r >> 64) != 0;
            rhat = static_cast<u64>(r);
        } else {
            qhat = div2by1(w[j + vn], w[j + vn - 1], v[vn - 1], vinv, &rhat);
        }
        while (!rhat_big && vn >= 2 &&
               static_cast<u128>(qhat) * v[vn - 2] > (static_cast<u128>(rhat) << 64 | w[j + vn - 2])) {
            --qhat;
            u128 t = static_cast<u128>(rhat) + v[vn - 1];
            rhat = static_cast<u64>(t);
            rhat_big = (t >> 64) != 0;
        }
        if (submul(w + j, v, vn, qhat)) {
            --qhat;
            addback(w + j, v, vn);
        }
        q[j] = qhat;
    }
    for (int i = 0; i < vn; ++i) u[i] = w[i];
}

// Square root with remainder of a 2H-limb n whose top two bits are not both zero (Zimmermann's
// recursive method): s receives H limbs, r = n - s^2 (0 <= r <= 2s) H + 1 limbs.
template <int H>
void sqrtrem(const u64* n, u64* s, u64* r) {
    if constexpr (H == 1) {
        const u128 v = static_cast<u128>(n[1]) << 64 | n[0];
        // A double start, one Newton step in 128 bits, then at most a few unit steps.
        // The root lies in [2^63, 2^64); keep every estimate there (a double near 2^64 would not convert).
        double d = std::sqrt(static_cast<double>(n[1]) * 0x1p64);
        u64 x = d >= 0x1p64 ? ~u64(0) : (d < 0x1p63 ? u64(1) << 63 : static_cast<u64>(d));
        u128 nx = (static_cast<u128>(x) + v / x) >> 1;
        x = nx >> 64 ? ~u64(0) : static_cast<u64>(nx);
        while (static_cast<u128>(x) * x > v) --x;
        while (x != ~u64(0) && static_cast<u128>(x + 1) * (x + 1) <= v) ++x;
        u128 rem = v - static_cast<u128>(x) * x;
        s[0] = x;
        r[0] = static_cast<u64>(rem);
        r[1] = static_cast<u64>(rem >> 64);
    } else {
        constexpr int K = H / 2;  // n = a3 B^3 + a2 B^2 + a1 B + a0 with B = 2^(64K)
        u64 s1[K], r1[K + 1];
        sqrtrem<K>(n + 2 * K, s1, r1);
        // q, u = (r1 B + a1) divmod 2 s1, with the divisor shifted to have its top bit set.
        u64 num[2 * K + 2] = {};
        for (int i = 0; i < K; ++i) num[i] = n[K + i];
        for (int i = 0; i <= K; ++i) num[K + i] = r1[i];
        u64 d[K + 1];
        u64 carry = 0;
        for (int i = 0; i < K; ++i) {
            d[i] = (s1[i] << 1) | carry;
            carry = s1[i] >> 63;
        }
        d[K] = carry;
        shl_limbs(num, 2 * K + 2, 63);
        shl_limbs(d, K + 1, 63);
        u64 q[K + 2] = {};
        divrem(num, 2 * K + 2, d, K + 1, q);
        u64 u[K + 2] = {};
        for (int i = 0; i <= K; ++i) u[i] = num[i];
        shr_limbs(u, K + 2, 63);
        // s = s1 B + q (q <= B), r = u B + a0 - q^2. s may reach B^2 before the final correction, so it is
        // built one limb wider.
        u64 sx[H + 1] = {};
        for (int i = 0; i < K; ++i) sx[i] = q[i];
        for (int i = 0; i < K; ++i) sx[K + i] = s1[i];
        add_1(sx + K, K + 1, q[K]);
        constexpr int RN = 2 * K + 3;
        u64 R[RN] = {};
        for (int i = 0; i < K; ++i) R[i] = n[i];
        for (int i = 0; i <= K; ++i) R[K + i] = u[i];
        u64 qq[2 * K + 2] = {};
        mul_columns<0, K + 1>(q, q, qq);
        u64 qq_wide[RN] = {};
        for (int i = 0; i < 2 * K + 2; ++i) qq_wide[i] = qq[i];
        sub_n(R, R, qq_wide, RN);
        if (negative(R, RN)) {
            // r += 2s - 1, s -= 1
            u64 t[RN] = {};
            for (int i = 0; i <= H; ++i) t[i] = sx[i];
            add_n(R, R, t, RN);
            add_n(R, R, t, RN);
            sub_1(R, RN, 1);
            sub_1(sx, H + 1, 1);
        }
        for (int i = 0; i < H; ++i) s[i] = sx[i];
        for (int i = 0; i <= H; ++i) r[i] = R[i];
    }
}

// s = floor(sqrt(M)) (3 limbs) and r = M - s^2 (4 limbs) for a 6-limb M >= 2^382: the 4-limb root of
// M * 2^128 has s as its top three limbs.
void sqrtrem6(const u64* M, u64* s, u64* r) {
    u64 n8[8] = {0, 0, M[0], M[1], M[2], M[3], M[4], M[5]};
    u64 s4[4], r4[5];
    sqrtrem<4>(n8, s4, r4);
    s[0] = s4[1];
    s[1] = s4[2];
    s[2] = s4[3];
    u64 sq[6], R[7], M7[7] = {M[0], M[1], M[2], M[3], M[4], M[5], 0};
    mul_columns<0, 3>(s, s, sq);
    u64 sq7[7] = {sq[0], sq[1], sq[2], sq[3], sq[4], sq[5], 0};
    sub_n(R, M7, sq7, 7);
    for (int i = 0; i < 4; ++i) r[i] = R[i];
}

}  // namespace

Xf sqrt(const Xf& a, bool* sticky) {
    if (sticky) *sticky = false;
    if (a.cls != kFinite) return a;
    // With a = A / 2^384 * 2^ea, the root is S / 2^384 * 2^k where S = floor(sqrt(N)) and N = A * 2^384,
    // k = ea / 2 for an even exponent, N = A * 2^383, k = (ea + 1) / 2 for an odd one. S comes from one
    // step of Zimmermann's recursive square root on the limb halves of N: the root s1 and remainder r1 of
    // the top half, then q = (r1 * 2^192 + next quarter) / (2 s1), S = s1 * 2^192 + q and the remainder
    // R = (that division's remainder) * 2^192 + last quarter - q^2, corrected once if negative.
    const int odd = a.e & 1;
    u64 N[2 * L] = {};
    for (int i = 0; i < L; ++i) N[L + i] = a.m[i];
    if (odd) {
        for (int i = 0; i < 2 * L - 1; ++i) N[i] = (N[i] >> 1) | (N[i + 1] << 63);
        N[2 * L - 1] >>= 1;
    }
    u64 s1[3], r1[4];
    sqrtrem6(N + L, s1, r1);
    // Numerator r1 * 2^192 + N[3..5] and divisor 2 s1 (193 bits), both shifted left by 63 so that the
    // divisor's top bit is set.
    u64 num[8] = {N[3], N[4], N[5], r1[0], r1[1], r1[2], r1[3], 0};
    u64 d[4] = {s1[0] << 1, (s1[1] << 1) | (s1[0] >> 63), (s1[2] << 1) | (s1[1] >> 63), s1[2] >> 63};
    shl_limbs(num, 8, 63);
    shl_limbs(d, 4, 63);
    u64 q[5] = {};
    divrem(num, 8, d, 4, q);
    u64 u[4];
    {
        // The remainder, shifted back.
        u64 t[5] = {num[0], num[1], num[2], num[3], 0};
        shr_limbs(t, 5, 63);
        for (int i = 0; i < 4; ++i) u[i] = t[i];
    }
    // S = s1 * 2^192 + q (q may reach 2^192, which carries into s1).
    u64 S[L + 1] = {q[0], q[1], q[2], s1[0], s1[1], s1[2], 0};
    add_1(S + 3, 4, q[3]);
    // R = u * 2^192 + N[0..2] - q^2, in 9 limbs (signed).
    u64 R[9] = {N[0], N[1], N[2], u[0], u[1], u[2], u[3], 0, 0};
    u64 qq[8];
    mul_columns<0, 4>(q, q, qq);
    u64 qq9[9] = {qq[0], qq[1], qq[2], qq[3], qq[4], qq[5], qq[6], qq[7], 0};
    sub_n(R, R, qq9, 9);
    if (negative(R, 9)) {
        // R += 2S - 1, S -= 1
        u64 t[9] = {};
        for (int i = 0; i < L + 1; ++i) t[i] = S[i];
        add_n(R, R, t, 9);
        add_n(R, R, t, 9);
        sub_1(R, 9, 1);
        sub_1(S, L + 1, 1);
    }
    bool exact = true;
    for (int i = 0; i < 9; ++i) exact &= R[i] == 0;
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
