// Engine-facing complex functions in extended precision.
//
// Each takes its operands by value and returns the result. After the library call, if the library flagged
// an error (iserror()), the function sets the engine error code to -56 ("Invalid parameter(s)"). They do not
// clear the library flag first: a flag still raised from an earlier operation is reported too, which the
// evaluation loop relies on (it clears the flag before each operand).
#pragma once

#include "numeric/qlib.h"

qcmplx qcmplx_add(qcmplx a, qcmplx b);  // a + b
qcmplx qcmplx_sub(qcmplx a, qcmplx b);  // a - b
qcmplx qcmplx_mul(qcmplx a, qcmplx b);  // a * b
qcmplx qcmplx_div(qcmplx a, qcmplx b);  // a / b
qcmplx qcmplx_pow(qcmplx a, qcmplx b);  // a ^ b
qcmplx qcmplx_abs(qcmplx a);            // |a| + 0i
qcmplx qcmplx_inverse(qcmplx a);        // 1 / a
qcmplx qcmplx_log(qcmplx a);            // ln a
qcmplx qcmplx_log10(qcmplx a);          // ln a / ln 10
qcmplx qcmplx_sqrt(qcmplx a);           // principal square root
qcmplx qcmplx_exp(qcmplx a);            // e^a
qcmplx qcmplx_sin(qcmplx a);
qcmplx qcmplx_cos(qcmplx a);
qcmplx qcmplx_tan(qcmplx a);
qcmplx qcmplx_sinh(qcmplx a);
qcmplx qcmplx_cosh(qcmplx a);
qcmplx qcmplx_tanh(qcmplx a);
qcmplx qcmplx_arcsin(qcmplx a);
qcmplx qcmplx_arccos(qcmplx a);
qcmplx qcmplx_arctan(qcmplx a);
qcmplx qcmplx_arcsinh(qcmplx a);
qcmplx qcmplx_arccosh(qcmplx a);
qcmplx qcmplx_arctanh(qcmplx a);
qcmplx qcmplx_sec(qcmplx a);      // 1 / cos a
qcmplx qcmplx_csc(qcmplx a);      // 1 / sin a
qcmplx qcmplx_sech(qcmplx a);     // 1 / cosh a
qcmplx qcmplx_csch(qcmplx a);     // 1 / sinh a
qcmplx qcmplx_arcsec(qcmplx a);   // arccos(1 / a)
qcmplx qcmplx_arccsc(qcmplx a);   // arcsin(1 / a)
qcmplx qcmplx_arcsech(qcmplx a);  // arccosh(1 / a)
qcmplx qcmplx_arccsch(qcmplx a);  // arcsinh(1 / a)

// Small helpers used throughout the engine.
qcmplx qcmplx_make(double re, double im);  // exact conversion of two doubles
qcmplx qcmplx_real(const QELT* re);        // re + 0i
