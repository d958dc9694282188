// Addition, subtraction and multiplication of stored q-type numbers.
//
// These are the hottest routines of the engine, so the usual case (two finite, normalised operands) is
// done here on plain limbs held in registers; zeros, infinities, damaged operands and results that leave
// the exponent range take the general path through the working form.
#include <cstring>

#include <x86intrin.h>

#include "numeric/qlib_internal.h"
#include "numeric/qlimb.h"

namespace {

using qx::load_limb;
using qx::mac;
using qx::store_limb;
using qx::u128;
using qx::u64;
using ull = unsigned long long;
constexpr int L = qx::L;

// A stored operand that the fast paths accept: finite, non-zero and normalised.
inline bool plain(const QELT* q) {
    return q[1] != 0 && q[1] < QEXPINF && (q[3] & 0x8000);
}

inline void load(const QELT* q, u64* m) {
    m[5] = load_limb(q + 3);
    m[4] = load_limb(q + 7);
    m[3] = load_limb(q + 11);
    m[2] = load_limb(q + 15);
    m[1] = load_limb(q + 19);
    m[0] = static_cast<u64>(q[23]) << 48;
}

// Rounds the 384-bit significand m (top bit set; sticky for lower bits) at bit 48 and stores it with the
// biased exponent be. Returns false, storing nothing, when the exponent leaves the stored range.
inline bool store(u64* m, long be, bool neg, bool sticky, QELT* q) {
    const u64 low = m[0] & 0xFFFFFFFFFFFFull, half = u64(1) << 47;
    m[0] &= ~0xFFFFFFFFFFFFull;
    if (low > half || (low == half && (sticky || ((m[0] >> 48) & 1)))) {
        unsigned char c = _addcarry_u64(0, m[0], u64(1) << 48, reinterpret_cast<ull*>(&m[0]));
        for (int i = 1; i < L; ++i) c = _addcarry_u64(c, m[i], 0, reinterpret_cast<ull*>(&m[i]));
        if (c) {
            m[L - 1] = u64(1) << 63;
            ++be;
        }
    }
    if (be <= 0 || be >= QEXPINF) return false;
    q[0] = neg ? 0xFFFF : 0;
    q[1] = static_cast<QELT>(be);
    q[2] = 0;
    store_limb(m[5], q + 3);
    store_limb(m[4], q + 7);
    store_limb(m[3], q + 11);
    store_limb(m[2], q + 15);
    store_limb(m[1], q + 19);
    q[23] = static_cast<QELT>(m[0] >> 48);
    return true;
}

// c = x + y (y already carrying the sign it is added with), both plain. Returns false when the general
// path must finish the job.
bool add_fast(const QELT* x, bool xneg, const QELT* y, bool yneg, QELT* c) {
    // Order so that |x| >= |y|: by exponent, then by the significand words (most significant first).
    bool swap = y[1] > x[1];
    if (y[1] == x[1]) {
        for (int i = 3; i < NQ; ++i) {
            if (x[i] != y[i]) {
                swap = y[i] > x[i];
                break;
            }
        }
    }
    if (swap) {
        std::swap(x, y);
        std::swap(xneg, yneg);
    }
    long ex = x[1], ey = y[1];
    if (ex - ey > 338) {
        // y is below a quarter of x's last place: the sum rounds to x.
        if (c != x) std::memcpy(c, x, NQ * sizeof(QELT));
        c[0] = xneg ? 0xFFFF : 0;
        c[2] = 0;
        return true;
    }
    u64 a[L], b[L];
    load(x, a);
    load(y, b);
    const bool aneg = xneg, bneg = yneg;
    const long d = ex - ey;
    const bool subtract = aneg != bneg;
    // b shifted right by d into seven limbs (w[0] is a guard limb); bits beyond it only set sticky.
    u64 w[L + 1];
    bool st = false;
    if (d == 0) {
        w[0] = 0;
        for (int i = 0; i < L; ++i) w[i + 1] = b[i];
    } else if (d < 64) {
        const int r = static_cast<int>(d), l = 64 - r;
        w[0] = b[0] << l;
        for (int i = 0; i < L - 1; ++i) w[i + 1] = (b[i] >> r) | (b[i + 1] << l);
        w[L] = b[L - 1] >> r;
    } else {
        const int ls = static_cast<int>(d / 64), bs = static_cast<int>(d % 64);
        const u64 src[L + 1] = {0, b[0], b[1], b[2], b[3], b[4], b[5]};
        for (int i = 0; i < ls; ++i) st |= src[i] != 0;
        if (bs) st |= (src[ls] & ((u64(1) << bs) - 1)) != 0;
        for (int i = 0; i <= L; ++i) {
            u64 lo = i + ls <= L ? src[i + ls] : 0;
            u64 hi = i + ls + 1 <= L ? src[i + ls + 1] : 0;
            w[i] = bs ? (lo >> bs) | (hi << (64 - bs)) : lo;
        }
    }
    u64 r[L + 1];
    long e = ex;
    if (!subtract) {
        unsigned char cy = 0;
        r[0] = w[0];
        for (int i = 0; i < L; ++i) cy = _addcarry_u64(cy, a[i], w[i + 1], reinterpret_cast<ull*>(&r[i + 1]));
        if (cy) {
            st |= (r[0] & 1) != 0;
            for (int i = 0; i < L; ++i) r[i] = (r[i] >> 1) | (r[i + 1] << 63);
            r[L] = (r[L] >> 1) | (u64(1) << 63);
            ++e;
        }
    } else {
        // With lost bits the true subtrahend is a little larger: take one more guard unit off.
        unsigned char bw = _subborrow_u64(0, 0, w[0], reinterpret_cast<ull*>(&r[0]));
        if (st) bw |= _subborrow_u64(0, r[0], 1, reinterpret_cast<ull*>(&r[0]));
        for (int i = 0; i < L; ++i)
            bw = _subborrow_u64(bw, a[i], w[i + 1], reinterpret_cast<ull*>(&r[i + 1]));
        if (!(r[L] >> 63)) {
            int top = L;
            while (top >= 0 && r[top] == 0) --top;
            if (top < 0) {
                std::memset(c, 0, NQ * sizeof(QELT));  // exact cancellation
                return true;
            }
            int lz = (L - top) * 64 + __builtin_clzll(r[top]);
            // Cancellation beyond one bit only happens for d <= 1, where nothing was shifted out.
            const int ls = lz / 64, bs = lz % 64;
            for (int i = L; i >= 0; --i) {
                u64 hi = i - ls >= 0 ? r[i - ls] : 0;
                u64 lo = i - ls - 1 >= 0 ? r[i - ls - 1] : 0;
                r[i] = bs ? (hi << bs) | (lo >> (64 - bs)) : hi;
            }
            e -= lz;
        }
    }
    u64 m[L];
    for (int i = 0; i < L; ++i) m[i] = r[i + 1];
    return store(m, e, aneg, st || r[0] != 0, c);
}

void add_general(const QELT* a, const QELT* b, QELT* c, bool subtract, const char* name) {
    qx::Xf x, y;
    qx::unpack(a, x);
    qx::unpack(b, y);
    bool st;
    qx::Xf r = subtract ? qx::sub(y, x, &st) : qx::add(y, x, &st);
    qx::pack(r, c, st, name);
}

}  // namespace

void qadd(const QELT* a, const QELT* b, QELT* c) {
    if (plain(a) && plain(b) && add_fast(b, b[0] != 0, a, a[0] != 0, c)) return;
    add_general(a, b, c, false, "qadd");
}

void qsub(const QELT* a, const QELT* b, QELT* c) {
    if (plain(a) && plain(b) && add_fast(b, b[0] != 0, a, a[0] == 0, c)) return;
    add_general(a, b, c, true, "qsub");
}

void qmul(const QELT* a, const QELT* b, QELT* c) {
    if (plain(a) && plain(b)) {
        u64 x[L], y[L], p[2 * L];
        load(a, x);
        load(b, y);
        u64 c0 = 0, c1 = 0, c2 = 0;
#pragma GCC unroll 16
        for (int k = 0; k < 2 * L - 1; ++k) {
            const int lo = k - L + 1 > 0 ? k - L + 1 : 0, hi = k < L - 1 ? k : L - 1;
#pragma GCC unroll 8
            for (int i = lo; i <= hi; ++i) mac(x[i], y[k - i], c0, c1, c2);
            p[k] = c0;
            c0 = c1;
            c1 = c2;
            c2 = 0;
        }
        p[2 * L - 1] = c0;
        long be = static_cast<long>(a[1]) + b[1] - QEXPBIAS;
        u64 m[L];
        bool st;
        if (p[2 * L - 1] >> 63) {
            for (int i = 0; i < L; ++i) m[i] = p[L + i];
            st = (p[0] | p[1] | p[2] | p[3] | p[4] | p[5]) != 0;
        } else {
            for (int i = 0; i < L; ++i) m[i] = (p[L + i] << 1) | (p[L + i - 1] >> 63);
            st = (p[0] | p[1] | p[2] | p[3] | p[4] | (p[5] << 1)) != 0;
            --be;
        }
        if (store(m, be, (a[0] != 0) != (b[0] != 0), st, c)) return;
    }
    qx::Xf x, y;
    qx::unpack(a, x);
    qx::unpack(b, y);
    bool st;
    qx::Xf r = qx::mul(y, x, &st);
    qx::pack(r, c, st, "qmul");
}
