#include "app/screens/statistics/matrix_data.h"

#include <vector>

#include "engine/matrix/registers.h"

void CMatrixData::createMatrix(int rows, int columns, int index) {
    deleteMatrix();
    if (index < 0 || index >= kRegisterCount) return;
    if (rows < 0 || columns < 0 || rows > kMaxMatrixRows || columns > kMaxMatrixRows) {
        ResetAndFreeRegister(index);
        return;
    }
    const std::vector<double> zeros(static_cast<size_t>(rows) * static_cast<size_t>(columns), 0.0);
    SetRegister(index, rows, columns, zeros.data());
    m_nIndex = index;
}

void CMatrixData::deleteMatrix() {
    if (m_nIndex >= 0) ResetAndFreeRegister(m_nIndex);
    m_nIndex = -1;
}

bool CMatrixData::Holds(int row, int column) const {
    if (m_nIndex < 0) return false;
    const REG& r = g_reg[m_nIndex];
    return r.type == REG_MATRIX && row >= 0 && column >= 0 && row < r.rows && column < r.cols &&
           r.data.size() >= static_cast<size_t>(r.rows) * r.cols;
}

void CMatrixData::setValue(int row, int column, double value) {
    if (Holds(row, column)) g_reg[m_nIndex].at(row, column) = value;
}

double CMatrixData::getValue(int row, int column) const {
    return Holds(row, column) ? g_reg[m_nIndex].at(row, column) : 0.0;
}

int CMatrixData::GetRows() const {
    if (m_nIndex < 0 || g_reg[m_nIndex].type != REG_MATRIX) return 0;
    return g_reg[m_nIndex].rows;
}

int CMatrixData::GetColumns() const {
    if (m_nIndex < 0 || g_reg[m_nIndex].type != REG_MATRIX) return 0;
    return g_reg[m_nIndex].cols;
}
