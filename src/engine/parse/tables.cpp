#include "engine/parse/tables.h"

#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

char g_chrLastItem[kLastItemSize];

const FUNCTION_TABLE lpFunctionTable[kFunctionTableSize] = {
    {"%", Percent},   {"+", Add},       {"*", Mul},       {"-", Sub},       {"/", Div},
    {"sin", Sin},     {"asin", ASin},   {"acos", ACos},   {"cos", Cos},     {"tan", Tan},
    {"atan", ATan},   {"ctan", CTan},   {"acot", ACot},   {"sqrt", Sqrt},   {"ln", Ln},
    {"log", Log},     {"!", Factorial}, {"^", Pow},       {"exp", iexp},    {"and", ANDF},
    {"or", ORF},      {"nand", NANDF},  {"nor", NORF},    {"xor", XORF},    {"sinh", Sinh},
    {"asinh", ASinh}, {"acosh", ACosh}, {"atanh", ATanh}, {"acoth", ACoth}, {"cosh", Cosh},
    {"tanh", Tanh},   {"ctanh", Ctanh}, {"sec", Sec},     {"csc", Csec},    {"sech", Sech},
    {"csch", Csech},  {"asec", ASec},   {"acsc", ACsec},  {"asech", ASech}, {"acsch", ACsech},
    {"root", Root},   {"mod", mod},     {"shl", shl},     {"shr", shr},     {"rtl", rtl},
    {"rtr", rtr},     {"not", Not},     {"cpl", cpl},     {"iroot", iroot}, {"iexp", iexp},
    {"abs", Abs},
};

const FUNCTION_TABLE_EX lpFunctionTableEx[kFunctionTableExSize] = {
    {"ncr", nCrEx},     {"npr", nPrEx},     {"RAN", RANEx},     {"MOD", MODEx},     {"LCM", LCMEx},
    {"GCD", GCDEx},     {"sin", SinEx},     {"sinh", SinhEx},   {"asin", ASinEx},   {"asinh", ASinhEx},
    {"cos", CosEx},     {"cosh", CoshEx},   {"acos", ACosEx},   {"acosh", ACoshEx}, {"tan", TanEx},
    {"tanh", TanhEx},   {"atan", ATanEx},   {"atanh", ATanhEx}, {"sec", SecEx},     {"asec", ASecEx},
    {"sech", SechEx},   {"asech", ASechEx}, {"csc", CSecEx},    {"acsc", ACscEx},   {"csch", CSechEx},
    {"acsch", ACschEx}, {"+", AddEx},       {"-", SubEx},       {"*", MulEx},       {"/", DivEx},
    {"log", LogEx},     {"ln", LnEx},       {"^", PowEx},       {"root", rootEx},   {"iroot", irootEx},
    {"exp", expEx},     {"sqrt", SqrtEx},   {"!", FactorialEx}, {"%", PercentEx},   {"mod", modEx},
    {"shl", shlEx},     {"shr", shrEx},     {"rtl", rtlEx},     {"rtr", rtrEx},     {"not", notEx},
    {"cpl", cplEx},     {"and", ANDFEx},    {"or", ORFEx},      {"nand", NANDFEx},  {"nor", NORFEx},
    {"xor", XORFEx},    {"iexp", iexpEx},   {"abs", AbsEx},
};

const char* const lpszFunction[kFunctionWordCount] = {
    "SQRT", "SIN",   "COS",   "TAN",  "LOG",   "LN",    "CTAN",  "ASIN",  "ACOS",  "ATAN",
    "AND",  "NAND",  "OR",    "NOR",  "XOR",   "EXP",   "SINH",  "COSH",  "TANH",  "CTANH",
    "SEC",  "CSC",   "SECH",  "CSCH", "ACOT",  "ASINH", "ACOSH", "ATANH", "ACOTH", "ASEC",
    "ACSC", "ASECH", "ACSCH", "INV",  "TRANS", "DET",   "ROOT",  "RANK",  "EIGL",  "EIGV",
    "DIAG", "ORTH",  "TRI",   "MOD",  "SHL",   "SHR",   "RTL",   "RTR",   "ABS",
};

const char* const g_regname[kRegisterNameCount] = {
    "VVV", "VRE", "VA", "VB", "VC", "VD", "VE", "VF", "VG", "VH", "VI", "VJ", "VK", "V",    "VM",
    "VN",  "VO",  "VP", "VQ", "VR", "VS", "VT", "VU", "VV", "VX", "VY", "VZ", "VW", "VLRE", "LIST",
};

const char* const fnName[kFunctionCallNameCount] = {
    "RT",  "fnInt", "fnDeriv",   "fnEval",     "gcd",         "fnRoot",   "lcm",    "module", "fib",
    "ran", "fnSum", "fnProduct", "sum",        "ssq",         "NPV",      "avg",    "sdv",    "ssd",
    "min", "max",   "avd",       "median",     "md",          "dsq",      "gm",     "ncr",    "npr",
    "db",  "syd",   "sln",       "pv",         "nper",        "rate",     "pmt",    "fv",     "not",
    "cpl", "N",     "IRR",       "PoissonPDF", "BinomialPDF", "GammaPDF", "GeoPDF", "RayPDF", "GausPDF",
};

namespace {

constexpr int kSumIndex = 12;

// Which first characters occur in a table: operands (numbers, names) are turned away at once.
template <typename Row, int N>
bool MayHold(const Row (&table)[N], char first) {
    static const auto starts = [&table] {
        std::array<bool, 256> s{};
        for (const Row& row : table) s[static_cast<unsigned char>(row.name[0])] = true;
        return s;
    }();
    return starts[static_cast<unsigned char>(first)];
}

template <typename Row, int N>
const Row* FindRow(const Row (&table)[N], const char* word) {
    if (word == nullptr || !MayHold(table, word[0])) return nullptr;
    for (const Row& row : table) {
        // The first character settles almost every row without a call.
        if (row.name[0] == word[0] && std::strcmp(row.name, word) == 0) {
            std::memset(g_chrLastItem, 0, sizeof g_chrLastItem);
            std::strncpy(g_chrLastItem, row.name, sizeof g_chrLastItem - 1);
            return &row;
        }
    }
    return nullptr;
}

bool IsOneOf(std::string_view t, std::initializer_list<std::string_view> words) {
    for (std::string_view w : words)
        if (w.size() == t.size() && w[0] == t[0] && w == t) return true;
    return false;
}

// First occurrence of name in text at or after from, or npos.
size_t Occurrence(std::string_view text, std::string_view name, size_t from) {
    return from > text.size() ? std::string_view::npos : text.find(name, from);
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// The name at [pos, pos + length) continues a word: a letter (or '_') before it, or a letter or digit
// after it. ('_' after a name is left to the rule for subscripted names.)
bool InsideWord(std::string_view t, size_t pos, size_t length) {
    if (pos > 0 && (IsLetter(t[pos - 1]) || t[pos - 1] == '_')) return true;
    const size_t end = pos + length;
    return end < t.size() && (IsLetter(t[end]) || (t[end] >= '0' && t[end] <= '9'));
}

// The name tables as views, measured once: the searches below run for every call a text holds.
template <size_t N>
struct Views {
    std::string_view v[N];
    explicit Views(const char* const (&names)[N]) {
        for (size_t i = 0; i < N; ++i) v[i] = names[i];
    }
};

const Views<kRegisterNameCount>& RegisterNames() {
    static const Views<kRegisterNameCount> views(g_regname);
    return views;
}

const Views<kFunctionCallNameCount>& CallNames() {
    static const Views<kFunctionCallNameCount> views(fnName);
    return views;
}

}  // namespace

const FUNCTION_TABLE* GetHandler(const char* word) {
    return FindRow(lpFunctionTable, word);
}

const FUNCTION_TABLE_EX* GetHandlerEx(const char* word) {
    return FindRow(lpFunctionTableEx, word);
}

int Priority(const char* token) {
    if (token == nullptr) return 8;
    return Priority(std::string_view(token));
}

int Priority(std::string_view t) {
    if (t.empty()) return 8;
    if (t == "(" || t == ")") return 0;
    if (IsOneOf(t, {"and", "or", "nand", "nor", "xor", "abs"})) return 1;
    if (t == "+" || t == "-") return 2;
    if (IsOneOf(t, {"mod", "shl", "shr", "rtl", "rtr"})) return 3;
    if (t == "*" || t == "/") return 4;
    if (IsOneOf(t, {"^", "root", "!", "%"})) return 5;
    if (t == "exp") return 6;
    if (IsOneOf(t, {"sin",   "cos",   "tan",   "ctan",  "sqrt",  "asin", "acos",  "atan",  "actan", "lg",
                    "ln",    "log",   "sec",   "csc",   "sech",  "csch", "ctanh", "acot",  "sinh",  "cosh",
                    "tanh",  "asinh", "acosh", "atanh", "acoth", "asec", "acsc",  "asech", "acsch", "inv",
                    "trans", "det",   "rank",  "eigl",  "eigv",  "diag", "orth",  "tri"}))
        return 7;
    return 8;
}

int FindReg(const char* token) {
    if (token == nullptr) return -1;
    // Every name starts with V or L and has at most four letters.
    const char first = token[0] & ~0x20;
    if (first != 'V' && first != 'L') return -1;
    char upper[8] = {};
    const size_t n = strnlen(token, sizeof upper);
    if (n >= sizeof upper) return -1;
    for (size_t i = 0; i < n; ++i)
        upper[i] = (token[i] >= 'a' && token[i] <= 'z') ? token[i] - 'a' + 'A' : token[i];
    for (int i = 0; i < kRegisterNameCount; ++i)
        if (std::strcmp(upper, g_regname[i]) == 0) return i;
    return -1;
}

int FindReg(const char* text, int& offset) {
    if (text == nullptr || offset < 0) return -1;
    const std::string_view t(text);
    for (int i = 0; i < kRegisterNameCount; ++i) {
        const size_t at = Occurrence(t, RegisterNames().v[i], static_cast<size_t>(offset));
        if (at != std::string_view::npos) {
            offset = static_cast<int>(at);
            return i;
        }
    }
    return -1;
}

int FindFunction(const char* text, int& offset) {
    if (text == nullptr || offset < 0) return -1;
    const std::string_view t(text);
    const size_t start = static_cast<size_t>(offset);
    if (start > t.size()) return -1;
    // One pass over the text finds each name's first occurrence (names grouped by their first letter);
    // then the names are taken in table order, as a search name by name would take them.
    struct ByLetter {
        std::vector<int> names[256];
        ByLetter() {
            for (int i = 0; i < kFunctionCallNameCount; ++i)
                names[static_cast<unsigned char>(fnName[i][0])].push_back(i);
        }
    };
    static const ByLetter byLetter;
    const auto& views = CallNames().v;
    size_t first[kFunctionCallNameCount];
    for (size_t& f : first) f = std::string_view::npos;
    for (size_t pos = start; pos < t.size(); ++pos) {
        for (int i : byLetter.names[static_cast<unsigned char>(t[pos])]) {
            if (first[i] != std::string_view::npos || t.compare(pos, views[i].size(), views[i]) != 0)
                continue;
            // "sum_" further on is a subscripted name, not the statistics call: look past it.
            if (i == kSumIndex && pos != start && pos + 3 < t.size() && t[pos + 3] == '_') continue;
            // A name inside a longer word is no call: N in SIN or LN, the N of NAND.
            if (InsideWord(t, pos, views[i].size())) continue;
            first[i] = pos;
        }
    }
    for (int i = 0; i < kFunctionCallNameCount; ++i) {
        const size_t at = first[i];
        if (at == std::string_view::npos) continue;
        if (at > 0 && t[at - 1] == '\\') continue;  // a TeX command such as \sum
        offset = static_cast<int>(at);
        return i;
    }
    return -1;
}

bool IsFunctionWord(const char* word) {
    for (const char* w : lpszFunction)
        if (w[0] == word[0] && std::strcmp(w, word) == 0) return true;
    return false;
}
