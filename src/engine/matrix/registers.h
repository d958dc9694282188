// The engine's register file: 30 named registers, each a real or complex extended-precision scalar or a
// real matrix of doubles. Register 0 ("VVV") receives every calculation's result; 1 ("VRE") the last result
// shown; the others are stores filled by the memories, the statistics data and the equation solver.
#pragma once

#include <cstdint>
#include <vector>

#include "numeric/qlib.h"

// Register kinds.
enum : std::uint8_t { REG_REAL = 0, REG_MATRIX = 1, REG_COMPLEX = 2 };

// One register. A default record is the real scalar 0. The matrix elements are owned by the record
// (row-major, element (i, j) at i * cols + j) and present only for a matrix: copying a REG copies them, and
// replacing or resetting it releases them.
struct REG {
    std::uint8_t type = REG_REAL;
    QELT re[NQ] = {};
    QELT im[NQ] = {};
    std::uint16_t rows = 0;
    std::uint16_t cols = 0;
    std::vector<double> data;

    double at(int i, int j) const { return data[static_cast<size_t>(i) * cols + j]; }
    double& at(int i, int j) { return data[static_cast<size_t>(i) * cols + j]; }
};

constexpr int kRegisterCount = 30;
extern REG g_reg[kRegisterCount];

// Makes register index a rows x cols matrix holding the rows*cols values (row-major). The old contents are
// released first. An index outside 0..29 is ignored.
void SetRegister(int index, int rows, int cols, const double* values);

// Clears a register to the real scalar 0, releasing a matrix.
void ResetAndFreeRegister(int index);
void ResetAndFreeRegister(REG& reg);

// Pushes a copy of reg onto a REG value stack at entry count (count grows by one). A matrix is copied with
// its elements; a scalar copies its type and real part only (the copy's imaginary part is 0).
void RegPush(REG* stack, long& count, const REG& reg);
// Pushes a real scalar.
void RegPush(REG* stack, long& count, long double value);

// Reads register index as a scalar for the extended-precision evaluation: true for a real or complex
// register (its real and imaginary parts in value), false for a matrix or an index outside 0..29.
bool RegisterScalarValue(int index, qcmplx* value);

// Stores a scalar into register index: real when the imaginary part is zero, complex otherwise.
void SetRegisterScalar(int index, const qcmplx& value);
