// Reading formula markup (the TeX subset the formula conversion and the equation solver produce) into a
// tree of math nodes, the way TeX reads a math list: characters become atoms of a class (ordinary,
// binary, relation, ...), braces make sub-lists, and \frac, \sqrt, \left...\right, the matrix
// environments, accents and scripts make structured nodes.
//
// The reader never fails. Unbalanced braces are closed at the end or ignored, a \left without \right gets
// an empty right delimiter, and a command outside the subset becomes its name set as upright text.
// "%" is a percent sign here, not a comment, because the markup comes from calculator input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tex/tex_fonts.h"

namespace tex {

// Markup beyond this many bytes is ignored.
constexpr size_t kMaxMarkupBytes = 64 * 1024;
// Groups, fractions, roots, scripts and \left...\right nested deeper than this are dropped (their
// markup is skipped), which bounds the recursion of the reader, the layout and the drawing.
constexpr int kMaxNesting = 32;
// At most this many nodes (characters of text count one each) are read; the rest is ignored.
constexpr size_t kMaxNodes = 20000;

enum class AtomType { Ord, Op, Bin, Rel, Open, Close, Punct, Inner };

enum class MathStyle { Display, Text, Script, ScriptScript };

enum class NodeKind {
    Symbol,     // one character: cp, atom, role; `large` for a big operator (\sum, \int)
    Text,       // a run of upright text (\text{...}, operator names, unknown commands): text
    Group,      // a braced sub-list: body
    Fraction,   // body = numerator, body2 = denominator
    Radical,    // body = radicand, body2 = index (empty without one)
    LeftRight,  // growing delimiters left/right around body; 0 is the empty delimiter "."
    Matrix,     // rows of cells
    Accent,     // cp over body (U+0304 bar, ...); `wide` spans the whole base (\overline)
    Underline,  // a rule under body
    Space,      // horizontal space of `amount` em (may be negative)
    Style,      // switches the math style of what follows in the list: style
    Size,       // switches the size level of what follows in the list: level
    LineBreak,  // \\ outside a matrix: starts a new line of the formula
};

enum class Limits { Default, Above, Beside };

struct Node {
    NodeKind kind = NodeKind::Symbol;
    AtomType atom = AtomType::Ord;
    FontRole role = FontRole::Math;
    char32_t cp = 0;
    bool large = false;
    bool wide = false;
    Limits limits = Limits::Default;
    std::u32string text;
    std::vector<Node> body, body2;
    std::vector<std::vector<std::vector<Node>>> rows;  // rows of cells of nodes
    char32_t left = 0, right = 0;
    bool hasSup = false, hasSub = false;
    std::vector<Node> sup, sub;
    double amount = 0;
    MathStyle style = MathStyle::Text;
    int level = 0;
};

using NodeList = std::vector<Node>;

// Reads markup (UTF-8; invalid bytes read as U+FFFD) into the top-level list. Bounded by
// kMaxMarkupBytes, kMaxNesting and kMaxNodes as described above.
NodeList ParseTex(std::string_view markup);

// What a command outside the structural ones stands for; used by the reader and for text-mode commands.
struct CommandInfo {
    enum class Kind { Symbol, BigOp, OperatorName } kind = Kind::Symbol;
    char32_t cp = 0;  // the symbol (Symbol, BigOp)
    AtomType atom = AtomType::Ord;
    FontRole role = FontRole::Math;
    bool limits = false;  // BigOp and OperatorName: limits above and below in display style
};

// The symbol commands (\Delta, \rightarrow, \sum, \sin, ...) by name without the backslash; nullptr
// for a name outside the table.
const CommandInfo* FindCommand(std::string_view name);

// The code point of a delimiter command (\{, \langle, \vert, ...) by name; 0 when not a delimiter.
char32_t DelimiterCommand(std::string_view name);

// The size levels of the size commands: \tiny 0 ... \normalsize 2 ... \Huge 7; -1 for other names.
int SizeCommandLevel(std::string_view name);

}  // namespace tex
