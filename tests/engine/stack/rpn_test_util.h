// Shared helpers of the key-by-key calculator tests: readable values and a clean process-wide state.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/eval/evaluate.h"
#include "engine/eval/handlers.h"
#include "engine/parse/tables.h"
#include "engine/stack/rpn_stack.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"
#include "numeric/radix.h"

namespace rpn_test {

// A q-number to 25 significant digits, without blanks ("12.5", "-34", "0").
inline std::string Digits(const QELT* q) {
    std::string s = qtoasc_str(q, 24);
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

// A value as "re" or "re+imi" / "re-imi" when the imaginary part is not zero.
inline std::string Text(const qcmplx& v) {
    std::string s = Digits(v.r);
    if (!iszero(v.i)) {
        const std::string im = Digits(v.i);
        if (im[0] != '-') s += '+';
        s.append(im).append("i");
    }
    return s;
}

// The same for a decimal text, so that expected values can be written to many digits.
inline std::string Text(const char* decimal) {
    qcmplx v = qczero;
    asctoq(decimal, v.r);
    return Text(v);
}

// The stack, bottom first, entries separated by blanks.
inline std::string StackText() {
    std::string s;
    for (int i = 0; i < imoderpn_count; ++i) {
        if (i > 0) s += ' ';
        s.append(Text(imoderpn_cplStack[i]));
    }
    return s;
}

// Every test starts from an empty stack, empty histories, no error, degree mode and 8 bits.
class CalculatorTest : public ::testing::Test {
  protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        ResetIModeRPNStack();
        undoStack.clear();
        redoStack.clear();
        factor = 0;
        g_cplLast = g_cplTmpLast = g_dblLastResult = g_dblLastParam = qczero;
        g_chrLastItem[0] = '\0';
        ClearErrorCode();
        SetMode(0);
        g_BitWidth = 8;
    }
};

}  // namespace rpn_test
