// Matrix operations of the engine: the handlers of the matrix evaluation and the routines they share.
//
// Handlers work on a value stack of REG records (see registers.h) under the common handler contract:
// entries 0 .. count-1 hold the values computed so far and base is the count at which the innermost open
// parenthesis group began. A handler takes its operands from the top, leaves its result where the first
// operand stood and updates count. When the group holds fewer values than the handler needs it sets error
// -1 and changes nothing. A handler that fails for another reason sets its own code (listed below) and
// also leaves the stack and the registers as they were.
//
// Most handlers build their result in register 0 ("VVV") and push a copy of it in place of their
// operands; "inv", "tri" and "orth" change their operand on the stack instead and leave register 0
// alone. Scalars take part through their real parts only; a scalar result is a real scalar.
//
// Tolerances: a matrix product element below 1e-12 in magnitude becomes 0; an elimination step (Zero)
// sets row elements below 1e-8 to 0; a determinant below 1e-10 in magnitude is 0; Gram-Schmidt rejects a
// column whose squared norm is below 1e-12; eigenvalues closer than 1e-15 count as one.
#pragma once

#include <vector>

#include "engine/matrix/registers.h"

using MatrixHandler = void (*)(REG* stack, long& count, long base);

// One row of the matrix handler table.
struct MatrixFunctionRow {
    const char* name;
    MatrixHandler handler;
};

constexpr int kMatrixFunctionCount = 13;

// "+", "-", "*", "/", "inv", "trans", "det", "eigl", "eigv", "rank", "diag", "orth", "tri", in this order.
extern const MatrixFunctionRow lpMatrixFunctionTable[kMatrixFunctionCount];

// The first row whose name equals word exactly (case-sensitive), or null. A null word gives null.
const MatrixFunctionRow* GetMatrixHandler(const char* word);

// ---- handlers --------------------------------------------------------------------------------------------

// a + b: elementwise for two matrices of one shape, the sum for two scalars; -10 otherwise.
void MatrixAdd(REG* stack, long& count, long base);
// a - b as MatrixAdd (-46 otherwise); with a single value in the group, its negation.
void MatrixSub(REG* stack, long& count, long base);
// a * b: the matrix product (a.cols must equal b.rows, else -38), a matrix scaled by a scalar on either
// side, or the product of two scalars.
void MatrixMul(REG* stack, long& count, long base);
// a / b = a * inverse(b), with the errors of "inv" and "*".
void MatrixDiv(REG* stack, long& count, long base);
// Inverts the top value in place: a square non-singular matrix (else -39), or a scalar (0 gives -5).
void MatrixInv(REG* stack, long& count, long base);
// Transpose; -45 for a scalar.
void MatrixTran(REG* stack, long& count, long base);
// Determinant as a real scalar; -44 for a scalar or a non-square matrix. A determinant that vanishes
// during elimination gives 0 without an error.
void MatrixDet(REG* stack, long& count, long base);
// Eigenvalues of a square matrix as an n x 1 matrix, in the order the QR iteration leaves them; -1 for a
// scalar or a non-square matrix (the iteration is defined for square matrices only).
void MatrixEigenValue(REG* stack, long& count, long base);
// Orthonormalized eigenvectors as the columns of a matrix; -47 when a vector cannot be formed (also for
// a scalar or a non-square matrix), -48 when the vectors are linearly dependent.
void MatrixEigenVector(REG* stack, long& count, long base);
// Rank as a real scalar: the smaller of CountRow and CountCol of the form MatrixTri makes; -43 for a
// scalar.
void MatrixRank(REG* stack, long& count, long base);
// V^T * A * V for a symmetric A, V its eigenvectors from QRAlgorithm; -42 if A is not symmetric.
void MatrixDiag(REG* stack, long& count, long base);
// Orthonormalizes the columns of the top matrix in place (GramSmidt); -48 for dependent columns or a
// scalar.
void MatrixOrth(REG* stack, long& count, long base);
// Brings the top matrix to row echelon (upper triangular) form in place: for each column, the Zero step
// on every row below the current pivot row, from the last row up; the pivot row moves down with each
// column that has a non-zero element at or below it. -43 for a scalar.
void MatrixTri(REG* stack, long& count, long base);

// ---- routines on registers ---------------------------------------------------------------------------

// Determinant of a square matrix. A scalar, a non-square or empty matrix, or a determinant that vanishes
// during elimination, sets -44 and returns 0.
double MatrixDet(const REG& m);

// Inverts a square matrix in place by Gauss-Jordan elimination with full pivoting. Returns 1 on success;
// a scalar, a non-square or empty matrix, or a singular one sets -39, leaves m unchanged and returns 0.
int MatrixInv(REG& m);

// result = a * b for two matrices with a.cols == b.rows; product elements below 1e-12 in magnitude become
// 0. result may be a or b. Anything else sets -38 and clears result.
void MatrixMul(const REG& a, const REG& b, REG& result);

// 1 for a square matrix equal to its transpose (exact comparison), else 0.
int Symetric(const REG& m);
// Number of rows (columns) of a matrix holding a non-zero element; 0 for a scalar.
int CountRow(const REG& m);
int CountCol(const REG& m);
// Index of the first all-zero row of a matrix, or -1 (also for a scalar).
int ZeroRow(const REG& m);

// One elimination step on row r, column c of a matrix: subtracts the multiple of the first row k in
// c .. r-1 with a non-zero element in column c that clears element (r, c), setting every element of row r
// below 1e-8 in magnitude to 0; with no such row, exchanges rows r and r-1. Indices outside the matrix
// (or r <= c) leave it alone.
void Zero(REG& m, int r, int c);

// Splits a triangularized square matrix at its first all-zero row k (n when there is none): b receives
// the leading k x k block, c the k x (n-k) block beside it. Returns k (for other shapes k is at most the
// column count; a scalar gives 0 and empty blocks).
int GetInvertableMatrix(const REG& tri, REG& b, REG& c);

// Orthonormalizes the columns of a matrix in place, column 0 first. A column whose squared norm falls
// below 1e-12 (or a scalar) sets -48, leaves m unchanged and returns 0; returns 1 on success.
int GramSmidt(REG& m);

// Classical Gram-Schmidt of the columns of the n x n matrix m: q receives orthonormal columns (a column
// that vanishes is replaced by a unit vector made orthogonal to the earlier ones), r = q^T * m with the
// elements below the diagonal set to 0. q and r may not be m; anything but a square matrix clears them.
void QRDeComposition(const REG& m, REG& q, REG& r);

// Orthogonal iteration on the square matrix a (300 steps): values receives the diagonal of T = Q^T A Q,
// vectors the n x n matrix whose columns are the normalized eigenvectors of the triangular T mapped back
// through Q. repeated is set when T has equal diagonal elements (those vectors are then partial). Only
// real eigenvalues are found; with complex ones the result is whatever the iteration leaves. Anything
// but a square matrix gives no values and a cleared vectors.
void QRAlgorithm(const REG& a, std::vector<double>& values, REG& vectors, bool& repeated);
