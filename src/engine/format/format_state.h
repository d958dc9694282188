// Process-wide state that the result formatter reads: the notation settings, the output format and the
// current category. The settings code fills them at start-up and when the settings screen closes; the
// main controller keeps g_CurrentFunction; the formatter itself keeps g_nPreNotation.
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
