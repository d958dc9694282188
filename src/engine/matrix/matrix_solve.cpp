// Elimination-based matrix handlers: determinant, inverse, triangular form and rank.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/matrix/matrix.h"
#include "engine/matrix/matrix_internal.h"
#include "numeric/errors.h"

using namespace matrix_detail;

namespace {

void SwapRows(std::vector<double>& a, int cols, int r1, int r2) {
    for (int j = 0; j < cols; ++j)
        std::swap(a[static_cast<size_t>(r1) * cols + j], a[static_cast<size_t>(r2) * cols + j]);
}

}  // namespace

namespace matrix_detail {

bool Determinant(const REG& m, double& det) {
    const int n = m.rows;
    std::vector<double> a = m.data;
    auto at = [&](int i, int j) -> double& { return a[static_cast<size_t>(i) * n + j]; };
    double d = 1;
    for (int j = 0; j + 1 < n; ++j) {
        int k = j;
        for (int i = j + 1; i < n; ++i) {
            if (std::fabs(at(i, j)) > std::fabs(at(k, j))) k = i;
        }
        if (k != j) {
            SwapRows(a, n, j, k);
            d = -d;
        }
        const double pivot = at(j, j);
        d *= pivot;
        // A vanishing product means a zero (or negligible) pivot: the matrix is singular for our purposes.
        if (std::fabs(d) < 1e-300) {
            det = 0;
            return false;
        }
        for (int c = j + 1; c < n; ++c) at(j, c) /= pivot;
        for (int i = j + 1; i < n; ++i) {
            const double f = at(i, j);
            for (int c = j + 1; c < n; ++c) at(i, c) -= f * at(j, c);
        }
    }
    d *= at(n - 1, n - 1);
    det = std::fabs(d) < 1e-10 ? 0.0 : d;
    return true;
}

bool GaussJordan(std::vector<double>& a, int n) {
    auto at = [&](int i, int j) -> double& { return a[static_cast<size_t>(i) * n + j]; };
    std::vector<int> indxr(n), indxc(n), used(n, 0);
    for (int pass = 0; pass < n; ++pass) {
        double big = 0;
        int irow = -1, icol = -1;
        for (int j = 0; j < n; ++j) {
            if (used[j]) continue;
            for (int k = 0; k < n; ++k) {
                if (!used[k] && std::fabs(at(j, k)) >= big) {
                    big = std::fabs(at(j, k));
                    irow = j;
                    icol = k;
                }
            }
        }
        if (icol < 0 || at(irow, icol) == 0) return false;
        used[icol] = 1;
        // The pivot moves onto the diagonal; the column exchange this implies is undone at the end.
        if (irow != icol) SwapRows(a, n, irow, icol);
        indxr[pass] = irow;
        indxc[pass] = icol;
        const double pivinv = 1.0 / at(icol, icol);
        at(icol, icol) = 1.0;
        for (int c = 0; c < n; ++c) at(icol, c) *= pivinv;
        for (int r = 0; r < n; ++r) {
            if (r == icol) continue;
            const double f = at(r, icol);
            at(r, icol) = 0;
            for (int c = 0; c < n; ++c) at(r, c) -= at(icol, c) * f;
        }
    }
    for (int pass = n - 1; pass >= 0; --pass) {
        if (indxr[pass] == indxc[pass]) continue;
        for (int r = 0; r < n; ++r) std::swap(at(r, indxr[pass]), at(r, indxc[pass]));
    }
    return true;
}

bool InvertMatrix(REG& m) {
    double det = 0;
    if (!IsSquareMatrix(m) || !Determinant(m, det) || det == 0) return false;
    std::vector<double> a = m.data;
    if (!GaussJordan(a, m.rows)) return false;
    m.data = std::move(a);
    return true;
}

bool InvertValue(REG& value) {
    if (!IsMatrix(value)) {
        if (iszero(value.re)) {
            SetErrorCode(kErrDivision);
            return false;
        }
        REG out;
        qdiv(value.re, qone, out.re);
        value = std::move(out);
        return true;
    }
    return MatrixInv(value) == 1;
}

void EliminationStep(REG& m, int r, int c, int first) {
    int k = first;
    while (k < r && m.at(k, c) == 0) ++k;
    if (k == r) {
        SwapRows(m.data, m.cols, r, r - 1);
        return;
    }
    const double f = m.at(r, c) / m.at(k, c);
    for (int j = 0; j < m.cols; ++j) {
        double v = m.at(r, j) - f * m.at(k, j);
        m.at(r, j) = std::fabs(v) < 1e-8 ? 0.0 : v;
    }
}

void Triangularize(REG& m) {
    // The pivot row follows the column while every column has a pivot, which is the plain Zero sweep. A
    // column without one keeps the pivot row where it is, so that the rows below it are still reduced in
    // the later columns and the form stays a row echelon form ([[0,1],[0,1]] becomes [[0,1],[0,0]]).
    int pivotRow = 0;
    for (int c = 0; c < m.cols && pivotRow < m.rows; ++c) {
        for (int j = m.rows - 1; j > pivotRow; --j) EliminationStep(m, j, c, pivotRow);
        if (m.at(pivotRow, c) != 0) ++pivotRow;
    }
}

}  // namespace matrix_detail

double MatrixDet(const REG& m) {
    double det = 0;
    if (!IsSquareMatrix(m) || !Determinant(m, det)) {
        SetErrorCode(kErrDeterminant);
        return 0;
    }
    return det;
}

void MatrixDet(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!IsSquareMatrix(a)) {
        SetErrorCode(kErrDeterminant);
        return;
    }
    double det = 0;
    Determinant(a, det);  // a determinant that vanished during elimination is pushed as 0
    PushResult(stack, count, 1, MakeScalar(det));
}

int MatrixInv(REG& m) {
    if (InvertMatrix(m)) return 1;
    SetErrorCode(kErrMatrixInversion);
    return 0;
}

void MatrixInv(REG* stack, long& count, long base) {
    if (HasOperands(count, base, 1)) InvertValue(stack[count - 1]);
}

void Zero(REG& m, int r, int c) {
    if (!IsMatrix(m) || r >= m.rows || c >= m.cols || c < 0 || r <= c) return;
    EliminationStep(m, r, c, c);
}

void MatrixTri(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    REG& a = stack[count - 1];
    if (!IsMatrix(a)) {
        SetErrorCode(kErrRank);
        return;
    }
    Triangularize(a);
}

void MatrixRank(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!IsMatrix(a)) {
        SetErrorCode(kErrRank);
        return;
    }
    REG tri = a;
    Triangularize(tri);
    const int rank = std::min(CountRow(tri), CountCol(tri));
    PushResult(stack, count, 1, MakeScalar(static_cast<double>(rank)));
}
