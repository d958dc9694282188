#include "engine/double_program.h"

#include <algorithm>
#include <cstring>
#include <numbers>
#include <string_view>

#include "engine/handler_support.h"
#include "engine/limits.h"
#include "engine/number_text.h"
#include "engine/tables.h"

namespace {

bool IsTwoOperandWord(std::string_view w) {
    static constexpr std::string_view kWords[] = {"+",   "*",    "/",   "^",   "exp",   "and",
                                                  "or",  "nand", "nor", "xor", "root",  "mod",
                                                  "shl", "shr",  "rtl", "rtr", "iroot", "iexp"};
    return std::find(std::begin(kWords), std::end(kWords), w) != std::end(kWords);
}

// One-operand words whose value-level form the program calls directly.
int (*ValueForm(std::string_view w))(COMPLEX&) {
    if (w == "sin") return SinValue;
    if (w == "cos") return CosValue;
    if (w == "tan") return TanValue;
    if (w == "sqrt") return SqrtValue;
    if (w == "ln") return LnValue;
    if (w == "log") return LogValue;
    return nullptr;
}

void SetLastItem(const char* name) {
    if (name == nullptr || std::strcmp(g_chrLastItem, name) == 0) return;
    std::memset(g_chrLastItem, 0, sizeof g_chrLastItem);
    std::strncpy(g_chrLastItem, name, sizeof g_chrLastItem - 1);
}

}  // namespace

void DoubleProgram::Fail(int code, long n) {
    Op op{Kind::kFail};
    op.code = code;
    op.count = n;
    op.lastItem = lastItem_;
    ops_.push_back(op);
}

bool DoubleProgram::AddOperand(long& n, const std::string& token, const std::string& variable) {
    if (n >= kValueStackSize) {
        Fail(-1, n);
        return false;
    }
    Op op{Kind::kConst};
    op.count = n;
    op.lastItem = lastItem_;
    double v;
    if (ParseNumberToken(token.c_str(), &v)) {
        if (v != v) {
            Fail(-7, n);
            return false;
        }
        op.value = {v, 0};
    } else if (!variable.empty() && token == variable) {
        op.kind = Kind::kVariable;
    } else if (token == "pi") {
        op.value = {std::numbers::pi, 0};
    } else if (token == "e") {
        op.value = {std::numbers::e, 0};
    } else if (token == "i") {
        op.value = {0, 1};
    } else {
        Fail(-1, n);
        return false;
    }
    ops_.push_back(op);
    ++n;
    return true;
}

bool DoubleProgram::AddHandler(const FUNCTION_TABLE* row, std::vector<long>& groups, long& n) {
    const long base = groups.empty() ? 0 : groups.back();
    const std::string_view w(row->name);
    Op op{Kind::kCall};
    op.count = n;
    op.base = base;
    op.handler = row->handler;
    op.lastItem = lastItem_;
    if (w == "-") {
        if (n - base < 1) {
            Fail(-1, n);
            return false;
        }
        if (n - base == 1) {
            op.kind = Kind::kNegate;
        } else {
            op.kind = Kind::kSub;
            --n;
        }
    } else if (IsTwoOperandWord(w)) {
        if (n - base < 2) {
            Fail(-1, n);
            return false;
        }
        if (w == "+") op.kind = Kind::kAdd;
        if (w == "*") op.kind = Kind::kMul;
        if (w == "/") op.kind = Kind::kDiv;
        if (w == "^") op.kind = Kind::kPow;
        --n;
    } else {
        if (n - base < 1) {
            Fail(-1, n);
            return false;
        }
        if ((op.unary = ValueForm(w)) != nullptr) op.kind = Kind::kUnaryValue;
    }
    ops_.push_back(op);
    return true;
}

void DoubleProgram::Compile(const std::string& rpn, const std::string& variable) {
    ops_.clear();
    lastItem_ = nullptr;
    // The lookups below would change g_chrLastItem; the runs set it as the token walk would.
    char saved[sizeof g_chrLastItem];
    std::memcpy(saved, g_chrLastItem, sizeof saved);
    std::vector<long> groups;
    long n = 0, depth = 0;
    bool open = true;
    size_t i = 0;
    while (open && i < rpn.size()) {
        if (rpn[i] == ' ') {
            ++i;
            continue;
        }
        const size_t end = std::min(rpn.find(' ', i), rpn.size());
        const std::string token = rpn.substr(i, end - i);
        i = end;
        if (const FUNCTION_TABLE* row = GetHandler(token.c_str())) {
            lastItem_ = row->name;
            open = AddHandler(row, groups, n);
        } else if (token == "(") {
            if (groups.size() >= static_cast<size_t>(kValueStackSize)) {
                Fail(-1, n);
                open = false;
            } else {
                groups.push_back(n);
            }
        } else if (token == ")") {
            if (groups.empty()) {
                Fail(-1, n);
                open = false;
            } else {
                groups.pop_back();
            }
        } else {
            open = AddOperand(n, token, variable);
        }
        depth = std::max(depth, n);
    }
    if (open && n == 0) Fail(-1, n);
    std::memcpy(g_chrLastItem, saved, sizeof saved);
    stack_.assign(static_cast<size_t>(depth) + 1, COMPLEX{0, 0});
}

COMPLEX DoubleProgram::Stop(const Op& op, int code) {
    if (code != 0) SetErrorCode(code);
    SetLastItem(op.lastItem);
    return {0, 0};
}

COMPLEX DoubleProgram::Run(double x, bool& ok) {
    COMPLEX* s = stack_.data();
    for (const Op& op : ops_) {
        COMPLEX* top = s + op.count;  // one past the top value
        switch (op.kind) {
            case Kind::kConst:
                *top = op.value;
                break;
            case Kind::kVariable:
                if (x != x) return Stop(op, -7);
                *top = {x, 0};
                break;
            case Kind::kAdd:
                top[-2] = complex_add(top[-2], top[-1]);
                break;
            case Kind::kSub:
                top[-2] = complex_sub(top[-2], top[-1]);
                break;
            case Kind::kNegate:
                top[-1] = complex_sub({0, 0}, top[-1]);
                break;
            case Kind::kMul:
                top[-2] = complex_mul(top[-2], top[-1]);
                break;
            case Kind::kDiv:
                if (top[-1].re == 0 && top[-1].im == 0) return Stop(op, -5);
                top[-2] = complex_div(top[-2], top[-1]);
                break;
            case Kind::kPow:
                if (const int err = PowValue(top[-2], top[-1])) return Stop(op, err);
                break;
            case Kind::kUnaryValue:
                if (const int err = op.unary(top[-1])) return Stop(op, err);
                break;
            case Kind::kCall: {
                long n = op.count;
                op.handler(s, n, op.base);
                if (GetErrorCode() != 0) return Stop(op, 0);
                break;
            }
            case Kind::kFail:
                return Stop(op, op.code);
        }
    }
    SetLastItem(lastItem_);
    ok = true;
    return s[0];
}
