#include "engine/parse/rpn_maker.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/parse/tables.h"
#include "numeric/errors.h"

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

enum class Kind { kOperand, kBinary, kPrefix, kPostfix, kOpen, kClose };

// Kind and binding strength of a token, looked up in one table built from the word lists.
struct WordInfo {
    Kind kind;
    int priority;
};

WordInfo Classify(std::string_view t) {
    static const auto* table = [] {
        auto* m = new std::unordered_map<std::string_view, WordInfo>;
        for (std::string_view w : {"+", "-", "*", "/", "^", "and", "or", "nand", "nor", "xor", "root", "mod",
                                   "shl", "shr", "rtl", "rtr", "exp"})
            (*m)[w] = {Kind::kBinary, Priority(w)};
        for (std::string_view w :
             {"sin",   "cos",   "tan",   "ctan",  "sqrt",  "asin", "acos",  "atan",  "actan", "lg",
              "ln",    "log",   "sec",   "csc",   "sech",  "csch", "ctanh", "acot",  "sinh",  "cosh",
              "tanh",  "asinh", "acosh", "atanh", "acoth", "asec", "acsc",  "asech", "acsch", "inv",
              "trans", "det",   "rank",  "eigl",  "eigv",  "diag", "orth",  "tri",   "abs"})
            (*m)[w] = {Kind::kPrefix, Priority(w)};
        (*m)["%"] = {Kind::kPostfix, Priority("%")};
        (*m)["!"] = {Kind::kPostfix, Priority("!")};
        (*m)["("] = {Kind::kOpen, 0};
        (*m)[")"] = {Kind::kClose, 0};
        return m;
    }();
    auto it = table->find(t);
    return it == table->end() ? WordInfo{Kind::kOperand, 8} : it->second;
}

// The converter proper: false on a syntax fault. The operator stack keeps each word's priority.
bool Convert(const std::string& text, std::vector<std::string_view>& out) {
    std::vector<std::pair<std::string_view, int>> ops;
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
        const WordInfo w = Classify(t);
        switch (w.kind) {
            case Kind::kBinary:
                if (afterOperator) return false;
                while (!ops.empty()) {
                    const int q = ops.back().second;
                    if (w.priority > q || (w.priority == q && t == "^")) break;
                    out.push_back(ops.back().first);
                    ops.pop_back();
                }
                ops.emplace_back(t, w.priority);
                afterOperator = true;
                break;
            case Kind::kOpen:
                ops.emplace_back(t, 0);
                out.push_back(t);
                afterOperator = false;
                break;
            case Kind::kClose:
                while (!ops.empty() && ops.back().first != "(") {
                    out.push_back(ops.back().first);
                    ops.pop_back();
                }
                if (ops.empty()) return false;
                ops.pop_back();
                out.push_back(t);
                break;
            case Kind::kPrefix:
                ops.emplace_back(t, w.priority);
                afterOperator = false;
                break;
            case Kind::kPostfix:
                if (afterOperator) return false;
                out.push_back(t);
                afterOperator = false;
                break;
            default:
                out.push_back(t);
                afterOperator = false;
                break;
        }
    }
    while (!ops.empty()) {
        out.push_back(ops.back().first);
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
    SetErrorCode(kErrSyntax);
    return 0;
}

int RPNMaker(char* text) {
    if (GetErrorCode() != 0) return 0;
    if (text == nullptr) return 0;
    const size_t n = strnlen(text, kEngineTextSize);
    if (n == static_cast<size_t>(kEngineTextSize)) {
        SetErrorCode(kErrSyntax);
        return 0;
    }
    std::string s(text, n);
    if (!RPNMaker(s)) return 0;
    std::memcpy(text, s.c_str(), s.size() + 1);
    return 1;
}
