// Limb-level helpers shared by the extended-precision sources (internal).
#pragma once

#include <cstdint>
#include <cstring>

#include "numeric/qlib.h"

namespace qx {

// Four stored words, most significant first, as one limb (and back). The words sit in memory in that
// order, so a little-endian load needs its 16-bit lanes reversed.
inline std::uint64_t load_limb(const QELT* w) {
    std::uint64_t v;
    std::memcpy(&v, w, sizeof v);
    v = (v >> 32) | (v << 32);
    return ((v >> 16) & 0x0000FFFF0000FFFFull) | ((v & 0x0000FFFF0000FFFFull) << 16);
}

inline void store_limb(std::uint64_t v, QELT* w) {
    v = (v >> 32) | (v << 32);
    v = ((v >> 16) & 0x0000FFFF0000FFFFull) | ((v & 0x0000FFFF0000FFFFull) << 16);
    std::memcpy(w, &v, sizeof v);
}

// Adds the 128-bit product x*y into the three-limb column accumulator (c0, c1, c2).
inline void mac(std::uint64_t x, std::uint64_t y, std::uint64_t& c0, std::uint64_t& c1, std::uint64_t& c2) {
#if defined(__x86_64__) && !defined(__clang__)
    // GCC turns the portable form into long carry shuffles; this is the four-instruction column step.
    std::uint64_t hi;
    __asm__("mulq %[y]\n\taddq %%rax, %[c0]\n\tadcq %%rdx, %[c1]\n\tadcq $0, %[c2]"
            : [c0] "+r"(c0), [c1] "+r"(c1), [c2] "+r"(c2), "+a"(x), "=d"(hi)
            : [y] "rm"(y)
            : "cc");
#else
    using u128 = unsigned __int128;
    u128 t = static_cast<u128>(x) * y;
    u128 s = static_cast<u128>(c0) + static_cast<std::uint64_t>(t);
    c0 = static_cast<std::uint64_t>(s);
    u128 s1 =
        static_cast<u128>(c1) + static_cast<std::uint64_t>(t >> 64) + static_cast<std::uint64_t>(s >> 64);
    c1 = static_cast<std::uint64_t>(s1);
    c2 += static_cast<std::uint64_t>(s1 >> 64);
#endif
}

}  // namespace qx
