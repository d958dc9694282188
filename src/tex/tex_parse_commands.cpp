// Commands and structures of the markup reader: fractions, roots, growing delimiters, matrices, accents,
// text, spacing, styles and sizes.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>

#include "tex/tex_reader.h"

namespace tex::detail {

namespace {

struct AccentCommand {
    const char* name;
    char32_t cp;
    bool wide = false;
};

constexpr AccentCommand kAccents[] = {
    {"bar", 0x304},   {"hat", 0x302},   {"tilde", 0x303},          {"dot", 0x307},
    {"ddot", 0x308},  {"vec", 0x20D7},  {"check", 0x30C},          {"breve", 0x306},
    {"acute", 0x301}, {"grave", 0x300}, {"overline", 0x305, true},
};

struct Environment {
    const char* name;
    char32_t left, right;
};

constexpr Environment kEnvironments[] = {
    {"matrix", 0, 0},      {"array", 0, 0},       {"pmatrix", '(', ')'},       {"bmatrix", '[', ']'},
    {"Bmatrix", '{', '}'}, {"vmatrix", '|', '|'}, {"Vmatrix", 0x2016, 0x2016},
};

// Spaces in em: thin 3mu, medium 4mu, thick 5mu, negative thin; \quad is one em.
struct Spacing {
    const char* name;
    double em;
};

constexpr Spacing kSpacings[] = {
    {",", 3.0 / 18}, {":", 4.0 / 18},         {">", 4.0 / 18},  {";", 5.0 / 18}, {"!", -3.0 / 18},
    {" ", 1.0 / 3},  {"thinspace", 3.0 / 18}, {"enspace", 0.5}, {"quad", 1.0},   {"qquad", 2.0},
};

// Length units of \hspace, in em. A bare number counts tenths of an em, about a pixel at the normal size.
struct Unit {
    const char* name;
    double em;
};

constexpr Unit kUnits[] = {{"em", 1.0}, {"ex", 0.431},  {"pt", 0.1},   {"mu", 1.0 / 18},
                           {"px", 0.1}, {"mm", 0.2845}, {"cm", 2.845}, {"in", 7.227}};

constexpr double kMinSpaceEm = -10, kMaxSpaceEm = 100;

Node StyleNode(MathStyle style) {
    Node n;
    n.kind = NodeKind::Style;
    n.style = style;
    return n;
}

Node TextNode(std::u32string text, AtomType atom) {
    Node n;
    n.kind = NodeKind::Text;
    n.role = FontRole::Text;
    n.atom = atom;
    n.text = std::move(text);
    return n;
}

std::u32string Widen(std::string_view s) {
    std::u32string out;
    for (size_t pos = 0; pos < s.size();) out += DecodeUtf8(s, pos);
    return out;
}

}  // namespace

Stop Reader::ParseCommand(const std::string& name, NodeList& list, unsigned accept) {
    if (name.empty()) return kStopEnd;
    if (name == "\\") {
        if (accept & kStopRow) return kStopRow;
        if (m_depth == 1 && Budget()) {  // a line break only splits the formula itself
            Node n;
            n.kind = NodeKind::LineBreak;
            list.push_back(n);
        }
        return kStopEnd;
    }
    if (name == "right") {
        if (accept & kStopRight) return kStopRight;
        const char32_t d = ReadDelimiter();  // without its \left it is an ordinary closing symbol
        if (d != 0 && Budget()) {
            list.push_back(MathChar(d));
            list.back().atom = AtomType::Close;
        }
        return kStopEnd;
    }
    if (name == "end") {
        ReadBracedName();
        return (accept & kStopEndEnv) ? kStopEndEnv : kStopEnd;
    }
    if (name == "left") {
        ParseLeftRight(list);
    } else if (name == "begin") {
        ParseEnvironment(list);
    } else if (name == "frac" || name == "dfrac" || name == "tfrac") {
        Node f = ParseFraction();
        if (name != "frac") {
            Node g;
            g.kind = NodeKind::Group;
            g.body.push_back(StyleNode(name == "dfrac" ? MathStyle::Display : MathStyle::Text));
            g.body.push_back(std::move(f));
            f = std::move(g);
        }
        if (Budget()) list.push_back(std::move(f));
    } else if (name == "sqrt") {
        Node r = ParseRadical();
        if (Budget()) list.push_back(std::move(r));
    } else if (name == "text" || name == "textrm" || name == "mbox" || name == "mathrm" ||
               name == "textnormal") {
        Node t = ParseText(AtomType::Ord);
        if (!t.text.empty()) list.push_back(std::move(t));
    } else if (name == "operatorname") {
        Node t = ParseText(AtomType::Op);
        if (!t.text.empty()) list.push_back(std::move(t));
    } else if (name == "underline") {
        Node u;
        u.kind = NodeKind::Underline;
        u.body = ParseArgument();
        if (Budget()) list.push_back(std::move(u));
    } else if (name == "limits" || name == "nolimits") {
        if (!list.empty() && list.back().atom == AtomType::Op) {
            list.back().limits = name == "limits" ? Limits::Above : Limits::Beside;
        }
    } else if (!ParseSpacing(name, list) && !ParseSymbolCommand(name, list)) {
        // Outside the subset: the name itself, set upright, tells the reader what was meant.
        if (Budget(name.size())) list.push_back(TextNode(Widen(name), AtomType::Ord));
    }
    return kStopEnd;
}

// Spacing, style, size and accent commands; false when the name is none of them.
bool Reader::ParseSpacing(const std::string& name, NodeList& list) {
    Node n;
    n.kind = NodeKind::Space;
    if (name == "hspace" || name == "hskip") {
        n.amount = ReadSpaceAmount();
    } else if (const auto* s = std::find_if(std::begin(kSpacings), std::end(kSpacings),
                                            [&](const Spacing& e) { return e.name == name; });
               s != std::end(kSpacings)) {
        n.amount = s->em;
    } else if (name == "displaystyle" || name == "textstyle" || name == "scriptstyle" ||
               name == "scriptscriptstyle") {
        n = StyleNode(name == "displaystyle"  ? MathStyle::Display
                      : name == "textstyle"   ? MathStyle::Text
                      : name == "scriptstyle" ? MathStyle::Script
                                              : MathStyle::ScriptScript);
    } else if (const int level = SizeCommandLevel(name); level >= 0) {
        n.kind = NodeKind::Size;
        n.level = level;
    } else if (const auto* a = std::find_if(std::begin(kAccents), std::end(kAccents),
                                            [&](const AccentCommand& e) { return e.name == name; });
               a != std::end(kAccents)) {
        ParseAccent(a->cp, a->wide, list);
        return true;
    } else {
        return false;
    }
    if (Budget()) list.push_back(std::move(n));
    return true;
}

// Symbols, big operators, operator names and escaped characters; false when the name is none of them.
bool Reader::ParseSymbolCommand(const std::string& name, NodeList& list) {
    if (name.size() == 1 && std::string_view("{}%$&#_").find(name[0]) != std::string_view::npos) {
        if (Budget()) list.push_back(MathChar(static_cast<unsigned char>(name[0])));
        return true;
    }
    if (name == "|") {
        if (Budget()) list.push_back(MathChar(0x2016));
        return true;
    }
    const CommandInfo* info = FindCommand(name);
    if (info == nullptr) {
        const char32_t d = DelimiterCommand(name);
        if (d == 0) return false;
        if (Budget()) list.push_back(MathChar(d));
        return true;
    }
    if (!Budget(info->kind == CommandInfo::Kind::OperatorName ? name.size() : 1)) return true;
    Node n;
    if (info->kind == CommandInfo::Kind::OperatorName) {
        n = TextNode(Widen(name), AtomType::Op);
    } else {
        n.cp = info->cp;
        n.atom = info->atom;
        n.role = info->role;
        n.large = info->kind == CommandInfo::Kind::BigOp;
    }
    n.limits = info->limits ? Limits::Default : Limits::Beside;
    list.push_back(std::move(n));
    return true;
}

Node Reader::ParseFraction() {
    Node f;
    f.kind = NodeKind::Fraction;
    f.atom = AtomType::Inner;
    f.body = ParseArgument();
    f.body2 = ParseArgument();
    return f;
}

Node Reader::ParseRadical() {
    Node r;
    r.kind = NodeKind::Radical;
    r.body2 = ParseOptional();
    r.body = ParseArgument();
    return r;
}

void Reader::ParseAccent(char32_t accent, bool wide, NodeList& list) {
    Node a;
    a.kind = NodeKind::Accent;
    a.cp = accent;
    a.wide = wide;
    a.body = ParseArgument();
    if (Budget()) list.push_back(std::move(a));
}

// Too deep to build: skips to just after the command closing this one (\right for \left, \end for
// \begin), counting nested pairs, without recursion.
void Reader::SkipPair(std::string_view open, std::string_view close) {
    int depth = 1;
    for (Token t = Next(); t.type != Tok::End; t = Next()) {
        if (t.type != Tok::Command) continue;
        if (t.name == open) ++depth;
        if (t.name == close && --depth == 0) {
            if (close == "right") ReadDelimiter();
            if (close == "end") ReadBracedName();
            return;
        }
    }
}

void Reader::ParseLeftRight(NodeList& list) {
    Node n;
    n.kind = NodeKind::LeftRight;
    n.atom = AtomType::Inner;
    n.left = ReadDelimiter();
    if (TooDeep()) {
        SkipPair("left", "right");
        return;
    }
    Stop why;
    n.body = ParseList(kStopRight, why);
    if (why == kStopRight) n.right = ReadDelimiter();
    if (Budget()) list.push_back(std::move(n));
}

void Reader::ParseEnvironment(NodeList& list) {
    const std::string name = ReadBracedName();
    if (name == "array" && PeekNonSpace().type == Tok::Begin) ReadBracedName();  // the column layout
    if (TooDeep()) {
        SkipPair("begin", "end");
        return;
    }
    Node m;
    m.kind = NodeKind::Matrix;
    std::vector<NodeList> row;
    while (!Full()) {
        Stop why;
        row.push_back(ParseList(kStopAlign | kStopRow | kStopEndEnv, why));
        if (!Budget()) break;
        if (why == kStopAlign) continue;
        m.rows.push_back(std::move(row));
        row.clear();
        if (why != kStopRow) break;
    }
    if (!row.empty()) m.rows.push_back(std::move(row));
    // A \\ just before \end closes the last row rather than opening an empty one.
    if (m.rows.size() > 1 && m.rows.back().size() == 1 && m.rows.back()[0].empty()) m.rows.pop_back();
    const auto* env = std::find_if(std::begin(kEnvironments), std::end(kEnvironments),
                                   [&](const Environment& e) { return e.name == name; });
    if (env == std::end(kEnvironments) || env->left == 0) {
        list.push_back(std::move(m));
        return;
    }
    Node delimited;
    delimited.kind = NodeKind::LeftRight;
    delimited.atom = AtomType::Inner;
    delimited.left = env->left;
    delimited.right = env->right;
    delimited.body.push_back(std::move(m));
    list.push_back(std::move(delimited));
}

// The braced text of \text and its kind, or a single character or command; spaces keep their width here.
Node Reader::ParseText(AtomType atom) {
    std::u32string text;
    const Token first = NextNonSpace();
    if (first.type == Tok::Char) {
        text += first.cp;
    } else if (first.type == Tok::Command) {
        AppendTextCommand(first.name, text);
    } else if (first.type == Tok::Begin) {
        int open = 1;
        for (Token t = Next(); t.type != Tok::End; t = Next()) {
            if (t.type == Tok::Begin) {
                ++open;
            } else if (t.type == Tok::EndGroup) {
                if (--open == 0) break;
            } else if (t.type == Tok::Space) {
                if (!text.empty() && text.back() != ' ') text += ' ';
            } else if (t.type == Tok::Command) {
                AppendTextCommand(t.name, text);
            } else if (t.type == Tok::Char) {
                text += t.cp;
            } else {
                text += t.type == Tok::Sup ? U'^' : t.type == Tok::Sub ? U'_' : U'&';
            }
            if (text.size() > kMaxNodes) text.resize(kMaxNodes);
        }
    }
    const size_t room = kMaxNodes - m_nodes;
    if (text.size() > room) text.resize(room);
    Budget(text.size());
    return TextNode(std::move(text), atom);
}

void Reader::AppendTextCommand(const std::string& name, std::u32string& text) {
    if (name.size() == 1 && std::string_view("{}%$&#_ ").find(name[0]) != std::string_view::npos) {
        text += static_cast<char32_t>(name[0]);
    } else if (name == "\\") {
        text += ' ';
    } else if (const CommandInfo* info = FindCommand(name); info != nullptr && info->cp != 0) {
        text += info->cp;
    } else {
        text += Widen(name);
    }
}

// The delimiter after \left or \right: a character, a delimiter command, or "." for none (0).
char32_t Reader::ReadDelimiter() {
    const size_t save = m_pos;
    const Token t = NextNonSpace();
    if (t.type == Tok::Char) {
        if (t.cp == '.') return 0;
        if (t.cp == '<') return 0x27E8;
        if (t.cp == '>') return 0x27E9;
        return t.cp;
    }
    if (t.type == Tok::Command) {
        if (const char32_t d = DelimiterCommand(t.name); d != 0) return d;
    }
    m_pos = save;  // not a delimiter: leave it to be read as markup
    return 0;
}

// The argument of \hspace: a number with an optional unit, in braces or as a single character.
double Reader::ReadSpaceAmount() {
    std::string length;
    const Token t = NextNonSpace();
    if (t.type == Tok::Char && t.cp < 0x80) {
        length = static_cast<char>(t.cp);
    } else if (t.type == Tok::Begin) {
        int open = 1;
        for (Token u = Next(); u.type != Tok::End; u = Next()) {
            if (u.type == Tok::Begin) ++open;
            if (u.type == Tok::EndGroup && --open == 0) break;
            if (u.type == Tok::Char && u.cp < 0x80 && length.size() < 32) length += static_cast<char>(u.cp);
        }
    }
    // from_chars, not strtod: the number must not depend on the process's locale.
    double value = 0;
    const char* first = length.data();
    const auto [end, error] = std::from_chars(first, first + length.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return 0;
    const std::string_view unit(end, static_cast<size_t>(first + length.size() - end));
    double scale = 0.1;
    for (const Unit& u : kUnits) {
        if (unit.substr(0, 2) == u.name) scale = u.em;
    }
    return std::clamp(value * scale, kMinSpaceEm, kMaxSpaceEm);
}

}  // namespace tex::detail
