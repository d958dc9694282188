// Number texts of the side screens: fixed-point formatting, the localised form of a formatted number
// (fixTextDisplay, shared by the tip page and the unit converter's text boxes) and the numeric value of a
// text as a text field reads it.
//
// Formatting and reading never depend on the process locale (a desktop toolkit may set one with a decimal
// comma): the output-format setting alone decides the marks a person sees.
#pragma once

#include <string>
#include <string_view>

// value as printf's "%.<decimals>f" prints it in the C locale ("%.2f", "%.0f", "%.8f", and "%f" with 6):
// correctly rounded, as long as the value needs ("inf", "-inf", "nan" for the values without digits).
std::string FormatFixed(double value, int decimals);

// A formatted number localised for the output format (g_sOutputMode when outputMode is not given):
// "European" uses "," as decimal mark and "." as grouping mark, and every "." of text is first read as
// the decimal mark; every other format uses "." and ",". The integer part (the text before the decimal
// mark, a leading minus sign included) gets a grouping mark every three characters counted leftwards
// from the decimal mark, never at the very start of the text nor right after a leading minus sign.
// So "-1234.50" gives "-1,234.50" and "-123.00" stays as it is.
std::u16string fixTextDisplay(std::u16string_view text, std::string_view outputMode);
std::u16string fixTextDisplay(std::u16string_view text);
std::string fixTextDisplay(std::string_view text, std::string_view outputMode);

// The value a text field reads from its text: leading blanks skipped, then the longest prefix that forms a
// decimal number (sign, digits, one ".", an exponent). 0 when the text starts with no number, so "", "-",
// "." and "abc" read as 0, "12.5kg" as 12.5; "inf" and "nan" are not numbers here. A number too large for
// a double reads as an infinity of its sign, one too small as 0. In the UTF-16 form the display's decimal
// comma (U+00B8) reads as "." and its minus sign (U+2212) as "-".
double TextNumericValue(std::string_view text);
double TextNumericValue(std::u16string_view text);
