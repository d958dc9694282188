// The stored q-type form: packing, constants, moves, comparisons and the correctly rounded basic operations.
#include <cstring>

#include "numeric/qlib_internal.h"
#include "numeric/qlimb.h"

#include "numeric/qconstants_data.inc"

const QELT qzero[NQ] = {0};
const QELT qone[NQ] = {0, 0x4100, 0, 0x8000};
const QELT qtwo[NQ] = {0, 0x4101, 0, 0x8000};
const QELT qhalf[NQ] = {0, 0x40FF, 0, 0x8000};
const qcmplx qczero = {};
const qcmplx qcone = {{0, 0x4100, 0, 0x8000}, {0}};

namespace qx {

void unpack(const QELT* q, Xf& x) {
    x.neg = q[0] != 0;
    unsigned e = q[1];
    if (e == 0) {
        x = zero();
        return;
    }
    if (e >= static_cast<unsigned>(QEXPINF)) {
        x = inf(q[0] != 0);
        return;
    }
    for (int i = 0; i < 5; ++i) x.m[L - 1 - i] = load_limb(q + 3 + 4 * i);
    x.m[0] = static_cast<u64>(q[23]) << 48;
    x.e = static_cast<std::int32_t>(e) - QEXPBIAS;
    x.cls = kFinite;
    if (!(x.m[L - 1] >> 63)) {
        // Not normalised (only a hand-made or damaged number): normalise rather than misread it.
        int lz = 0;
        int top = L - 1;
        while (top >= 0 && x.m[top] == 0) --top;
        if (top < 0) {
            x = zero();
            return;
        }
        lz = (L - 1 - top) * 64 + __builtin_clzll(x.m[top]);
        u64 w[L];
        std::memcpy(w, x.m, sizeof w);
        int ls = lz / 64, bs = lz % 64;
        for (int i = L - 1; i >= 0; --i) {
            u64 hi = i - ls >= 0 ? w[i - ls] : 0;
            u64 lo = i - ls - 1 >= 0 ? w[i - ls - 1] : 0;
            x.m[i] = bs ? (hi << bs) | (lo >> (64 - bs)) : hi;
        }
        x.e -= lz;
    }
}

void pack(const Xf& x, QELT* q, bool sticky, const char* name) {
    if (x.cls == kZero) {
        std::memset(q, 0, NQ * sizeof(QELT));
        return;
    }
    if (x.cls == kInf) {
        q[0] = x.neg ? 0xFFFF : 0;
        q[1] = QEXPINF;
        q[2] = 0;
        for (int i = 3; i < NQ; ++i) q[i] = 0xFFFF;
        return;
    }
    u64 m[L];
    std::memcpy(m, x.m, sizeof m);
    long e = x.e;
    const u64 low = m[0] & 0xFFFFFFFFFFFFull, half = u64(1) << 47;
    bool up = low > half || (low == half && (sticky || ((m[0] >> 48) & 1)));
    m[0] &= ~0xFFFFFFFFFFFFull;
    if (up) {
        u64 add = u64(1) << 48;
        for (int i = 0; i < L && add; ++i) {
            m[i] += add;
            add = m[i] < add ? 1 : 0;
        }
        if (add) {  // carried out of the top: the significand became 1.0
            m[L - 1] = u64(1) << 63;
            e += 1;
        }
    }
    long be = e + QEXPBIAS;
    if (be >= QEXPINF) {
        mtherr(name, QERR_OVERFLOW);
        pack(inf(x.neg), q, false, name);
        return;
    }
    if (be <= 0) {
        std::memset(q, 0, NQ * sizeof(QELT));
        return;
    }
    q[0] = x.neg ? 0xFFFF : 0;
    q[1] = static_cast<QELT>(be);
    q[2] = 0;
    for (int i = 0; i < 5; ++i) store_limb(m[L - 1 - i], q + 3 + 4 * i);
    q[23] = static_cast<QELT>(m[0] >> 48);
}

namespace {

// A constant from its fractional bits (most significant word first) times 2^e.
Xf from_bits(const u64* bits, int e) {
    Xf r{};
    for (int i = 0; i < L; ++i) r.m[L - 1 - i] = bits[i];
    r.e = e;
    r.cls = kFinite;
    return r;
}

}  // namespace

const Xf& pi() {
    static const Xf v = from_bits(kPiOver4Bits, 2);
    return v;
}
const Xf& half_pi() {
    static const Xf v = from_bits(kPiOver4Bits, 1);
    return v;
}
const Xf& ln2() {
    static const Xf v = from_bits(kLn2Bits, 0);
    return v;
}
const Xf& ln10() {
    static const Xf v = from_bits(kLn10Over4Bits, 2);
    return v;
}

const u64* two_over_pi_bits(int* count) {
    *count = static_cast<int>(sizeof kTwoOverPiBits / sizeof kTwoOverPiBits[0]);
    return kTwoOverPiBits;
}

}  // namespace qx

using qx::Xf;

void qmov(const QELT* a, QELT* b) {
    if (a != b) std::memmove(b, a, NQ * sizeof(QELT));
}

void qclear(QELT* x) {
    std::memset(x, 0, NQ * sizeof(QELT));
}

void qinfin(QELT* x) {
    qx::pack(qx::inf(false), x, false, "qinfin");
}

void qabs(QELT* x) {
    x[0] = 0;
}

void qneg(QELT* x) {
    if (x[1] == 0) {
        x[0] = 0;
        return;
    }
    x[0] = x[0] ? 0 : 0xFFFF;
}

int iszero(const QELT* a) {
    return a[1] == 0;
}

int qisinf(const QELT* a) {
    return a[1] >= QEXPINF;
}

int qcmp(const QELT* a, const QELT* b) {
    Xf x, y;
    qx::unpack(a, x);
    qx::unpack(b, y);
    return qx::cmp(x, y);
}

void qmuli(const QELT* a, const QELT* b, QELT* c) {
    qmul(a, b, c);
}

void qdiv(const QELT* a, const QELT* b, QELT* c) {
    Xf x, y;
    qx::unpack(a, x);
    qx::unpack(b, y);
    if (x.cls == qx::kZero) {
        // Division by zero: 0/0 is a domain error with result 0, otherwise a singularity (infinity).
        if (y.cls == qx::kZero) {
            mtherr("qdiv", QERR_DOMAIN);
            qclear(c);
        } else {
            mtherr("qdiv", QERR_SING);
            qx::pack(qx::inf(y.neg != x.neg), c, false, "qdiv");
        }
        return;
    }
    bool st;
    Xf r = qx::div(y, x, &st);
    qx::pack(r, c, st, "qdiv");
}

void qsqrt(const QELT* x, QELT* y) {
    Xf a;
    qx::unpack(x, a);
    if (a.cls != qx::kZero && a.neg) {
        mtherr("qsqrt", QERR_DOMAIN);
        qclear(y);
        return;
    }
    bool st;
    Xf r = qx::sqrt(a, &st);
    qx::pack(r, y, st, "qsqrt");
}

void qfloor(const QELT* x, QELT* y) {
    Xf a;
    qx::unpack(x, a);
    qx::pack(qx::floor(a), y, false, "qfloor");
}

void qifrac(const QELT* x, long* i, QELT* frac) {
    Xf a;
    qx::unpack(x, a);
    Xf t = qx::trunc(a);
    Xf f = qx::sub(a, t);
    if (f.cls == qx::kZero) f.neg = 0;
    long v;
    if (a.cls == qx::kFinite && a.e <= 31) {
        bool fits;
        v = static_cast<long>(qx::to_i64(qx::abs(t), &fits));
    } else {
        v = a.cls == qx::kZero ? 0 : 2147483647L;
    }
    *i = a.neg ? -v : v;
    // The fraction of a value too large for the working form is zero.
    qx::pack(a.cls == qx::kInf ? qx::zero() : f, frac, false, "qifrac");
}
