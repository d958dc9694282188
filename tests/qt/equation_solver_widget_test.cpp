// The Equation Solver page through its widget: the number pad types into its line, its buttons add blanks,
// equations and solve; x^2 - 3x + 2 = 0 and a 2 x 2 system solved as the headless run solves them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <QToolButton>

#include "app/keys/key_codes.h"
#include "qt/screens/equation_solver_widget.h"
#include "qt/widgets/lite_line_widget.h"
#include "screen_test_support.h"

namespace {

class EquationSolverWidgetTest : public testing::Test {
  protected:
    void SetUp() override {
        h.ctl().selectCategoryItem(kCatEquationSolver);
        h.settle(400);
        h.window->refresh();
        w = FindInWindow<EquationSolverWidget>(h);
        ASSERT_NE(w, nullptr);
        ASSERT_TRUE(w->isVisible());
        words = "category:" + std::to_string(kCatEquationSolver);
    }
    // Number pad keys by mouse; the same codes as words.
    void pad(std::initializer_list<int> codes) {
        for (int code : codes) {
            ASSERT_TRUE(ClickPadKey(h, code)) << code;
            words += ' ';  // (appended apart: GCC 12 warns wrongly about " " + string)
            words += std::to_string(code);
        }
    }
    void button(const char* name) {
        Click(h, w->button(name));
        words += std::string(" tap:equation_solver/") + name;
    }
    nlohmann::json screen() { return Describe(h, "equation_solver"); }
    nlohmann::json headless() { return RunKeys(words)["screens"]["equation_solver"]; }

    GuiHarness h;
    EquationSolverWidget* w = nullptr;
    std::string words;
};

TEST_F(EquationSolverWidgetTest, SolvesAQuadraticTypedOnThePad) {
    if (screen()["mode"] != 0) {
        w->modes()->setCurrentIndex(0);
        words += " list:equation_solver/modes:0";
    }
    pad({kKey1});
    button("blank");
    pad({kKeyChangeSign, kKey3});
    button("blank");
    pad({kKey2});
    EXPECT_EQ(screen()["input"], "1 -3 2");
    button("equals");
    nlohmann::json s = screen();
    ASSERT_EQ(s["results"].size(), 2u) << s.dump();
    EXPECT_EQ(s["results"], nlohmann::json::array({"X_1=1=1", "X_2=2=2"}));
    EXPECT_EQ(s["formula"]["tex"], "{X}^{2}-3X+2=0\\\\X_1=1=1\\\\X_2=2=2");
    EXPECT_EQ(s, headless());
    // The formula with its roots is drawn, as tall as the three lines need.
    EXPECT_GE(w->formula()->height(), s["formula"]["height"].get<int>());
    EXPECT_GT(ColourCount(Picture(w->formula())), 3);
    Shoot(h, "equation_solver_quadratic");
}

TEST_F(EquationSolverWidgetTest, ASystemInTheTableWithDeleteAndResults) {
    w->modes()->setCurrentIndex(1);
    words += " list:equation_solver/modes:1";
    ASSERT_EQ(screen()["mode"], 1);
    ASSERT_TRUE(w->button("enter")->isVisible());
    // 1 1 3 and 1 -1 1, each added with the Add button; a third one deleted again.
    for (auto eq : {std::vector<int>{kKey1, kKey1, kKey3}, std::vector<int>{kKey1, -kKey1, kKey1},
                    std::vector<int>{kKey2, kKey2, kKey2}}) {
        for (size_t i = 0; i < eq.size(); ++i) {
            if (i > 0) button("blank");
            if (eq[i] < 0) pad({kKeyChangeSign});
            pad({std::abs(eq[i])});
        }
        button("enter");
    }
    ASSERT_EQ(w->tableRows().size(), 4u);  // three equations and the add row
    EXPECT_EQ(w->tableRows().back()->objectName(), "addRow");
    EXPECT_EQ(screen(), headless());
    Shoot(h, "equation_solver_system");
    Click(h, w->tableRows()[2]->findChild<QToolButton*>("delete2"));
    words += " tap:equation_solver/delete:2";
    ASSERT_EQ(w->tableRows().size(), 3u);
    // A click on the first row edits it; the add row again takes a new one.
    Click(h, w->tableRows()[0]);
    words += " tap:equation_solver/row:0";
    EXPECT_EQ(screen()["edited"], 0);
    EXPECT_EQ(screen()["input"], "1 1 3");
    Click(h, w->tableRows()[2]);
    words += " tap:equation_solver/row:2";
    EXPECT_EQ(screen()["input"], "");
    button("equals");
    nlohmann::json s = screen();
    ASSERT_TRUE(s["results_shown"]);
    ASSERT_EQ(s["results"].size(), 2u);
    EXPECT_NE(s["results"][0].get<std::string>().find("X_1=2"), std::string::npos) << s.dump();
    EXPECT_EQ(w->tableRows().size(), 2u);
    EXPECT_FALSE(w->button("equals")->isEnabled());
    EXPECT_EQ(s, headless());
    Shoot(h, "equation_solver_results");
    // A touch on the line brings the equations back.
    Click(h, w->inputLine());
    words += " tap:equation_solver/input";
    s = screen();
    EXPECT_FALSE(s["results_shown"]);
    EXPECT_EQ(w->tableRows().size(), 3u);
    EXPECT_EQ(s, headless());
}

TEST_F(EquationSolverWidgetTest, EquationsOfDifferentLengthsAskWithTheWarning) {
    w->modes()->setCurrentIndex(1);
    pad({kKey1});
    button("blank");
    pad({kKey2});
    button("enter");
    pad({kKey1});
    button("blank");
    pad({kKey2});
    button("blank");
    pad({kKey3});
    button("enter");
    button("equals");
    ASSERT_NE(h.context->alerts().openBox(), nullptr);
    EXPECT_TRUE(AnswerBox(h, "OK"));
    EXPECT_FALSE(screen()["results_shown"]);
}

}  // namespace
