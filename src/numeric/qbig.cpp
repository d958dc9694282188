#include "numeric/qbig.h"

#include <cstring>

namespace qx {

using u64 = std::uint64_t;
using u128 = unsigned __int128;

void Big::set_u64(u64 v) {
    n = v ? 1 : 0;
    w[0] = v;
}

int Big::bits() const {
    return n ? (n - 1) * 64 + (64 - __builtin_clzll(w[n - 1])) : 0;
}

bool Big::bit(long i) const {
    if (i < 0 || i >= 64L * n) return false;
    return (w[i / 64] >> (i % 64)) & 1;
}

bool Big::any_below(long i) const {
    if (i <= 0) return false;
    long full = i / 64;
    for (long k = 0; k < full && k < n; ++k)
        if (w[k]) return true;
    if (full < n && (i % 64)) return (w[full] & ((u64(1) << (i % 64)) - 1)) != 0;
    return false;
}

void Big::copy_limbs(const Big& o) {
    if (this != &o && n > 0) std::memcpy(w, o.w, sizeof(u64) * static_cast<size_t>(n));
}

void Big::trim() {
    while (n > 0 && w[n - 1] == 0) --n;
}

bool big_mul_small(Big& a, u64 k) {
    u64 carry = 0;
    for (int i = 0; i < a.n; ++i) {
        u128 t = static_cast<u128>(a.w[i]) * k + carry;
        a.w[i] = static_cast<u64>(t);
        carry = static_cast<u64>(t >> 64);
    }
    if (carry) {
        if (a.n >= Big::kCap) return false;
        a.w[a.n++] = carry;
    }
    a.trim();
    return true;
}

bool big_add_small(Big& a, u64 k) {
    for (int i = 0; i < a.n && k; ++i) {
        a.w[i] += k;
        k = a.w[i] < k ? 1 : 0;
    }
    if (k) {
        if (a.n >= Big::kCap) return false;
        a.w[a.n++] = k;
    }
    return true;
}

bool big_shl(Big& a, long s) {
    if (a.n == 0 || s <= 0) return true;
    if (a.bits() + s > 64L * Big::kCap) return false;
    long ls = s / 64;
    int bs = static_cast<int>(s % 64);
    long nn = (a.bits() + s + 63) / 64;
    for (long i = nn - 1; i >= 0; --i) {
        long src = i - ls;
        u64 hi = (src >= 0 && src < a.n) ? a.w[src] : 0;
        u64 lo = (src - 1 >= 0 && src - 1 < a.n) ? a.w[src - 1] : 0;
        a.w[i] = bs ? (hi << bs) | (lo >> (64 - bs)) : hi;
    }
    a.n = static_cast<int>(nn);
    a.trim();
    return true;
}

void big_shr(Big& a, long s) {
    if (s <= 0) return;
    long ls = s / 64;
    int bs = static_cast<int>(s % 64);
    if (ls >= a.n) {
        a.n = 0;
        return;
    }
    int nn = a.n - static_cast<int>(ls);
    for (int i = 0; i < nn; ++i) {
        u64 lo = a.w[i + ls];
        u64 hi = (i + ls + 1 < a.n) ? a.w[i + ls + 1] : 0;
        a.w[i] = bs ? (lo >> bs) | (hi << (64 - bs)) : lo;
    }
    a.n = nn;
    a.trim();
}

bool big_mul(const Big& a, const Big& b, Big& c) {
    if (a.n == 0 || b.n == 0) {
        c.n = 0;
        return true;
    }
    if (a.n + b.n > Big::kCap) return false;
    int n = a.n + b.n;
    for (int i = 0; i < n; ++i) c.w[i] = 0;
    for (int i = 0; i < a.n; ++i) {
        u64 carry = 0;
        for (int j = 0; j < b.n; ++j) {
            u128 t = static_cast<u128>(a.w[i]) * b.w[j] + c.w[i + j] + carry;
            c.w[i + j] = static_cast<u64>(t);
            carry = static_cast<u64>(t >> 64);
        }
        c.w[i + b.n] = carry;
    }
    c.n = n;
    c.trim();
    return true;
}

u64 big_div_small(Big& a, u64 k) {
    u128 rem = 0;
    for (int i = a.n - 1; i >= 0; --i) {
        u128 cur = (rem << 64) | a.w[i];
        a.w[i] = static_cast<u64>(cur / k);
        rem = cur % k;
    }
    a.trim();
    return static_cast<u64>(rem);
}

int big_cmp(const Big& a, const Big& b) {
    if (a.n != b.n) return a.n < b.n ? -1 : 1;
    for (int i = a.n - 1; i >= 0; --i)
        if (a.w[i] != b.w[i]) return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

void big_divmod(const Big& a, const Big& b, Big& q, Big& r) {
    if (big_cmp(a, b) < 0) {
        q.n = 0;
        r = a;
        return;
    }
    if (b.n == 1) {
        q = a;
        u64 rem = big_div_small(q, b.w[0]);
        r.set_u64(rem);
        return;
    }
    // Knuth's algorithm D with the divisor normalised so that its top bit is set.
    int s = __builtin_clzll(b.w[b.n - 1]);
    Big v = b, u = a;
    big_shl(v, s);
    if (u.n >= Big::kCap) {
        q.n = 0;
        r.n = 0;
        return;
    }
    u.w[u.n] = 0;
    {
        // Shift u by s into n+1 limbs explicitly (the top limb may be zero).
        int un = a.n;
        u64 prev = 0;
        for (int i = 0; i < un; ++i) {
            u64 cur = a.w[i];
            u.w[i] = s ? (cur << s) | (prev >> (64 - s)) : cur;
            prev = cur;
        }
        u.w[un] = s ? prev >> (64 - s) : 0;
        u.n = un + 1;
    }
    const int n = v.n, m = u.n - 1 - n;
    q.n = m + 1;
    for (int j = m; j >= 0; --j) {
        u128 num = static_cast<u128>(u.w[j + n]) << 64 | u.w[j + n - 1];
        u128 qhat = num / v.w[n - 1];
        u128 rhat = num % v.w[n - 1];
        while (qhat >> 64 || qhat * v.w[n - 2] > ((rhat << 64) | u.w[j + n - 2])) {
            --qhat;
            rhat += v.w[n - 1];
            if (rhat >> 64) break;
        }
        u64 qd = static_cast<u64>(qhat);
        u64 borrow = 0, carry = 0;
        for (int i = 0; i < n; ++i) {
            u128 p = static_cast<u128>(qd) * v.w[i] + carry;
            carry = static_cast<u64>(p >> 64);
            u128 t = static_cast<u128>(u.w[i + j]) - static_cast<u64>(p) - borrow;
            u.w[i + j] = static_cast<u64>(t);
            borrow = static_cast<u64>(t >> 64) ? 1 : 0;
        }
        u128 t = static_cast<u128>(u.w[j + n]) - carry - borrow;
        u.w[j + n] = static_cast<u64>(t);
        if (static_cast<u64>(t >> 64)) {
            --qd;
            u64 c = 0;
            for (int i = 0; i < n; ++i) {
                u128 sum = static_cast<u128>(u.w[i + j]) + v.w[i] + c;
                u.w[i + j] = static_cast<u64>(sum);
                c = static_cast<u64>(sum >> 64);
            }
            u.w[j + n] += c;
        }
        q.w[j] = qd;
    }
    q.trim();
    u.n = n;
    u.trim();
    big_shr(u, s);
    r = u;
}

bool big_pow5(Big& a, long p) {
    a.set_u64(1);
    static constexpr u64 k5p27 = 7450580596923828125ull;  // 5^27, the largest power of 5 in a limb
    while (p >= 27) {
        if (!big_mul_small(a, k5p27)) return false;
        p -= 27;
    }
    u64 rest = 1;
    while (p-- > 0) rest *= 5;
    return big_mul_small(a, rest);
}

}  // namespace qx
