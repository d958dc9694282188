// Test-only bridge between q-type numbers and MPFR, the reference the extended-precision library is checked
// against. Never linked into the product.
#pragma once

#include <mpfr.h>

#include <cstdint>
#include <random>
#include <string>

#include "numeric/qlib.h"

namespace ref {

constexpr int kPrec = 336;

// RAII holder of an MPFR number (default precision kPrec).
class Mp {
  public:
    explicit Mp(mpfr_prec_t prec = kPrec) { mpfr_init2(v_, prec); }
    Mp(const Mp&) = delete;
    Mp& operator=(const Mp&) = delete;
    ~Mp() { mpfr_clear(v_); }
    mpfr_ptr get() { return v_; }
    mpfr_srcptr get() const { return v_; }
    operator mpfr_ptr() { return v_; }
    operator mpfr_srcptr() const { return v_; }
    // Lets MPFR's accessor macros (mpfr_zero_p, mpfr_sgn, ...) take an Mp directly.
    mpfr_ptr operator->() { return v_; }
    mpfr_srcptr operator->() const { return v_; }

  private:
    mpfr_t v_;
};

// Exact conversions (the q-type significand has exactly kPrec bits). Infinity maps to MPFR infinity.
void to_mpfr(const QELT* q, mpfr_ptr out);
// Rounds to nearest into the stored form (exponents out of range saturate to infinity or zero).
void from_mpfr(mpfr_srcptr v, QELT* q);

// Distance between a q-type result and the reference, in units of the result's last place
// (2^(exponent - 336) of the reference). Returns a huge value when one side is infinite and the other not.
double ulp_error(const QELT* got, mpfr_srcptr want);
// |got - want| / 2^k, for absolute bounds near zeros.
double abs_error_log2(const QELT* got, mpfr_srcptr want);

// Random operand: significand uniformly random (336 bits), binary exponent uniform in [emin, emax], random
// sign when signed_ is true.
void random_q(std::mt19937_64& rng, int emin, int emax, bool signed_, QELT* q);

std::string describe(const QELT* q);  // the value as 40 significant digits, for failure messages

}  // namespace ref
