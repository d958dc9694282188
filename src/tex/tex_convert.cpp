#include "tex/tex_convert.h"

#include <cstdio>
#include <cstring>
#include <string_view>

#include "engine/entry/text_tools.h"
#include "engine/matrix/registers.h"
#include "engine/parse/tables.h"
#include "tex/tex_render.h"

const char* const kTexOverlength = "\\text{Overlength!}";
const char* const kTexEmptyText = "Empty String!";

namespace {

bool Fits(const std::string& text) {
    return text.size() < kTexTextSize;
}

std::string Cat(std::initializer_list<std::string_view> parts) {
    size_t n = 0;
    for (std::string_view p : parts) n += p.size();
    std::string out;
    out.reserve(n);
    for (std::string_view p : parts) out.append(p);
    return out;
}

int CharPriority(char c) {
    const char token[2] = {c, '\0'};
    return Priority(token);
}

// Start of the operand left of the operator at op.
size_t LeftOperandStart(const std::string& t, size_t op, int p) {
    int depth = 0;
    size_t j = op;
    for (; j > 0; --j) {
        const char c = t[j - 1];
        if (c == ')') {
            ++depth;
        } else if (c == '(') {
            if (depth == 0) break;
            --depth;
        } else if (c == ',') {
            if (depth == 0) break;
        } else if (depth == 0 && p >= CharPriority(c)) {
            break;
        }
    }
    return j;
}

// End (exclusive) of the operand right of the operator at op. A sign as its first character is part of it
// (2^-3 is 2 to the -3).
size_t RightOperandEnd(const std::string& t, size_t op, int p) {
    int depth = 0;
    size_t j = op + 1;
    if (j < t.size() && (t[j] == '-' || t[j] == '+')) ++j;
    for (; j < t.size(); ++j) {
        const char c = t[j];
        if (c == '(') {
            ++depth;
        } else if (c == ')') {
            if (depth == 0) break;
            --depth;
        } else if (c == ',') {
            if (depth == 0) break;
        } else if (depth == 0 && CharPriority(c) <= p) {
            break;
        }
    }
    return j;
}

bool Division(std::string& t);
bool Power(std::string& t);

// Rewrites each occurrence of op with its operands by make(left, right), the operands converted first.
template <typename ConvertLeft, typename ConvertRight, typename Make>
bool RewriteOperator(std::string& t, char op, int p, ConvertLeft left, ConvertRight right, Make make) {
    size_t i = 0;
    while ((i = t.find(op, i)) != std::string::npos) {
        const size_t l = LeftOperandStart(t, i, p), r = RightOperandEnd(t, i, p);
        std::string a = t.substr(l, i - l), b = t.substr(i + 1, r - i - 1);
        if (!left(a) || !right(b)) return false;
        const std::string markup = make(a, b);
        t.replace(l, r - l, markup);
        if (!Fits(t)) return false;
        i = l + markup.size();
    }
    return true;
}

bool Division(std::string& t) {
    return RewriteOperator(t, '/', 4, Division, Division, [](const std::string& a, const std::string& b) {
        return Cat({"\\frac{", a, "}{", b, "}"});
    });
}

bool Power(std::string& t) {
    return RewriteOperator(t, '^', 5, Power, Division, [](const std::string& a, const std::string& b) {
        return Cat({"{", a, "}^{", b, "}"});
    });
}

// Leftmost call at or after from: a name of fnName (tested in table order at each place) not preceded by a
// backslash and directly followed by "(". Returns its index and sets at, or -1.
int FindCall(const std::string& t, size_t from, size_t& at) {
    for (size_t p = from; p < t.size(); ++p) {
        if (p > 0 && t[p - 1] == '\\') continue;
        for (int i = 0; i < kFunctionCallNameCount; ++i) {
            const size_t n = std::strlen(fnName[i]);
            if (t.compare(p, n, fnName[i]) == 0 && p + n < t.size() && t[p + n] == '(') {
                at = p;
                return i;
            }
        }
    }
    return -1;
}

const char* Placeholder(std::string_view name) {
    static const struct {
        const char* name;
        const char* tex;
    } kPlaceholders[] = {
        {"RT", "\\sqrt[\\left(?\\right)]{\\left(?\\right)}"},
        {"fnInt", "\\int\\left(?\\right)"},
        {"fnDeriv", "\\left(?\\right)^{'}"},
        {"fnEval", "\\left(?\\right)"},
        {"fnRoot", "\\left(?\\right)"},
        {"gcd", "gcd\\left(?\\right)"},
        {"lcm", "lcm\\left(?\\right)"},
        {"fib", "fib\\left(?\\right)"},
        {"ran", "ran\\left(?\\right)"},
        {"fnSum", "\\sum\\left(?\\right)"},
        {"fnProduct", "\\prod\\left(?\\right)"},
        {"ncr", "C\\left(?\\right)"},
        {"npr", "P\\left(?\\right)"},
    };
    for (const auto& p : kPlaceholders)
        if (name == p.name) return p.tex;
    return "";
}

bool Calls(std::string& t) {
    size_t pos = 0, at = 0;
    int function = 0;
    while ((function = FindCall(t, pos, at)) >= 0) {
        const size_t open = at + std::strlen(fnName[function]);
        int end = static_cast<int>(open);
        std::string arguments, markup;
        if (!GetFunctionString(t, arguments, end)) {
            const char* placeholder = Placeholder(fnName[function]);
            t.replace(at, std::string::npos, placeholder);
            if (!Fits(t)) return false;
            break;  // the placeholder took the rest of the text
        }
        const int made = FunctionNameProcessing(function, arguments, markup);
        if (made < 0) return false;
        if (made == 0) {
            pos = open;  // calls inside its arguments still count
            continue;
        }
        t.replace(at, static_cast<size_t>(end) - at, markup);
        if (!Fits(t)) return false;
        pos = at + markup.size();
    }
    return true;
}

bool Registers(std::string& t) {
    for (int i = 0; i < kRegisterNameCount; ++i) {
        // The token is the name in brackets, so "[V]" and "[VM]" or "[VLRE]" are told apart by their
        // own lengths.
        const std::string token = Cat({"[", g_regname[i], "]"});
        if (t.find(token) == std::string::npos) continue;
        std::string value;
        RegNameProcessing(i, value);
        if (!StrReplace(t, token, value, kTexTextSize)) return false;
    }
    return true;
}

bool Mime(std::string& t) {
    return Division(t) && Calls(t) && Registers(t);
}

// Splits an argument list at its top-level commas; empty arguments are kept as empty texts.
std::vector<std::string> Arguments(const std::string& list) {
    std::vector<std::string> out;
    int pos = 0;
    const int size = static_cast<int>(list.size());
    while (pos <= size) {
        std::string a;
        if (GetParam(list, a, pos)) {
            out.push_back(a);
            continue;
        }
        out.emplace_back();
        if (pos >= size || list[static_cast<size_t>(pos)] != ',') break;
        ++pos;
    }
    return out;
}

std::string Trimmed(double v) {
    const int n = std::snprintf(nullptr, 0, "%.4lf", v);
    std::string s(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) std::snprintf(s.data(), s.size() + 1, "%.4lf", v);
    if (s.find('.') == std::string::npos) return s;
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s;
}

std::string ScalarText(const REG& r) {
    double re = 0, im = 0;
    qtoe(r.re, &re);
    if (r.type != REG_COMPLEX) return Trimmed(re);
    qtoe(r.im, &im);
    const std::string real = Trimmed(re), imag = Trimmed(im);
    if (imag == "0" || imag == "-0") return real;
    if (real == "0" || real == "-0") return Cat({imag, "i"});
    // In parentheses, so that 2*[VA] keeps reading as a product with the whole value.
    return Cat({"(", real, imag[0] == '-' ? "" : "+", imag, "i)"});
}

// The TeX form of a calculus, root or combinatorics call from its arguments (converted where the form wants).
std::string CallForm(std::string_view name, const std::vector<std::string>& a) {
    if (name == "RT") return Cat({"\\sqrt", a[0] == "2" ? "{" : Cat({"[", a[0], "]{"}), a[1], "}"});
    if (name == "fnInt")
        return Cat({"\\int_{", a[2], "}^{", a[3], "}{\\left(", a[0], "\\right)}\\hspace1d", a[1]});
    if (name == "fnDeriv") return Cat({"\\left(", a[0], "\\right)^{'}_{", a[1], "=", a[2], "}"});
    if (name == "fnEval") return Cat({"\\left(", a[0], "\\right)_{", a[1], "=", a[2], "}"});
    if (name == "fnRoot") return Cat({"\\left(", a[0], "=0\\right)_{", a[2], "<=", a[1], "<=", a[3], "}"});
    if (name == "fnSum" || name == "fnProduct") {
        const std::string step = a.size() > 4 && !a[4].empty() ? Cat({",\\Delta=", a[4]}) : "";
        return Cat({"\\displaystyle", name == "fnSum" ? "\\sum_{" : "\\prod_{", a[1], "=", a[2], step, "}^{",
                    a[3], "}{\\left(", a[0], "\\right)}"});
    }
    // The lower index in braces, so that ncr(20,10) keeps both digits below.
    if (name == "ncr" || name == "npr") return Cat({name == "ncr" ? "C^{" : "P^{", a[0], "}_{", a[1], "}"});
    return {};
}

const char* StatisticsForm(std::string_view name) {
    static const struct {
        const char* name;
        const char* tex;
    } kForms[] = {
        {"sum", "\\displaystyle\\sum_{n=1}^{N}{X[n]}"},
        {"ssq", "\\displaystyle\\sum_{n=1}^{N}{X[n]^2}"},
        {"avg", "\\displaystyle\\frac{\\sum_{n=1}^{N}{X[n]}}{N}"},
        {"sdv",
         "\\displaystyle\\sqrt{\\frac{n*\\sum_{n=1}^{N}{X[n]^2}-\\left(\\sum_{n=1}^{N}{X[n]}\\right)^2}{n^2}"
         "}"},
        {"ssd",
         "\\displaystyle\\sqrt{\\frac{n*\\sum_{n=1}^{N}{X[n]^2}-\\left(\\sum_{n=1}^{N}{X[n]}\\right)^2}{n*(n-"
         "1)}}"},
        {"avd", "\\displaystyle\\frac{\\sum_{n=1}^{N}{\\left|X[n]-\\bar X\\right|}}{n}"},
        {"dsq", "\\displaystyle\\sum_{n=1}^{N}{\\left(X[n]-\\bar X\\right)^2}"},
        {"gm", "\\displaystyle\\sqrt[n]{\\prod_{n=1}^{N}{X[n]}}"},
    };
    for (const auto& f : kForms)
        if (name == f.name) return f.tex;
    return nullptr;
}

struct CallShape {
    const char* name;
    int required;
    unsigned raw;  // bit i: argument i is used as typed
};

const CallShape* ShapeOf(std::string_view name) {
    static const CallShape kShapes[] = {
        {"RT", 2, 0},    {"fnInt", 4, 2},     {"fnDeriv", 3, 2}, {"fnEval", 3, 2}, {"fnRoot", 4, 2},
        {"fnSum", 4, 2}, {"fnProduct", 4, 2}, {"ncr", 2, 0},     {"npr", 2, 0},
    };
    for (const CallShape& s : kShapes)
        if (name == s.name) return &s;
    return nullptr;
}

}  // namespace

bool DevisionProcessing(std::string& text) {
    if (Fits(text) && Division(text)) return true;
    text = kTexOverlength;
    return false;
}

bool PowerProcessing(std::string& text) {
    if (Fits(text) && Power(text)) return true;
    text = kTexOverlength;
    return false;
}

bool BraceProcessing(std::string& text) {
    std::string out;
    out.reserve(text.size() + 64);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        // Each rewrite leaves the following character after a blank or a ")", never after a "t", so one
        // pass over the original predecessors gives what rescanning from the start would.
        const bool afterT = i > 0 && text[i - 1] == 't';
        if (c == '(' && !afterT) {
            out += "\\left( ";
        } else if (c == ')' && !afterT) {
            out += " \\right)";
        } else {
            out += c;
        }
        if (!Fits(out)) {
            text = kTexOverlength;
            return false;
        }
    }
    text = std::move(out);
    return true;
}

bool MimeTexProcessing(std::string& text) {
    if (Fits(text) && Mime(text)) return true;
    text = kTexOverlength;
    return false;
}

int FunctionNameProcessing(int function, const std::string& arguments, std::string& tex) {
    if (function < 0 || function >= kFunctionCallNameCount) return 0;
    const std::string_view name = fnName[function];
    if (const char* form = StatisticsForm(name)) {
        tex = form;
        return 1;
    }
    const CallShape* shape = ShapeOf(name);
    if (shape == nullptr) return 0;
    std::vector<std::string> args = Arguments(arguments);
    if (static_cast<int>(args.size()) < shape->required) return 0;
    for (int i = 0; i < static_cast<int>(args.size()); ++i) {
        if (shape->raw >> i & 1) continue;
        if (!Mime(args[i])) return -1;
    }
    std::string form = CallForm(name, args);
    if (!Fits(form)) return -1;
    tex = std::move(form);
    return 1;
}

bool RegNameProcessing(int index, std::string& out) {
    if (index < 0 || index >= kRegisterCount) return false;
    const REG& r = g_reg[index];
    if (r.type != REG_MATRIX) {
        out = ScalarText(r);
        return true;
    }
    out = "\\left[\\begin{matrix} ";
    for (int i = 0; i < r.rows; ++i) {
        for (int j = 0; j < r.cols; ++j) {
            out += Trimmed(r.at(i, j));
            out += j + 1 < r.cols ? " & " : " \\\\ ";
        }
    }
    out += "\\end{matrix}\\right]";
    return true;
}

std::string ExpressionToTex(const std::string& engineText, const std::string& sizeCommand) {
    std::string text = engineText.empty() ? kTexEmptyText : engineText;
    if (PowerProcessing(text)) MimeTexProcessing(text);
    std::string markup = Cat({sizeCommand, " ", text});
    if (!BraceProcessing(markup)) markup = Cat({sizeCommand, " ", kTexOverlength});
    return markup;
}

bool CreateGifFromEq(const std::string& markup, int& width, int& height, std::vector<std::uint8_t>& pixels) {
    tex::GreyBitmap bitmap = tex::RenderTex(markup);
    if (bitmap.empty()) {
        width = height = 0;
        pixels.clear();
        return false;
    }
    width = bitmap.width;
    height = bitmap.height;
    pixels = std::move(bitmap.pixels);
    return true;
}
