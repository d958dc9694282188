// The rounding rule shared by every financial calculator.
#pragma once

namespace finance {

// Rounds value to `places` decimal places (places >= 0) the way the finance screens always have: with
// s = value * 10^places, a non-negative s goes to the nearest integer with an exact half going down
// (2.5 -> 2, 2.51 -> 3), and a negative s is always floored (-2.3 -> -3). Binary representation error is not
// compensated (1.005 at 2 places gives 1.00). A value too large to scale is returned unchanged; NaN stays
// NaN. Never sets an error code.
double Format(double value, int places);

}  // namespace finance
