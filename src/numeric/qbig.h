// Fixed-capacity unsigned integers for the exact decimal conversions of the extended-precision library.
// Capacity covers every q-type value: 2^16700 and 5^5200 with room for the products formed from them.
// Values live on the stack; nothing allocates.
#pragma once

#include <cstdint>

namespace qx {

struct Big {
    static constexpr int kCap = 300;
    std::uint64_t w[kCap];  // little-endian limbs
    int n = 0;              // used limbs; w[n-1] != 0 unless n == 0

    Big() = default;
    // Copies move only the used limbs.
    Big(const Big& o) : n(o.n) { copy_limbs(o); }
    Big& operator=(const Big& o) {
        n = o.n;
        copy_limbs(o);
        return *this;
    }

    void set_u64(std::uint64_t v);
    bool is_zero() const { return n == 0; }
    int bits() const;  // position of the highest set bit + 1
    bool bit(long i) const;
    // Any of the bits below position i set?
    bool any_below(long i) const;
    void trim();

  private:
    void copy_limbs(const Big& o);
};

// Returns false (and leaves a unchanged) when the result would pass the capacity.
bool big_mul_small(Big& a, std::uint64_t k);
bool big_add_small(Big& a, std::uint64_t k);
bool big_shl(Big& a, long s);
void big_shr(Big& a, long s);
// c = a * b.
bool big_mul(const Big& a, const Big& b, Big& c);
// Divides a by the one-limb k in place; returns the remainder.
std::uint64_t big_div_small(Big& a, std::uint64_t k);
// q = a / b, r = a % b (b non-zero). q and r must not alias a or b.
void big_divmod(const Big& a, const Big& b, Big& q, Big& r);
int big_cmp(const Big& a, const Big& b);
// a = 5^p.
bool big_pow5(Big& a, long p);

}  // namespace qx
