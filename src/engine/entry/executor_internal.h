// Pieces of the function-call executor shared by its source files.
#pragma once

#include <string>
#include <vector>

#include "numeric/qlib.h"

namespace executor_detail {

qcmplx Real(double v);

// Reads every argument as a double (radix as given). Fewer than `required` sets missingCode. False on any
// failure (the error code set).
bool ReadDoubles(const std::string& args, int radix, int required, int missingCode, std::vector<double>& out);

// Reads exactly `count` leading arguments; a missing one sets -8. *next (when given) receives the position
// after them.
bool ReadFixed(const std::string& args, int radix, int count, std::vector<qcmplx>& out, int* next = nullptr);

// Equal to its truncation to a signed 32-bit integer.
bool IsInt32(double d);

}  // namespace executor_detail

// The statistics over register 29 ("LIST") for one of the list indices of fnName.
qcmplx ListStatistic(int index);

// PoissonPDF, BinomialPDF, GammaPDF, GeoPDF, RayPDF, GausPDF from their argument text.
qcmplx Density(int index, const std::string& args);

// fnInt, fnDeriv, fnEval, fnRoot, fnSum, fnProduct from their argument text. fnSum and fnProduct take at
// most kSeriesTermLimit (10^6) terms (engine/entry/calculus.h); a longer range is -7.
qcmplx CalculusCall(int index, const std::string& args);
