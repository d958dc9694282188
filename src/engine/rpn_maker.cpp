#include "engine/rpn_maker.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/errors.h"
#include "engine/tables.h"

stack* Push(stack* head, const char* token) {
    auto* node = new stack;
    if (token != nullptr) {
        const size_t n = std::strlen(token);
        node->name = std::make_unique<char[]>(n + 1);
        std::memcpy(node->name.get(), token, n + 1);
    }
    node->next = head;
    return node;
}

stack* Pop(stack* head) {
    if (head == nullptr) return nullptr;
    stack* next = head->next;
    delete head;
    return next;
}

void FreeStack(stack* head) {
    while (head != nullptr) head = Pop(head);
}

namespace {

template <size_t N>
bool InList(std::string_view t, const std::string_view (&words)[N]) {
    for (std::string_view w : words)
        if (w.size() == t.size() && w[0] == t[0] && w == t) return true;
    return false;
}

bool IsBinaryOperator(std::string_view t) {
    static constexpr std::string_view kWords[] = {"+",   "-",    "*",   "/",   "^",    "and",
                                                  "or",  "nand", "nor", "xor", "root", "mod",
                                                  "shl", "shr",  "rtl", "rtr", "exp"};
    return InList(t, kWords);
}

bool IsPrefixFunction(std::string_view t) {
    static constexpr std::string_view kWords[] = {
        "sin",   "cos",   "tan",   "ctan",  "sqrt",  "asin", "acos",  "atan",  "actan", "lg",
        "ln",    "log",   "sec",   "csc",   "sech",  "csch", "ctanh", "acot",  "sinh",  "cosh",
        "tanh",  "asinh", "acosh", "atanh", "acoth", "asec", "acsc",  "asech", "acsch", "inv",
        "trans", "det",   "rank",  "eigl",  "eigv",  "diag", "orth",  "tri",   "abs"};
    return InList(t, kWords);
}

// The converter proper: false on a syntax fault.
bool Convert(const std::string& text, std::vector<std::string_view>& out) {
    std::vector<std::string_view> ops;
    bool afterOperator = false;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        const size_t end = std::min(text.find(' ', i), text.size());
        const std::string_view t(text.data() + i, end - i);
        i = end;
        if (IsBinaryOperator(t)) {
            if (afterOperator) return false;
            const int p = Priority(t);
            while (!ops.empty()) {
                const int q = Priority(ops.back());
                if (p > q || (p == q && t == "^")) break;
                out.push_back(ops.back());
                ops.pop_back();
            }
            ops.push_back(t);
            afterOperator = true;
        } else if (t == "(") {
            ops.push_back(t);
            out.push_back(t);
            afterOperator = false;
        } else if (t == ")") {
            while (!ops.empty() && ops.back() != "(") {
                out.push_back(ops.back());
                ops.pop_back();
            }
            if (ops.empty()) return false;
            ops.pop_back();
            out.push_back(t);
        } else if (IsPrefixFunction(t)) {
            ops.push_back(t);
            afterOperator = false;
        } else if (t == "%" || t == "!") {
            if (afterOperator) return false;
            out.push_back(t);
            afterOperator = false;
        } else {
            out.push_back(t);
            afterOperator = false;
        }
    }
    while (!ops.empty()) {
        out.push_back(ops.back());
        ops.pop_back();
    }
    return true;
}

}  // namespace

int RPNMaker(std::string& text) {
    if (GetErrorCode() != 0) return 0;
    std::vector<std::string_view> out;
    std::string result;
    if (Convert(text, out)) {
        for (std::string_view t : out) {
            result += t;
            result += ' ';
        }
        if (result.size() < static_cast<size_t>(kEngineTextSize)) {
            text.swap(result);
            return 1;
        }
    }
    SetErrorCode(-1);
    return 0;
}

int RPNMaker(char* text) {
    if (GetErrorCode() != 0) return 0;
    if (text == nullptr) return 0;
    const size_t n = strnlen(text, kEngineTextSize);
    if (n == static_cast<size_t>(kEngineTextSize)) {
        SetErrorCode(-1);
        return 0;
    }
    std::string s(text, n);
    if (!RPNMaker(s)) return 0;
    std::memcpy(text, s.c_str(), s.size() + 1);
    return 1;
}
