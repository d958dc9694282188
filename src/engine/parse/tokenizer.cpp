#include "engine/parse/tokenizer.h"

#include <cstdint>
#include <cstring>
#include <string_view>

#include "engine/parse/tables.h"
#include "numeric/errors.h"
#include "numeric/radix.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsOperatorChar(char c) {
    return std::strchr("()+-*/^!%", c) != nullptr && c != '\0';
}

void ToUpper(std::string& s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}
void ToLower(std::string& s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

// The last meaningful character must end an operand: trailing blanks and closing marks are passed over.
bool EndsInOperand(const std::string& text) {
    size_t i = text.size();
    while (i > 0 && std::strchr(" )!%]", text[i - 1]) != nullptr) --i;
    if (i == 0) return false;
    return IsLetter(text[i - 1]) || IsDigit(text[i - 1]);
}

bool IsNumberLike(std::string_view token) {
    for (char c : token)
        if (!IsDigit(c) && c != '.' && c != 'E' && c != 'P' && c != 'I') return false;
    return true;
}

bool IsRadixDigits(std::string_view token, int radix) {
    for (char c : token) {
        const bool ok = radix == 2   ? (c == '0' || c == '1')
                        : radix == 8 ? (c >= '0' && c <= '7')
                                     : (IsDigit(c) || (c >= 'A' && c <= 'F'));
        if (!ok) return false;
    }
    return true;
}

bool IsName(const std::string& token, const std::string& variable, bool hasVariable) {
    return IsFunctionWord(token.c_str()) || FindReg(token.c_str()) >= 0 || (hasVariable && token == variable);
}

class Tokenizer {
  public:
    Tokenizer(const std::string& text, int radix, const char* variable)
        : text_(text), radix_(radix), hasVariable_(variable != nullptr) {
        if (hasVariable_) {
            variable_ = variable;
            ToUpper(variable_);
        }
    }

    // Builds the engine text (with a trailing blank) into out; false on a fault.
    bool Run(std::string& out) {
        size_t i = 0;
        while (i < text_.size()) {
            const char c = text_[i];
            if (IsLetter(c) || IsDigit(c)) {
                if (!Token(i, out)) return false;
            } else if (IsOperatorChar(c)) {
                out += c;
                out += ' ';
                ++i;
            } else if (radix_ != 10 || c == '[' || c == ']' || c == '.' || c == ' ') {
                ++i;
            } else {
                return false;
            }
            if (out.size() > static_cast<size_t>(kEngineTextSize)) return false;
        }
        return true;
    }

  private:
    bool Token(size_t& i, std::string& out) {
        const size_t start = i;
        while (i < text_.size() &&
               (IsLetter(text_[i]) || IsDigit(text_[i]) || (radix_ == 10 && text_[i] == '.')))
            ++i;
        const std::string token = text_.substr(start, i - start);
        if (token.size() >= static_cast<size_t>(kEngineTextSize)) return false;
        if (radix_ == 10 && IsNumberLike(token)) {
            out += token;
        } else if (radix_ != 10 && IsRadixDigits(token, radix_)) {
            const auto value = static_cast<std::int32_t>(NumberConverter(token.c_str(), radix_));
            out += std::to_string(value);
        } else if (IsName(token, variable_, hasVariable_)) {
            out += token;
        } else {
            return false;
        }
        out += ' ';
        return true;
    }

    const std::string& text_;
    const int radix_;
    const bool hasVariable_;
    std::string variable_;
};

}  // namespace

int ExpressionParser(std::string& text, int radix, const char* variable) {
    if (GetErrorCode() != 0) return 0;
    if (text.size() >= static_cast<size_t>(kEngineTextSize)) return 0;
    if (!EndsInOperand(text)) return 0;
    if (text.find("--") != std::string::npos) return 0;
    ToUpper(text);
    if (radix != 2 && radix != 8 && radix != 10 && radix != 16) return 1;

    std::string out;
    out.reserve(text.size() * 2 + 2);
    if (!Tokenizer(text, radix, variable).Run(out)) return 0;
    if (!out.empty()) out.pop_back();  // the blank after the last token
    if (out.size() >= static_cast<size_t>(kEngineTextSize)) return 0;
    ToLower(out);
    text.swap(out);

    size_t open = 0, close = 0;
    for (char c : text) {
        open += c == '(';
        close += c == ')';
    }
    return open == close ? 1 : 0;
}

int ExpressionParser(char* text, int radix, const char* variable) {
    if (text == nullptr) return 0;
    const size_t n = strnlen(text, kEngineTextSize);
    if (n == static_cast<size_t>(kEngineTextSize)) return 0;
    std::string s(text, n);
    const int ok = ExpressionParser(s, radix, variable);
    // s fits: a success leaves at most kEngineTextSize - 1 characters, a fault keeps the length.
    std::memcpy(text, s.c_str(), s.size() + 1);
    return ok;
}
