// The tokenizer: rewrites a standardized expression into engine text, lower-case tokens separated by single
// blanks, checking that every word belongs to the vocabulary (engine/parse/tables.h).
#pragma once

#include <string>

#include "engine/limits.h"

// Rewrites text in place into engine text for the given radix (2, 8, 10 or 16) and free variable name
// (may be null). Returns 1 on success, 0 on a syntax fault; sets no error code (callers set -1). Returns 0
// at once when the engine error code is set.
//
// In radix 10 a token is a run of letters, digits and '.' (not starting with '.'); runs made only of
// digits, '.', 'E', 'P' and 'I' (numbers, PI, E, I) are kept as they are, any other run must be a word of
// lpszFunction, a register name or the variable. The characters ( ) + - * / ^ ! % become one-character
// tokens; [ ] . and blanks are dropped; anything else is a fault. In radix 2, 8 and 16 a token is a run of
// letters and digits; a run of digits of the radix becomes the decimal text of its value as a signed 32-bit
// integer ("FFFFFFFF" is "-1"), other runs must be names as in radix 10, and characters that are neither
// token nor operator are dropped. Any other radix leaves the text upper-cased and returns 1.
//
// Faults: a text that ends (before blanks, ')', '!', '%' and ']') in anything but a letter or digit; two
// adjacent '-'; an unknown word or character; unequal counts of '(' and ')'; a text of kEngineTextSize
// characters or more, or an engine text that would not fit in kEngineTextSize bytes. On a fault the text
// may be upper-cased but is otherwise unchanged.
int ExpressionParser(std::string& text, int radix, const char* variable);

// The same on a zero-terminated text in a buffer of at least kEngineTextSize bytes; a buffer holding no
// terminator within kEngineTextSize bytes is a fault. Never writes past kEngineTextSize bytes.
int ExpressionParser(char* text, int radix, const char* variable);
