#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "engine/matrix/matrix.h"
#include "numeric/errors.h"

namespace {

REG Mat(int rows, int cols, std::vector<double> v) {
    REG m;
    m.type = REG_MATRIX;
    m.rows = static_cast<std::uint16_t>(rows);
    m.cols = static_cast<std::uint16_t>(cols);
    m.data = std::move(v);
    return m;
}

REG Scalar(double x) {
    REG s;
    etoq(x, s.re);
    return s;
}

double Real(const REG& r) {
    double d = 0;
    qtoe(r.re, &d);
    return d;
}

std::string Describe(const REG& r) {
    std::ostringstream out;
    if (r.type != REG_MATRIX) {
        out << Real(r);
        return out.str();
    }
    out << r.rows << "x" << r.cols << " [";
    for (double v : r.data) out << " " << v;
    out << " ]";
    return out.str();
}

// Empty when equal within tol, else a description of the difference.
std::string Difference(const REG& got, const REG& want, double tol) {
    const bool same = got.type == REG_MATRIX
                          ? want.type == REG_MATRIX && got.rows == want.rows && got.cols == want.cols &&
                                std::equal(got.data.begin(), got.data.end(), want.data.begin(),
                                           [tol](double a, double b) { return std::fabs(a - b) <= tol; })
                          : want.type != REG_MATRIX && std::fabs(Real(got) - Real(want)) <= tol;
    return same ? "" : "got " + Describe(got) + ", want " + Describe(want);
}

struct Stack {
    std::vector<REG> entries = std::vector<REG>(8);
    long count = 0;
    void Push(const REG& r) { entries[count++] = r; }
};

// Runs the table's handler for word on the operands. Returns the stack afterwards.
Stack RunWord(const char* word, const std::vector<REG>& operands, long base = 0) {
    Stack s;
    for (const REG& r : operands) s.Push(r);
    ClearErrorCode();
    const MatrixFunctionRow* row = GetMatrixHandler(word);
    EXPECT_NE(row, nullptr) << word;
    if (row) row->handler(s.entries.data(), s.count, base);
    return s;
}

TEST(MatrixTable, LooksUpTheThirteenWordsExactly) {
    const char* words[] = {"+",    "-",    "*",    "/",    "inv",  "trans", "det",
                           "eigl", "eigv", "rank", "diag", "orth", "tri"};
    const MatrixHandler handlers[] = {MatrixAdd,  MatrixSub,  MatrixMul,        MatrixDiv,         MatrixInv,
                                      MatrixTran, MatrixDet,  MatrixEigenValue, MatrixEigenVector, MatrixRank,
                                      MatrixDiag, MatrixOrth, MatrixTri};
    for (int i = 0; i < kMatrixFunctionCount; ++i) {
        const MatrixFunctionRow* row = GetMatrixHandler(words[i]);
        ASSERT_EQ(row, &lpMatrixFunctionTable[i]) << words[i];
        EXPECT_EQ(row->handler, handlers[i]) << words[i];
    }
    EXPECT_EQ(GetMatrixHandler("INV"), nullptr);
    EXPECT_EQ(GetMatrixHandler("in"), nullptr);
    EXPECT_EQ(GetMatrixHandler("^"), nullptr);
    EXPECT_EQ(GetMatrixHandler(nullptr), nullptr);
}

struct HandlerCase {
    const char* word;
    std::vector<REG> operands;
    int error;     // expected error code; 0 for a result
    REG expected;  // the top of the stack after a successful call
};

TEST(MatrixHandlers, ResultsAndErrors) {
    const REG a = Mat(2, 2, {1, 2, 3, 4});
    const REG singular = Mat(2, 2, {1, 2, 2, 4});
    const REG wide = Mat(2, 3, {1, 2, 3, 4, 5, 6});
    const HandlerCase cases[] = {
        {"+", {a, Mat(2, 2, {5, 6, 7, 8})}, 0, Mat(2, 2, {6, 8, 10, 12})},
        {"+", {Scalar(2), Scalar(3.5)}, 0, Scalar(5.5)},
        {"+", {a, Scalar(1)}, -10, {}},
        {"+", {Scalar(1), a}, -10, {}},
        {"+", {a, wide}, -10, {}},
        {"-", {a, Mat(2, 2, {1, 1, 1, 1})}, 0, Mat(2, 2, {0, 1, 2, 3})},
        {"-", {Scalar(2), Scalar(5)}, 0, Scalar(-3)},
        {"-", {a, wide}, -46, {}},
        {"-", {a}, 0, Mat(2, 2, {-1, -2, -3, -4})},
        {"-", {Scalar(3)}, 0, Scalar(-3)},
        {"*", {a, Scalar(2)}, 0, Mat(2, 2, {2, 4, 6, 8})},
        {"*", {Scalar(-1), a}, 0, Mat(2, 2, {-1, -2, -3, -4})},
        {"*", {a, Mat(2, 2, {5, 6, 7, 8})}, 0, Mat(2, 2, {19, 22, 43, 50})},
        {"*", {wide, Mat(3, 1, {1, 0, -1})}, 0, Mat(2, 1, {-2, -2})},
        {"*", {Mat(1, 1, {1e-7}), Mat(1, 1, {1e-6})}, 0, Mat(1, 1, {0})},  // product below 1e-12
        {"*", {Scalar(3), Scalar(4)}, 0, Scalar(12)},
        {"*", {wide, wide}, -38, {}},
        {"/", {Mat(2, 2, {4, 6, 2, 8}), Mat(2, 2, {2, 0, 0, 4})}, 0, Mat(2, 2, {2, 1.5, 1, 2})},
        {"/", {a, a}, 0, Mat(2, 2, {1, 0, 0, 1})},
        {"/", {Scalar(6), Scalar(4)}, 0, Scalar(1.5)},
        {"/", {a, singular}, -39, {}},
        {"/", {a, Scalar(0)}, -5, {}},
        {"/", {wide, a}, -38, {}},  // the inverse succeeds, the product does not
        {"inv", {Mat(2, 2, {4, 7, 2, 6})}, 0, Mat(2, 2, {0.6, -0.7, -0.2, 0.4})},
        {"inv", {Mat(2, 2, {0, 1, 1, 0})}, 0, Mat(2, 2, {0, 1, 1, 0})},
        {"inv", {Mat(3, 3, {0, 0, 2, 0, 4, 0, 8, 0, 0})}, 0, Mat(3, 3, {0, 0, 0.125, 0, 0.25, 0, 0.5, 0, 0})},
        {"inv", {Scalar(4)}, 0, Scalar(0.25)},
        {"inv", {singular}, -39, {}},
        {"inv", {wide}, -39, {}},
        {"inv", {Mat(0, 0, {})}, -39, {}},
        {"inv", {Scalar(0)}, -5, {}},
        {"trans", {wide}, 0, Mat(3, 2, {1, 4, 2, 5, 3, 6})},
        {"trans", {Scalar(1)}, -45, {}},
        {"det", {singular}, 0, Scalar(0)},
        {"det", {Mat(2, 2, {0, 1, 1, 0})}, 0, Scalar(-1)},
        {"det", {Mat(3, 3, {2, 0, 1, 1, 3, 2, 1, 1, 2})}, 0, Scalar(6)},
        {"det", {Mat(1, 1, {1e-11})}, 0, Scalar(0)},  // below 1e-10
        {"det", {Mat(3, 3, {1e-160, 0, 0, 0, 1e-160, 0, 0, 0, 1})}, 0, Scalar(0)},
        {"det", {wide}, -44, {}},
        {"det", {Scalar(2)}, -44, {}},
        {"rank", {singular}, 0, Scalar(1)},
        {"rank", {Mat(3, 2, {1, 2, 2, 4, 3, 7})}, 0, Scalar(2)},
        {"rank", {Mat(2, 2, {0, 0, 0, 0})}, 0, Scalar(0)},
        {"rank", {Scalar(1)}, -43, {}},
        {"tri", {Mat(2, 2, {0, 1, 1, 0})}, 0, Mat(2, 2, {1, 0, 0, 1})},
        {"tri", {Mat(2, 2, {2, 1, 4, 3})}, 0, Mat(2, 2, {2, 1, 0, 1})},
        {"tri", {Mat(3, 1, {0, 0, 5})}, 0, Mat(3, 1, {5, 0, 0})},
        {"tri", {Mat(2, 2, {0, 1, 0, 1})}, 0, Mat(2, 2, {0, 1, 0, 0})},  // a column without a pivot
        {"rank", {Mat(3, 4, {0, 1, 1, 0, 0, 1, 1, 0, 0, 3, 3, 0})}, 0, Scalar(1)},
        {"tri", {Scalar(1)}, -43, {}},
        {"eigl", {Mat(2, 2, {2, 0, 0, 3})}, 0, Mat(2, 1, {2, 3})},
        {"eigl", {Mat(2, 2, {0, 0, 1, 0})}, 0, Mat(2, 1, {0, 0})},  // nilpotent: no division by 0
        {"eigl", {wide}, -1, {}},
        {"eigl", {Scalar(2)}, -1, {}},
        {"diag", {Mat(2, 2, {2, 1, 1, 2})}, 0, Mat(2, 2, {3, 0, 0, 1})},
        {"diag", {Mat(2, 2, {1, 0, 0, 1})}, 0, Mat(2, 2, {1, 0, 0, 1})},  // repeated eigenvalue
        {"diag", {a}, -42, {}},
        {"diag", {Scalar(1)}, -42, {}},
        {"orth", {Mat(2, 2, {3, 0, 4, 5})}, 0, Mat(2, 2, {0.6, -0.8, 0.8, 0.6})},
        {"orth", {Mat(2, 2, {1, 1, 1, 1})}, -48, {}},
        {"orth", {Mat(2, 2, {0, 1, 0, 1})}, -48, {}},
        {"orth", {Scalar(2)}, -48, {}},
        {"eigv", {Mat(1, 1, {-3})}, 0, Mat(1, 1, {-1})},
        {"eigv", {Mat(1, 1, {0})}, -48, {}},
        {"eigv", {Mat(2, 2, {2, 0, 0, 3})}, 0, Mat(2, 2, {1, 0, 0, 1})},
        {"eigv", {Mat(2, 2, {1, 0, 0, 1})}, -47, {}},  // A - I is all zero: no leading block
        {"eigv", {wide}, -47, {}},
        {"eigv", {Scalar(1)}, -47, {}},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const HandlerCase& c = cases[i];
        SCOPED_TRACE("row " + std::to_string(i) + " \"" + c.word + "\"");
        const Stack s = RunWord(c.word, c.operands);
        EXPECT_EQ(GetErrorCode(), c.error);
        if (c.error != 0) {
            ASSERT_EQ(s.count, static_cast<long>(c.operands.size()));  // a failure changes nothing
            for (size_t k = 0; k < c.operands.size(); ++k)
                EXPECT_EQ(Difference(s.entries[k], c.operands[k], 0), "");
            continue;
        }
        const long binary = std::string("+-*/").find(c.word) != std::string::npos && c.operands.size() == 2;
        ASSERT_EQ(s.count, static_cast<long>(c.operands.size()) - binary);
        EXPECT_EQ(Difference(s.entries[s.count - 1], c.expected, 1e-12), "");
        for (long k = s.count; k < static_cast<long>(s.entries.size()); ++k) {
            EXPECT_TRUE(s.entries[k].data.empty());  // released operands
        }
    }
    ClearErrorCode();
}

TEST(MatrixHandlers, TooFewValuesInTheGroupChangeNothing) {
    for (const MatrixFunctionRow& row : lpMatrixFunctionTable) {
        const bool binary = std::string("+*/").find(row.name) != std::string::npos;
        // Two values on the stack, but the group opened after the first (base 1) or after both (base 2).
        const long base = binary ? 1 : 2;
        const Stack s = RunWord(row.name, {Mat(1, 1, {5}), Mat(1, 1, {7})}, base);
        EXPECT_EQ(GetErrorCode(), kErrSyntax) << row.name;
        EXPECT_EQ(s.count, 2) << row.name;
        EXPECT_EQ(s.entries[0].at(0, 0), 5) << row.name;
        EXPECT_EQ(s.entries[1].at(0, 0), 7) << row.name;
    }
    ClearErrorCode();
}

TEST(MatrixHandlers, ResultGoesToRegisterZeroExceptForInPlaceWords) {
    struct Row {
        const char* word;
        bool inPlace;
    } rows[] = {{"trans", false}, {"det", false}, {"rank", false}, {"eigl", false},
                {"inv", true},    {"tri", true},  {"orth", true}};
    for (const Row& r : rows) {
        const REG sentinel = Mat(1, 2, {9, 9});
        g_reg[0] = sentinel;
        const Stack s = RunWord(r.word, {Scalar(1), Mat(2, 2, {4, 1, 2, 3})}, 1);
        ASSERT_EQ(GetErrorCode(), kErrNone) << r.word;
        ASSERT_EQ(s.count, 2) << r.word;
        EXPECT_EQ(Difference(s.entries[0], Scalar(1), 0), "") << r.word;  // below the group: untouched
        const std::string d = Difference(g_reg[0], r.inPlace ? sentinel : s.entries[1], 0);
        EXPECT_EQ(d, "") << r.word;
    }
    ResetAndFreeRegister(0);
}

TEST(MatrixRoutines, OneRegisterForms) {
    ClearErrorCode();
    EXPECT_DOUBLE_EQ(MatrixDet(Mat(2, 2, {3, 1, 4, 2})), 2);
    EXPECT_EQ(MatrixDet(Mat(2, 2, {1, 2, 2, 4})), 0);  // reaches the end: 0 without an error
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(MatrixDet(Mat(3, 3, {1e-160, 0, 0, 0, 1e-160, 0, 0, 0, 1})), 0);  // vanishes on the way
    EXPECT_EQ(GetErrorCode(), kErrDeterminant);
    ClearErrorCode();
    EXPECT_EQ(MatrixDet(Scalar(3)), 0);
    EXPECT_EQ(GetErrorCode(), kErrDeterminant);

    ClearErrorCode();
    REG m = Mat(2, 2, {2, 0, 0, 5});
    EXPECT_EQ(MatrixInv(m), 1);
    EXPECT_EQ(Difference(m, Mat(2, 2, {0.5, 0, 0, 0.2}), 1e-15), "");
    REG s = Mat(2, 2, {1, 2, 2, 4});
    EXPECT_EQ(MatrixInv(s), 0);
    EXPECT_EQ(GetErrorCode(), kErrMatrixInversion);
    EXPECT_EQ(Difference(s, Mat(2, 2, {1, 2, 2, 4}), 0), "");

    ClearErrorCode();
    REG p = Mat(2, 2, {1, 2, 3, 4});
    MatrixMul(p, Mat(2, 1, {1, 1}), p);  // the result may be an operand
    EXPECT_EQ(Difference(p, Mat(2, 1, {3, 7}), 0), "");
    REG bad = Mat(2, 2, {1, 2, 3, 4});
    MatrixMul(bad, Mat(1, 2, {1, 1}), bad);
    EXPECT_EQ(GetErrorCode(), kErrMatrixMultiplication);
    EXPECT_EQ(bad.type, REG_REAL);

    EXPECT_EQ(Symetric(Mat(2, 2, {1, 2, 2, 1})), 1);
    EXPECT_EQ(Symetric(Mat(2, 2, {1, 2, 2.0000001, 1})), 0);
    EXPECT_EQ(Symetric(Mat(1, 2, {1, 1})), 0);
    const REG z = Mat(3, 3, {0, 0, 0, 1, 0, 0, 0, 0, 0});
    EXPECT_EQ(CountRow(z), 1);
    EXPECT_EQ(CountCol(z), 1);
    EXPECT_EQ(ZeroRow(z), 0);
    EXPECT_EQ(ZeroRow(Mat(2, 2, {1, 0, 0, 1})), -1);

    REG b, c;
    EXPECT_EQ(GetInvertableMatrix(Mat(3, 3, {1, 2, 3, 0, 4, 5, 0, 0, 0}), b, c), 2);
    EXPECT_EQ(Difference(b, Mat(2, 2, {1, 2, 0, 4}), 0), "");
    EXPECT_EQ(Difference(c, Mat(2, 1, {3, 5}), 0), "");
    EXPECT_EQ(GetInvertableMatrix(Mat(3, 1, {1, 2, 0}), b, c), 1);  // tall: the block stays inside
    EXPECT_EQ(c.cols, 0);

    std::vector<double> values = {1};
    REG vectors = Mat(1, 1, {1});
    bool repeated = true;
    QRAlgorithm(Mat(2, 3, {1, 2, 3, 4, 5, 6}), values, vectors, repeated);  // not square: nothing read
    EXPECT_TRUE(values.empty());
    EXPECT_EQ(vectors.type, REG_REAL);
    EXPECT_FALSE(repeated);
    ClearErrorCode();
}

// ---- independent references ------------------------------------------------------------------------------

using LMat = std::vector<std::vector<long double>>;

LMat ToL(const REG& m) {
    LMat out(m.rows, std::vector<long double>(m.cols));
    for (int i = 0; i < m.rows; ++i) {
        for (int j = 0; j < m.cols; ++j) out[i][j] = m.at(i, j);
    }
    return out;
}

long double CofactorDet(const LMat& a) {
    const size_t n = a.size();
    if (n == 1) return a[0][0];
    long double det = 0;
    for (size_t j = 0; j < n; ++j) {
        LMat minor(n - 1);
        for (size_t i = 1; i < n; ++i) {
            for (size_t k = 0; k < n; ++k) {
                if (k != j) minor[i - 1].push_back(a[i][k]);
            }
        }
        det += (j % 2 ? -1 : 1) * a[0][j] * CofactorDet(minor);
    }
    return det;
}

// Exact rank of an integer matrix by fraction-free (Bareiss) elimination.
int ExactRank(std::vector<std::vector<long long>> a) {
    const size_t rows = a.size(), cols = a[0].size();
    size_t rank = 0;
    long long prev = 1;
    for (size_t c = 0; c < cols && rank < rows; ++c) {
        size_t p = rank;
        while (p < rows && a[p][c] == 0) ++p;
        if (p == rows) continue;
        std::swap(a[p], a[rank]);
        for (size_t i = rank + 1; i < rows; ++i) {
            for (size_t j = c + 1; j < cols; ++j)
                a[i][j] = (a[rank][c] * a[i][j] - a[i][c] * a[rank][j]) / prev;
            a[i][c] = 0;
        }
        prev = a[rank][c];
        ++rank;
    }
    return static_cast<int>(rank);
}

// Eigenvalues of a symmetric matrix by cyclic Jacobi rotations, ascending.
std::vector<long double> JacobiEigenvalues(LMat a) {
    const size_t n = a.size();
    for (int sweep = 0; sweep < 100; ++sweep) {
        long double off = 0;
        for (size_t p = 0; p < n; ++p) {
            for (size_t q = p + 1; q < n; ++q) off += a[p][q] * a[p][q];
        }
        if (off < 1e-36L) break;
        for (size_t p = 0; p < n; ++p) {
            for (size_t q = p + 1; q < n; ++q) {
                if (a[p][q] == 0) continue;
                const long double theta = (a[q][q] - a[p][p]) / (2 * a[p][q]);
                const long double t =
                    (theta >= 0 ? 1 : -1) / (std::fabs(theta) + std::sqrt(theta * theta + 1));
                const long double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (size_t k = 0; k < n; ++k) {  // columns p, q
                    const long double akp = a[k][p], akq = a[k][q];
                    a[k][p] = c * akp - s * akq;
                    a[k][q] = s * akp + c * akq;
                }
                for (size_t k = 0; k < n; ++k) {  // rows p, q
                    const long double apk = a[p][k], aqk = a[q][k];
                    a[p][k] = c * apk - s * aqk;
                    a[q][k] = s * apk + c * aqk;
                }
            }
        }
    }
    std::vector<long double> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = a[i][i];
    std::sort(v.begin(), v.end());
    return v;
}

std::vector<double> Sorted(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v;
}

// A random well-conditioned n x n matrix: uniform entries plus a dominant diagonal.
REG WellConditioned(std::mt19937& rng, int n) {
    std::uniform_real_distribution<double> u(-1, 1);
    REG m = Mat(n, n, std::vector<double>(n * n));
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) m.at(i, j) = u(rng) + (i == j ? (u(rng) < 0 ? -n : n) : 0);
    }
    return m;
}

TEST(MatrixReference, DeterminantsAndInversesOfRandomMatrices) {
    std::mt19937 rng(20240611);
    for (int n = 2; n <= 6; ++n) {
        for (int trial = 0; trial < 20; ++trial) {
            const REG a = WellConditioned(rng, n);
            SCOPED_TRACE(Describe(a));
            Stack s = RunWord("det", {a});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const long double want = CofactorDet(ToL(a));
            EXPECT_NEAR(Real(s.entries[0]), static_cast<double>(want),
                        1e-11 * std::fabs(static_cast<double>(want)));

            s = RunWord("inv", {a});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const LMat la = ToL(a), lx = ToL(s.entries[0]);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    long double sum = 0;
                    for (int k = 0; k < n; ++k) sum += la[i][k] * lx[k][j];
                    EXPECT_NEAR(static_cast<double>(sum), i == j ? 1.0 : 0.0, 1e-12) << i << "," << j;
                }
            }
        }
    }
    ClearErrorCode();
}

TEST(MatrixReference, RanksOfRandomIntegerProducts) {
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> entry(-3, 3), dim(2, 6);
    for (int trial = 0; trial < 200; ++trial) {
        const int rows = dim(rng), cols = dim(rng);
        const int inner = std::uniform_int_distribution<int>(1, std::min(rows, cols))(rng);
        std::vector<std::vector<long long>> l(rows, std::vector<long long>(inner)),
            r(inner, std::vector<long long>(cols));
        for (auto& row : l) {
            for (auto& v : row) v = entry(rng);
        }
        for (auto& row : r) {
            for (auto& v : row) v = entry(rng);
        }
        std::vector<std::vector<long long>> p(rows, std::vector<long long>(cols, 0));
        REG m = Mat(rows, cols, std::vector<double>(rows * cols));
        for (int i = 0; i < rows; ++i) {
            for (int j = 0; j < cols; ++j) {
                for (int k = 0; k < inner; ++k) p[i][j] += l[i][k] * r[k][j];
                m.at(i, j) = static_cast<double>(p[i][j]);
            }
        }
        SCOPED_TRACE(Describe(m));
        const Stack s = RunWord("rank", {m});
        ASSERT_EQ(GetErrorCode(), kErrNone);
        EXPECT_EQ(Real(s.entries[0]), ExactRank(p));
    }
    ClearErrorCode();
}

// Random symmetric matrices whose eigenvalues differ in magnitude by a factor 0.9 at least, the condition
// under which the orthogonal iteration converges within its steps.
std::vector<REG> SeparatedSymmetric(std::mt19937& rng, int n, int wanted) {
    std::uniform_int_distribution<int> entry(-9, 9);
    std::vector<REG> out;
    while (static_cast<int>(out.size()) < wanted) {
        REG m = Mat(n, n, std::vector<double>(n * n));
        for (int i = 0; i < n; ++i) {
            for (int j = i; j < n; ++j) m.at(i, j) = m.at(j, i) = entry(rng);
        }
        std::vector<long double> ev = JacobiEigenvalues(ToL(m));
        std::sort(ev.begin(), ev.end(),
                  [](long double x, long double y) { return std::fabs(x) < std::fabs(y); });
        bool separated = std::fabs(ev[0]) > 0.5;
        for (int i = 0; i + 1 < n; ++i)
            separated = separated && std::fabs(ev[i]) < 0.9 * std::fabs(ev[i + 1]);
        if (separated) out.push_back(m);
    }
    return out;
}

TEST(MatrixReference, EigenvaluesDiagonalAndEigenvectorsOfSymmetricMatrices) {
    std::mt19937 rng(99);
    for (int n = 2; n <= 6; ++n) {
        for (const REG& a : SeparatedSymmetric(rng, n, 6)) {
            SCOPED_TRACE(Describe(a));
            const std::vector<long double> want = JacobiEigenvalues(ToL(a));
            Stack s = RunWord("eigl", {a});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const std::vector<double> got = Sorted(s.entries[0].data);
            ASSERT_EQ(got.size(), want.size());
            for (int i = 0; i < n; ++i) EXPECT_NEAR(got[i], static_cast<double>(want[i]), 1e-9);

            s = RunWord("diag", {a});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const REG& d = s.entries[0];
            std::vector<double> diagonal;
            for (int i = 0; i < n; ++i) {
                diagonal.push_back(d.at(i, i));
                for (int j = 0; j < n; ++j) EXPECT_NEAR(d.at(i, j), i == j ? d.at(i, i) : 0, 1e-9);
            }
            diagonal = Sorted(diagonal);
            for (int i = 0; i < n; ++i) EXPECT_NEAR(diagonal[i], static_cast<double>(want[i]), 1e-9);

            s = RunWord("eigv", {a});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const REG& v = s.entries[0];
            ASSERT_EQ(v.cols, n);
            for (int j = 0; j < n; ++j) {  // A v = (v^T A v) v for a unit eigenvector v
                long double rayleigh = 0;
                std::vector<long double> av(n, 0);
                for (int i = 0; i < n; ++i) {
                    for (int k = 0; k < n; ++k) av[i] += a.at(i, k) * v.at(k, j);
                    rayleigh += v.at(i, j) * av[i];
                }
                for (int i = 0; i < n; ++i)
                    EXPECT_NEAR(static_cast<double>(av[i] - rayleigh * v.at(i, j)), 0, 1e-7);
            }
        }
    }
    ClearErrorCode();
}

// Inverse by Gauss-Jordan elimination with partial pivoting in long double.
LMat Inverse(LMat a) {
    const size_t n = a.size();
    for (size_t i = 0; i < n; ++i) {
        a[i].resize(2 * n, 0);
        a[i][n + i] = 1;
    }
    for (size_t c = 0; c < n; ++c) {
        size_t p = c;
        for (size_t r = c + 1; r < n; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[p][c])) p = r;
        }
        std::swap(a[p], a[c]);
        const long double pivot = a[c][c];
        for (long double& v : a[c]) v /= pivot;
        for (size_t r = 0; r < n; ++r) {
            const long double f = a[r][c];
            if (r == c || f == 0) continue;
            for (size_t k = 0; k < 2 * n; ++k) a[r][k] -= f * a[c][k];
        }
    }
    for (auto& row : a) row.erase(row.begin(), row.begin() + n);
    return a;
}

TEST(MatrixReference, EigenvaluesOfNonSymmetricMatricesWithKnownSpectrum) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(-0.3, 0.3);
    for (int n = 2; n <= 6; ++n) {
        for (int trial = 0; trial < 6; ++trial) {
            // A = P D P^-1 with a well-conditioned P near the identity and eigenvalues of distinct
            // magnitudes (ratios 7/8 at most, so that the iteration separates them).
            LMat p(n, std::vector<long double>(n));
            std::vector<double> spectrum;
            std::vector<int> magnitudes = {1, 2, 3, 4, 5, 6, 7, 8};
            std::shuffle(magnitudes.begin(), magnitudes.end(), rng);
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) p[i][j] = (i == j) + u(rng);
                spectrum.push_back(magnitudes[i] * (u(rng) < 0 ? -1.0 : 1.0));
            }
            const LMat pinv = Inverse(p);
            REG m = Mat(n, n, std::vector<double>(n * n));
            for (int i = 0; i < n; ++i) {
                for (int j = 0; j < n; ++j) {
                    long double sum = 0;
                    for (int k = 0; k < n; ++k) sum += p[i][k] * spectrum[k] * pinv[k][j];
                    m.at(i, j) = static_cast<double>(sum);
                }
            }
            SCOPED_TRACE(Describe(m));
            Stack s = RunWord("eigl", {m});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            const std::vector<double> got = Sorted(s.entries[0].data);
            spectrum = Sorted(spectrum);
            for (int i = 0; i < n; ++i) EXPECT_NEAR(got[i], spectrum[i], 1e-8);

            // The first column of "eigv" belongs to the first eigenvalue of "eigl".
            const double lambda = s.entries[0].data[0];
            s = RunWord("eigv", {m});
            ASSERT_EQ(GetErrorCode(), kErrNone);
            for (int i = 0; i < n; ++i) {
                long double av = 0;
                for (int k = 0; k < n; ++k) av += m.at(i, k) * s.entries[0].at(k, 0);
                EXPECT_NEAR(static_cast<double>(av), lambda * s.entries[0].at(i, 0), 1e-7);
            }
        }
    }
    ClearErrorCode();
}

}  // namespace
