// Helpers shared by the matrix source files; not part of the engine's interface.
#pragma once

#include <vector>

#include "engine/matrix/registers.h"

namespace matrix_detail {

// A rows x cols matrix of zeros.
REG MakeMatrix(int rows, int cols);
// A real scalar.
REG MakeScalar(double value);
REG MakeScalar(const QELT* value);

// The real part of a scalar as a double.
double RealPart(const REG& r);

bool IsMatrix(const REG& r);
bool IsSquareMatrix(const REG& r);

// True when the group holds at least `needed` values; otherwise sets -1.
bool HasOperands(long count, long base, int needed);

// The common ending of a handler: register 0 takes result, the `operands` top entries are released and a
// copy of register 0 takes their place.
void PushResult(REG* stack, long& count, int operands, REG&& result);

// Determinant with partial pivoting. Returns false when the running product fell below 1e-300 during
// elimination (det is then 0); a final magnitude below 1e-10 gives det 0 and true.
bool Determinant(const REG& m, double& det);

// In-place Gauss-Jordan inverse of the n x n row-major matrix a; false on a zero pivot (a is then
// garbage).
bool GaussJordan(std::vector<double>& a, int n);

// Inverts a square matrix in place when its determinant is non-zero and no pivot vanishes; false (m
// unchanged, no error code) otherwise.
bool InvertMatrix(REG& m);

// The "inv" handler's work on one value, in place: a matrix's inverse (-39 when impossible) or a scalar's
// reciprocal (-5 for 0). False on failure, the value unchanged.
bool InvertValue(REG& value);

// Zero's step for row r and column c with the search for a pivot row starting at row first (< r).
void EliminationStep(REG& m, int r, int c, int first);

// Row echelon (upper triangular) form of m in place, as the "tri" handler makes it.
void Triangularize(REG& m);

}  // namespace matrix_detail
