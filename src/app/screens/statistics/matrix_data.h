// CMatrixData: owner of one register of the engine's register file, used as a matrix of doubles.
//
// The statistics data set is register 29 (the list register the statistics functions read as X) with one
// column. Every access checks its indices: a row or column outside the matrix reads 0 and writes nothing.
#pragma once

constexpr int kStatisticRegister = 29;
// Most rows a register holds (its row count is 16 bits).
constexpr int kMaxMatrixRows = 0xFFFF;

class CMatrixData {
  public:
    CMatrixData() = default;
    virtual ~CMatrixData() = default;
    CMatrixData(const CMatrixData&) = delete;
    CMatrixData& operator=(const CMatrixData&) = delete;

    // Frees the register held, makes register `index` a rows x columns matrix of zeros and keeps its
    // index. Sizes outside 0..kMaxMatrixRows or an index outside the register file leave no register
    // held (the register is freed).
    void createMatrix(int rows, int columns, int index);
    // Frees the register held (a real scalar 0 again) and holds none.
    void deleteMatrix();
    // Element (row, column) of the held matrix.
    void setValue(int row, int column, double value);
    double getValue(int row, int column) const;
    // Row count of the held register, 0 without one.
    int GetRows() const;
    int GetColumns() const;
    // Index of the held register, -1 when none.
    int index() const { return m_nIndex; }

  private:
    bool Holds(int row, int column) const;
    int m_nIndex = -1;
};
