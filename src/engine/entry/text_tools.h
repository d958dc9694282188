// Small engine-text tools shared by standardization, the executor, the calculus routines and the formula
// view: argument extraction, substring replacement, radix digit tests and literal conversion between radixes.
#pragma once

#include <optional>
#include <string>

#include "engine/limits.h"

// Longest result, terminator included, of StrReplace.
constexpr size_t kReplaceTextSize = 1024;

// Parenthesis depth of the last GetFunctionString / GetParam scan (each call starts it at 0).
extern int Top;

// From pos, finds the next '(' and copies into out the text between it and its matching ')'. Returns 1 and
// leaves pos one past the matching ')'; returns 0 (out empty) when there is no '(' or it never closes.
// A ')' that closes nothing sets -8 and the scan goes on.
int GetFunctionString(const std::string& text, std::string& out, int& pos);

// Copies into out the text from pos up to the next comma at parenthesis depth 0 (or the end). Returns 1 and
// moves pos past the comma when that argument is not empty, 0 when it is empty. A ')' that closes nothing
// sets -8 and the scan goes on.
int GetParam(const std::string& text, std::string& out, int& pos);

// Replaces every occurrence of pattern in text, left to right, without rescanning inserted text. The result
// with its terminator must fit limit bytes: otherwise text is left unchanged and false is returned (callers
// that evaluate report -8). An empty pattern changes nothing.
bool StrReplace(std::string& text, const std::string& pattern, const std::string& replacement,
                size_t limit = kReplaceTextSize);

// Digit test per radix: 2 "01", 8 "0-7", 10 "0-9", 16 "0-9A-F" (capitals only); any other radix: none.
bool isDigit(char c, int radix);

// Rewrites every number literal of text from radix `from` into radix `to` under g_BitWidth (a literal is a
// digit of the source radix and every following letter or digit; its value is masked to 8 or 16 bits or
// kept at 32 bits, then written by ltoa in capitals). Blanks next to * + - / (not at either end) are dropped.
// An empty result sets -40 and gives no text; so does an error already set. The flag is not used.
std::optional<std::string> StringConvert(const std::string& text, int from, int to, bool flag = false);

// Rewrites each "solve(" A "," B ")" of a matrix text into "inv(" A ")*(" B ")"; one blank right after the
// parenthesis (as the input line writes it) is dropped, any other character starts A. A call without a
// top-level comma or closing parenthesis sets -1 and stops. Does nothing while an error is set.
void SolverProcessing(std::string& text);
