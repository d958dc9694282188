// The symbol commands the reader knows by name. Letters of the Greek alphabet follow TeX: lower case in
// italic, upper case upright.
#include <algorithm>
#include <iterator>
#include <string_view>

#include "tex/tex_parse.h"

namespace tex {

namespace {

using K = CommandInfo::Kind;
using A = AtomType;

struct Entry {
    const char* name;
    CommandInfo info;
};

constexpr CommandInfo Sym(char32_t cp, AtomType atom = A::Ord) {
    return {K::Symbol, cp, atom, FontRole::Math};
}
constexpr CommandInfo Greek(char32_t cp) {
    return {K::Symbol, cp, A::Ord, FontRole::MathItalic};
}
constexpr CommandInfo Big(char32_t cp, bool limits) {
    return {K::BigOp, cp, A::Op, FontRole::Math, limits};
}
constexpr CommandInfo Name(bool limits = false) {
    return {K::OperatorName, 0, A::Op, FontRole::Text, limits};
}

// Sorted by name (byte order) for binary search.
constexpr Entry kCommands[] = {
    {"Delta", Sym(0x394)},
    {"Gamma", Sym(0x393)},
    {"Lambda", Sym(0x39B)},
    {"Leftarrow", Sym(0x21D0, A::Rel)},
    {"Leftrightarrow", Sym(0x21D4, A::Rel)},
    {"Omega", Sym(0x3A9)},
    {"Phi", Sym(0x3A6)},
    {"Pi", Sym(0x3A0)},
    {"Psi", Sym(0x3A8)},
    {"Rightarrow", Sym(0x21D2, A::Rel)},
    {"Sigma", Sym(0x3A3)},
    {"Theta", Sym(0x398)},
    {"Xi", Sym(0x39E)},
    {"alpha", Greek(0x3B1)},
    {"approx", Sym(0x2248, A::Rel)},
    {"ast", Sym(0x2217, A::Bin)},
    {"beta", Greek(0x3B2)},
    {"bullet", Sym(0x2219, A::Bin)},
    {"cap", Sym(0x2229, A::Bin)},
    {"cdot", Sym(0x22C5, A::Bin)},
    {"cdots", Sym(0x22EF, A::Inner)},
    {"chi", Greek(0x3C7)},
    {"circ", Sym(0x2218, A::Bin)},
    {"cos", Name()},
    {"cosh", Name()},
    {"cot", Name()},
    {"cup", Sym(0x222A, A::Bin)},
    {"deg", Name()},
    {"delta", Greek(0x3B4)},
    {"det", Name(true)},
    {"div", Sym(0xF7, A::Bin)},
    {"dots", Sym(0x2026, A::Inner)},
    {"downarrow", Sym(0x2193, A::Rel)},
    {"ell", Sym(0x2113)},
    {"emptyset", Sym(0x2205)},
    {"epsilon", Greek(0x3B5)},
    {"equiv", Sym(0x2261, A::Rel)},
    {"eta", Greek(0x3B7)},
    {"exists", Sym(0x2203)},
    {"exp", Name()},
    {"forall", Sym(0x2200)},
    {"gamma", Greek(0x3B3)},
    {"gcd", Name(true)},
    {"ge", Sym(0x2265, A::Rel)},
    {"geq", Sym(0x2265, A::Rel)},
    {"gets", Sym(0x2190, A::Rel)},
    {"iint", Big(0x222C, false)},
    {"in", Sym(0x2208, A::Rel)},
    {"infty", Sym(0x221E)},
    {"int", Big(0x222B, false)},
    {"iota", Greek(0x3B9)},
    {"kappa", Greek(0x3BA)},
    {"lambda", Greek(0x3BB)},
    {"ldots", Sym(0x2026, A::Inner)},
    {"le", Sym(0x2264, A::Rel)},
    {"leftarrow", Sym(0x2190, A::Rel)},
    {"leftrightarrow", Sym(0x2194, A::Rel)},
    {"leq", Sym(0x2264, A::Rel)},
    {"lim", Name(true)},
    {"ln", Name()},
    {"log", Name()},
    {"mapsto", Sym(0x21A6, A::Rel)},
    {"max", Name(true)},
    {"min", Name(true)},
    {"mp", Sym(0x2213, A::Bin)},
    {"mu", Greek(0x3BC)},
    {"nabla", Sym(0x2207)},
    {"ne", Sym(0x2260, A::Rel)},
    {"neq", Sym(0x2260, A::Rel)},
    {"notin", Sym(0x2209, A::Rel)},
    {"nu", Greek(0x3BD)},
    {"oint", Big(0x222E, false)},
    {"omega", Greek(0x3C9)},
    {"partial", Sym(0x2202)},
    {"phi", Greek(0x3C6)},
    {"pi", Greek(0x3C0)},
    {"pm", Sym(0xB1, A::Bin)},
    {"prime", Sym(0x2032)},
    {"prod", Big(0x220F, true)},
    {"psi", Greek(0x3C8)},
    {"rho", Greek(0x3C1)},
    {"rightarrow", Sym(0x2192, A::Rel)},
    {"sigma", Greek(0x3C3)},
    {"sim", Sym(0x223C, A::Rel)},
    {"sin", Name()},
    {"sinh", Name()},
    {"star", Sym(0x22C6, A::Bin)},
    {"subset", Sym(0x2282, A::Rel)},
    {"sum", Big(0x2211, true)},
    {"supset", Sym(0x2283, A::Rel)},
    {"tan", Name()},
    {"tanh", Name()},
    {"tau", Greek(0x3C4)},
    {"theta", Greek(0x3B8)},
    {"times", Sym(0xD7, A::Bin)},
    {"to", Sym(0x2192, A::Rel)},
    {"uparrow", Sym(0x2191, A::Rel)},
    {"upsilon", Greek(0x3C5)},
    {"varepsilon", Greek(0x3B5)},
    {"xi", Greek(0x3BE)},
    {"zeta", Greek(0x3B6)},
};

constexpr bool SortedByName() {
    for (size_t i = 1; i < std::size(kCommands); ++i) {
        if (!(std::string_view(kCommands[i - 1].name) < std::string_view(kCommands[i].name))) return false;
    }
    return true;
}
static_assert(SortedByName(), "FindCommand searches kCommands by halves");

struct Delimiter {
    const char* name;
    char32_t cp;
};

constexpr Delimiter kDelimiters[] = {
    {"Vert", 0x2016},   {"langle", 0x27E8}, {"lbrace", '{'}, {"lbrack", '['}, {"lceil", 0x2308},
    {"lfloor", 0x230A}, {"rangle", 0x27E9}, {"rbrace", '}'}, {"rbrack", ']'}, {"rceil", 0x2309},
    {"rfloor", 0x230B}, {"vert", '|'},      {"{", '{'},      {"|", 0x2016},   {"}", '}'},
};

struct Size {
    const char* name;
    int level;
};

constexpr Size kSizes[] = {
    {"tiny", 0},  {"scriptsize", 0}, {"footnotesize", 1}, {"small", 1}, {"normalsize", 2},
    {"large", 3}, {"Large", 4},      {"LARGE", 5},        {"huge", 6},  {"Huge", 7},
};

}  // namespace

const CommandInfo* FindCommand(std::string_view name) {
    const auto it = std::lower_bound(std::begin(kCommands), std::end(kCommands), name,
                                     [](const Entry& e, std::string_view n) { return e.name < n; });
    if (it == std::end(kCommands) || it->name != name) return nullptr;
    return &it->info;
}

char32_t DelimiterCommand(std::string_view name) {
    for (const Delimiter& d : kDelimiters) {
        if (d.name == name) return d.cp;
    }
    return 0;
}

int SizeCommandLevel(std::string_view name) {
    for (const Size& s : kSizes) {
        if (s.name == name) return s.level;
    }
    return -1;
}

}  // namespace tex
