// Radix text and the integer operations of the radix modes.
//
// Reading and writing integers in radix 2, 8, 10 and 16 for the expression parser, the number-literal
// conversion of the Base Conversion category and the result formatter, plus the bit-width dependent
// rotations, shifts and remainder that the bitwise operator handlers share, and gcd / lcm for the
// function-call executor.
//
// Bit-width operations take their operand as an unsigned integer of g_BitWidth bits: truncated toward
// zero, a negative value becomes 0 and a value above 2^32 - 1 (2^64 - 1 at width 64) becomes that maximum,
// then the low g_BitWidth bits are kept. The result is that bit pattern read as unsigned, as a double.
#pragma once

// Word width of the bitwise operations: 8, 16, 32 or 64. Set from the display's base and width settings.
// Any other value makes every width-dependent operation return 0 (without an error code).
extern int g_BitWidth;
// Stores bits in g_BitWidth (no check: a width outside 8, 16, 32, 64 makes the operations return 0).
void SetBitWidth(int bits);

// Size of a text buffer that holds every text itoa, ltoa, uitoa and ultoa can write: 64 binary digits of
// a 64-bit value, a sign and the terminator.
constexpr int kRadixTextSize = 66;

// Reads text as an unsigned number in radix 2, 8, 10 or 16 (any other radix gives 0; an empty text gives
// 0). Digits are '0'-'9' and, in radix 16, 'A'-'F' (callers pass capitals: every non-decimal character in
// radix 16 counts as its code - 55). Nothing is rejected: a character that is no digit of the radix
// contributes its code - '0' (or code - 55) at its place all the same. Each partial sum saturates to
// 0 ... 4294967295, so "1FFFFFFFF" in radix 16 gives 4294967295.
unsigned int NumberConverter(const char* text, int radix);

// Write value's digits in radix 2 ... 36 ('0'-'9', then 'A'-'Z'), most significant first, into text,
// which must hold kRadixTextSize bytes; 0 is written "0". Return text. A radix outside 2 ... 36 writes
// an empty text.
char* uitoa(unsigned int value, char* text, int radix);
char* ultoa(unsigned long value, char* text, int radix);

// As uitoa / ultoa, but in radix 10 a negative value is written as '-' and its magnitude; in any other
// radix a negative value is written as its 32-bit two's-complement pattern (ltoa(-1, t, 16) is
// "FFFFFFFF"), the form the 32-bit radix modes show.
char* itoa(int value, char* text, int radix);
char* ltoa(long value, char* text, int radix);

// Turn the ASCII letters of text into capitals (strupr) or small letters (strlwr) in place; other
// characters are kept. strupr returns the length of text, strlwr returns text. A null text is left alone
// (length 0).
int strupr(char* text);
char* strlwr(char* text);

// Rotate the g_BitWidth-bit value of x one bit left (the top bit moves to bit 0) or right (bit 0 moves to
// the top).
double rtl(double x);
double rtr(double x);

// Rotate x left / right by n bits within g_BitWidth bits; a negative n rotates the other way. x and n must
// be integral, else the error code is set to -53 ("Invalid type error") and 0 is returned.
double RTL(double x, double n);
double RTR(double x, double n);

// Shift x left / right by n bits within g_BitWidth bits, filling with zeros; a negative or zero n shifts
// the other way by -n. The count is taken modulo 256 and a count of g_BitWidth or more gives 0. x and n
// must be integral, else -53 and 0.
double SHL(double x, double n);
double SHR(double x, double n);

// |a| mod |b| (never negative). a and b must be integers within the signed 32-bit range, else -53 ("Invalid
// type error") and 0; b = 0 sets -5 ("Division error") and gives 0.
double MOD(double a, double b);

// Greatest common divisor of the magnitudes by Euclid's remainders; gcd(0, b) = |b|, and 1 on either side
// gives 1 at once.
long gcd(long a, long b);

// a * b / gcd(a, b) in doubles, with a and b truncated to integers (saturating at the long range). A zero
// operand gives 0. Callers pass non-negative values.
double lcm(double a, double b);
