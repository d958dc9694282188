// Small conversions shared by the parts of the display's dispatcher.
#pragma once

#include <string>
#include <string_view>

#include "numeric/qlib.h"

namespace led_detail {

constexpr char16_t kComma = 0x00B8;
constexpr char16_t kMinus = 0x2212;

// Digit keys (0-9) and the hexadecimal digits A-F; the character each one types ('\0' for others).
bool IsDigitCode(int code);
char DigitOf(int code);
// True when the imaginary part has magnitude 1e-64 or more: the key-by-key calculators show no complex
// values.
bool HasImaginaryPart(const qcmplx& value);
// The text widened to UTF-16 with the leading blanks of a sign position dropped.
std::u16string Widen(std::string_view text);
// A number text grouped for the output format ("European": decimal U+00B8, group "."; English: the
// reverse; other formats unchanged), then its minus signs as the display's U+2212.
std::u16string DisplayNumber(std::u16string text, int baseCode, int categoryId);

}  // namespace led_detail
