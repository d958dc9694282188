// The run of a compiled double-precision program, inline for the evaluation entry points (the per-value
// cost of a plot is mostly the way into the program and out of it).
#pragma once

#include <cstring>

#include "engine/eval/double_program.h"
#include "engine/parse/tables.h"

inline bool DoubleProgram::RunReal(double x, double& re, double& im) {
    if (realStart_ == nullptr) return false;
    double* v = realValues_.data();
    v[0] = x;
    v[1] = 1;  // not a zero until the last operation stores the imaginary part
    const double r = realStart_->fn(realStart_, v, x);
    if (v[1] != 0) return false;
    re = r;
    im = v[1];
    return true;
}

inline void DoubleProgram::SetRunLastItem() const {
    if (lastItem_ == nullptr) return;  // no handler in the program: the name stays
    // The common case, the name already there, is one masked word compare.
    if (lastMask_ != 0) {
        std::uint64_t word;
        std::memcpy(&word, g_chrLastItem, sizeof word);
        if ((word & lastMask_) == lastWord_) return;
    }
    SetLastItemSlow();
}

inline bool DoubleProgram::Run(double x, double& re, double& im) {
    if (x == x && RunReal(x, re, im)) {
        SetRunLastItem();
        return true;
    }
    return RunComplex(x, re, im);
}
