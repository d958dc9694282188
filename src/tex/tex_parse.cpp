// Tokens, lists and scripts of the markup reader; the commands are in tex_parse_commands.cpp.
#include <algorithm>
#include <iterator>

#include "tex/tex_reader.h"

namespace tex {

namespace detail {

namespace {

bool IsLetter(char32_t c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool CanCarryScripts(const NodeList& list) {
    if (list.empty()) return false;
    const NodeKind k = list.back().kind;
    return k != NodeKind::Space && k != NodeKind::Style && k != NodeKind::Size && k != NodeKind::LineBreak;
}

}  // namespace

char32_t DecodeUtf8(std::string_view s, size_t& pos) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b = byte(pos++);
    if (b < 0x80) return b;
    const int extra = b >= 0xF0 && b < 0xF5 ? 3 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0) return 0xFFFD;
    char32_t cp = b & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if (pos >= s.size() || (byte(pos) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (byte(pos++) & 0x3F);
    }
    const bool overlong = (extra == 2 && cp < 0x800) || (extra == 3 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
    return cp;
}

Reader::Reader(std::string_view markup) : m_s(markup.substr(0, std::min(markup.size(), kMaxMarkupBytes))) {}

Token Reader::Next() {
    Token t;
    if (m_pos >= m_s.size()) return t;
    const char c = m_s[m_pos];
    if (c == '\\') {
        ++m_pos;
        t.type = Tok::Command;
        if (m_pos >= m_s.size()) return t;  // a lone backslash at the end: a command without a name
        const size_t start = m_pos;
        if (IsLetter(static_cast<unsigned char>(m_s[m_pos]))) {
            while (m_pos < m_s.size() && IsLetter(static_cast<unsigned char>(m_s[m_pos]))) ++m_pos;
            t.name = std::string(m_s.substr(start, m_pos - start));
            while (m_pos < m_s.size() && m_s[m_pos] == ' ') ++m_pos;  // blanks after a command word
        } else {
            DecodeUtf8(m_s, m_pos);
            t.name = std::string(m_s.substr(start, m_pos - start));
        }
        return t;
    }
    ++m_pos;
    switch (c) {
        case '{':
            t.type = Tok::Begin;
            return t;
        case '}':
            t.type = Tok::EndGroup;
            return t;
        case '^':
            t.type = Tok::Sup;
            return t;
        case '_':
            t.type = Tok::Sub;
            return t;
        case '&':
            t.type = Tok::Align;
            return t;
        default:
            break;
    }
    --m_pos;
    t.type = Tok::Char;
    t.cp = DecodeUtf8(m_s, m_pos);
    if (t.cp <= 0x20 || t.cp == 0x7F) t.type = Tok::Space;  // blanks and control characters
    return t;
}

Token Reader::NextNonSpace() {
    Token t = Next();
    while (t.type == Tok::Space) t = Next();
    return t;
}

Token Reader::PeekNonSpace() {
    const size_t save = m_pos;
    Token t = NextNonSpace();
    m_pos = save;
    return t;
}

// Skips to just after the brace that closes a group whose opening brace was read. Iterative, so that
// nesting of any depth costs no stack.
void Reader::SkipGroupBody() {
    int open = 1;
    for (Token t = Next(); t.type != Tok::End; t = Next()) {
        if (t.type == Tok::Begin) ++open;
        if (t.type == Tok::EndGroup && --open == 0) return;
    }
}

// The {name} after \begin and \end; empty when no brace follows.
std::string Reader::ReadBracedName() {
    if (PeekNonSpace().type != Tok::Begin) return {};
    NextNonSpace();
    std::string name;
    int open = 1;
    for (Token t = Next(); t.type != Tok::End; t = Next()) {
        if (t.type == Tok::Begin) ++open;
        if (t.type == Tok::EndGroup && --open == 0) break;
        if (t.type == Tok::Char && t.cp < 0x80 && name.size() < 32) name += static_cast<char>(t.cp);
    }
    return name;
}

bool Reader::Budget(size_t n) {
    if (n > kMaxNodes - m_nodes) {
        m_nodes = kMaxNodes;
        return false;
    }
    m_nodes += n;
    return true;
}

Node Reader::MathChar(char32_t cp) const {
    Node n;
    n.cp = cp;
    if (IsLetter(cp) || (cp >= 0x3B1 && cp <= 0x3C9)) {
        n.role = FontRole::MathItalic;
        return n;
    }
    switch (cp) {
        case '-':
            n.cp = 0x2212;
            n.atom = AtomType::Bin;
            break;
        case '*':
            n.cp = 0x2217;
            n.atom = AtomType::Bin;
            break;
        case '+':
        case 0xB1:
        case 0xD7:
        case 0xF7:
        case 0x2212:
        case 0x22C5:
            n.atom = AtomType::Bin;
            break;
        case '=':
        case '<':
        case '>':
        case ':':
        case 0x2190:
        case 0x2192:
        case 0x2260:
        case 0x2264:
        case 0x2265:
            n.atom = AtomType::Rel;
            break;
        case '(':
        case '[':
            n.atom = AtomType::Open;
            break;
        case ')':
        case ']':
        case '!':
        case '?':
            n.atom = AtomType::Close;
            break;
        case ',':
        case ';':
            n.atom = AtomType::Punct;
            break;
        default:
            break;
    }
    return n;
}

NodeList Reader::ParseTop() {
    Stop why;
    return ParseList(kStopEnd, why);
}

NodeList Reader::ParseList(unsigned accept, Stop& why) {
    NodeList list;
    why = kStopEnd;
    ++m_depth;
    while (!Full()) {
        const Token t = Next();
        if (t.type == Tok::End) break;
        const Stop s = ParseToken(t, list, accept);
        if (s != kStopEnd) {
            why = s;
            break;
        }
    }
    --m_depth;
    return list;
}

NodeList Reader::ParseGroup() {
    if (TooDeep()) {
        SkipGroupBody();
        return {};
    }
    Stop why;
    return ParseList(kStopGroup, why);
}

Stop Reader::ParseToken(const Token& t, NodeList& list, unsigned accept) {
    switch (t.type) {
        case Tok::Space:
        case Tok::End:
            break;
        case Tok::Begin: {
            const bool deep = TooDeep();
            Node g;
            g.kind = NodeKind::Group;
            g.body = ParseGroup();
            if (!deep && Budget()) list.push_back(std::move(g));
            break;
        }
        case Tok::EndGroup:
            if (accept & kStopGroup) return kStopGroup;
            break;  // an unmatched closing brace is dropped
        case Tok::Align:
            if (accept & kStopAlign) return kStopAlign;
            break;  // & outside a matrix is dropped
        case Tok::Sup:
            ParseScript(list, true);
            break;
        case Tok::Sub:
            ParseScript(list, false);
            break;
        case Tok::Char:
            if (t.cp == '\'') {
                AddPrime(list);
            } else if (t.cp == '~') {
                Node s;
                s.kind = NodeKind::Space;
                s.amount = 1.0 / 3;  // an unbreakable interword space
                if (Budget()) list.push_back(s);
            } else if (t.cp != '$' && Budget()) {
                list.push_back(MathChar(t.cp));
            }
            break;
        case Tok::Command:
            return ParseCommand(t.name, list, accept);
    }
    return kStopEnd;
}

// One argument: a braced group, or else a single token (as in x^2 or \hspace1).
NodeList Reader::ParseArgument() {
    const Token t = PeekNonSpace();
    if (t.type == Tok::End || t.type == Tok::EndGroup || t.type == Tok::Sup || t.type == Tok::Sub ||
        t.type == Tok::Align) {
        return {};
    }
    NextNonSpace();
    if (t.type == Tok::Begin) return ParseGroup();
    NodeList list;
    if (TooDeep()) return list;
    ++m_depth;
    ParseToken(t, list, kStopEnd);
    --m_depth;
    return list;
}

// The optional [...] argument of \sqrt; empty when absent.
NodeList Reader::ParseOptional() {
    const Token t = PeekNonSpace();
    if (t.type != Tok::Char || t.cp != '[') return {};
    NextNonSpace();
    NodeList list;
    const bool deep = TooDeep();
    ++m_depth;
    int brackets = 0;
    while (!Full()) {
        const Token u = Next();
        if (u.type == Tok::End) break;
        if (u.type == Tok::Char && u.cp == '[') ++brackets;
        if (u.type == Tok::Char && u.cp == ']' && brackets-- == 0) break;
        if (!deep) {
            ParseToken(u, list, kStopEnd);
        } else if (u.type == Tok::Begin) {
            SkipGroupBody();
        }
    }
    --m_depth;
    return deep ? NodeList{} : list;
}

void Reader::ParseScript(NodeList& list, bool sup) {
    bool primesOnly = sup && CanCarryScripts(list) && list.back().hasSup;
    if (primesOnly) {
        for (const Node& n : list.back().sup) primesOnly = primesOnly && n.cp == 0x2032;
    }
    const bool taken = CanCarryScripts(list) && (sup ? list.back().hasSup : list.back().hasSub);
    if (!CanCarryScripts(list) || (taken && !primesOnly)) {
        // A script without a nucleus, or a second one, hangs on an empty group as in {}^2.
        Node empty;
        empty.kind = NodeKind::Group;
        if (!Budget()) return;
        list.push_back(empty);
    }
    NodeList arg = ParseArgument();
    Node& target = list.back();
    NodeList& slot = sup ? target.sup : target.sub;
    (sup ? target.hasSup : target.hasSub) = true;
    std::move(arg.begin(), arg.end(), std::back_inserter(slot));
}

// x' is x^{\prime}; a prime with nothing before it (as in ^{'}) is the prime symbol itself.
void Reader::AddPrime(NodeList& list) {
    if (!Budget()) return;
    Node prime;
    prime.cp = 0x2032;
    if (!CanCarryScripts(list)) {
        list.push_back(prime);
        return;
    }
    list.back().hasSup = true;
    list.back().sup.push_back(prime);
}

}  // namespace detail

NodeList ParseTex(std::string_view markup) {
    return detail::Reader(markup).ParseTop();
}

}  // namespace tex
