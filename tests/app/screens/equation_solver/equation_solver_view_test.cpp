// The equation solver screen in the running application: keys of the Equation Solver category, the
// screen's own buttons, both modes, the info file and the formula views' drawing.
#include <gtest/gtest.h>

#include "app/app_harness.h"
#include "app/keys/key_codes.h"
#include "app/screens/equation_solver/equation_results.h"
#include "app/screens/equation_solver/equation_solver_view.h"
#include "tex/tex_fonts.h"

using namespace equation_solver;

namespace {

class SolverTest : public testing::Test {
  protected:
    void SetUp() override { Launch(); }

    void Launch() {
        h.launch(kCatEquationSolver);
        s = dynamic_cast<EquationSolverView*>(h.ctl().screens().find("equation_solver"));
        ASSERT_NE(s, nullptr) << "the category page creates the screen";
    }

    // Types text with the keys a user presses: digits, "." (16), ÷ (3), ± (17) and the blank (160).
    void Type(const std::string& text) {
        static const int kDigits[] = {kKey0, kKey1, kKey2, kKey3, kKey4, kKey5, kKey6, kKey7, kKey8, kKey9};
        for (char c : text) {
            const int code = c >= '0' && c <= '9' ? kDigits[c - '0']
                             : c == '.'           ? kKeyDecimal
                             : c == '/'           ? kKeyDivide
                             : c == '-'           ? kKeyChangeSign
                                                  : kKeyLiteBlank;
            h.keys({code});
        }
    }
    std::string Input() { return s->inputText(); }
    std::string FormulaTex() { return s->describe()["formula"]["tex"]; }
    std::vector<std::string> RowTexts() {
        std::vector<std::string> out;
        const nlohmann::json d = s->describe();
        for (const auto& row : d["rows"]) out.push_back(row.value("tex", row.value("text", "")));
        return out;
    }
    void SetInfoFile(const std::vector<std::uint8_t>& bytes) {
        h.storage.writeFileAtomically(DocumentPath(h.storage, EquationSolverView::kInfoFile), bytes);
    }
    std::vector<std::uint8_t> InfoFile() {
        return h.storage.readFile(DocumentPath(h.storage, EquationSolverView::kInfoFile))
            .value_or(std::vector<std::uint8_t>{});
    }

    AppHarness h;
    EquationSolverView* s = nullptr;
};

TEST_F(SolverTest, PolynomialIsShownAndSolvedUnderItsFormula) {
    EXPECT_EQ(s->describe()["mode_title"], "1 - 4 Equation Solver");
    EXPECT_EQ(FormulaTex(), "{aX}^{4}+{bX}^{3}+{cX}^{2}+dX+e=0") << "an empty list shows the general quartic";
    Type("0 0 1 -3 2");
    EXPECT_EQ(Input(), "0 0 1 -3 2");
    EXPECT_EQ(FormulaTex(), "{X}^{2}-3X+2=0");
    h.keys({kKeyEquals});
    EXPECT_EQ(FormulaTex(), "{X}^{2}-3X+2=0\\\\X_1=1=1\\\\X_2=2=2");
    EXPECT_EQ(s->resultLines(), (std::vector<std::string>{"X_1=1=1", "X_2=2=2"}));
    h.keys({kKeyCaretLeft});  // any keystroke redraws the formula without the results
    EXPECT_EQ(FormulaTex(), "{X}^{2}-3X+2=0");
    EXPECT_TRUE(s->resultLines().empty());
}

TEST_F(SolverTest, FinalCheckShowsInvalidParametersInPlaceOfTheFormula) {
    for (const char* list : {"3/", "4.", "1 2/"}) {
        ASSERT_TRUE(s->enterText("input", Utf8ToU16(list))) << list << ": accepted while typing";
        h.keys({kKeyEquals});
        EXPECT_EQ(FormulaTex(), kInvalidListTex) << list;
    }
    Type("1");
    EXPECT_EQ(FormulaTex(), "X+\\frac{2}{1}=0") << "the next key shows the list again";
    for (const char* list : {"0 5", "0"}) {
        s->enterText("input", Utf8ToU16(list));
        h.keys({kKeyEquals});
        EXPECT_EQ(s->resultLines(), std::vector<std::string>{kInvalidDegreeTex}) << list;
    }
}

TEST_F(SolverTest, RefusedKeystrokesAreTakenBack) {
    struct Row {
        const char* before;
        std::vector<int> keys;
        const char* after;
    };
    const Row rows[] = {
        {"1.", {kKeyDecimal}, "1."},            // 1..5
        {"-", {kKeyChangeSign}, "-"},           // --2
        {"1/2", {kKeyDivide}, "1/2"},           // 1/2/3
        {"2", {kKeyChangeSign}, "2"},           // 2-3
        {"", {kKeyDivide}, ""},                 // /4
        {"1 2 3 4 5 ", {kKey6}, "1 2 3 4 5 "},  // a sixth parameter
        {"1 ", {kKeyLiteBlank}, "1 "},          // two blanks
        {"3", {kKeyDivide, kKey4}, "3/4"},      // 3/ is fine while typing
        {"1 2", {kKeyClear}, ""},               // C empties the line
        {"7", {kKeyDelete}, ""},                // so does deleting its last character
    };
    for (const Row& r : rows) {
        s->enterText("input", Utf8ToU16(r.before));
        for (int k : r.keys) h.keys({k});
        EXPECT_EQ(Input(), r.after) << "'" << r.before << "'";
    }
    // A refused deletion costs nothing more: "1 2 3" without its "2" would hold two blanks.
    s->enterText("input", u"1 2 3");
    h.keys({kKeyCaretLeft, kKeyCaretLeft, kKeyCaretLeft, kKeyDelete});
    EXPECT_EQ(Input(), "1 2 3");
    h.keys({kKey5});
    EXPECT_EQ(Input(), "1 52 3") << "the caret is back where it was";
    h.keys({kKeyOpenParen, kKeySin, kKeyMinus, kKeyTimes});  // keys the solver has no use for
    EXPECT_EQ(Input(), "1 52 3");
}

TEST_F(SolverTest, SystemOfEquationsThroughTheTable) {
    ASSERT_TRUE(s->pick("modes", EquationSolverView::kModeSystem));
    EXPECT_EQ(s->describe()["mode_title"], "N - Simultaneous Equations Solver");
    EXPECT_EQ(RowTexts(), std::vector<std::string>{EquationSolverView::kAddRowText});
    Type("1 1 3");
    EXPECT_TRUE(s->tap("enter"));
    Type("1 -1 1");
    h.keys({kKeySolverEnter});
    EXPECT_EQ(RowTexts(),
              (std::vector<std::string>{"X_1+X_2=3", "X_1-X_2=1", EquationSolverView::kAddRowText}));
    EXPECT_EQ(s->describe()["rows"][1]["number"], "2:");
    EXPECT_EQ(Input(), "");
    EXPECT_EQ(s->editedIndex(), 2);

    h.keys({kKeyEquals});
    EXPECT_TRUE(s->resultsShown());
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"X_1=2=2", "X_2=1=1"}));
    EXPECT_EQ(Input(), EquationSolverView::kHideResultsText);
    EXPECT_FALSE(s->describe()["input_selected"]);
    h.keys({kKey5, kKeyClear, kKeyEquals});
    EXPECT_EQ(Input(), EquationSolverView::kHideResultsText) << "keys are ignored while results show";
    EXPECT_FALSE(s->tap("row:0"));

    s->inputLine().touchDown({20, 10});  // the widget hands touches to the line
    EXPECT_FALSE(s->resultsShown());
    EXPECT_EQ(Input(), "");
    EXPECT_EQ(RowTexts().size(), 3u);
}

TEST_F(SolverTest, EditingAndDeletingEquations) {
    s->pick("modes", 1);
    for (const char* e : {"1 1 2", "2 2 4"}) {
        s->enterText("input", Utf8ToU16(e));
        s->tap("enter");
    }
    s->tap("equals");
    EXPECT_EQ(RowTexts(), std::vector<std::string>{kCannotSolveTex});
    s->tap("input");

    s->enterText("input", u"3/");
    EXPECT_TRUE(s->tap("enter"));
    EXPECT_EQ(s->equationCount(), 2) << "an incomplete equation is not appended";
    EXPECT_TRUE(s->tap("row:1"));
    EXPECT_EQ(Input(), "2 2 4");
    h.keys({kKeyDelete, kKey5});
    EXPECT_EQ(s->equation(1), "2 2 5");
    EXPECT_EQ(RowTexts()[1], "2X_1+2X_2=5");
    h.keys({kKeyClear});
    EXPECT_EQ(RowTexts()[1], "\\text{Empty}");
    EXPECT_TRUE(s->tap("delete:0"));
    EXPECT_EQ(s->equationCount(), 1);
    EXPECT_EQ(s->editedIndex(), 1) << "the add row is edited after a delete";
    EXPECT_FALSE(s->tap("delete:1"));
    EXPECT_FALSE(s->tap("row:2"));
    EXPECT_FALSE(s->tap("row:x"));
}

// Solving while an equation is being edited, then going back to the line: the line shows that equation
// again, so the next key edits it instead of replacing it with one character.
TEST_F(SolverTest, HidingTheResultsKeepsTheEditedEquation) {
    s->pick("modes", 1);
    for (const char* e : {"1 1 3", "1 -1 1"}) {
        s->enterText("input", Utf8ToU16(e));
        s->tap("enter");
    }
    ASSERT_TRUE(s->tap("row:0"));
    s->tap("equals");
    ASSERT_TRUE(s->resultsShown());
    s->tap("input");
    EXPECT_EQ(Input(), "1 1 3");
    h.keys({kKeyDelete, kKey4});
    EXPECT_EQ(s->equation(0), "1 1 4");
    EXPECT_EQ(s->equation(1), "1 -1 1");
}

TEST_F(SolverTest, EquationsThatDoNotFitTogetherRaiseAWarning) {
    s->pick("modes", 1);
    const std::vector<std::pair<std::vector<const char*>, std::string>> rows = {
        {{"1 1 2", "1 1 2 3"}, kUnequalLengthsAlert},
        {{"1 1", "2 2"}, kShapeAlert},
    };
    for (const auto& [equations, message] : rows) {
        while (s->equationCount() > 0) s->onDelete(0);
        for (const char* e : equations) {
            s->enterText("input", Utf8ToU16(e));
            s->tap("enter");
        }
        const size_t before = h.alerts.shown().size();
        h.keys({kKeyEquals});
        ASSERT_EQ(h.alerts.shown().size(), before + 1) << message;
        EXPECT_EQ(h.alerts.shown().back().title, "Warning!");
        EXPECT_EQ(h.alerts.shown().back().message, message);
        EXPECT_EQ(h.alerts.shown().back().buttons, std::vector<std::string>{"OK"});
        EXPECT_FALSE(s->resultsShown());
    }
}

TEST_F(SolverTest, InfoFileKeepsTheModeAndDamagedFilesGiveDefaults) {
    s->pick("modes", 1);
    s->enterText("input", u"1 2");
    s->tap("enter");
    h.restart();
    s = dynamic_cast<EquationSolverView*>(h.ctl().screens().find("equation_solver"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->mode(), 1);
    EXPECT_EQ(s->equationCount(), 0) << "the equations are not kept";
    const std::vector<std::uint8_t> saved = {0, 0, 0, 0, 1, 0, 0, 0};
    h.terminate();
    EXPECT_EQ(InfoFile(), saved) << "index 0 (reset on load), then the mode";

    SetInfoFile({7, 0, 0, 0, 1, 0, 0, 0});
    Launch();
    EXPECT_EQ(s->mode(), 1);
    EXPECT_EQ(s->editedIndex(), 0);
    h.terminate();
    EXPECT_EQ(InfoFile(), saved);

    for (const std::vector<std::uint8_t>& damaged : {std::vector<std::uint8_t>{0, 0, 0, 0, 1, 0, 0},
                                                     {0, 0, 0, 0, 1, 0, 0, 0, 0},
                                                     {0, 0, 0, 0, 2, 0, 0, 0},
                                                     {0, 0, 0, 0, 255, 255, 255, 255},
                                                     {}}) {
        SetInfoFile(damaged);
        Launch();
        EXPECT_EQ(s->mode(), 0) << testing::PrintToString(damaged);
        h.terminate();
    }
}

TEST_F(SolverTest, FormulaViewsDrawTheirBitmap) {
    ASSERT_FALSE(tex::TexFonts::Shared().empty()) << "the formula fonts (fonts-lmodern) are missing";
    Type("1 -3 2");
    h.keys({kKeyEquals});
    const MIMEView& view = s->formulaView();
    EXPECT_EQ(view.markup(), "\\large {X}^{2}-3X+2=0\\\\X_1=1=1\\\\X_2=2=2");
    const tex::GreyBitmap& bitmap = view.bitmap();
    ASSERT_FALSE(bitmap.empty());
    EXPECT_EQ(s->describe()["formula"]["width"], bitmap.width + MIMEView::kExtraWidth);
    EXPECT_EQ(s->describe()["formula"]["height"], bitmap.height);
    RecordingCanvas canvas;
    view.Draw(canvas, CanvasRect{20, 100, 320, 200});
    const auto drawn = canvas.callsOf(CanvasOp::DrawCoverage);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].rect.x, 30) << "10 points from the left";
    EXPECT_DOUBLE_EQ(drawn[0].rect.y, 100 + (200 - bitmap.height) / 2.0) << "centred";
    EXPECT_EQ(drawn[0].width, bitmap.width);
    EXPECT_EQ(drawn[0].height, bitmap.height);
    EXPECT_GT(drawn[0].inkSum, 0u);
    RecordingCanvas none;
    MIMEView("").Draw(none, CanvasRect{0, 0, 10, 10});
    EXPECT_TRUE(none.callsOf(CanvasOp::DrawCoverage).empty()) << "no ink, no drawing";
}

}  // namespace
