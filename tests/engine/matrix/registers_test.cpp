#include <gtest/gtest.h>

#include "engine/matrix/registers.h"
#include "numeric/qcomplex.h"

namespace {

TEST(Registers, MatrixRegistersOwnTheirElements) {
    const double v[] = {1, 2, 3, 4, 5, 6};
    SetRegister(5, 2, 3, v);
    ASSERT_EQ(g_reg[5].type, REG_MATRIX);
    EXPECT_EQ(g_reg[5].rows, 2);
    EXPECT_EQ(g_reg[5].cols, 3);
    EXPECT_EQ(g_reg[5].at(1, 2), 6);
    REG copy = g_reg[5];  // a deep copy: changing it leaves the register alone
    copy.at(0, 0) = 42;
    EXPECT_EQ(g_reg[5].at(0, 0), 1);
    SetRegister(5, 1, 1, v + 3);  // replacing releases the old elements
    EXPECT_EQ(g_reg[5].data.size(), 1u);
    ResetAndFreeRegister(5);
    EXPECT_EQ(g_reg[5].type, REG_REAL);
    EXPECT_TRUE(g_reg[5].data.empty());
    EXPECT_TRUE(iszero(g_reg[5].re));
    SetRegister(99, 1, 1, v);  // out of range: ignored
}

TEST(Registers, PushCopiesScalarsWithoutTheirImaginaryPart) {
    SetRegisterScalar(2, qcmplx_make(1.5, -2));
    EXPECT_EQ(g_reg[2].type, REG_COMPLEX);
    REG stack[4];
    long n = 0;
    RegPush(stack, n, g_reg[2]);
    RegPush(stack, n, 7.0L);
    const double m[] = {1, 2, 3, 4};
    SetRegister(3, 2, 2, m);
    RegPush(stack, n, g_reg[3]);
    ASSERT_EQ(n, 3);
    EXPECT_EQ(stack[0].type, REG_COMPLEX);
    EXPECT_TRUE(iszero(stack[0].im));
    double d;
    qtoe(stack[0].re, &d);
    EXPECT_EQ(d, 1.5);
    qtoe(stack[1].re, &d);
    EXPECT_EQ(d, 7);
    EXPECT_EQ(stack[2].at(1, 0), 3);
    qcmplx value;
    EXPECT_TRUE(RegisterScalarValue(2, &value));
    qtoe(value.i, &d);
    EXPECT_EQ(d, -2);
    EXPECT_FALSE(RegisterScalarValue(3, &value));  // a matrix is not a scalar
    EXPECT_FALSE(RegisterScalarValue(30, &value));
    ResetAndFreeRegister(2);
    ResetAndFreeRegister(3);
}

}  // namespace
