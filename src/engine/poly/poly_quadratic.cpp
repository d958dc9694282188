// Exact roots of linear and quadratic equations, and the decimal quadratic roots.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "engine/poly/poly_roots.h"
#include "engine/poly/poly_support.h"
#include "numeric/errors.h"

using namespace poly_detail;

namespace {

constexpr int kLargestDenominator = 1000000000;
constexpr double kFractionTolerance = 1e-6;
constexpr double kWholeTolerance = 1e-8;
constexpr double kLargestDiscriminant = 1e10;

// Whole within 1e-8 of the nearest integer (a value just below an integer, left by rounding, is whole too).
bool IsWhole(double v) {
    return std::isfinite(v) && std::fabs(v - std::nearbyint(v)) < kWholeTolerance;
}

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return out;
}

// "%.0lf" of a whole value, without the sign of a negative zero.
std::string WholeText(double v) {
    return Format("%.0lf", std::nearbyint(v) + 0.0);
}

// The fraction of v (denominators up to 1e9) when it matches v within 1e-6.
bool MatchFraction(double v, long long& num, long long& den) {
    if (!std::isfinite(v) || !getfrac(CFraction(v), num, den) || den == 0) return false;
    return std::fabs(v - static_cast<double>(num) / static_cast<double>(den)) <= kFractionTolerance;
}

bool Multiply(long long a, long long b, long long c, long long& out) {
    long long ab = 0;
    return !__builtin_mul_overflow(a, b, &ab) && !__builtin_mul_overflow(ab, c, &out);
}

bool ParseInteger(const std::string& text, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && end != nullptr && *end == '\0';
}

std::optional<std::string> LinearRoot(const std::vector<std::string>& tokens) {
    double a = 0, b = 0;
    if (!EvalDouble(tokens[0], a) || !EvalDouble(tokens[1], b)) return std::nullopt;
    // Divided directly: the quotient of the two values as the evaluator would form it, without first
    // writing them with 16 decimals (which would turn a coefficient below 1e-16 into a division by zero).
    if (a == 0) {
        SetErrorCode(kErrDivision);
        return std::nullopt;
    }
    const double x = -b / a;
    long long p = 0, q = 1;
    if (MatchFraction(x, p, q)) return q == 1 ? Format("%lld", p) : Format("%lld/%lld", p, q);
    return Format("%.16lf", x);
}

// The root (P + T*S)/R in the written forms of the solver (signs of P and R kept; see gpt).
std::string WriteSurdRoot(long long P, long long T, long long R, const std::string& S) {
    const std::string coef = Cat({std::llabs(T) == 1 ? std::string() : Format("%lld*", std::llabs(T)), S});
    std::string body;
    if (R == -1) {
        if (P == 0) return Cat({"(", T > 0 ? "-" : "", coef, ")"});
        return Cat({P > 0 ? Format("-%lld", P) : Format("%lld", -P), T < 0 ? "+" : "-", coef});
    }
    if (P == 0) {
        body = Cat({"(", T < 0 ? "-" : "", coef, ")"});
    } else {
        body = Cat({Format("(%lld", P), T < 0 ? "-" : "+", coef, ")"});
    }
    if (R != 1) body += Format("/(%lld)", R);
    return body;
}

// Surd part of the root: s = sqrt(D) as k/m * surd, where surd is a whole number when s is whole.
bool SplitRoot(double D, std::string& surd, long long& k, long long& m, bool& perfect) {
    const double s = std::sqrt(D);
    k = m = 1;
    perfect = IsWhole(s);
    if (perfect) {
        surd = WholeText(s);
        return true;
    }
    surd = CFraction(D).ToString(kLargestDenominator);
    if (surd.empty() || surd[0] == '-') return false;
    if (!simplify_square(surd, k, m) || m == 0) return false;
    double check = 0;
    if (!EvalDouble(Cat({Format("%lld/%lld*", k, m), surd}), check)) return false;
    return std::fabs(check - s) <= kFractionTolerance;
}

std::optional<std::string> QuadraticRoot(const std::vector<std::string>& tokens, int which) {
    double v[3];
    long long p[3], q[3];
    for (int i = 0; i < 3; ++i) {
        if (!EvalDouble(tokens[i], v[i])) return std::nullopt;
        if (!MatchFraction(v[i], p[i], q[i])) return std::nullopt;
    }
    long long G1 = 0, G2 = 0;
    for (int i = 0; i < 3; ++i) {
        if (v[i] == 0) continue;
        G1 = Gcd(G1, q[i]);
        G2 = Gcd(G2, p[i]);
    }
    if (G1 == 0 || G2 == 0) return std::nullopt;
    double disc = 0;
    if (!EvalDouble(Cat({tokens[1], "*", tokens[1], "-4*", tokens[0], "*", tokens[2]}), disc))
        return std::nullopt;
    const double g1 = static_cast<double>(G1), g2 = static_cast<double>(G2);
    const double D = disc * (g1 * g1) / (g2 * g2);
    if (!(D >= 0) || D > kLargestDiscriminant) return std::nullopt;

    std::string surd;
    long long k = 1, m = 1;
    bool perfect = false;
    if (!SplitRoot(D, surd, k, m, perfect)) return std::nullopt;

    long long p1 = 0, q1 = 1, p2 = 0, q2 = 1;
    if (!MatchFraction(-v[1] * g1 / g2, p1, q1) || !MatchFraction(2 * v[0] * g1 / g2, p2, q2))
        return std::nullopt;
    long long P = 0, Q = 0, R = 0;
    if (!Multiply(m, p1, q2, P) || !Multiply(k, q1, q2, Q) || !Multiply(p2, m, q1, R) || R == 0)
        return std::nullopt;
    const long long g = Gcd(Gcd(P, Q), R);
    P /= g;
    Q /= g;
    R /= g;
    const std::string text = WriteSurdRoot(P, which == 1 ? Q : -Q, R, surd);

    double value = 0;
    if (!EvalDouble(text, value)) return std::nullopt;
    if (IsWhole(value)) return WholeText(value);
    if (perfect || surd == "sqrt(1)") {
        long long num = 0, den = 1;
        if (getfrac(CFraction(value), num, den)) return Format("%lld/%lld", num, den);
    }
    return text;
}

}  // namespace

std::optional<std::string> gpt(const std::string& coefficients, int which, int& count) {
    EvalScope scope;
    std::vector<std::string> tokens = SplitTokens(coefficients);
    count = static_cast<int>(tokens.size());
    if (tokens.empty()) return std::string();
    double lead = 0;
    if (!EvalDouble(tokens[0], lead)) return std::nullopt;
    if (lead == 0 && tokens.size() == 3) {
        tokens.erase(tokens.begin());
        count = 2;
    }
    if (tokens.size() == 2) return LinearRoot(tokens);
    if (tokens.size() == 3) return QuadraticRoot(tokens, which);
    return std::string();
}

int get_exact2(const std::string& coefficients, double& root1, double& root2) {
    EvalScope scope;
    const std::vector<std::string> tokens = SplitTokens(coefficients);
    if (tokens.size() != 3) return 0;
    ClearErrorCode();
    Clearmerror();
    double v[3];
    for (int i = 0; i < 3; ++i) {
        g_lpszExpression = nullptr;
        if (i > 0) Clearmerror();
        v[i] = static_cast<double>(fnex(0, tokens[i].c_str()));
        if (GetErrorCode() != 0) return 0;
    }
    QELT a[NQ], b[NQ], c[NQ], t[NQ], D[NQ];
    etoq(v[0], a);
    etoq(v[1], b);
    etoq(v[2], c);
    // D = b*b - (4*c)*a; note the library's reversed operand order (qsub(x, y, z): z = y - x).
    QELT four[NQ];
    ltoq(4, four);
    qmul(b, b, D);
    qmul(four, c, t);
    qmul(a, t, t);
    qsub(t, D, D);
    if (qcmp(D, qzero) < 0) return 0;
    QELT s[NQ], minusB[NQ], r1[NQ], r2[NQ];
    qpow(D, qhalf, s);
    qsub(b, qzero, minusB);
    qadd(s, minusB, r1);
    qdiv(qtwo, r1, r1);
    qdiv(a, r1, r1);
    qsub(s, minusB, r2);
    qdiv(qtwo, r2, r2);
    qdiv(a, r2, r2);
    qtoe(r1, &root1);
    qtoe(r2, &root2);
    return 1;
}

namespace {

// Outside and inside factors of sqrt(n): n = outside^2 * inside with a square-free inside.
void SquareFactors(unsigned long long n, unsigned long long& outside, unsigned long long& inside) {
    std::vector<int> exponents;
    std::vector<unsigned long long> primes;
    int count = 0;
    nt(n, exponents, primes, count);
    outside = 1;
    inside = n;  // the cofactor: 1 or a prime above the trial limit
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < exponents[i] / 2; ++j) outside *= primes[i];
        if (exponents[i] % 2 != 0) inside *= primes[i];
    }
}

// A whole, non-negative part of a fraction text, within the 32 bits the factoring works on.
bool WholePart(const std::string& expr, unsigned long long& n, bool& whole) {
    double v = 0;
    if (!EvalDouble(expr, v)) return false;
    whole = IsWhole(v) && v >= 0;
    if (whole && std::nearbyint(v) > 4294967295.0) return false;
    n = whole ? static_cast<unsigned long long>(std::nearbyint(v)) : 0;
    return true;
}

}  // namespace

bool simplify_square(std::string& fraction, long long& num, long long& den) {
    std::string W, N = fraction, D;
    const size_t blank = fraction.find(' ');
    if (blank != std::string::npos) {
        W = fraction.substr(0, blank);
        N = fraction.substr(blank + 1);
    }
    const size_t slash = N.find('/');
    if (slash != std::string::npos) {
        D = N.substr(slash + 1);
        N = N.substr(0, slash);
    }
    const std::string numerator = !W.empty() && !D.empty() ? Cat({W, "*", D, "+", N}) : (N.empty() ? W : N);
    unsigned long long n = 0, d = 1;
    bool whole = false;
    if (!WholePart(numerator, n, whole)) return false;
    if (!whole) {
        std::string inner = fraction;
        if (blank != std::string::npos) inner[blank] = '+';
        fraction = Cat({"sqrt(", inner, ")"});
        num = den = 1;
        return true;
    }
    unsigned long long nOut = 1, nIn = 1, dOut = 1, dIn = 1;
    SquareFactors(n, nOut, nIn);
    if (!D.empty()) {
        if (!WholePart(D, d, whole) || !whole || d == 0) return false;
        SquareFactors(d, dOut, dIn);
    }
    num = static_cast<long long>(nOut);
    den = static_cast<long long>(dOut);
    if (nIn > 1 && dIn > 1) {
        fraction = Format("sqrt(%llu/%llu)", nIn, dIn);
    } else if (nIn > 1) {
        fraction = Format("sqrt(%llu)", nIn);
    } else if (dIn > 1) {
        fraction = Format("sqrt(1/%llu)", dIn);
    } else {
        fraction.assign(1, '0');
    }
    return true;
}

bool getfrac(const std::string& text, long long& num, long long& den) {
    num = 0;
    den = 1;
    long long W = 0, N = 0, D = 1;
    bool whole = false;
    std::string rest = text;
    const size_t blank = text.find(' ');
    if (blank != std::string::npos) {
        if (!ParseInteger(text.substr(0, blank), W)) return false;
        whole = true;
        rest = text.substr(blank + 1);
    }
    const size_t slash = rest.find('/');
    if (slash == std::string::npos) {
        long long x = 0;
        if (!ParseInteger(rest, x)) return false;
        if (whole) {
            N = x;
        } else {
            W = x;
        }
    } else if (!ParseInteger(rest.substr(0, slash), N) || !ParseInteger(rest.substr(slash + 1), D) ||
               D == 0) {
        return false;
    }
    long long dw = 0;
    if (__builtin_mul_overflow(D, W, &dw)) return false;
    const bool subtract = !text.empty() && text[0] == '-' && W != 0;
    if (subtract ? __builtin_sub_overflow(dw, N, &num) : __builtin_add_overflow(dw, N, &num)) {
        num = 0;
        return false;
    }
    den = D;
    return true;
}

bool getfrac(const CFraction& value, long long& num, long long& den) {
    return getfrac(value.ToString(kLargestDenominator), num, den);
}

void nt(unsigned long long& n, std::vector<int>& exponents, std::vector<unsigned long long>& primes,
        int& count) {
    exponents.clear();
    primes.clear();
    count = 0;
    const unsigned long long limit = static_cast<unsigned long long>(std::sqrt(static_cast<double>(n))) + 1;
    for (unsigned long long d = 2; d <= limit && n > 1; ++d) {
        int e = 0;
        while (n % d == 0) {
            n /= d;
            ++e;
        }
        if (e == 0) continue;
        primes.push_back(d);
        exponents.push_back(e);
        ++count;
    }
}
