// Result formatting: engine values as the texts the display shows.
//
// ConstructDisplayString writes one extended-precision number in a radix and a notation, the digit texts
// being 8-bit ASCII; ExpResult_REGToString formats a whole evaluation result for the display (16-bit text,
// because grouping brings in the display's comma U+00B8) and keeps it in the last-result register.
//
// The keys are the key codes of the calculator:
//   angle 142 DEG, 143 RAD, 144 GRA (engine angle modes 0, 1, 2);
//   notation 134 FIX, 135 NORM, 136 SCI, 159 FRAC; bit width 138..141 (8, 16, 32, 64 bits);
//   radix 145 binary, 146 octal, 147 decimal, 148 hexadecimal.
// The radix paths take the bit width from g_BitWidth, which the main controller sets from the width key
// before every evaluation; the width key itself is accepted for the callers and has no further use.
// Formatting never sets an error code.
#pragma once

#include <string>

#include "engine/matrix/registers.h"
#include "numeric/qlib.h"

enum : int {
    kAngleDeg = 142,
    kAngleRad = 143,
    kAngleGra = 144,
    kNotationFix = 134,
    kNotationNorm = 135,
    kNotationSci = 136,
    kNotationFrac = 159,
    kWidth8 = 138,
    kWidth16 = 139,
    kWidth32 = 140,
    kWidth64 = 141,
    kRadixBin = 145,
    kRadixOct = 146,
    kRadixDec = 147,
    kRadixHex = 148,
};

// Angle key of an engine angle mode (0 degree, 1 radian, 2 grad; anything else the degree key) and the
// angle mode of a key (0 for any key but the radian and grad keys).
int AngleKeyOf(int mode);
int AngleModeOfKey(int angleKey);
// Radix key of a radix (2, 8, 16; anything else the decimal key) and the radix of a key (10 for any key
// but the three radix keys).
int RadixKeyOf(int radix);
int RadixOfKey(int radixKey);
// Width key of a bit count (16, 32, 64; anything else the 8-bit key) and the bits of a key (8 for any key
// but the 16-, 32- and 64-bit keys).
int WidthKeyOf(int bits);
int BitsOfKey(int widthKey);

// A formatted number: the main text and, in scientific form, the exponent part ("E12", "E-15"; empty
// otherwise).
struct DisplayString {
    std::string text;
    std::string exponent;
};

// Formats value for the display, in capitals.
// Decimal (radix key 147): scientific for notation 136 and outside the plain range 1e-12 <= |x| <= 1e12
// (0 is plain). The scientific text is the mantissa with its sign position (a blank for x >= 0) and
// `digits` decimals, trailing zeros kept. The plain text has 1 + `digits` significant digits without
// trailing zeros or blanks; in FIX (134) it is rounded half up to exactly `fixDigits` decimals (no point
// for 0). While a decimal entry is being typed (imoderpn_status 2) the text shows at least `factor`
// decimals.
// Radix keys 145, 146, 148: the integer part of value (truncated toward zero) in g_BitWidth bits, a
// negative one as its two's-complement pattern (-1: FF, FFFF, FFFFFFFF; -2 in binary at 8 bits: 11111110),
// zero-padded to the width (8 bits: 8 binary, 3 octal, 2 hexadecimal digits); notation and digits play no
// part.
// Any other radix key gives an empty text.
// Callers: the result formatting below, the RPN stack display, the command dispatcher, the main
// controller's re-display in a new notation, and the standardization of radix-mode call results.
DisplayString ConstructDisplayString(int radixKey, int widthKey, const QELT* value, int notationKey,
                                     int digits, int fixDigits);

// ConstructDisplayString without the scientific form: decimal values are always written plain, however
// large or small (the equation solver's root texts). Everything else is the same.
std::string ConstructDisplayString2(int radixKey, int widthKey, const QELT* value, int notationKey,
                                    int digits, int fixDigits);

// The digits of value truncated to an unsigned 64-bit integer in radix 2 .. 16 (capital A-F), keeping
// only the lowest digits that bitWidth bits hold: bitWidth digits in radix 2, bitWidth/3 rounded up in
// radix 8, bitWidth/4 in radix 16 (at most 64 digits; any other radix keeps them all). A negative value
// or a value below 1 gives an empty text; a value of 2^64 or more counts modulo 2^64. A radix outside
// 2 .. 16 gives an empty text.
std::string ldtoa(double value, int radix, int bitWidth);

// Formats an evaluation result for the calculator display.
// Unless g_CurrentFunction is 9, the result's type and both parts first replace the last-result register
// g_reg[1] ("VRE").
// Radix keys other than 147: the real part as by ConstructDisplayString; the imaginary part is not shown.
// Decimal: g_nPreNotation takes notationKey unless it is SCI (in the categories 5, 6 and 7 it becomes
// NORM). A part of a complex result smaller than 1e-96 times the other is rounding noise and shows as zero:
// without its imaginary part the result is written as a real one (e^(i pi) shows -1, not
// -1.0000E0-8.2209E-103i). A complex result is written "<re>+<im>i" from the scientific forms of both parts
// with 4 decimals (the coefficient is left out when the imaginary part is exactly 1; a negative one brings
// its own "-"), grouped only in the "European" and English output modes; it sets resultIsComplex and
// switchToScientific. A real result clears resultIsComplex and is written in notationKey: FIX with
// g_iFixDigits decimals, NORM, SCI, or FRAC as a proper or mixed fraction with the denominator limit of
// g_nPrecision (10^3, 10^6 for 1, 10^9 for 2); unknown keys take NORM. A FRAC value outside the plain
// range returns its NORM mantissa alone and sets switchToScientific. The decimal texts (but not
// fractions) are grouped with GroupNumbers for g_sOutputMode and g_CurrentFunction ("European": decimal
// mark U+00B8, group mark "."; otherwise the reverse) and get their exponent part appended, which sets
// switchToScientific.
// Callers: the main controller for every "=" result, the memory commands for M+ and M-.
std::u16string ExpResult_REGToString(const REG& result, int radixKey, int widthKey, int notationKey,
                                     bool& switchToScientific, bool& resultIsComplex);

// Keeps the type and both parts of a scalar result in the last-result register g_reg[1] ("VRE"), as
// ExpResult_REGToString does; for callers that show a result another way (the terminal's full precision).
void KeepLastResult(const REG& result);
