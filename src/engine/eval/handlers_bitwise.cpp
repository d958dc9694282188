// Bitwise and remainder handlers of both families. The extended family converts its real operands to
// doubles and computes exactly as the double family.
#include <cmath>
#include <cstdint>

#include "engine/eval/ext_support.h"
#include "engine/eval/handler_support.h"
#include "engine/eval/handlers.h"
#include "numeric/radix.h"

using handler_detail::Binary;
using handler_detail::Unary;

namespace {

bool IsIntegral(double v) {
    return std::isfinite(v) && v == std::trunc(v);
}

bool ValidWidth(int w) {
    return w == 8 || w == 16 || w == 32 || w == 64;
}

uint64_t WidthMask(int w) {
    return w == 64 ? UINT64_MAX : (uint64_t{1} << w) - 1;
}

// A whole value as a signed 32-bit integer, taken modulo 2^32 so that unsigned 32-bit patterns keep their
// bits (4294967295 is -1).
int32_t ToInt32(double v) {
    const double m = std::fmod(v, 4294967296.0);  // exact, in (-2^32, 2^32)
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(m)));
}

// The unsigned operand of not and cpl: truncated, negative values 0, values beyond the word the largest
// word (2^32 - 1, or 2^64 - 1 at width 64), then the low w bits.
uint64_t ToUnsignedWidth(double v, int w) {
    uint64_t u;
    if (!(v > 0)) {
        u = 0;
    } else if (w == 64) {
        u = v >= 18446744073709551616.0 ? UINT64_MAX : static_cast<uint64_t>(v);
    } else {
        u = v >= 4294967296.0 ? UINT32_MAX : static_cast<uint64_t>(v);
    }
    return u & WidthMask(w);
}

// A signed 32-bit result read as an unsigned w-bit pattern (sign-extended at width 64).
double AsUnsignedWidth(int32_t v) {
    const int w = g_BitWidth;
    if (!ValidWidth(w)) return 0;
    return static_cast<double>(static_cast<uint64_t>(static_cast<int64_t>(v)) & WidthMask(w));
}

using BinaryFn = int (*)(double a, double b, double& r);
using UnaryFn = void (*)(double x, double& r);

template <typename Op>
int Signed(double a, double b, double& r, Op op) {
    if (!IsIntegral(a) || !IsIntegral(b)) return kErrNotInteger;
    r = static_cast<double>(op(ToInt32(a), ToInt32(b)));
    return 0;
}

int AndOf(double a, double b, double& r) {
    return Signed(a, b, r, [](int32_t x, int32_t y) { return x & y; });
}
int OrOf(double a, double b, double& r) {
    return Signed(a, b, r, [](int32_t x, int32_t y) { return x | y; });
}
int XorOf(double a, double b, double& r) {
    return Signed(a, b, r, [](int32_t x, int32_t y) { return x ^ y; });
}
int NandOf(double a, double b, double& r) {
    if (!IsIntegral(a) || !IsIntegral(b)) return kErrNotInteger;
    r = AsUnsignedWidth(~(ToInt32(a) & ToInt32(b)));
    return 0;
}
int NorOf(double a, double b, double& r) {
    if (!IsIntegral(a) || !IsIntegral(b)) return kErrNotInteger;
    r = AsUnsignedWidth(~(ToInt32(a) | ToInt32(b)));
    return 0;
}
// The shift, rotation and remainder routines set their own codes.
int ShlOf(double a, double b, double& r) {
    r = SHL(a, b);
    return 0;
}
int ShrOf(double a, double b, double& r) {
    r = SHR(a, b);
    return 0;
}
int RtlOf(double a, double b, double& r) {
    r = RTL(a, b);
    return 0;
}
int RtrOf(double a, double b, double& r) {
    r = RTR(a, b);
    return 0;
}
int ModOf(double a, double b, double& r) {
    r = MOD(a, b);
    return 0;
}

void NotOf(double x, double& r) {
    const int w = g_BitWidth;
    r = ValidWidth(w) ? static_cast<double>(~ToUnsignedWidth(x, w) & WidthMask(w)) : 0;
}
void CplOf(double x, double& r) {
    const int w = g_BitWidth;
    r = ValidWidth(w) ? static_cast<double>((0 - ToUnsignedWidth(x, w)) & WidthMask(w)) : 0;
}

void BinaryDouble(COMPLEX* s, long& n, long base, BinaryFn f) {
    Binary(s, n, base, [f](COMPLEX& a, COMPLEX b) {
        if (a.im != 0 || b.im != 0) return kErrComplex;
        double r = 0;
        const int err = f(a.re, b.re, r);
        a = {r, 0};
        return err;
    });
}

void UnaryDouble(COMPLEX* s, long& n, long base, UnaryFn f) {
    Unary(s, n, base, [f](COMPLEX& z) {
        if (z.im != 0) return kErrComplex;
        double r;
        f(z.re, r);
        z = {r, 0};
        return 0;
    });
}

void SetReal(qcmplx& v, double d) {
    etoq(d, v.r);
    qclear(v.i);
}

void BinaryEx(qcmplx* s, long& n, long base, BinaryFn f) {
    Binary(s, n, base, [f](qcmplx& a, qcmplx b) {
        if (!ext_detail::MakeReal(a) || !ext_detail::MakeReal(b)) return kErrComplex;
        const double x = ext_detail::ToDouble(a.r), y = ext_detail::ToDouble(b.r);
        SetReal(g_dblLastParam, y);
        double r = 0;
        const int err = f(x, y, r);
        SetReal(a, r);
        return err;
    });
}

void UnaryEx(qcmplx* s, long& n, long base, UnaryFn f) {
    Unary(s, n, base, [f](qcmplx& z) {
        if (!ext_detail::MakeReal(z)) return kErrComplex;
        double r;
        f(ext_detail::ToDouble(z.r), r);
        SetReal(z, r);
        return 0;
    });
}

}  // namespace

void ANDF(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, AndOf);
}
void ORF(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, OrOf);
}
void XORF(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, XorOf);
}
void NANDF(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, NandOf);
}
void NORF(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, NorOf);
}
void shl(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, ShlOf);
}
void shr(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, ShrOf);
}
void rtl(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, RtlOf);
}
void rtr(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, RtrOf);
}
void mod(COMPLEX* s, long& n, long base) {
    BinaryDouble(s, n, base, ModOf);
}
void Not(COMPLEX* s, long& n, long base) {
    UnaryDouble(s, n, base, NotOf);
}
void cpl(COMPLEX* s, long& n, long base) {
    UnaryDouble(s, n, base, CplOf);
}

void ANDFEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, AndOf);
}
void ORFEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, OrOf);
}
void XORFEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, XorOf);
}
void NANDFEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, NandOf);
}
void NORFEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, NorOf);
}
void shlEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, ShlOf);
}
void shrEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, ShrOf);
}
void rtlEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, RtlOf);
}
void rtrEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, RtrOf);
}
void modEx(qcmplx* s, long& n, long base) {
    BinaryEx(s, n, base, ModOf);
}
void notEx(qcmplx* s, long& n, long base) {
    UnaryEx(s, n, base, NotOf);
}
void cplEx(qcmplx* s, long& n, long base) {
    UnaryEx(s, n, base, CplOf);
}
