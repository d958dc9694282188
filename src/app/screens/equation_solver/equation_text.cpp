#include "app/screens/equation_solver/equation_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "app/screens/text_format.h"
#include "engine/eval/evaluate.h"
#include "numeric/errors.h"

namespace equation_solver {

namespace {

size_t CountOf(std::string_view s, char c) {
    return static_cast<size_t>(std::count(s.begin(), s.end(), c));
}

// The rules both checks share (all but "-/").
bool CommonRules(std::string_view p) {
    if (p.empty() || p.front() == '/') return false;
    if (p.find("..") != std::string_view::npos || p.find("--") != std::string_view::npos) return false;
    if (CountOf(p, '/') > 1) return false;
    // A sign stands at the start of a number: of the numerator or of the denominator.
    for (size_t k = p.find('-'); k != std::string_view::npos; k = p.find('-', k + 1)) {
        if (k != 0 && p[k - 1] != '/') return false;
    }
    // A second decimal point is allowed only in the denominator of a fraction.
    size_t dot = p.find('.');
    while (dot != std::string_view::npos) {
        const size_t next = p.find('.', dot + 1);
        if (next == std::string_view::npos) break;
        const std::string_view stretch = p.substr(dot + 1, next - dot);
        if (stretch.size() < 3 || stretch.find('/') == std::string_view::npos) return false;
        dot = next;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const size_t a = text.find_first_not_of(" \t\r\n");
    if (a == std::string_view::npos) return {};
    const size_t b = text.find_last_not_of(" \t\r\n");
    return text.substr(a, b - a + 1);
}

bool CheckList(std::string_view text, bool allowMany, bool (*check)(std::string_view)) {
    if (text.empty() || text.find("  ") != std::string_view::npos) return false;
    text = Trim(text);
    if (text.empty()) return false;
    size_t count = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        if (!check(text.substr(start, end - start))) return false;
        ++count;
        start = end + 1;
    }
    return count >= 1 && (allowMany || count <= static_cast<size_t>(kMaxPolynomialParameters));
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (size_t k = text.find(from); k != std::string::npos; k = text.find(from, k + to.size()))
        text.replace(k, from.size(), to);
}

void RemoveBlanks(std::string& text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
}

// Appends one term "X..." / "-X..." / "(p)X..." (with "+" unless it is the first), nothing for 0.
void AppendTerm(std::string& out, const std::string& p, const std::string& name) {
    if (Compare(p, 0) == 1) return;
    const bool first = out.empty();
    if (Compare(p, 1) == 1) {
        out += first ? "" : "+";
        out += name;
    } else if (Compare(p, -1) == 1) {
        out += "-" + name;
    } else {
        out += first ? "(" : "+(";
        out += p + ")" + name;
    }
}

std::string Power(int n) {
    return n == 1 ? "X" : "X^" + std::to_string(n);
}

}  // namespace

bool ValidateOneParameter(std::string_view p) {
    return CommonRules(p) && p.find("-/") == std::string_view::npos;
}

bool FinalValidateOneParameter(std::string_view p) {
    if (!CommonRules(p) || p.front() == '.') return false;
    const char last = p.back();
    return last != '/' && last != '.' && last != '-';
}

bool ValidateParameters(std::string_view text, bool allowMany) {
    return CheckList(text, allowMany, ValidateOneParameter);
}

bool FinalValidateParameters(std::string_view text, bool allowMany) {
    return CheckList(text, allowMany, FinalValidateOneParameter);
}

std::string GuardSignedDenominators(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t k = 0; k < text.size(); ++k) {
        out.push_back(text[k]);
        if (text[k] != '/' || k + 1 >= text.size() || text[k + 1] != '-') continue;
        size_t end = k + 2;
        while (end < text.size() && (std::isdigit(static_cast<unsigned char>(text[end])) || text[end] == '.'))
            ++end;
        out.push_back('(');
        out.append(text, k + 1, end - k - 1);
        out.push_back(')');
        k = end - 1;
    }
    return out;
}

std::vector<std::string> parseParameters(std::string_view text) {
    std::vector<std::string> out;
    size_t k = 0;
    while (k < text.size()) {
        if (text[k] == ' ') {
            ++k;
            continue;
        }
        const size_t end = std::min(text.find(' ', k), text.size());
        out.emplace_back(text.substr(k, end - k));
        k = end;
    }
    return out;
}

bool parseParameters(std::string_view text, std::vector<double>& values) {
    values.clear();
    bool ok = true;
    for (const std::string& p : parseParameters(text)) {
        ClearErrorCode();
        const double v = fnex(0, GuardSignedDenominators(p).c_str());
        const bool good = GetErrorCode() == kErrNone;
        ok = ok && good;
        values.push_back(good ? v : 0);
    }
    ClearErrorCode();
    return ok;
}

int Compare(const std::string& parameter, double value) {
    if (parameter.empty()) return 0;
    ClearErrorCode();
    const double v = fnex(0, GuardSignedDenominators(parameter).c_str());
    const bool failed = GetErrorCode() != kErrNone;
    ClearErrorCode();
    return !failed && v == value ? 1 : 0;
}

int getEquationDegree(const std::string& text, std::string& rest) {
    const std::vector<std::string> params = parseParameters(text);
    size_t first = 0;
    while (first < params.size() && Compare(params[first], 0) == 1) ++first;
    rest.clear();
    for (size_t k = first; k < params.size(); ++k) {
        if (!rest.empty()) rest += ' ';
        rest += params[k];
    }
    return static_cast<int>(params.size() - first) - 1;
}

std::string toEquationString(const std::string& text) {
    const std::vector<std::string> p = parseParameters(text);
    const int m = static_cast<int>(p.size());
    const int k = m > 1 ? m - 1 : m;
    std::string out;
    for (int i = 1; i <= k; ++i) AppendTerm(out, p[static_cast<size_t>(i - 1)], Power(k - i + 1));
    if (m > 1) {
        const std::string& last = p.back();
        if (last != "0" && Compare(last, 0) != 1) out += "+(" + last + ")";
    }
    if (!out.empty()) out += m >= 2 ? " *=* 0" : " *=* ?";
    RemoveBlanks(out);
    ReplaceAll(out, "+(-", "-(");
    return out;
}

std::string toFunctionString(const std::string& text) {
    const std::vector<std::string> p = parseParameters(text);
    const int m = static_cast<int>(p.size());
    const int k = m > 1 ? m - 1 : m;
    std::string out;
    for (int i = 1; i <= k; ++i) AppendTerm(out, p[static_cast<size_t>(i - 1)], UnknownName("X", i));
    if (!out.empty()) out += " = ";
    if (m > 0) out += m < 2 ? "?" : "(" + p.back() + ")";
    RemoveBlanks(out);
    ReplaceAll(out, "+(-", "-(");
    return out;
}

std::string UnknownName(const char* base, int k) {
    const std::string n = std::to_string(k);
    return std::string(base) + (k < 10 ? "_" + n : "_{" + n + "}");
}

std::string processFraction(const std::string& text) {
    std::string out;
    size_t k = 0;
    while (k <= text.size()) {
        size_t end = text.find(' ', k);
        if (end == std::string::npos) end = text.size();
        const std::string piece = text.substr(k, end - k);
        out += piece.find('/') != std::string::npos ? "(" + piece + ")" : piece;
        if (end < text.size()) out += ' ';
        k = end + 1;
    }
    return out;
}

std::string TrimmedNumberText(std::string s) {
    if (s.find('.') != std::string::npos && s.find_first_of("eE") == std::string::npos) {
        while (!s.empty() && s.back() == '0') s.pop_back();
        if (!s.empty() && s.back() == '.') s.pop_back();
    }
    return s == "-0" ? "0" : s;
}

std::string TrimmedDecimal(double value, int decimals) {
    return TrimmedNumberText(FormatFixed(value, decimals));
}

}  // namespace equation_solver
