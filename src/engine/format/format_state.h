// Process-wide state that the result formatter reads: the notation settings, the output format and the
// current category. The first four are the application's settings, which the engine only reads: the
// settings code fills them at start-up and when the settings screen closes, and the main controller
// keeps g_CurrentFunction. g_nPreNotation is the formatter's own; the display sets it through
// SetPreNotation.
#pragma once

#include <cstdint>
#include <string>

extern std::uint8_t g_iFixDigits;  // decimals in FIX notation, 0..10; initially 4
extern int g_nPrecision;           // fraction denominator limit 0 (10^3), 1 (10^6), 2 (10^9); initially 0
extern std::string g_sOutputMode;  // "European", "English (US)" (or "English (UK)"); empty until loaded
extern int g_CurrentFunction;      // current category id; initially 0

// The notation key (134 FIX, 135 NORM, 159 FRAC) of the last decimal result formatted in a notation other
// than SCI, so that the display can return to it after a forced switch to SCI. Initially 135.
extern int g_nPreNotation;
// Stores notationKey in g_nPreNotation: the display's own choice of notation, which Clear returns to.
void SetPreNotation(int notationKey);
