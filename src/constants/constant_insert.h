// Text that goes into the calculator's input line for a chosen constant or formula.
#pragma once

#include <string>

// groupCaption: the chosen top-level group as shown; valueCaption: the chosen value as shown (the value,
// possibly followed by a blank and its unit). The value is trimmed and cut at its first blank. Outside the
// groups "Area Formula" and "Volume Formula" (any case) an exponent is rewritten in the engine's words:
// "(" goes after the last "e", every "e" becomes "exp", every "+" is dropped and ")" is appended, so
// "6.674e-11" gives "6.674exp(-11)" and "1.2e+5" gives "1.2exp(5)". Formula texts stay as they are.
std::string ConstantInsertText(const std::string& groupCaption, const std::string& valueCaption);
