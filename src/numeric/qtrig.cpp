// Circular functions on the working form.
//
// sin and cos reduce the argument exactly: x * 2/pi is formed from a window of 2/pi's bits wide enough for
// any exponent (so sin(1e1000) is right to the last place), the nearest quadrant is taken off and the
// remainder r (|r| <= pi/4) is evaluated by Taylor series on r / 2^j, doubled back j times. atan uses two
// table steps, atan x = atan c + atan((x - c) / (1 + x c)), before a short series.
#include <cmath>
#include <cstring>

#include "numeric/qlib_internal.h"

namespace qx {

namespace {

// Bits first .. first + 64 * count - 1 of 2/pi (bit 1 has weight 1/2), as a little-endian integer.
void window_bits(long first, int count, u64* out) {
    int total;
    const u64* t = two_over_pi_bits(&total);
    for (int j = 0; j < count; ++j) {
        long bit = first - 1 + 64L * j;  // 0-based offset of this window limb's top bit
        long w = bit / 64;
        int o = static_cast<int>(bit % 64);
        u64 hi = w < total ? t[w] : 0;
        u64 lo = w + 1 < total ? t[w + 1] : 0;
        out[count - 1 - j] = o ? (hi << o) | (lo >> (64 - o)) : hi;
    }
}

// Reduces a finite, positive x >= pi/4: x = k pi/2 + r with k taken modulo 4 and |r| <= pi/4.
Xf reduce_half_pi(const Xf& x, int* quadrant) {
    const long E = static_cast<long>(x.e) - 384;  // weight of the significand's lowest bit
    const long first = E - 1 > 1 ? E - 1 : 1;     // earlier bits only add multiples of 4
    for (int W : {14, 26}) {
        u64 win[26], p[26 + L];
        window_bits(first, W, win);
        const int n = W + L;
        std::memset(p, 0, sizeof(u64) * n);
        for (int i = 0; i < L; ++i) {
            u64 carry = 0;
            for (int j = 0; j < W; ++j) {
                u128 t = static_cast<u128>(x.m[i]) * win[j] + p[i + j] + carry;
                p[i + j] = static_cast<u64>(t);
                carry = static_cast<u64>(t >> 64);
            }
            p[i + W] = carry;
        }
        // p * 2^(E - last) with last = first + 64 W - 1: the binary point sits above bit F.
        const long last = first + 64L * W - 1;
        const long F = last - E;
        auto bit = [&](long i) -> int {
            return (i >= 0 && i < 64L * n) ? static_cast<int>((p[i / 64] >> (i % 64)) & 1) : 0;
        };
        // 64 bits of p starting at bit b (bits outside p read as zero).
        auto get64 = [&](long b) -> u64 {
            long w = b >= 0 ? b / 64 : (b - 63) / 64;
            int o = static_cast<int>(b - 64 * w);
            u64 lo = (w >= 0 && w < n) ? p[w] : 0;
            u64 hi = (w + 1 >= 0 && w + 1 < n) ? p[w + 1] : 0;
            return o ? (lo >> o) | (hi << (64 - o)) : lo;
        };
        int k = bit(F) + 2 * bit(F + 1);
        bool upper = bit(F - 1);  // fraction >= 1/2: round to the next quadrant
        // Keep the fraction bits (below F) only, in the low limbs of p.
        const long limbs = (F + 63) / 64;
        for (long i = limbs; i < n; ++i) p[i] = 0;
        if (F % 64) p[limbs - 1] &= (u64(1) << (F % 64)) - 1;
        bool neg = false;
        if (upper) {
            // fraction - 1 = -(2^F - fraction)
            u64 borrow = 0;
            for (long i = 0; i < limbs; ++i) {
                u128 t = static_cast<u128>(0) - p[i] - borrow;
                p[i] = static_cast<u64>(t);
                borrow = static_cast<u64>(t >> 64) ? 1 : 0;
            }
            if (F % 64) p[limbs - 1] &= (u64(1) << (F % 64)) - 1;
            neg = true;
            k = (k + 1) & 3;
        }
        int top = static_cast<int>(limbs) - 1;
        while (top >= 0 && p[top] == 0) --top;
        if (top < 0) {
            *quadrant = k;
            return zero();
        }
        const long lead = 64L * top + 63 - __builtin_clzll(p[top]);  // highest set bit
        const long zeros = F - 1 - lead;
        // The tail of 2/pi beyond the window is worth less than 2^(384 - F); retry wider if the
        // cancellation leaves fewer than 400 good bits.
        if (F - 384 - zeros < 400 && W == 14) continue;
        // Normalise the fraction: significand from bit `lead` down, value = frac / 2^F.
        Xf f{};
        for (int i = 0; i < L; ++i) f.m[i] = get64(lead - 383 + 64L * i);
        f.e = static_cast<std::int32_t>(lead + 1 - F);
        f.neg = neg;
        f.cls = kFinite;
        *quadrant = k;
        return mul(f, half_pi());
    }
    *quadrant = 0;
    return zero();  // not reached
}

// Scaling of the argument before the series: |r / 2^j| < 2^-kSinScale.
constexpr int kSinScale = 6;

// sin r and cos r - 1 for |r| <= 0.8.
void sincos_reduced(const Xf& r, Xf* s_out, Xf* cm1_out) {
    if (r.cls == kZero) {
        *s_out = zero();
        *cm1_out = zero();
        return;
    }
    int j = r.e + kSinScale;
    if (j < 0) j = 0;
    Xf s = ldexp(r, -j);
    Xf u = sqr(s);
    const Series& ts = sin_series();
    const Series& tc = cosm1_series();
    Xf S = mul(s, horner(ts, series_terms(ts, u, 392), u));
    Xf C = mul(u, horner(tc, series_terms(tc, u, 392), u));
    // Doubling: sin 2a = 2 sin a (1 + (cos a - 1)), cos 2a - 1 = -2 sin^2 a.
    for (int i = 0; i < j; ++i) {
        Xf S2 = ldexp(mul(S, add(one(), C)), 1);
        C = neg(ldexp(sqr(S), 1));
        S = S2;
    }
    *s_out = S;
    *cm1_out = C;
}

// sin and cos - 1 of j/32 (|j| <= 26) and of k/4096 (|k| <= 64), for the angle sums of sincos_tabled.
constexpr int kTrigSteps1 = 26, kTrigSteps2 = 64;

struct TrigTables {
    Xf s1[2 * kTrigSteps1 + 1], c1[2 * kTrigSteps1 + 1];
    Xf s2[2 * kTrigSteps2 + 1], c2[2 * kTrigSteps2 + 1];
    TrigTables() {
        for (int j = -kTrigSteps1; j <= kTrigSteps1; ++j)
            sincos_reduced(div_u64(from_i64(j), 32), &s1[j + kTrigSteps1], &c1[j + kTrigSteps1]);
        for (int k = -kTrigSteps2; k <= kTrigSteps2; ++k)
            sincos_reduced(div_u64(from_i64(k), 4096), &s2[k + kTrigSteps2], &c2[k + kTrigSteps2]);
    }
};

const TrigTables& trig_tables() {
    static const TrigTables t;
    return t;
}

// Angle sum from (sin a, cos a - 1) and (sin b, cos b - 1) to the same pair for a + b:
// sin(a+b) = sa + sb + sa cb1 + sb ca1, cos(a+b) - 1 = ca1 + cb1 + ca1 cb1 - sa sb.
void add_angles(Xf& sa, Xf& ca1, const Xf& sb, const Xf& cb1) {
    Xf s = add(add(sa, sb), add(mul(sa, cb1), mul(sb, ca1)));
    Xf c = sub(add(add(ca1, cb1), mul(ca1, cb1)), mul(sa, sb));
    sa = s;
    ca1 = c;
}

// sin r and cos r - 1 for |r| <= pi/4: r = j/32 + k/4096 + t with |t| <= 2^-13, each step subtracting an
// exact multiple, the series on t and the table values joined by angle sums.
void sincos_tabled(const Xf& r, Xf* s_out, Xf* cm1_out) {
    long j = std::lround(to_double(r) * 32);
    if (j > kTrigSteps1) j = kTrigSteps1;
    if (j < -kTrigSteps1) j = -kTrigSteps1;
    Xf t = j ? sub(r, div_u64(from_i64(j), 32)) : r;
    long k = std::lround(to_double(t) * 4096);
    if (k > kTrigSteps2) k = kTrigSteps2;
    if (k < -kTrigSteps2) k = -kTrigSteps2;
    if (k) t = sub(t, div_u64(from_i64(k), 4096));
    Xf S, C;
    sincos_reduced(t, &S, &C);
    if (j || k) {
        const TrigTables& tab = trig_tables();
        if (k) add_angles(S, C, tab.s2[k + kTrigSteps2], tab.c2[k + kTrigSteps2]);
        if (j) add_angles(S, C, tab.s1[j + kTrigSteps1], tab.c1[j + kTrigSteps1]);
    }
    *s_out = S;
    *cm1_out = C;
}

}  // namespace

void sincos(const Xf& x, Xf* s, Xf* c) {
    if (x.cls != kFinite) {
        if (s) *s = zero();
        if (c) *c = x.cls == kZero ? one() : zero();
        return;
    }
    Xf ax = abs(x);
    int k = 0;
    Xf r = ax;
    static const Xf quarter_pi = ldexp(pi(), -2);
    if (cmp_abs(ax, quarter_pi) >= 0) r = reduce_half_pi(ax, &k);
    Xf sr, cm1;
    sincos_tabled(r, &sr, &cm1);
    Xf cr = add(one(), cm1);
    Xf sv, cv;
    switch (k) {
        case 0:
            sv = sr, cv = cr;
            break;
        case 1:
            sv = cr, cv = neg(sr);
            break;
        case 2:
            sv = neg(sr), cv = neg(cr);
            break;
        default:
            sv = neg(cr), cv = sr;
            break;
    }
    if (x.neg) sv = neg(sv);
    if (s) *s = sv;
    if (c) *c = cv;
}

namespace {

// atan t by its Taylor series, for small |t|.
Xf atan_series(const Xf& t) {
    if (t.cls == kZero) return t;
    Xf u = sqr(t);
    const Series& ta = atan_series_table();
    return mul(t, horner(ta, series_terms(ta, u, 392), u));
}

// atan x for 0 <= x <= 1 without tables: halve the angle until the series converges fast.
Xf atan_direct(const Xf& x) {
    Xf t = x;
    int halvings = 0;
    while (t.cls == kFinite && t.e > -8) {
        // atan t = 2 atan(t / (1 + sqrt(1 + t^2)))
        t = div(t, add(one(), sqrt(add(one(), sqr(t)))));
        ++halvings;
    }
    return ldexp(atan_series(t), halvings);
}

constexpr int kStep1 = 64;    // first table: atan(j / 64), j = 0..64
constexpr int kStep2 = 8192;  // second table: atan(j / 8192), j = 0..64

struct AtanTables {
    Xf t1[kStep1 + 1];
    Xf t2[65];
    AtanTables() {
        for (int j = 0; j <= kStep1; ++j) t1[j] = atan_direct(div_u64(from_u64(j), kStep1));
        for (int j = 0; j <= 64; ++j) t2[j] = atan_direct(div_u64(from_u64(j), kStep2));
    }
};

const AtanTables& atan_tables() {
    static const AtanTables tables;
    return tables;
}

// One table step: returns atan(c) and replaces t by (t - c) / (1 + t c), with c = j / step nearest t.
Xf atan_step(Xf& t, int step, const Xf* table, int jmax) {
    long j = std::lround(to_double(t) * step);
    if (j > jmax) j = jmax;
    if (j < -jmax) j = -jmax;
    if (j == 0) return zero();
    Xf c = div_u64(from_u64(static_cast<u64>(j < 0 ? -j : j)), static_cast<u64>(step));
    if (j < 0) c = neg(c);
    t = div(sub(t, c), add(one(), mul(t, c)));
    return j < 0 ? neg(table[-j]) : table[j];
}

}  // namespace

Xf atan(const Xf& x) {
    if (x.cls == kZero) return x;
    if (x.cls == kInf) {
        Xf r = half_pi();
        r.neg = x.neg;
        return r;
    }
    Xf ax = abs(x);
    bool invert = cmp_abs(ax, one()) > 0;
    if (invert) ax = div(one(), ax);
    Xf a;
    if (ax.e < -200) {
        a = atan_series(ax);
    } else {
        const AtanTables& tab = atan_tables();
        Xf t = ax;
        Xf a1 = atan_step(t, kStep1, tab.t1, kStep1);
        Xf a2 = atan_step(t, kStep2, tab.t2, 64);
        a = add(add(a1, a2), atan_series(t));
    }
    if (invert) a = sub(half_pi(), a);
    a.neg = x.neg;
    return a;
}

Xf atan2(const Xf& y, const Xf& x) {
    if (y.cls == kZero) return (x.cls != kZero && x.neg) ? pi() : zero();
    if (x.cls == kZero) {
        Xf r = half_pi();
        r.neg = y.neg;
        return r;
    }
    Xf ax = abs(x), ay = abs(y);
    Xf a;
    if (ax.cls == kInf && ay.cls == kInf) {
        a = ldexp(pi(), -2);
    } else if (cmp_abs(ay, ax) <= 0) {
        a = atan(div(ay, ax));
    } else {
        a = sub(half_pi(), atan(div(ax, ay)));
    }
    if (x.neg) a = sub(pi(), a);
    a.neg = y.neg;
    return a;
}

}  // namespace qx
