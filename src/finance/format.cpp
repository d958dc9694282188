#include "finance/format.h"

#include <cmath>

namespace finance {

double Format(double value, int places) {
    const double scale = std::pow(10.0, places);
    double s = value * scale;
    // A value this large has no digits below the step, and scaling it back from infinity would lose it.
    if (!std::isfinite(s)) return value;
    // Subtracting the magnitude of the integer part (not the signed part) is what makes every negative
    // value fall to the floor: its "fraction" is then below zero and never above one half.
    const double fraction = s - std::fabs(std::trunc(s));
    s = fraction > 0.5 ? std::ceil(s) : std::floor(s);
    return s / scale;
}

}  // namespace finance
