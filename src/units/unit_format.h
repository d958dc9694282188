// Text of a converted value as the converter screens show it.
#pragma once

#include <string>

// Unit converter: "0.00" below 1e-20 in magnitude; "%0.12e" from 1e12 up or 1e-12 down; otherwise
// "%0.12f" passed through trimZero.
std::string FormatUnitResult(double value);

// Currency converter: "0.00" below 1e-20 in magnitude; "%0.10e" from 1e10 up or 1e-10 down; otherwise
// "%0.2f".
std::string FormatCurrencyResult(double value);

// Shortens a fixed-point text (one containing "."; other texts come back unchanged).
// 1. Trailing zeros are dropped while the last "0" follows another "0", so one digit stays after the last
//    non-zero one: "2.500000000000" -> "2.50", "3.000000000000" -> "3.0".
// 2. A text of 14 characters or more is rounded (half up, on its digits) to max(1, 12 - p) decimals, p
//    being the number of characters before the point, and step 1 is applied again: the integer part and
//    the point always stay, and the result has at most 13 characters whenever the point stands among the
//    first 12 ("0.333333333333" -> "0.33333333333", "0.666666666666" -> "0.66666666667"). "-0.0" becomes
//    "0.0".
std::string trimZero(const std::string& text);
