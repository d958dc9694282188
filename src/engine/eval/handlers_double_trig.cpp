// Double-precision circular and hyperbolic handlers: angle units, pole tests and twelve-decimal rounding.
#include <cmath>
#include <numbers>

#include "engine/eval/double_rounding.h"
#include "engine/eval/evaluate.h"
#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file

using handler_detail::IsNonNumber;
using handler_detail::Unary;
using handler_detail::UnaryValue;

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegreeToRadian = kPi / 180;
constexpr double kGradToRadian = kPi / 200;
constexpr double kRadianToDegree = 180 / kPi;
constexpr double kRadianToGrad = 200 / kPi;

// A complex argument is always taken in radians, and the mode stays radian for the rest of the
// calculation; a real one is converted from the current unit.
void ArgumentToRadians(COMPLEX& z) {
    if (z.im != 0) g_Mode = 1;
    if (g_Mode == 0) z.re *= kDegreeToRadian;
    if (g_Mode == 2) z.re *= kGradToRadian;
}

void ResultFromRadians(COMPLEX& z) {
    if (g_Mode == 0) z.re *= kRadianToDegree;
    if (g_Mode == 2) z.re *= kRadianToGrad;
}

using Fn = COMPLEX (*)(COMPLEX);

// f on an argument in radians, the non-number test, and the result's real part rounded to 12 decimals.
COMPLEX Snapped(COMPLEX z, Fn f, int code, int& err) {
    const COMPLEX r = f(z);
    if (IsNonNumber(r)) {
        err = code;
        return r;
    }
    return {SnapTo12Decimals(r.re), r.im};
}

// Forward circular function with the result's real part rounded to 12 decimals.
COMPLEX Forward(COMPLEX z, Fn f, int code, int& err) {
    ArgumentToRadians(z);
    return Snapped(z, f, code, err);
}

// Forward function with a pole test first: q = |x| / period must not be an (odd) integer.
COMPLEX WithPoles(COMPLEX z, Fn f, int code, double period, bool oddOnly, int& err) {
    ArgumentToRadians(z);
    if (z.im == 0 && IsPoleQuotient(std::fabs(z.re) / period, oddOnly)) {
        err = code;
        return z;
    }
    return Snapped(z, f, code, err);
}

int Inverse(COMPLEX& z, Fn f, int code) {
    if (z.im != 0) g_Mode = 1;
    const COMPLEX r = f(z);
    if (IsNonNumber(r)) return code;
    z = r;
    ResultFromRadians(z);
    return 0;
}

int Plain(COMPLEX& z, Fn f, int code) {
    const COMPLEX r = f(z);
    if (IsNonNumber(r)) return code;
    z = r;
    return 0;
}

// complex_tan with the hyperbolic terms of a zero imaginary part written out: sinh of a signed zero is that
// zero, so the values are complex_tan's own.
COMPLEX TanOf(COMPLEX z) {
    if (z.im != 0) return complex_tan(z);
    const double c = std::cos(z.re);
    const double t = c * c + z.im * z.im;
    return {0.5 * std::sin(2 * z.re) / t, 0.5 * (2 * z.im) / t};
}

}  // namespace

COMPLEX SinValue(COMPLEX z, int& err) {
    return Forward(z, complex_sin, kErrSin, err);
}
COMPLEX CosValue(COMPLEX z, int& err) {
    return Forward(z, complex_cos, kErrCos, err);
}
COMPLEX TanValue(COMPLEX z, int& err) {
    return WithPoles(z, TanOf, kErrTan, kPi / 2, true, err);
}
double TanSnappedOfReal(double r) {
    return SnapTo12Decimals(TanOf({r, 0.0}).re);
}

void Sin(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, SinValue);
}
void Cos(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, CosValue);
}
void Tan(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base, TanValue);
}
void Sec(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base,
               [](COMPLEX z, int& err) { return WithPoles(z, complex_sec, kErrSec, kPi / 2, true, err); });
}
void Csec(COMPLEX* s, long& n, long base) {
    UnaryValue(s, n, base,
               [](COMPLEX z, int& err) { return WithPoles(z, complex_csc, kErrCsc, kPi, false, err); });
}
void CTan(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) {
        ArgumentToRadians(z);
        const COMPLEX r = complex_cot(z);
        if (IsNonNumber(r)) return kErrCotan;
        z = r;
        return 0;
    });
}

void ASin(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arcsin, kErrArcsin); });
}
void ACos(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arccos, kErrArccos); });
}
void ATan(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arctan, kErrArctan); });
}
void ACot(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arccot, kErrArccot); });
}
void ASec(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arcsec, kErrArcsec); });
}
void ACsec(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Inverse(z, complex_arccsc, kErrArccsc); });
}

void Sinh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_sinh, kErrSinh); });
}
void Cosh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_cosh, kErrCosh); });
}
void Tanh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_tanh, kErrTanh); });
}
void Ctanh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_coth, kErrCotanh); });
}
void Sech(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_sech, kErrSech); });
}
void Csech(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_csch, kErrCsch); });
}
void ASinh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arcsinh, kErrArcsinh); });
}
void ACosh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arccosh, kErrArccosh); });
}
void ATanh(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arctanh, kErrArctanh); });
}
void ACoth(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arccoth, kErrArccoth); });
}
void ASech(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arcsech, kErrArcsech); });
}

void ACsech(COMPLEX* s, long& n, long base) {
    Unary(s, n, base, [](COMPLEX& z) { return Plain(z, complex_arccsch, kErrArccsch); });
}
