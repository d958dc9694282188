// Conversions between q-type numbers and doubles, integers and decimal text.
//
// The decimal conversions are exact: the value is written as an integer times a power of two and scaled by
// an exact power of five, so every digit (and every binary rounding in asctoq) is correctly rounded.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "numeric/qbig.h"
#include "numeric/qlib_internal.h"

using qx::Big;
using qx::Xf;

namespace {

constexpr int kMaxDigits = 99;

// The significand of a finite x as an integer: x = M * 2^(x.e - 384).
void significand(const Xf& x, Big& M) {
    for (int i = 0; i < qx::L; ++i) M.w[i] = x.m[i];
    M.n = qx::L;
    M.trim();
}

// value = N * 2^scale, rounded to the working form; *sticky receives the lost bits.
Xf big_to_xf(const Big& N, long scale, bool neg, bool* sticky) {
    if (N.is_zero()) return qx::zero();
    Big t = N;
    long nb = t.bits();
    bool st = false;
    if (nb > 384) {
        st = t.any_below(nb - 384);
        qx::big_shr(t, nb - 384);
    } else {
        qx::big_shl(t, 384 - nb);
    }
    Xf r{};
    for (int i = 0; i < qx::L; ++i) r.m[i] = i < t.n ? t.w[i] : 0;
    r.e = static_cast<std::int32_t>(nb + scale);
    r.neg = neg;
    r.cls = qx::kFinite;
    *sticky = st;
    return r;
}

// q = x * 10^p rounded to an integer, half to even (x = M * 2^f).
void scaled_round(const Big& M, long f, long p, Big& q) {
    Big D, r;
    bool shift_path = false;
    long rshift = 0;
    if (p >= 0) {
        Big p5;
        qx::big_pow5(p5, p);
        qx::big_mul(M, p5, q);
        long shift = f + p;
        if (shift >= 0) {
            qx::big_shl(q, shift);
            return;
        }
        shift_path = true;
        rshift = -shift;
    } else {
        long a = -p;
        long shift = f - a;
        q = M;
        qx::big_pow5(D, a);
        if (shift >= 0) {
            qx::big_shl(q, shift);
        } else {
            qx::big_shl(D, -shift);
        }
    }
    bool up;
    if (shift_path) {
        bool half = q.bit(rshift - 1);
        bool below = q.any_below(rshift - 1);
        qx::big_shr(q, rshift);
        up = half && (below || q.bit(0));
    } else {
        Big num = q;
        qx::big_divmod(num, D, q, r);
        qx::big_shl(r, 1);
        int c = qx::big_cmp(r, D);
        up = c > 0 || (c == 0 && q.bit(0));
    }
    if (up) qx::big_add_small(q, 1);
}

// 10^k for k = 0..100 (all below 2^336, so six limbs each), built once and kept compact.
void pow10(int k, Big& out) {
    struct Table {
        std::uint64_t w[kMaxDigits + 2][qx::L];
        int n[kMaxDigits + 2];
        Table() {
            Big p;
            p.set_u64(1);
            for (int i = 0; i < kMaxDigits + 2; ++i) {
                for (int j = 0; j < qx::L; ++j) w[i][j] = j < p.n ? p.w[j] : 0;
                n[i] = p.n;
                qx::big_mul_small(p, 10);
            }
        }
    };
    static const Table t;
    out.n = t.n[k];
    for (int j = 0; j < out.n; ++j) out.w[j] = t.w[k][j];
}

// Writes the decimal digits of q (exactly count of them, leading zeros included) into out.
void decimal_digits(Big q, int count, char* out) {
    constexpr std::uint64_t k1e19 = 10000000000000000000ull;
    int pos = count;
    while (pos > 0) {
        std::uint64_t chunk = qx::big_div_small(q, k1e19);
        for (int i = 0; i < 19 && pos > 0; ++i) {
            out[--pos] = static_cast<char>('0' + chunk % 10);
            chunk /= 10;
        }
    }
}

// Significant digits (n + 1 of them) and decimal exponent of a finite non-zero x.
void decimal_form(const Xf& x, int n, char* digits, long* exp10) {
    // Whole numbers below 2^64 with no more digits than asked for are written directly (the sums and
    // products of the calculus substitute such values into their texts over and over).
    if (x.e >= 1 && x.e <= 64) {
        bool whole = true;
        const int frac_bits = 384 - x.e;
        for (int i = 0; i < qx::L && whole; ++i) {
            const int lo = 64 * i;
            if (lo + 64 <= frac_bits) {
                whole = x.m[i] == 0;
            } else if (lo < frac_bits) {
                whole = (x.m[i] & ((std::uint64_t(1) << (frac_bits - lo)) - 1)) == 0;
            }
        }
        if (whole) {
            std::uint64_t v = x.m[qx::L - 1] >> (64 - x.e);
            char tmp[24];
            int k = 0;
            char rev[24];
            do {
                rev[k++] = static_cast<char>('0' + v % 10);
                v /= 10;
            } while (v);
            for (int i = 0; i < k; ++i) tmp[i] = rev[k - 1 - i];
            if (k <= n + 1) {
                std::memcpy(digits, tmp, k);
                std::memset(digits + k, '0', n + 1 - k);
                *exp10 = k - 1;
                return;
            }
        }
    }
    Big M;
    significand(x, M);
    long f = static_cast<long>(x.e) - 384;
    double top = static_cast<double>(x.m[qx::L - 1]) * 0x1p-64;
    long e10 = static_cast<long>(std::floor(std::log10(top) + x.e * 0.30102999566398119521));
    Big lo, hi;
    pow10(n, lo);
    pow10(n + 1, hi);
    Big q;
    for (int guard = 0; guard < 8; ++guard) {
        scaled_round(M, f, n - e10, q);
        if (qx::big_cmp(q, hi) >= 0) {
            ++e10;
        } else if (qx::big_cmp(q, lo) < 0) {
            --e10;
        } else {
            break;
        }
    }
    decimal_digits(q, n + 1, digits);
    *exp10 = e10;
}

}  // namespace

namespace {

// The n + 1 significant digits, the decimal exponent and the sign of x for the two text forms; false (with
// the infinity text written) for an infinite x. n is clamped to 0..99.
bool digits_of(const QELT* x, int& n, char* digits, long* e10, bool* neg, char* text) {
    if (n < 0) n = 0;
    if (n > kMaxDigits) n = kMaxDigits;
    Xf v;
    qx::unpack(x, v);
    if (v.cls == qx::kInf) {
        std::strcpy(text, v.neg ? "-INFINITY" : " INFINITY");
        return false;
    }
    *e10 = 0;
    if (v.cls == qx::kZero) {
        std::memset(digits, '0', n + 1);
    } else {
        decimal_form(v, n, digits, e10);
    }
    *neg = v.cls == qx::kFinite && v.neg;
    return true;
}

}  // namespace

void qtoascex(const QELT* x, char* text, int n) {
    char digits[kMaxDigits + 2];
    long e10;
    bool neg;
    if (!digits_of(x, n, digits, &e10, &neg, text)) return;
    char* p = text;
    *p++ = neg ? '-' : ' ';
    *p++ = digits[0];
    *p++ = '.';
    std::memcpy(p, digits + 1, n);
    p += n;
    std::snprintf(p, 24, "E%ld", e10);
}

void qtoasc(const QELT* x, char* text, int n) {
    char digits[kMaxDigits + 2];
    long e10;
    bool neg;
    if (!digits_of(x, n, digits, &e10, &neg, text)) return;
    const int nd = n + 1;
    // Digits after the last non-zero one would only be stripped again.
    int used = nd;
    while (used > 1 && digits[used - 1] == '0') --used;
    char* p = text;
    *p++ = neg ? '-' : ' ';
    if (e10 >= 0) {
        for (long i = 0; i <= e10; ++i) *p++ = i < used ? digits[i] : '0';
        if (used > e10 + 1) {
            *p++ = '.';
            for (long i = e10 + 1; i < used; ++i) *p++ = digits[i];
        }
    } else {
        *p++ = '0';
        *p++ = '.';
        for (long i = 0; i < -e10 - 1; ++i) *p++ = '0';
        for (int i = 0; i < used; ++i) *p++ = digits[i];
    }
    *p = '\0';
}

std::string qtoascex_str(const QELT* x, int n) {
    char buf[QTOASCEX_SIZE];
    qtoascex(x, buf, n);
    return buf;
}

std::string qtoasc_str(const QELT* x, int n) {
    char buf[QTOASC_SIZE];
    qtoasc(x, buf, n);
    return buf;
}

void asctoq(const char* text, QELT* q) {
    auto fail = [q]() {
        if (g_qlibMessages) std::fprintf(g_qlibMessages, "asctoq conversion error\n");
        qclear(q);
    };
    const char* s = text;
    while (*s == ' ') ++s;
    bool neg = false;
    if (*s == '+' || *s == '-') neg = *s++ == '-';
    Big D;
    D.n = 0;
    // Digits gather in a 64-bit chunk of up to 19 before they join D.
    std::uint64_t chunk = 0, chunk_scale = 1;
    auto flush = [&]() {
        if (chunk_scale == 1) return;
        qx::big_mul_small(D, chunk_scale);
        qx::big_add_small(D, chunk);
        chunk = 0;
        chunk_scale = 1;
    };
    int ndig = 0;
    long dexp = 0;
    bool point = false, nonzero = false;
    long exp = 0;
    for (;; ++s) {
        char c = *s;
        if (c == '\0' || c == '\n' || c == '\r') break;
        if (c == ' ') continue;
        if (c >= '0' && c <= '9') {
            if (!nonzero && c == '0') {
                if (point) --dexp;
                continue;
            }
            nonzero = true;
            if (ndig < kMaxDigits) {
                chunk = chunk * 10 + static_cast<std::uint64_t>(c - '0');
                chunk_scale *= 10;
                if (chunk_scale == 10000000000000000000ull) flush();
                ++ndig;
                if (point) --dexp;
            } else if (!point) {
                ++dexp;  // a dropped integer digit still counts in the magnitude
            }
            continue;
        }
        if (c == '.') {
            if (point) return fail();
            point = true;
            continue;
        }
        if (c == 'E' || c == 'e') {
            flush();
            ++s;
            bool eneg = false;
            if (*s == '+' || *s == '-') eneg = *s++ == '-';
            for (; *s >= '0' && *s <= '9'; ++s) {
                if (exp > 3275) {
                    // Too many exponent digits: infinity or zero, as the sign says.
                    if (eneg || D.is_zero()) {
                        qclear(q);
                    } else {
                        mtherr("asctoq", QERR_OVERFLOW);
                        qx::pack(qx::inf(neg), q, false, "asctoq");
                    }
                    return;
                }
                exp = exp * 10 + (*s - '0');
            }
            while (*s == ' ') ++s;
            if (*s != '\0' && *s != '\n' && *s != '\r') return fail();
            if (eneg) exp = -exp;
            break;
        }
        return fail();
    }
    flush();
    if (D.is_zero()) {
        qclear(q);
        return;
    }
    long k = dexp + exp;
    if (k >= 8192 || k + ndig - 1 > 5010) {
        mtherr("asctoq", QERR_OVERFLOW);
        qx::pack(qx::inf(neg), q, false, "asctoq");
        return;
    }
    if (k < -8191 || k + ndig < -5012) {
        qclear(q);
        return;
    }
    bool sticky = false;
    Xf r;
    if (k >= 0) {
        Big p5, N;
        qx::big_pow5(p5, k);
        qx::big_mul(D, p5, N);
        r = big_to_xf(N, k, neg, &sticky);
    } else {
        long a = -k;
        Big p5, N, Q, R;
        qx::big_pow5(p5, a);
        long sh = p5.bits() - D.bits() + 386;
        if (sh < 0) sh = 0;
        N = D;
        qx::big_shl(N, sh);
        qx::big_divmod(N, p5, Q, R);
        r = big_to_xf(Q, -sh - a, neg, &sticky);
        sticky = sticky || !R.is_zero();
    }
    qx::pack(r, q, sticky, "asctoq");
}

void etoq(double d, QELT* q) {
    qx::pack(qx::from_double(d), q, false, "etoq");
}

void myetoq(double d, QELT* q) {
    etoq(d, q);
}

void ltoq(long l, QELT* q) {
    qx::pack(qx::from_i64(l), q, false, "ltoq");
}

void qtoe(const QELT* q, double* d) {
    Xf x;
    qx::unpack(q, x);
    if (x.cls == qx::kZero) {
        *d = (q[0] && q[1] == 0) ? -0.0 : 0.0;
        return;
    }
    double sign = x.neg ? -1.0 : 1.0;
    if (x.cls == qx::kInf || x.e > 1024) {
        mtherr("qtoe", QERR_OVERFLOW);
        *d = sign * DBL_MAX;
        return;
    }
    // Precision available at this exponent: 53 bits for normal doubles, fewer for subnormals.
    long p = x.e >= -1021 ? 53 : static_cast<long>(x.e) + 1074;
    if (p < 0) {
        *d = sign * 0.0;
        return;
    }
    qx::u64 top = x.m[qx::L - 1];
    bool below = false;
    for (int i = 0; i < qx::L - 1; ++i) below |= x.m[i] != 0;
    int shift = static_cast<int>(64 - p);
    qx::u64 kept = p ? top >> shift : 0;
    qx::u64 rem = shift == 64 ? top : top & ((qx::u64(1) << shift) - 1);
    qx::u64 half = qx::u64(1) << (shift - 1);
    bool up = rem > half || (rem == half && (below || (kept & 1)));
    if (up) ++kept;
    double v = std::ldexp(static_cast<double>(kept), static_cast<int>(x.e - p));
    if (std::isinf(v)) {
        mtherr("qtoe", QERR_OVERFLOW);
        v = DBL_MAX;
    }
    *d = sign * v;
}

void myqtoe(const QELT* q, double* d) {
    qtoe(q, d);
}
