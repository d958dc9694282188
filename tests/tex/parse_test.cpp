// Reading markup: the tree each construct of the subset gives, tolerance of broken markup, and the
// bounds on hostile input.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "tex/ink.h"
#include "tex/tex_parse.h"

namespace {

using tex::Node;
using tex::NodeKind;
using tex::NodeList;

std::string Show(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += static_cast<char>(cp);
    } else {
        s = "U+" + std::to_string(static_cast<unsigned>(cp));
    }
    return s;
}

std::string Dump(const NodeList& list);

// A compact picture of a node: x (symbol), "text", {..} (group), frac(a;b), sqrt[i](r), lr(l..r) with
// . for an empty delimiter, mat[row|row] with cells split by &, and ^..  _.. for scripts.
std::string Dump(const Node& n) {
    std::string s;
    switch (n.kind) {
        case NodeKind::Symbol:
            s = (n.large ? "big:" : "") + Show(n.cp);
            break;
        case NodeKind::Text:
            s = "\"";
            for (char32_t c : n.text) s += Show(c);
            s += "\"";
            break;
        case NodeKind::Group:
            s = "{" + Dump(n.body) + "}";
            break;
        case NodeKind::Fraction:
            s = "frac(" + Dump(n.body) + ";" + Dump(n.body2) + ")";
            break;
        case NodeKind::Radical:
            s = "sqrt[" + Dump(n.body2) + "](" + Dump(n.body) + ")";
            break;
        case NodeKind::LeftRight:
            s = "lr(" + (n.left ? Show(n.left) : ".") + Dump(n.body) + (n.right ? Show(n.right) : ".") + ")";
            break;
        case NodeKind::Matrix:
            s = "mat[";
            for (size_t i = 0; i < n.rows.size(); ++i) {
                if (i > 0) s += "|";
                for (size_t j = 0; j < n.rows[i].size(); ++j) {
                    if (j > 0) s += "&";
                    s += Dump(n.rows[i][j]);
                }
            }
            s += "]";
            break;
        case NodeKind::Accent:
            s = "acc" + std::to_string(static_cast<unsigned>(n.cp)) + "(" + Dump(n.body) + ")";
            break;
        case NodeKind::Underline:
            s = "under(" + Dump(n.body) + ")";
            break;
        case NodeKind::Space:
            s = "sp" + std::to_string(static_cast<int>(std::lround(n.amount * 1000)));
            break;
        case NodeKind::Style:
            s = "style" + std::to_string(static_cast<int>(n.style));
            break;
        case NodeKind::Size:
            s = "size" + std::to_string(n.level);
            break;
        case NodeKind::LineBreak:
            s = "\\\\";
            break;
    }
    if (n.hasSup) s += "^(" + Dump(n.sup) + ")";
    if (n.hasSub) s += "_(" + Dump(n.sub) + ")";
    return s;
}

std::string Dump(const NodeList& list) {
    std::string s;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) s += " ";
        s += Dump(list[i]);
    }
    return s;
}

TEST(TexParse, ReadsTheSubsetIntoItsStructures) {
    const struct {
        const char* markup;
        const char* tree;
    } rows[] = {
        {"\\frac{1}{2}", "frac(1;2)"},
        {"\\frac12", "frac(1;2)"},
        {"{x}^{2}", "{x}^(2)"},
        {"x^2y", "x^(2) y"},
        {"C^{n}_r", "C^(n)_(r)"},
        {"X_10", "X_(1) 0"},
        {"{}^2", "{}^(2)"},
        {"^2", "{}^(2)"},
        {"x^2^3", "x^(2) {}^(3)"},
        {"f'", "f^(U+8242)"},
        {"\\left(f\\right)^{'}_{x=a}", "lr((f))^(U+8242)_(x = a)"},
        {"\\sqrt{x}", "sqrt[](x)"},
        {"\\sqrt[3]{x}", "sqrt[3](x)"},
        {"\\sqrt[\\left(?\\right)]{\\left(?\\right)}", "sqrt[lr((?))](lr((?)))"},
        {"\\left( a \\right)", "lr((a))"},
        {"\\left[ a \\right.", "lr([a.)"},
        {"\\left|X[n]-\\bar X\\right|", "lr(|X [ n ] U+8722 acc772(X)|)"},
        {"\\begin{matrix} 1 & 2 \\\\ 3 & 4 \\\\ \\end{matrix}", "mat[1&2|3&4]"},
        {"\\left[\\begin{matrix} 1 \\end{matrix}\\right]", "lr([mat[1]])"},
        {"\\begin{pmatrix} a \\end{pmatrix}", "lr((mat[a]))"},
        {"\\int_{0}^{1}{\\left(x\\right)}\\hspace1d x", "big:U+8747^(1)_(0) {lr((x))} sp100 d x"},
        {"\\displaystyle\\sum_{n=1}^{N}{X[n]}", "style0 big:U+8721^(N)_(n = 1) {X [ n ]}"},
        {"\\Large a\\\\b", "size4 a \\\\ b"},
        {"\\rightarrow\\text{Invalid Parameters!}", "U+8594 \"Invalid Parameters!\""},
        {"\\text{a  {b}\\%}", "\"a b%\""},
        {"a\\,b\\quad c\\!d", "a sp167 b sp1000 c sp-167 d"},
        {"\\hspace{2em}\\hspace{-3pt}\\hspace{x}", "sp2000 sp-300 sp0"},
        {"\\Delta=n*(n-1)", "U+916 = n U+8727 ( n U+8722 1 )"},
        {"50%", "5 0 %"},
        {"\\sin x", "\"sin\" x"},
        {"\\foo x", "\"foo\" x"},
        {"\\overline{ab}", "acc773(a b)"},
    };
    for (const auto& r : rows) EXPECT_EQ(Dump(tex::ParseTex(r.markup)), r.tree) << r.markup;
}

TEST(TexParse, BrokenMarkupIsClosedOrDropped) {
    const struct {
        const char* markup;
        const char* tree;
    } rows[] = {
        {"{a", "{a}"},
        {"a}b", "a b"},
        {"}}}", ""},
        {"\\frac{1}", "frac(1;)"},
        {"\\frac", "frac(;)"},
        {"\\sqrt[3", "sqrt[3]()"},
        {"\\left(a", "lr((a.)"},
        {"a\\right)", "a )"},
        {"\\end{matrix}x", "x"},
        {"a & b", "a b"},
        {"\\begin{matrix} a & b", "mat[a&b]"},
        {"{a\\\\b}", "{a b}"},
        {"\\", ""},
        {"x^", "x^()"},
        {"\\text{open", "\"open\""},
        {"\xff\xfe", "U+65533 U+65533"},
        {"\xce\x94", "U+916"},
    };
    for (const auto& r : rows) EXPECT_EQ(Dump(tex::ParseTex(r.markup)), r.tree) << r.markup;
}

// The deepest nesting of node lists under a list.
int Depth(const NodeList& list) {
    int deepest = 0;
    for (const Node& n : list) {
        int d = std::max({Depth(n.body), Depth(n.body2), Depth(n.sup), Depth(n.sub)});
        for (const auto& row : n.rows) {
            for (const auto& cell : row) d = std::max(d, Depth(cell));
        }
        deepest = std::max(deepest, d);
    }
    return deepest + 1;
}

size_t Count(const NodeList& list) {
    size_t count = 0;
    for (const Node& n : list) {
        count += 1 + n.text.size() + Count(n.body) + Count(n.body2) + Count(n.sup) + Count(n.sub);
        for (const auto& row : n.rows) {
            for (const auto& cell : row) count += Count(cell);
        }
    }
    return count;
}

std::string Repeat(const std::string& s, size_t times) {
    std::string out;
    out.reserve(s.size() * times);
    for (size_t i = 0; i < times; ++i) out += s;
    return out;
}

TEST(TexParse, HostileInputIsBoundedInDepthSizeAndTime) {
    const std::string rows[] = {
        Repeat("{", 200000),
        Repeat("{", 5000) + "x" + Repeat("}", 5000),
        Repeat("\\frac{", 5000) + "1",
        Repeat("\\sqrt[", 5000),
        Repeat("\\left(", 5000) + Repeat("\\right)", 5000),
        Repeat("\\begin{matrix}", 5000),
        Repeat("x^", 50000),
        Repeat("x_{", 50000),
        Repeat("x", 1 << 20),
        Repeat("&", 100000),
        "\\begin{matrix}" + Repeat("&", 100000),
        "\\text{" + Repeat("abc", 100000) + "}",
        Repeat("\\hspace{100em}", 50000),
    };
    for (const std::string& markup : rows) {
        const auto start = std::chrono::steady_clock::now();
        const NodeList tree = tex::ParseTex(markup);
        EXPECT_LE(Depth(tree), tex::kMaxNesting + 2) << markup.substr(0, 40);
        EXPECT_LE(Count(tree), tex::kMaxNodes + 1) << markup.substr(0, 40);
        const auto img = inktest::Render(markup);
        EXPECT_LE(img.bitmap.width, tex::kMaxBitmapWidth);
        EXPECT_LE(img.bitmap.height, tex::kMaxBitmapHeight);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 20.0) << markup.substr(0, 40);
    }
    // Beyond the byte limit nothing is read at all.
    const NodeList cut = tex::ParseTex(Repeat(" ", tex::kMaxMarkupBytes) + "x");
    EXPECT_TRUE(cut.empty());
}

TEST(TexParse, RandomBytesNeverBreakReaderOrRenderer) {
    std::mt19937 rng(20240611);
    const std::string alphabet = "{}{}^_&\\\\[]()|.'x2 +-=*/%$~#";
    const char* const words[] = {"\\frac",        "\\sqrt",   "\\left",  "\\right",       "\\begin{matrix}",
                                 "\\end{matrix}", "\\text{",  "\\\\",    "\\sum",         "\\int",
                                 "\\bar",         "\\hspace", "\\Large", "\\displaystyle"};
    for (int i = 0; i < 600; ++i) {
        std::string markup;
        const int length = static_cast<int>(rng() % 80);
        for (int k = 0; k < length; ++k) {
            const unsigned pick = rng() % 10;
            if (pick < 4) {
                markup += alphabet[rng() % alphabet.size()];
            } else if (pick < 7) {
                markup += words[rng() % std::size(words)];
            } else {
                markup += static_cast<char>(rng() % 256);
            }
        }
        const NodeList tree = tex::ParseTex(markup);
        EXPECT_LE(Depth(tree), tex::kMaxNesting + 2);
        const auto img = inktest::Render(markup, static_cast<int>(rng() % 8));
        EXPECT_EQ(img.bitmap.pixels.size(), static_cast<size_t>(img.bitmap.width) * img.bitmap.height);
    }
}

}  // namespace
