// Conversions between the display text of an input line and other texts.
//
// Display text uses U+00D7, U+00F7, U+2212 for "*", "/", "-", U+221A followed by "(" for a root (its index
// written before it), U+222B, U+03B4, U+220F, U+2211, U+0192 followed by "(" for the calculus and series
// functions, U+00B8 as the "European" decimal comma and "[ans]" for the previous answer.
#pragma once

#include <string>
#include <string_view>

#include "app/keys/key_codes.h"

// What a number text is grouped for: the output format, the category and the display's base code.
struct LineTextFormat {
    std::string_view outputMode;
    int categoryId = kCatArithmetic;
    int baseCode = kKeyBaseDec;
};

// Display text into engine text, before the marks are settled (U+00B8 may still be in it):
//  1. U+00D7 -> "*", U+00F7 -> "/", U+2212 -> "-", "exp" -> " exp ";
//  2. a "." or U+00B8 not preceded by a digit gets a "0" before it;
//  3. each root "<index>U+221A(" becomes "RT(<index>,"; the index is the bracketed group before the
//     root sign, or the run of digits and decimal marks, or else everything from the previous rewrite;
//  4. "*" is made explicit where multiplication is implied (2(3), )(, ](, 3i, i2, ...);
//  5. the calculus signs become fnInt, fnDeriv, fnProduct, fnSum, fnEval, and "[ans]" becomes "[VRE]".
std::u16string ParseRawString(const std::u16string& display);

// ParseRawString, then the group marks go ("." in "European", U+00B8 in the English formats) and U+00B8
// becomes ".", so that the engine always reads "." as decimal point. Returned as 8-bit engine text:
// units below 256 as themselves (Latin-1), anything else as "?", which the engine rejects.
std::string OutputParsedString(const std::u16string& display, std::string_view outputMode);

// The text that InsertString puts into a line, one object per unit: "*", "/", "-" become the display
// signs (each unless exclude holds it), "[VRE]" becomes "[ans]", the number is grouped for the format and
// the group marks removed again, so only the decimal mark changes. Formats other than "European",
// "English (US)", "English (UK)" leave the marks as they are.
std::u16string PrepareInsertText(const std::u16string& text, const LineTextFormat& format,
                                 const std::u16string& exclude = u"");

// A one-unit string.
std::u16string AUniCharToNSString(char16_t unit);

// UTF-16 from 8-bit engine text read as Latin-1, and UTF-16 from UTF-8 (invalid bytes become U+FFFD).
std::u16string Latin1ToU16(std::string_view text);
std::u16string Utf8ToU16(std::string_view text);
std::string U16ToUtf8(std::u16string_view text);
