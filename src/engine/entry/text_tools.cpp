#include "engine/entry/text_tools.h"

#include <cctype>

#include "numeric/errors.h"
#include "numeric/radix.h"

int Top = 0;

int GetFunctionString(const std::string& text, std::string& out, int& pos) {
    out.clear();
    Top = 0;
    size_t p = pos < 0 ? 0 : static_cast<size_t>(pos);
    while (p < text.size() && text[p] != '(') ++p;
    if (p >= text.size()) {
        pos = static_cast<int>(p);
        return 0;
    }
    const size_t start = p + 1;
    Top = 1;
    size_t i = start;
    for (; i < text.size() && Top != 0; ++i) {
        if (text[i] == '(') {
            ++Top;
        } else if (text[i] == ')') {
            if (Top >= 1) {
                --Top;
            } else {
                SetErrorCode(kErrCallSyntax);
            }
        }
    }
    pos = static_cast<int>(i);
    if (Top != 0) return 0;
    out = text.substr(start, i - 1 - start);
    return 1;
}

int GetParam(const std::string& text, std::string& out, int& pos) {
    out.clear();
    Top = 0;
    size_t start = pos < 0 ? 0 : static_cast<size_t>(pos);
    size_t i = start;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c == '(') {
            ++Top;
        } else if (c == ')') {
            if (Top >= 1) {
                --Top;
            } else {
                SetErrorCode(kErrCallSyntax);
            }
        } else if (c == ',' && Top == 0) {
            break;
        }
    }
    if (i <= start) return 0;
    out = text.substr(start, i - start);
    pos = static_cast<int>(i + 1);
    return 1;
}

bool StrReplace(std::string& text, const std::string& pattern, const std::string& replacement, size_t limit) {
    if (pattern.empty()) return true;
    std::string result;
    size_t from = 0;
    for (;;) {
        size_t at = text.find(pattern, from);
        if (at == std::string::npos) break;
        result.append(text, from, at - from);
        result += replacement;
        from = at + pattern.size();
        if (result.size() >= limit) return false;
    }
    result.append(text, from, std::string::npos);
    if (result.size() >= limit) return false;
    text = std::move(result);
    return true;
}

bool isDigit(char c, int radix) {
    switch (radix) {
        case 2:
            return c == '0' || c == '1';
        case 8:
            return c >= '0' && c <= '7';
        case 10:
            return c >= '0' && c <= '9';
        case 16:
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
        default:
            return false;
    }
}

std::optional<std::string> StringConvert(const std::string& text, int from, int to, bool /*flag*/) {
    if (g_ErrCode) return std::nullopt;
    auto is_op = [](char c) { return c == '*' || c == '+' || c == '-' || c == '/'; };
    std::string out;
    const size_t n = text.size();
    for (size_t i = 0; i < n;) {
        char c = text[i];
        if (isDigit(c, from)) {
            size_t j = i;
            while (j < n && std::isalnum(static_cast<unsigned char>(text[j]))) ++j;
            std::string literal = text.substr(i, j - i);
            unsigned int v = NumberConverter(literal.c_str(), from);
            bool keep = true;
            switch (g_BitWidth) {
                case 8:
                    v &= 0xFFu;
                    break;
                case 16:
                    v &= 0xFFFFu;
                    break;
                case 32:
                case 64:
                    break;
                default:
                    keep = false;
                    break;
            }
            if (keep) {
                char buf[kRadixTextSize];
                ltoa(static_cast<long>(static_cast<int>(v)), buf, to);
                strupr(buf);
                out += buf;
            }
            i = j;
            continue;
        }
        if (c == ' ' && i > 0 && i + 1 < n && (is_op(text[i - 1]) || is_op(text[i + 1]))) {
            ++i;
            continue;
        }
        out += c;
        ++i;
    }
    if (out.empty()) {
        SetErrorCode(kErrRadixConversion);
        return std::nullopt;
    }
    return out;
}

void SolverProcessing(std::string& text) {
    if (g_ErrCode) return;
    static const std::string kSolve = "solve(";
    size_t at;
    while ((at = text.find(kSolve)) != std::string::npos) {
        // The first argument starts after the opening parenthesis and the blank that the input line puts
        // there; any other character already belongs to it.
        size_t a = at + kSolve.size();
        if (a < text.size() && text[a] == ' ') ++a;
        int depth = 0;
        size_t comma = std::string::npos;
        for (size_t i = a; i < text.size(); ++i) {
            if (text[i] == '(') ++depth;
            if (text[i] == ')') --depth;
            if (text[i] == ',' && depth == 0) {
                comma = i;
                break;
            }
        }
        if (comma == std::string::npos) {
            SetErrorCode(kErrSyntax);
            return;
        }
        depth = 0;
        size_t close = std::string::npos;
        for (size_t i = comma + 1; i < text.size(); ++i) {
            if (text[i] == '(') ++depth;
            if (text[i] == ')') {
                if (depth == 0) {
                    close = i;
                    break;
                }
                --depth;
            }
        }
        if (close == std::string::npos) {
            SetErrorCode(kErrSyntax);
            return;
        }
        std::string first = a <= comma ? text.substr(a, comma - a) : std::string();
        std::string second = text.substr(comma + 1, close - comma - 1);
        text = text.substr(0, at) + "inv(" + first + ")*(" + second + ")" + text.substr(close + 1);
    }
}
