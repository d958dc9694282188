// The function tooltip: its catalogue against the keys, its examples against the calculator, and when
// the display shows it.
#include "app/screens/function_help/function_tooltip.h"

#include <cmath>
#include <cstdlib>

#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/controller/calculate_value.h"
#include "app/keys/key_codes.h"
#include "app/keys/key_tables.h"

namespace {

FunctionHelpCatalog ShippedCatalog() {
    AppHarness h;
    return FunctionHelpCatalog::Load(h.storage);
}

FunctionHelpCatalog Parse(const std::string& text) {
    return FunctionHelpCatalog::Parse(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

// A function word a key inserts: a name, a word operator, a root or calculus sign, a statistics call.
bool IsFunctionObject(const std::u16string& object) {
    const size_t a = object.find_first_not_of(u' ');
    if (a == std::u16string::npos) return false;
    const std::u16string t = object.substr(a, object.find_last_not_of(u' ') - a + 1);
    return t.size() > 1 && t != u"(-" && t.find_first_not_of(u"0123456789") != std::u16string::npos;
}

TEST(FunctionHelp, EveryFunctionWordOfTheKeysHasAnEntry) {
    const FunctionHelpCatalog catalog = ShippedCatalog();
    int functions = 0;
    for (int code = 0; code < 200; ++code) {
        for (const std::u16string& object : KeyInsertObjects(code)) {
            if (!IsFunctionObject(object)) continue;
            ++functions;
            const FunctionHelpEntry* e = catalog.find(object);
            ASSERT_NE(e, nullptr) << "key " << code << " object '" << U16ToUtf8(object) << "'";
            EXPECT_FALSE(e->syntax.empty()) << e->object;
            EXPECT_FALSE(e->example.empty()) << e->object;
        }
    }
    EXPECT_GT(functions, 80);
    for (const char* series : {"\u2211(", "\u220f("}) {
        const FunctionHelpEntry* e = catalog.find(Utf8ToU16(series));
        ASSERT_NE(e, nullptr);
        EXPECT_NE(e->note.find("1,000,000 terms"), std::string::npos) << e->note;
        EXPECT_NE(e->note.find("\"Out of range error\""), std::string::npos) << e->note;
    }
}

// Examples written "typed = shown" or "typed ≈ shown" give that result in Arithmetic (DEG, 8 bits).
TEST(FunctionHelp, ExamplesAgreeWithTheCalculator) {
    AppHarness h;
    h.launch();
    const FunctionHelpCatalog catalog = FunctionHelpCatalog::Load(h.storage);
    int checked = 0;
    for (const auto& [object, e] : catalog.entries()) {
        if (e.example.find(" gives ") != std::string::npos) continue;  // needs data first: prose
        const bool approx = e.example.find(" \u2248 ") != std::string::npos;
        const std::string mark = approx ? " \u2248 " : " = ";
        const size_t at = e.example.rfind(mark);
        ASSERT_NE(at, std::string::npos) << object << ": " << e.example;
        const std::string typed = e.example.substr(0, at), shown = e.example.substr(at + mark.size());
        EvaluationRequest request;
        request.displayText = Utf8ToU16(typed);
        const EvaluationResult r = EvaluateForDisplay(request);
        ASSERT_TRUE(r.isValue) << object << ": " << U16ToUtf8(r.text);
        std::string digits;
        for (char16_t c : r.text) {
            if (c < 128 && c != ',') digits += static_cast<char>(c);  // drop group marks
        }
        const double got = std::strtod(digits.c_str(), nullptr);
        std::string plain;
        for (char16_t c : Utf8ToU16(shown)) plain += c == u'\u2212' ? '-' : static_cast<char>(c);
        const double want = std::strtod(plain.c_str(), nullptr);
        const size_t point = plain.find('.');
        const double decimals =
            point == std::string::npos ? 0 : static_cast<double>(plain.size() - point - 1);
        const double tolerance =
            approx ? 0.5 * std::pow(10.0, -decimals) + 1e-12 : 1e-12 * std::max(1.0, std::fabs(want));
        EXPECT_NEAR(got, want, tolerance) << object << ": " << e.example << " shows " << U16ToUtf8(r.text);
        ++checked;
    }
    EXPECT_GT(checked, 60);
}

TEST(FunctionHelp, CatalogueFormat) {
    const FunctionHelpCatalog c = Parse(
        "# comment\r\n"
        "[ sin( ]\r\n"
        "name:  Sine \r\n"
        "syntax: sin(angle)\n"
        "example: sin(30) = 0.5\n"
        "colour: ignored\n"
        "no colon here\n"
        "[nameless]\n"
        "syntax: x\n"
        "[sin(]\n"
        "name: Second sine\n"
        "[[ans]]\n"
        "name: Answer\n"
        "[]\n"
        "name: empty key\n");
    ASSERT_EQ(c.size(), 2u);
    const FunctionHelpEntry* sine = c.find(u"sin(");
    ASSERT_NE(sine, nullptr);
    EXPECT_EQ(sine->name, "Sine");
    EXPECT_EQ(sine->syntax, "sin(angle)");
    EXPECT_EQ(sine->example, "sin(30) = 0.5");
    EXPECT_EQ(sine->note, "");
    EXPECT_NE(c.find(u"[ans]"), nullptr);
    EXPECT_NE(c.find(u" sin( "), nullptr);  // blanks around an object are not part of its name
    EXPECT_EQ(c.find(u"nameless"), nullptr);
    // Damaged input: no entries, no failure.
    std::string junk(4096, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 131 % 256);
    EXPECT_NO_THROW(Parse(junk));
    EXPECT_EQ(Parse("[x]\nname: \xff\xfe\n").find(u"x")->name, "\uFFFD\uFFFD");
    TempFolder empty;  // no file at all
    EXPECT_EQ(FunctionTooltip(FolderStorage(empty.path(), empty.path())).catalog().size(), 0u);
}

class Tooltip : public ::testing::Test {
  protected:
    void SetUp() override {
        h.launch();
        g_bHelp = true;
    }
    void TearDown() override { g_bHelp = true; }
    std::string shown() {
        const auto tip = h.ctl().functionTooltip().current(h.led());
        return tip ? tip->entry.name : "";
    }
    AppHarness h;
};

TEST_F(Tooltip, ShowsWhileTheCaretStandsOnAFunction) {
    h.keys({kKeySin, kKey3, kKeyCloseParen});
    EXPECT_EQ(shown(), "");  // the caret is after the end
    h.keys({kKeyCaretLeft, kKeyCaretLeft});
    EXPECT_EQ(shown(), "");  // on "3"
    h.keys({kKeyCaretLeft});
    EXPECT_EQ(shown(), "Sine");
    const nlohmann::json d = h.ctl().functionTooltip().describe(h.led());
    EXPECT_EQ(d["shown"], true);
    EXPECT_EQ(d["object"], "sin(");
    EXPECT_EQ(d["objectIndex"], 0);
    EXPECT_EQ(d["lines"][2], "Example: sin(30) = 0.5");
    g_bHelp = false;  // the setting is off
    EXPECT_EQ(shown(), "");
    EXPECT_EQ(h.ctl().functionTooltip().describe(h.led())["shown"], false);
    g_bHelp = true;
    AppHarness basic;  // no caret, no tooltip
    basic.launch(kCatArithmetic, "Basic-Standard");
    basic.keys({kKeySin});
    EXPECT_FALSE(basic.ctl().functionTooltip().current(basic.led()).has_value());
}

TEST_F(Tooltip, ClosesAtEqualsUntilTheNextKey) {
    h.keys({kKeyCos, kKey6, kKey0, kKeyCloseParen, kKeyCaretLeft10});
    EXPECT_EQ(shown(), "Cosine");
    h.keys({kKeyEquals});
    EXPECT_EQ(h.resultUtf8(), "0.5");
    EXPECT_EQ(shown(), "");
    h.keys({kKeyCaretRight, kKeyCaretLeft});
    EXPECT_EQ(shown(), "Cosine");
}

TEST_F(Tooltip, DrawsItsLines) {
    h.keys({kKeyIntegral, kKeyCaretLeft});
    const auto tip = h.ctl().functionTooltip().current(h.led());
    ASSERT_TRUE(tip.has_value());
    RecordingCanvas canvas;
    FunctionTooltip::Draw(canvas, {0, 100, 300, 70}, *tip);
    const auto texts = canvas.callsOf(CanvasOp::DrawText);
    ASSERT_EQ(texts.size(), FunctionTooltip::Lines(*tip).size());
    EXPECT_EQ(U16ToUtf8(texts[0].text), "Integral");
    EXPECT_EQ(texts[0].font.name, "Verdana-Bold");
    EXPECT_EQ(U16ToUtf8(texts[2].text), "Example: \u222b(x^2,x,0,3) = 9");
    EXPECT_GT(texts[1].point.y, texts[0].point.y);
    EXPECT_EQ(canvas.callsOf(CanvasOp::ClipToRect).size(), 1u);
}

}  // namespace
