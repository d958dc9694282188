// The markup reader behind ParseTex, shared by its two source files. Internal to the formula renderer.
#pragma once

#include <string>
#include <string_view>

#include "tex/tex_parse.h"

namespace tex::detail {

enum class Tok { End, Char, Command, Begin, EndGroup, Sup, Sub, Align, Space };

struct Token {
    Tok type = Tok::End;
    char32_t cp = 0;
    std::string name;  // commands: the name without the backslash
};

// What ends a list. A list accepts a set of them; any other one met inside it is dealt with on the spot
// (dropped, or set as a symbol) so that stray markup never unbalances the reader.
enum Stop : unsigned {
    kStopEnd = 0,
    kStopGroup = 1,   // }
    kStopRight = 2,   // \right
    kStopAlign = 4,   // &
    kStopRow = 8,     // \\ (inside a matrix)
    kStopEndEnv = 16  // \end{...}
};

char32_t DecodeUtf8(std::string_view s, size_t& pos);

class Reader {
  public:
    explicit Reader(std::string_view markup);
    NodeList ParseTop();

  private:
    Token Next();
    Token NextNonSpace();
    Token PeekNonSpace();
    void SkipGroupBody();
    void SkipPair(std::string_view open, std::string_view close);
    std::string ReadBracedName();

    NodeList ParseList(unsigned accept, Stop& why);
    // Reads what one token starts into `list`; returns the terminator the token is, or kStopEnd.
    Stop ParseToken(const Token& t, NodeList& list, unsigned accept);
    NodeList ParseGroup();
    NodeList ParseArgument();
    NodeList ParseOptional();
    Stop ParseCommand(const std::string& name, NodeList& list, unsigned accept);
    bool ParseSymbolCommand(const std::string& name, NodeList& list);
    bool ParseSpacing(const std::string& name, NodeList& list);
    void ParseScript(NodeList& list, bool sup);
    void AddPrime(NodeList& list);

    Node ParseFraction();
    Node ParseRadical();
    void ParseLeftRight(NodeList& list);
    void ParseEnvironment(NodeList& list);
    void ParseAccent(char32_t accent, bool wide, NodeList& list);
    Node ParseText(AtomType atom);
    void AppendTextCommand(const std::string& name, std::u32string& text);
    char32_t ReadDelimiter();
    double ReadSpaceAmount();

    Node MathChar(char32_t cp) const;
    bool Budget(size_t n = 1);
    bool Full() const { return m_nodes >= kMaxNodes; }
    bool TooDeep() const { return m_depth >= kMaxNesting; }

    std::string_view m_s;
    size_t m_pos = 0;
    int m_depth = 0;
    size_t m_nodes = 0;
};

}  // namespace tex::detail
