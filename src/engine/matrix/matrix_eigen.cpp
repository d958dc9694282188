// Orthogonalization and eigen handlers: Gram-Schmidt, the QR iteration, eigenvalues, eigenvectors and
// diagonalization.
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "engine/matrix/matrix.h"
#include "engine/matrix/matrix_internal.h"
#include "numeric/errors.h"

using namespace matrix_detail;

namespace {

constexpr int kQrIterations = 300;

double ColumnDot(const REG& a, int ca, const REG& b, int cb) {
    double s = 0;
    for (int i = 0; i < a.rows; ++i) s += a.at(i, ca) * b.at(i, cb);
    return s;
}

// Plain product of two square matrices of one size, without the display tolerance of MatrixMul: the
// iteration needs the small elements it would drop.
REG Product(const REG& a, const REG& b, bool transposeA = false) {
    const int n = a.rows;
    REG out = MakeMatrix(n, n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            double s = 0;
            for (int k = 0; k < n; ++k) s += (transposeA ? a.at(k, i) : a.at(i, k)) * b.at(k, j);
            out.at(i, j) = s;
        }
    }
    return out;
}

// Column i of q := v minus its projections on the columns 0 .. i-1 of q (computed from v itself); returns
// the norm of the remainder.
double OrthogonalRemainder(REG& q, int i, const std::vector<double>& v) {
    const int n = q.rows;
    std::vector<double> u = v;
    for (int k = 0; k < i; ++k) {
        double p = 0;
        for (int r = 0; r < n; ++r) p += q.at(r, k) * v[r];
        for (int r = 0; r < n; ++r) u[r] -= p * q.at(r, k);
    }
    double norm = 0;
    for (int r = 0; r < n; ++r) {
        q.at(r, i) = u[r];
        norm += u[r] * u[r];
    }
    return std::sqrt(norm);
}

double UnitRemainder(REG& q, int i, int unit) {
    std::vector<double> e(q.rows, 0.0);
    e[unit] = 1;
    return OrthogonalRemainder(q, i, e);
}

// Eigenvector of the upper triangular t for its diagonal element k, normalized; sets repeated when an
// earlier diagonal element equals t(k, k).
std::vector<double> TriangularEigenvector(const REG& t, int k, bool& repeated) {
    std::vector<double> y(t.rows, 0.0);
    y[k] = 1;
    for (int l = k - 1; l >= 0; --l) {
        double s = 0;
        for (int m = l + 1; m <= k; ++m) s += t.at(l, m) * y[m];
        const double gap = t.at(l, l) - t.at(k, k);
        if (gap == 0) {
            // The eigenvalue repeats: this component is free, and 0 keeps the vector finite.
            repeated = true;
            continue;
        }
        y[l] = -s / gap;
    }
    double norm = 0;
    for (double v : y) norm += v * v;
    norm = std::sqrt(norm);
    for (double& v : y) v /= norm;
    return y;
}

// Null-space vectors of the triangularized tri from its reduced row echelon form, one per free column
// in column order. This covers the forms whose pivots do not stand in the leading columns, where the
// leading block is singular although the null space is not empty (diag(2, 3) with lambda = 2).
void AppendNullSpace(REG tri, std::vector<std::vector<double>>& vectors) {
    const int rows = tri.rows, cols = tri.cols;
    std::vector<int> pivotColumn;
    for (int c = 0, r = 0; c < cols && r < rows; ++c) {
        int best = r;
        for (int i = r + 1; i < rows; ++i) {
            if (std::fabs(tri.at(i, c)) > std::fabs(tri.at(best, c))) best = i;
        }
        if (std::fabs(tri.at(best, c)) < 1e-8) continue;
        for (int j = 0; j < cols; ++j) std::swap(tri.at(r, j), tri.at(best, j));
        const double p = tri.at(r, c);
        for (int j = 0; j < cols; ++j) tri.at(r, j) /= p;
        for (int i = 0; i < rows; ++i) {
            const double f = tri.at(i, c);
            if (i == r || f == 0) continue;
            for (int j = 0; j < cols; ++j) tri.at(i, j) -= f * tri.at(r, j);
        }
        pivotColumn.push_back(c);
        ++r;
    }
    size_t next = 0;
    for (int f = 0; f < cols; ++f) {
        if (next < pivotColumn.size() && pivotColumn[next] == f) {
            ++next;
            continue;
        }
        std::vector<double> x(cols, 0.0);
        x[f] = 1;
        for (size_t r = 0; r < pivotColumn.size(); ++r) x[pivotColumn[r]] = -tri.at(static_cast<int>(r), f);
        vectors.push_back(std::move(x));
    }
}

// The null-space vectors of a - lambda * I, appended to vectors: from the inverse of the leading block
// beside the first zero row of the triangular form, or from the echelon form when that block is
// singular. False when the first row of the triangular form is already zero (k = 0).
bool AppendEigenvectors(const REG& a, double lambda, std::vector<std::vector<double>>& vectors) {
    const int n = a.rows;
    REG shifted = a;
    for (int i = 0; i < n; ++i) shifted.at(i, i) -= lambda;
    // The eigenvalue carries rounding error, so a diagonal element that should cancel is left as a tiny
    // residue; as a pivot it would hide the zero row. Elimination drops such residues in the rows it
    // changes, and the rows it takes as pivots must be treated alike.
    for (double& v : shifted.data) {
        if (std::fabs(v) < 1e-8) v = 0;
    }
    Triangularize(shifted);
    REG b, c;
    const int k = GetInvertableMatrix(shifted, b, c);
    if (k == 0) return false;
    if (k < n && !InvertMatrix(b)) {
        AppendNullSpace(std::move(shifted), vectors);
        return true;
    }
    for (int j = 0; j < c.cols; ++j) {
        std::vector<double> x(n, 0.0);
        for (int r = 0; r < k; ++r) {
            double s = 0;
            for (int m = 0; m < k; ++m) s -= b.at(r, m) * c.at(m, j);
            x[r] = s;
        }
        x[k + j] = 1;
        vectors.push_back(std::move(x));
    }
    return true;
}

}  // namespace

int GramSmidt(REG& m) {
    if (!IsMatrix(m)) {
        SetErrorCode(kErrLinearIndependent);
        return 0;
    }
    REG q = m;
    for (int j = 0; j < q.cols; ++j) {
        for (int k = 0; k < j; ++k) {
            const double p = ColumnDot(q, k, q, j);
            for (int r = 0; r < q.rows; ++r) q.at(r, j) -= p * q.at(r, k);
        }
        const double norm2 = ColumnDot(q, j, q, j);
        if (norm2 < 1e-12) {
            SetErrorCode(kErrLinearIndependent);
            return 0;
        }
        const double norm = std::sqrt(norm2);
        for (int r = 0; r < q.rows; ++r) q.at(r, j) /= norm;
    }
    m = std::move(q);
    return 1;
}

void QRDeComposition(const REG& m, REG& q, REG& r) {
    if (!IsSquareMatrix(m)) {
        ResetAndFreeRegister(q);
        ResetAndFreeRegister(r);
        return;
    }
    const int n = m.rows;
    q = MakeMatrix(n, n);
    std::vector<double> column(n);
    for (int i = 0; i < n; ++i) {
        for (int row = 0; row < n; ++row) column[row] = m.at(row, i);
        double norm = OrthogonalRemainder(q, i, column);
        if (norm <= 1e-16) norm = UnitRemainder(q, i, i);
        if (norm <= 1e-16) {
            // e_i lies in the span of the earlier columns; the unit vector furthest from it does not.
            int best = 0;
            double bestNorm = -1;
            for (int u = 0; u < n; ++u) {
                const double un = UnitRemainder(q, i, u);
                if (un > bestNorm) {
                    bestNorm = un;
                    best = u;
                }
            }
            norm = UnitRemainder(q, i, best);
        }
        for (int row = 0; row < n; ++row) q.at(row, i) /= norm;
    }
    r = Product(q, m, true);
    for (int i = 1; i < n; ++i) {
        for (int j = 0; j < i; ++j) r.at(i, j) = 0;
    }
}

void QRAlgorithm(const REG& a, std::vector<double>& values, REG& vectors, bool& repeated) {
    values.clear();
    repeated = false;
    if (!IsSquareMatrix(a)) {
        ResetAndFreeRegister(vectors);
        return;
    }
    const int n = a.rows;
    REG q = MakeMatrix(n, n);
    for (int i = 0; i < n; ++i) q.at(i, i) = 1;
    REG r;
    // A fixed count keeps the results reproducible; separated eigenvalues converge long before.
    for (int step = 0; step < kQrIterations; ++step) {
        REG m = Product(a, q);
        QRDeComposition(m, q, r);
    }
    const REG t = Product(q, Product(a, q), true);
    values.assign(n, 0.0);
    REG y = MakeMatrix(n, n);
    for (int k = 0; k < n; ++k) {
        values[k] = t.at(k, k);
        std::vector<double> v = TriangularEigenvector(t, k, repeated);
        for (int i = 0; i < n; ++i) y.at(i, k) = v[i];
    }
    vectors = Product(q, y);
}

int GetInvertableMatrix(const REG& tri, REG& b, REG& c) {
    int k = ZeroRow(tri);
    if (k < 0) k = tri.rows;
    k = std::min(k, static_cast<int>(tri.cols));
    b = MakeMatrix(k, k);
    c = MakeMatrix(k, tri.cols - k);
    for (int i = 0; i < k; ++i) {
        for (int j = 0; j < tri.cols; ++j) {
            if (j < k) {
                b.at(i, j) = tri.at(i, j);
            } else {
                c.at(i, j - k) = tri.at(i, j);
            }
        }
    }
    return k;
}

void MatrixEigenValue(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!IsSquareMatrix(a)) {
        SetErrorCode(kErrSyntax);
        return;
    }
    std::vector<double> values;
    REG vectors;
    bool repeated = false;
    QRAlgorithm(a, values, vectors, repeated);
    REG out = MakeMatrix(a.rows, 1);
    out.data = values;
    PushResult(stack, count, 1, std::move(out));
}

void MatrixEigenVector(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!IsSquareMatrix(a)) {
        SetErrorCode(kErrEigenvector);
        return;
    }
    const int n = a.rows;
    REG out = a;
    if (n > 1) {
        std::vector<double> values;
        REG unused;
        bool repeated = false;
        QRAlgorithm(a, values, unused, repeated);
        std::vector<std::vector<double>> vectors;
        for (int i = 0; i < n; ++i) {
            bool seen = false;
            for (int j = 0; j < i && !seen; ++j) seen = std::fabs(values[i] - values[j]) < 1e-15;
            if (seen) continue;
            if (!AppendEigenvectors(a, values[i], vectors)) {
                SetErrorCode(kErrEigenvector);
                return;
            }
        }
        if (vectors.empty()) {
            SetErrorCode(kErrEigenvector);
            return;
        }
        out = MakeMatrix(n, static_cast<int>(vectors.size()));
        for (size_t j = 0; j < vectors.size(); ++j) {
            for (int i = 0; i < n; ++i) out.at(i, static_cast<int>(j)) = vectors[j][i];
        }
    }
    if (!GramSmidt(out)) return;
    PushResult(stack, count, 1, std::move(out));
}

void MatrixDiag(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!Symetric(a) || a.rows == 0) {
        SetErrorCode(kErrNonSymmetric);
        return;
    }
    std::vector<double> values;
    REG v;
    bool repeated = false;
    QRAlgorithm(a, values, v, repeated);
    REG vt = MakeMatrix(v.cols, v.rows);
    for (int i = 0; i < v.rows; ++i) {
        for (int j = 0; j < v.cols; ++j) vt.at(j, i) = v.at(i, j);
    }
    REG av, out;
    MatrixMul(a, v, av);
    MatrixMul(vt, av, out);
    PushResult(stack, count, 1, std::move(out));
}

void MatrixOrth(REG* stack, long& count, long base) {
    if (HasOperands(count, base, 1)) GramSmidt(stack[count - 1]);
}
