// libFuzzer target: the engine on arbitrary text, the way the calculator reaches it: the scalar path in
// every radix, the matrix path, the double-precision path with a variable, and the result formatting.
// Every input must end in a value or an error code, never a crash, an overrun or undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "engine/entry/expr_eval.h"
#include "engine/eval/evaluate.h"
#include "engine/format/format_state.h"
#include "engine/format/result_format.h"
#include "engine/matrix/registers.h"
#include "numeric/errors.h"
#include "numeric/qlib.h"
#include "numeric/radix.h"

namespace {

// The calculus and series calls loop as long as their arguments ask (fnSum to 1e9 takes 1e9 steps); the
// fuzzer keeps to texts without them, whose cost grows with their length only.
bool Bounded(const std::string& s) {
    for (const char* name : {"fnSum", "fnProduct", "fnInt", "fnDeriv", "fnRoot", "fnEval", "IRR", "rate"})
        if (s.find(name) != std::string::npos) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool init = [] {
        g_qlibMessages = std::fopen("/dev/null", "w");
        g_sOutputMode = "English (US)";
        const double m[] = {2, 1, 1, 2};
        SetRegister(2, 2, 2, m);
        const double list[] = {1, 2, 2, 3, 7};
        SetRegister(29, 5, 1, list);
        return true;
    }();
    (void)init;
    if (size > 6000) return 0;
    std::string text(reinterpret_cast<const char*>(data), size);
    if (!Bounded(text)) return 0;
    static const int radixes[] = {10, 16, 2, 8};
    for (int radix : radixes) {
        ClearErrorCode();
        SetMode(0);
        g_BitWidth = radix == 10 ? 8 : 16;
        REG r = ExprEval(text.c_str(), 0, radix);
        if (!GetErrorCode() && r.type != REG_MATRIX) {
            bool sci = false, complex = false;
            const int key = radix == 10   ? kRadixDec
                            : radix == 16 ? kRadixHex
                            : radix == 2  ? kRadixBin
                                          : kRadixOct;
            for (int notation : {kNotationNorm, kNotationFix, kNotationSci, kNotationFrac})
                ExpResult_REGToString(r, key, kWidth16, notation, sci, complex);
        }
    }
    ClearErrorCode();
    ExprEval(text.c_str(), 1, 10);
    ClearErrorCode();
    static char variable[] = "x";
    g_lpszVariable = variable;
    for (double x : {0.5, -3.0, 1e300}) fnex(x, text.c_str());
    ClearErrorCode();
    return 0;
}
