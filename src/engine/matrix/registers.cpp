#include "engine/matrix/registers.h"

#include <cstring>

REG g_reg[kRegisterCount];

namespace {

bool valid(int index) {
    return index >= 0 && index < kRegisterCount;
}

}  // namespace

void ResetAndFreeRegister(REG& reg) {
    reg = REG();
}

void ResetAndFreeRegister(int index) {
    if (valid(index)) ResetAndFreeRegister(g_reg[index]);
}

void SetRegister(int index, int rows, int cols, const double* values) {
    if (!valid(index)) return;
    REG& r = g_reg[index];
    ResetAndFreeRegister(r);
    if (rows < 0 || cols < 0 || rows > 0xFFFF || cols > 0xFFFF) return;
    r.type = REG_MATRIX;
    r.rows = static_cast<std::uint16_t>(rows);
    r.cols = static_cast<std::uint16_t>(cols);
    r.data.assign(values, values + static_cast<size_t>(rows) * cols);
}

void RegPush(REG* stack, long& count, const REG& reg) {
    REG& slot = stack[count++];
    if (reg.type == REG_MATRIX) {
        slot = reg;
        return;
    }
    slot = REG();
    slot.type = reg.type;
    std::memcpy(slot.re, reg.re, sizeof slot.re);
}

void RegPush(REG* stack, long& count, long double value) {
    REG& slot = stack[count++];
    slot = REG();
    etoq(static_cast<double>(value), slot.re);
}

bool RegisterScalarValue(int index, qcmplx* value) {
    if (!valid(index)) return false;
    const REG& r = g_reg[index];
    if (r.type != REG_REAL && r.type != REG_COMPLEX) return false;
    qmov(r.re, value->r);
    qmov(r.im, value->i);
    return true;
}

void SetRegisterScalar(int index, const qcmplx& value) {
    if (!valid(index)) return;
    REG& r = g_reg[index];
    ResetAndFreeRegister(r);
    qmov(value.r, r.re);
    qmov(value.i, r.im);
    r.type = iszero(value.i) ? REG_REAL : REG_COMPLEX;
}
