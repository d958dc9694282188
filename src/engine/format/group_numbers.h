// Thousands grouping of number texts, shared by the result formatter and the display.
//
// GroupNumbers puts the group mark every three digits of the integer part of a decimal number text and
// gives it the wanted decimal mark. It is pure text: the caller passes the category and output format it
// works for. Mark code points used by the calculator: 46 (".") and 184 (U+00B8, the display's comma).
#pragma once

#include <string>
#include <string_view>

// Returns s grouped, or s unchanged when
//  - categoryId is 5, 6 or 7 (Unit Converter, Currency Converter, Tip), or
//  - baseCode is not 147 (decimal), or
//  - s holds a character from 'B' to 'y' other than 'e' and 'E' (function names, hexadecimal digits).
// outputMode is "European", "English (US)" or "English (UK)" (compared without case). The format's
// decimal character in s (in "European" any "." or U+00B8, in the English formats ".") marks the end of
// the integer part and becomes decimalMark; every groupMark already in s is removed first. With any other
// format no decimal point is recognised. No mark is put right after a sign or an exponent letter, and
// the result starts with neither blanks nor a group mark.
std::u16string GroupNumbers(std::u16string s, char16_t decimalMark, char16_t groupMark, int baseCode,
                            int categoryId, std::string_view outputMode);

// The same for 8-bit engine text, read as Latin-1 (so 184 is U+00B8); marks are character codes < 256.
std::string GroupNumbers(const std::string& s, int decimalMark, int groupMark, int baseCode, int categoryId,
                         std::string_view outputMode);

// True for "European", false otherwise; IsEnglishOutputMode is true for "English (US)" and "English (UK)".
// Both compare without case.
bool IsEuropeanOutputMode(std::string_view outputMode);
bool IsEnglishOutputMode(std::string_view outputMode);
