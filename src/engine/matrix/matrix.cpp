// The matrix handler table, the shared handler helpers and the elementwise and product handlers.
#include "engine/matrix/matrix.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "engine/matrix/matrix_internal.h"
#include "numeric/errors.h"

const MatrixFunctionRow lpMatrixFunctionTable[kMatrixFunctionCount] = {
    {"+", MatrixAdd},     {"-", MatrixSub},           {"*", MatrixMul},
    {"/", MatrixDiv},     {"inv", MatrixInv},         {"trans", MatrixTran},
    {"det", MatrixDet},   {"eigl", MatrixEigenValue}, {"eigv", MatrixEigenVector},
    {"rank", MatrixRank}, {"diag", MatrixDiag},       {"orth", MatrixOrth},
    {"tri", MatrixTri},
};

const MatrixFunctionRow* GetMatrixHandler(const char* word) {
    if (word == nullptr) return nullptr;
    for (const MatrixFunctionRow& row : lpMatrixFunctionTable) {
        if (std::strcmp(row.name, word) == 0) return &row;
    }
    return nullptr;
}

namespace matrix_detail {

REG MakeMatrix(int rows, int cols) {
    REG m;
    m.type = REG_MATRIX;
    m.rows = static_cast<std::uint16_t>(rows);
    m.cols = static_cast<std::uint16_t>(cols);
    m.data.assign(static_cast<size_t>(rows) * cols, 0.0);
    return m;
}

REG MakeScalar(double value) {
    REG s;
    etoq(value, s.re);
    return s;
}

REG MakeScalar(const QELT* value) {
    REG s;
    qmov(value, s.re);
    return s;
}

double RealPart(const REG& r) {
    double d = 0;
    qtoe(r.re, &d);
    return d;
}

bool IsMatrix(const REG& r) {
    return r.type == REG_MATRIX;
}

bool IsSquareMatrix(const REG& r) {
    return IsMatrix(r) && r.rows == r.cols && r.rows > 0;
}

bool HasOperands(long count, long base, int needed) {
    if (count - base >= needed) return true;
    SetErrorCode(kErrSyntax);
    return false;
}

void PushResult(REG* stack, long& count, int operands, REG&& result) {
    g_reg[0] = std::move(result);
    for (int i = 0; i < operands; ++i) ResetAndFreeRegister(stack[--count]);
    RegPush(stack, count, g_reg[0]);
}

}  // namespace matrix_detail

using namespace matrix_detail;

namespace {

// Elementwise combination of two matrices of one shape, or of two scalars' real parts; false when the
// operands do not match.
template <typename DoubleOp, typename QOp>
bool Elementwise(const REG& a, const REG& b, DoubleOp dop, QOp qop, REG& out) {
    if (IsMatrix(a) && IsMatrix(b)) {
        if (a.rows != b.rows || a.cols != b.cols) return false;
        out = MakeMatrix(a.rows, a.cols);
        for (size_t i = 0; i < out.data.size(); ++i) out.data[i] = dop(a.data[i], b.data[i]);
        return true;
    }
    if (IsMatrix(a) || IsMatrix(b)) return false;
    out = REG();
    qop(a.re, b.re, out.re);
    return true;
}

void TwoOperandElementwise(REG* stack, long& count, long base, bool subtract) {
    if (!HasOperands(count, base, 2)) return;
    const REG& a = stack[count - 2];
    const REG& b = stack[count - 1];
    REG out;
    bool ok = subtract ? Elementwise(
                             a, b, [](double x, double y) { return x - y; },
                             [](const QELT* x, const QELT* y, QELT* r) { qsub(y, x, r); }, out)
                       : Elementwise(
                             a, b, [](double x, double y) { return x + y; },
                             [](const QELT* x, const QELT* y, QELT* r) { qadd(y, x, r); }, out);
    if (!ok) {
        SetErrorCode(subtract ? kErrMatrixSubtraction : kErrMatrixAddition);
        return;
    }
    PushResult(stack, count, 2, std::move(out));
}

REG Scaled(const REG& m, double scale) {
    REG out = MakeMatrix(m.rows, m.cols);
    for (size_t i = 0; i < out.data.size(); ++i) out.data[i] = m.data[i] * scale;
    return out;
}

}  // namespace

void MatrixAdd(REG* stack, long& count, long base) {
    TwoOperandElementwise(stack, count, base, false);
}

void MatrixSub(REG* stack, long& count, long base) {
    if (count - base == 1) {
        const REG& a = stack[count - 1];
        REG out;
        if (IsMatrix(a)) {
            out = Scaled(a, -1.0);
        } else {
            qmov(a.re, out.re);
            qneg(out.re);
        }
        PushResult(stack, count, 1, std::move(out));
        return;
    }
    TwoOperandElementwise(stack, count, base, true);
}

void MatrixMul(const REG& a, const REG& b, REG& result) {
    if (!IsMatrix(a) || !IsMatrix(b) || a.cols != b.rows) {
        SetErrorCode(kErrMatrixMultiplication);
        ResetAndFreeRegister(result);
        return;
    }
    REG out = MakeMatrix(a.rows, b.cols);
    for (int i = 0; i < a.rows; ++i) {
        for (int j = 0; j < b.cols; ++j) {
            double sum = 0;
            for (int k = 0; k < a.cols; ++k) sum += a.at(i, k) * b.at(k, j);
            // Cancellation residue would otherwise show as noise where the exact product is 0.
            out.at(i, j) = std::fabs(sum) < 1e-12 ? 0.0 : sum;
        }
    }
    result = std::move(out);
}

namespace {

// The "*" handler's work on two stacked operands; false (with -38) when their shapes do not match.
bool MultiplyTop(REG* stack, long& count) {
    const REG& a = stack[count - 2];
    const REG& b = stack[count - 1];
    REG out;
    if (IsMatrix(a) && IsMatrix(b)) {
        if (a.cols != b.rows) {
            SetErrorCode(kErrMatrixMultiplication);
            return false;
        }
        MatrixMul(a, b, out);
    } else if (IsMatrix(a)) {
        out = Scaled(a, RealPart(b));
    } else if (IsMatrix(b)) {
        out = Scaled(b, RealPart(a));
    } else {
        qmul(b.re, a.re, out.re);
    }
    PushResult(stack, count, 2, std::move(out));
    return true;
}

}  // namespace

void MatrixMul(REG* stack, long& count, long base) {
    if (HasOperands(count, base, 2)) MultiplyTop(stack, count);
}

void MatrixDiv(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 2)) return;
    // Keep the divisor so that a failing product leaves the stack as it was.
    REG divisor = stack[count - 1];
    if (!InvertValue(stack[count - 1])) return;
    if (!MultiplyTop(stack, count)) stack[count - 1] = std::move(divisor);
}

void MatrixTran(REG* stack, long& count, long base) {
    if (!HasOperands(count, base, 1)) return;
    const REG& a = stack[count - 1];
    if (!IsMatrix(a)) {
        SetErrorCode(kErrMatrixTransformation);
        return;
    }
    REG out = MakeMatrix(a.cols, a.rows);
    for (int i = 0; i < a.rows; ++i) {
        for (int j = 0; j < a.cols; ++j) out.at(j, i) = a.at(i, j);
    }
    PushResult(stack, count, 1, std::move(out));
}

int Symetric(const REG& m) {
    if (!IsMatrix(m) || m.rows != m.cols) return 0;
    for (int i = 0; i < m.rows; ++i) {
        for (int j = i + 1; j < m.cols; ++j) {
            if (m.at(i, j) != m.at(j, i)) return 0;
        }
    }
    return 1;
}

int CountRow(const REG& m) {
    if (!IsMatrix(m)) return 0;
    int n = 0;
    for (int i = 0; i < m.rows; ++i) {
        for (int j = 0; j < m.cols; ++j) {
            if (m.at(i, j) != 0) {
                ++n;
                break;
            }
        }
    }
    return n;
}

int CountCol(const REG& m) {
    if (!IsMatrix(m)) return 0;
    int n = 0;
    for (int j = 0; j < m.cols; ++j) {
        for (int i = 0; i < m.rows; ++i) {
            if (m.at(i, j) != 0) {
                ++n;
                break;
            }
        }
    }
    return n;
}

int ZeroRow(const REG& m) {
    if (!IsMatrix(m)) return -1;
    for (int i = 0; i < m.rows; ++i) {
        bool zero = true;
        for (int j = 0; j < m.cols && zero; ++j) zero = m.at(i, j) == 0;
        if (zero) return i;
    }
    return -1;
}
