#include "engine/eval/evaluate.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <string_view>

#include "engine/eval/double_program_run.h"
#include "engine/eval/ext_support.h"
#include "engine/eval/scalar_codegen.h"  // last: changes code generation for this file
#include "engine/matrix/registers.h"
#include "engine/parse/number_text.h"
#include "engine/parse/rpn_maker.h"
#include "engine/parse/tables.h"
#include "engine/parse/tokenizer.h"
#include "numeric/errors.h"
#include "numeric/qcomplex.h"

int g_Mode = 0;
const char* g_lpszExpression = nullptr;
const char* g_lpszVariable = nullptr;
char g_lpszRPN[kEngineTextSize];

int SetMode(int mode) {
    g_Mode = mode;
    return g_Mode;
}

namespace {

std::string Lower(const char* s) {
    std::string r = s != nullptr ? s : "";
    for (char& c : r)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return r;
}

// Tokenizes and converts expr into reverse-Polish text; sets -1 and returns false on any fault.
bool Convert(const char* expr, int radix, const char* variable, std::string& rpn) {
    if (expr == nullptr || strnlen(expr, kEngineTextSize) == static_cast<size_t>(kEngineTextSize)) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    rpn = expr;
    if (!ExpressionParser(rpn, radix, variable)) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    if (!RPNMaker(rpn)) {
        SetErrorCode(kErrSyntax);
        return false;
    }
    return true;
}

// ---- extended precision ----------------------------------------------------------------------------------

const QELT* ExtendedE() {
    static QELT e[NQ];
    static bool made = false;
    if (!made) {
        qexp(qone, e);
        made = true;
    }
    return e;
}

// A short run of digits is an integer that ltoq converts exactly, as asctoq would, without the decimal
// conversion machinery.
bool SmallInteger(std::string_view t, long* value) {
    if (t.empty() || t.size() > 9) return false;
    long v = 0;
    for (char c : t) {
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
    }
    *value = v;
    return true;
}

// Reads an operand token; false (with -1 set) when it is none.
bool ExtendedOperand(const char* token, const std::string& variable, const QELT* value, qcmplx& v) {
    v = qczero;
    const std::string_view t(token);
    long small;
    if (SmallInteger(t, &small)) {
        ltoq(small, v.r);
    } else if (ParseNumberToken(token, nullptr)) {
        asctoq(token, v.r);
    } else if (!variable.empty() && t == variable) {
        if (value != nullptr) qmov(value, v.r);
    } else if (t == "pi") {
        qmov(qpi, v.r);
    } else if (t == "e") {
        qmov(ExtendedE(), v.r);
    } else if (t == "i") {
        qmov(qone, v.i);
    } else {
        const int reg = FindReg(token);
        if (reg < 0 || !RegisterScalarValue(reg, &v)) {
            SetErrorCode(kErrSyntax);
            return false;
        }
    }
    return true;
}

// The conversion to double precision after "^": an overflow raises the library flag, which a following
// qcmplx operation reports unless an operand clears it first.
void TouchAsDoubles(const qcmplx& v) {
    double d;
    qtoe(v.r, &d);
    qtoe(v.i, &d);
}

// The value stack of the extended walk: one buffer reused by every evaluation, and a fresh one for an
// evaluation that starts while another is running (a handler that evaluates text).
class ValueStack {
  public:
    ValueStack() {
        if (!busy_) {
            busy_ = true;
            shared_ = true;
            data_ = Shared();
        } else {
            owned_.reset(new qcmplx[kValueStackSize]);
            data_ = owned_.get();
        }
    }
    ValueStack(const ValueStack&) = delete;
    ValueStack& operator=(const ValueStack&) = delete;
    ~ValueStack() {
        if (shared_) busy_ = false;
    }
    qcmplx* data() { return data_; }

  private:
    static qcmplx* Shared() {
        static std::unique_ptr<qcmplx[]> buffer(new qcmplx[kValueStackSize]);
        return buffer.get();
    }
    static inline bool busy_ = false;
    bool shared_ = false;
    qcmplx* data_;
    std::unique_ptr<qcmplx[]> owned_;
};

class ExtendedWalk {
  public:
    ExtendedWalk(const std::string& variable, const QELT* value) : variable_(variable), value_(value) {}

    // Runs one token; false when the evaluation stops (the error code is set).
    bool Step(const char* token) {
        if (const FUNCTION_TABLE_EX* row = GetHandlerEx(token)) {
            row->handler(values_.data(), n_, d_ > 0 ? groups_[d_ - 1] : 0);
            if (GetErrorCode() != 0) return false;
            if (std::strcmp(row->name, "^") == 0 && n_ > 0) TouchAsDoubles(values_.data()[n_ - 1]);
            return true;
        }
        if (std::strcmp(token, "(") == 0) {
            if (d_ >= kValueStackSize) return Fault();
            groups_[d_++] = n_;
            return true;
        }
        if (std::strcmp(token, ")") == 0) {
            if (d_ == 0) return Fault();
            --d_;
            return true;
        }
        if (n_ >= kValueStackSize) return Fault();
        Clearmerror();
        if (!ExtendedOperand(token, variable_, value_, values_.data()[n_])) return false;
        ++n_;
        return true;
    }

    bool Result(qcmplx& r) {
        if (n_ == 0) return Fault();
        r = values_.data()[0];
        return true;
    }

  private:
    bool Fault() {
        SetErrorCode(kErrSyntax);
        return false;
    }

    ValueStack values_;
    long groups_[kValueStackSize];
    long n_ = 0;
    long d_ = 0;
    const std::string& variable_;
    const QELT* value_;
};

// ---- double precision ------------------------------------------------------------------------------------

struct DoubleCache {
    int radix = -1;            // of the cached conversion; -1 while none is held
    std::string text;          // the caller's text at conversion, copied
    std::string variable;      // lower case
    std::string variableText;  // as the caller spelled it
    char variableChar = 0;     // variableText when it is one character (the usual "x"), else 0
    DoubleProgram program;
};

// Constant-initialized (every member has a constexpr default), so no guard is needed on the hot path.
DoubleCache g_cache;

// variable (may be null) equals lowered, a lower-case name, when lower-cased.
bool SameName(const std::string& lowered, const char* variable) {
    const char* v = variable != nullptr ? variable : "";
    size_t i = 0;
    for (; v[i] != '\0'; ++i) {
        char c = v[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (i >= lowered.size() || lowered[i] != c) return false;
    }
    return i == lowered.size();
}

[[gnu::noinline]] bool SameVariableSpelled(const DoubleCache& c, const char* variable) {
    const char* v = variable != nullptr ? variable : "";
    return std::strcmp(c.variableText.c_str(), v) == 0 || SameName(c.variable, variable);
}

// The variable names the cached one: spelled the same, or the same when lower-cased. A one-character
// name is two byte compares (the second byte exists when the first is not the terminator).
inline bool SameVariable(const DoubleCache& c, const char* variable) {
    if (c.variableChar != '\0' && variable != nullptr && variable[0] == c.variableChar && variable[1] == '\0')
        return true;
    return SameVariableSpelled(c, variable);
}

// expr equals the cached copy. The caller's pointer alone cannot tell: a caller may put another text into
// the same buffer (a std::string assigned in place keeps its storage). The library's comparison reads
// both texts a vector at a time and stops at the terminator.
inline bool SameText(const std::string& cached, const char* expr) {
    return std::strcmp(cached.c_str(), expr) == 0;
}

// The cache holds expr's conversion: the same radix, nobody has reset the cache (g_lpszExpression, the
// reverse-Polish text), the same variable and the same text.
inline bool CacheHolds(const DoubleCache& c, const char* expr, int radix, const char* variable) {
    return c.radix == radix && g_lpszExpression != nullptr && g_lpszRPN[0] != '\0' &&
           SameVariable(c, variable) && SameText(c.text, expr);
}

// Converts and compiles a text that the cache does not hold; false (with -1 set) on a syntax fault.
[[gnu::noinline]] bool Recompile(DoubleCache& c, const char* expr, int radix, const char* variable) {
    c.radix = -1;
    g_lpszRPN[0] = '\0';
    std::string rpn;
    if (!Convert(expr, radix, variable, rpn)) return false;
    c.text = expr;
    c.variable = Lower(variable);
    c.variableText = variable != nullptr ? variable : "";
    c.variableChar = c.variableText.size() == 1 ? c.variableText[0] : '\0';
    c.program.Compile(rpn, c.variable);
    c.radix = radix;
    std::memcpy(g_lpszRPN, rpn.c_str(), rpn.size() + 1);  // RPNMaker keeps it below kEngineTextSize
    return true;
}

// The common case of the double evaluation, inline in each entry point: no error pending, the cached text
// and a real value for which the program's real form runs through. True with the value in re and im (im
// a zero); false leaves everything as it was, and the caller goes to EvaluateDouble.
[[gnu::always_inline]] inline bool EvaluateReal(const char* expr, const char* variable, double value,
                                                int radix, double& re, double& im) {
    if (g_ErrCode != 0 || value != value || expr == nullptr || !CacheHolds(g_cache, expr, radix, variable) ||
        !g_cache.program.RunReal(value, re, im))
        return false;
    g_lpszExpression = expr;
    g_cache.program.SetRunLastItem();
    return true;
}

// The double evaluation with the result's parts stored in re and im (zero on failure); true on success.
// The cached program's real form is tried first unless the caller has just tried it.
[[gnu::noinline]] bool EvaluateDouble(const char* expr, const char* variable, double value, int radix,
                                      double& re, double& im, bool realTried) {
    re = 0;
    im = 0;
    if (g_ErrCode != 0) return false;
    const bool cached = expr != nullptr && CacheHolds(g_cache, expr, radix, variable);
    if (!cached) {
        if (!Recompile(g_cache, expr, radix, variable)) return false;
        realTried = false;
    }
    g_lpszExpression = expr;
    if (!realTried) return g_cache.program.Run(value, re, im);
    return g_cache.program.RunComplex(value, re, im);
}

}  // namespace

qcmplx ExprEvaluation(const char* expr, bool& success, const char* variable, const QELT* value, int radix) {
    qcmplx result = qczero;
    if (GetErrorCode() != 0) return result;
    std::string rpn;
    if (!Convert(expr, radix, variable, rpn)) return result;
    const std::string var = Lower(variable);
    ExtendedWalk walk(var, value);
    char token[kEngineTextSize];
    size_t i = 0;
    while (i < rpn.size()) {
        if (rpn[i] == ' ') {
            ++i;
            continue;
        }
        size_t end = rpn.find(' ', i);
        if (end == std::string::npos) end = rpn.size();
        std::memcpy(token, rpn.data() + i, end - i);  // shorter than the text, which fits the buffer
        token[end - i] = '\0';
        i = end;
        if (!walk.Step(token)) return result;
    }
    if (!walk.Result(result)) return qczero;
    success = true;
    return result;
}

COMPLEX ExprEvaluationEx(const char* expr, bool& success, const char* variable, long double value,
                         int radix) {
    COMPLEX r{0, 0};
    const double x = static_cast<double>(value);
    if (EvaluateReal(expr, variable, x, radix, r.re, r.im)) {
        success = true;
        return r;
    }
    if (EvaluateDouble(expr, variable, x, radix, r.re, r.im, true)) success = true;
    return r;
}

void fn(qcmplx* result, const QELT* x, void*) {
    bool ok = false;
    *result = ExprEvaluation(g_lpszExpression, ok, g_lpszVariable, x, 10);
    if (!ext_detail::IsTiny(result->i)) {
        SetErrorCode(kErrComplex);
        *result = qczero;
    }
}

void fn1(qcmplx* result, const QELT* x, void*) {
    bool ok = false;
    *result = ExprEvaluation(g_lpszExpression, ok, g_lpszVariable, x, 10);
    if (ext_detail::IsBelowTiny(result->r)) qclear(result->r);
    if (ext_detail::IsBelowTiny(result->i)) qclear(result->i);
}

double fnex(double x, const char* expr) {
    if (expr == nullptr || *expr == '\0') return 0;
    double re, im;
    if (EvaluateReal(expr, g_lpszVariable, x, 10, re, im)) return re;  // imaginary part a zero
    EvaluateDouble(expr, g_lpszVariable, x, 10, re, im, true);
    if (std::fabs(im) > 1e-8) {
        SetErrorCode(kErrComplex);
        return 0;
    }
    return re;
}

double fn(double x, void*) {
    double re, im;
    if (EvaluateReal(g_lpszExpression, g_lpszVariable, x, 10, re, im)) return re;
    EvaluateDouble(g_lpszExpression, g_lpszVariable, x, 10, re, im, true);
    if (std::fabs(im) > 1e-16) {
        SetErrorCode(kErrComplex);
        return 0;
    }
    return re;
}
