#include "engine/entry/expr_eval.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/entry/executor.h"
#include "engine/entry/text_tools.h"
#include "engine/eval/evaluate.h"
#include "engine/format/result_format.h"
#include "engine/matrix/matrix.h"
#include "engine/parse/rpn_maker.h"
#include "engine/parse/tables.h"
#include "engine/parse/tokenizer.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

// Decimals of the mantissa written back for a call: a double carries 17 significant digits, and digits
// beyond them would be the binary expansion of the double, not digits of the result.
constexpr int kExtendedDecimals = 32;
constexpr int kDoubleDecimals = 16;

// The text that replaces executor call `index` with value v.
std::string CallValueText(int index, const qcmplx& v, int radix) {
    if (radix == 10) {
        const std::string s = qtoascex_str(v.r, ExcuteInDoubles(index) ? kDoubleDecimals : kExtendedDecimals);
        const size_t e = s.find('E');
        std::string out = "(";
        out.append(s, 0, e);
        out += ")*10^(";
        out.append(s, e + 1, std::string::npos);
        out += ')';
        return out;
    }
    return ConstructDisplayString(RadixKeyOf(radix), WidthKeyOf(g_BitWidth), v.r, kNotationNorm, 32, 4).text;
}

// Replaces text[from, to) with replacement; false (and -8) when the result would not fit an engine text.
bool Splice(std::string& text, size_t from, size_t to, const std::string& replacement) {
    if (text.size() - (to - from) + replacement.size() >= static_cast<size_t>(kEngineTextSize)) {
        SetErrorCode(kErrCallSyntax);
        return false;
    }
    text.replace(from, to - from, replacement);
    return true;
}

}  // namespace

int ExprStandardize(std::string& text, int radix) {
    if (g_ErrCode) return 0;
    for (;;) {
        int at = 0;
        int index = FindFunction(text.c_str(), at);
        if (index < 0) return 1;
        int after = at;
        std::string args;
        if (!GetFunctionString(text, args, after)) {
            SetErrorCode(kErrCallSyntax);
            return 0;
        }
        std::string replacement;
        if (index == 0) {
            std::string a, b;
            int p = 0;
            if (!GetParam(args, a, p) || !GetParam(args, b, p)) {
                SetErrorCode(kErrCallSyntax);
                return 0;
            }
            replacement = "((";
            replacement += a;
            replacement += ") root (";
            replacement += b;
            replacement += ")) ";
        } else {
            qcmplx v = Excute(index, args, radix);
            if (g_ErrCode) return 0;
            replacement = CallValueText(index, v, radix);
        }
        if (!Splice(text, static_cast<size_t>(at), static_cast<size_t>(after), replacement)) return 0;
    }
}

REG ExprEval(const char* text, int mode, int radix) {
    if (g_ErrCode) return g_reg[0];
    ResetAndFreeRegister(0);
    if (!text) text = "";
    if (std::strlen(text) >= static_cast<size_t>(kEngineTextSize)) {
        SetErrorCode(kErrCallSyntax);
        return g_reg[0];
    }
    if (mode == 0) {
        std::string buffer = text;
        if (!ExprStandardize(buffer, radix)) return g_reg[0];
        bool ok = false;
        qcmplx v = ExprEvaluation(buffer.c_str(), ok, nullptr, nullptr, radix);
        if (g_ErrCode) return g_reg[0];
        REG& r = g_reg[0];
        qmov(v.r, r.re);
        qmov(v.i, r.im);
        r.type = iszero(v.i) ? REG_REAL : REG_COMPLEX;
    } else if (mode == 1) {
        bool ok = false;
        REG m = MatrixExprEval(text, ok);
        if (!g_ErrCode) g_reg[0] = m;
    }
    return g_reg[0];
}

REG MatrixExprEval(const char* expression, bool& success) {
    if (g_ErrCode) return g_reg[0];
    std::string buffer = expression ? expression : "";
    SolverProcessing(buffer);
    if (g_ErrCode) return g_reg[0];
    if (buffer.size() >= static_cast<size_t>(kEngineTextSize) || !ExpressionParser(buffer, 10, nullptr) ||
        !RPNMaker(buffer)) {
        SetErrorCode(kErrSyntax);
        return g_reg[0];
    }
    std::vector<REG> values(kValueStackSize);
    std::vector<long> groups;
    long count = 0;
    size_t pos = 0;
    while (pos < buffer.size()) {
        size_t end = buffer.find(' ', pos);
        if (end == std::string::npos) end = buffer.size();
        std::string token = buffer.substr(pos, end - pos);
        pos = end + 1;
        if (token.empty()) continue;
        if (const MatrixFunctionRow* row = GetMatrixHandler(token.c_str())) {
            row->handler(values.data(), count, groups.empty() ? 0 : groups.back());
            if (g_ErrCode) return g_reg[0];
            continue;
        }
        if (token == "(") {
            groups.push_back(count);
            continue;
        }
        if (token == ")") {
            if (!groups.empty()) groups.pop_back();
            continue;
        }
        if (count >= kValueStackSize) {
            SetErrorCode(kErrSyntax);
            return g_reg[0];
        }
        char* stop = nullptr;
        double v = std::strtod(token.c_str(), &stop);
        if (stop == token.c_str()) {
            int reg = FindReg(token.c_str());
            if (reg < 0) {
                SetErrorCode(kErrSyntax);
                return g_reg[0];
            }
            RegPush(values.data(), count, g_reg[reg]);
        } else {
            RegPush(values.data(), count, static_cast<long double>(v));
        }
    }
    if (count < 1) {
        SetErrorCode(kErrSyntax);
        return g_reg[0];
    }
    const REG& top = values[0];
    if (top.type == REG_MATRIX) {
        SetRegister(0, top.rows, top.cols, top.data.data());
    } else {
        REG scalar;
        qmov(top.re, scalar.re);
        g_reg[0] = scalar;
    }
    success = true;
    return g_reg[0];
}
