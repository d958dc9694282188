// The equation solver's parameter checks, formula texts and result lines, as plain functions.
#include <gtest/gtest.h>

#include "app/screens/equation_solver/equation_results.h"
#include "app/screens/equation_solver/equation_text.h"
#include "numeric/errors.h"

using namespace equation_solver;

namespace {

TEST(EquationText, ParameterChecksWhileTypingAndBeforeComputing) {
    struct Row {
        const char* parameter;
        bool typing, final;
    };
    const Row rows[] = {
        {"12", true, true},       {"-3/4", true, true},   {"1.5/2.5", true, true},
        {"1.5/-2.5", true, true}, {"1..5", false, false}, {"--2", false, false},
        {"1/2/3", false, false},  {"2-3", false, false},  {"/4", false, false},
        {"3/", true, false},      {"4.", true, false},    {"-", true, false},
        {".5", true, false},      {"-/3", false, true},   {"1.5.", false, false},
        {"1./.5", false, false},  {"1.5/.5", true, true}, {"1.5/2.5.3", false, false},
        {"-1-2", false, false},   {"", false, false},     {"1/-", true, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ValidateOneParameter(r.parameter), r.typing) << r.parameter;
        EXPECT_EQ(FinalValidateOneParameter(r.parameter), r.final) << r.parameter;
    }
}

TEST(EquationText, ListChecks) {
    struct Row {
        const char* text;
        bool allowMany, typing, final;
    };
    const Row rows[] = {
        {"1 -3 2", false, true, true},
        {" 1 -3 2 ", false, true, true},  // blanks at the ends are trimmed
        {"1  2", false, false, false},    // two blanks in a row
        {"", false, false, false},
        {" ", false, false, false},
        {"1 2 3 4 5", false, true, true},
        {"1 2 3 4 5 ", false, true, true},  // the blank before a sixth parameter is fine
        {"1 2 3 4 5 6", false, false, false},
        {"1 2 3 4 5 6", true, true, true},
        {"1 3/", false, true, false},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(ValidateParameters(r.text, r.allowMany), r.typing) << "'" << r.text << "'";
        EXPECT_EQ(FinalValidateParameters(r.text, r.allowMany), r.final) << "'" << r.text << "'";
    }
}

TEST(EquationText, FormulaTexts) {
    struct Row {
        const char* list;
        const char* equation;  // toEquationString
        const char* function;  // toFunctionString
    };
    const Row rows[] = {
        {"1 -3 2", "X^2-(3)X+(2)*=*0", "X_1-(3)X_2=(2)"},
        {"2", "(2)X*=*?", "(2)X_1=?"},
        {"-1 0 1", "-X^2+(1)*=*0", "-X_1=(1)"},
        {"0 0 5", "+(5)*=*0", "(5)"},  // the right side is written even without a term
        {"1 2 0", "X^2+(2)X*=*0", "X_1+(2)X_2=(0)"},
        {"2/2 -1/2 1.0", "X^2-(1/2)X+(1.0)*=*0", "X_1-(1/2)X_2=(1.0)"},
        {"3/ 1", "(3/)X+(1)*=*0", "(3/)X_1=(1)"},  // a half-typed number is no zero
    };
    for (const Row& r : rows) {
        EXPECT_EQ(toEquationString(r.list), r.equation) << r.list;
        EXPECT_EQ(toFunctionString(r.list), r.function) << r.list;
    }
    EXPECT_EQ(toEquationString(""), "");
    EXPECT_EQ(toFunctionString("1 2 3 4 5 6 7 8 9 10 11 1"),
              "X_1+(2)X_2+(3)X_3+(4)X_4+(5)X_5+(6)X_6+(7)X_7+(8)X_8+(9)X_9+(10)X_{10}+(11)X_{11}=(1)");
    EXPECT_EQ(FormulaTex("X^2-(3)X+(2)*=*0"), "{X}^{2}-3X+2=0");
    EXPECT_EQ(FormulaTex("X-(1/2)*=*0"), "X-\\frac{1}{2}=0");
    EXPECT_EQ(FormulaTex("(1/-2)X*=*?"), "\\frac{1}{-2}X=?") << "the sign stays in the denominator";
}

TEST(EquationText, FractionsDegreesAndNumbers) {
    EXPECT_EQ(processFraction("1 1/2"), "1 (1/2)");
    EXPECT_EQ(processFraction("-1/3"), "(-1/3)");
    EXPECT_EQ(processFraction("(1+sqrt(2))/(3) 4"), "((1+sqrt(2))/(3)) 4");
    EXPECT_EQ(GuardSignedDenominators("1/-2 -3/-4.5"), "1/(-2) -3/(-4.5)");
    std::string rest;
    EXPECT_EQ(getEquationDegree("0 0 1 -3 2", rest), 2);
    EXPECT_EQ(rest, "1 -3 2");
    EXPECT_EQ(getEquationDegree("0 0/7 0", rest), -1);
    EXPECT_EQ(rest, "");
    EXPECT_EQ(getEquationDegree("1/0 2", rest), 1) << "a number that does not evaluate is no zero";
    EXPECT_EQ(Compare("2/4", 0.5), 1);
    EXPECT_EQ(Compare("", 0), 0);
    EXPECT_EQ(Compare("1/0", 0), 0);
    EXPECT_EQ(GetErrorCode(), kErrNone);
    std::vector<double> values;
    EXPECT_TRUE(parseParameters(" 1  -1/-4 ", values));
    EXPECT_EQ(values, (std::vector<double>{1, 0.25}));
    EXPECT_FALSE(parseParameters("1 1/0", values));
    EXPECT_EQ(GetErrorCode(), kErrNone);
    EXPECT_EQ(TrimmedDecimal(2.5, 12), "2.5");
    EXPECT_EQ(TrimmedDecimal(-1e-14, 12), "0");
    EXPECT_EQ(TrimmedDecimal(300, 6), "300");
    EXPECT_EQ(TrimmedNumberText("-2.0000000000"), "-2");
}

TEST(EquationResults, PolynomialLines) {
    struct Row {
        const char* list;
        std::vector<std::string> tex;
        bool solved;
    };
    const Row rows[] = {
        {"0 0 1 -3 2", {"X_1=1=1", "X_2=2=2"}, true},  // leading zeros dropped; gpt's order
        {"2 4", {"X=-2=-2"}, true},
        {"3 1", {"X={-\\frac{1}{3}}=-0.333333333333"}, true},
        {"1 -2 -1", {"X_1={1-\\sqrt{2}}=-0.414213562373", "X_2={1+\\sqrt{2}}=2.414213562373"}, true},
        {"1/-2 3", {"X=6=6"}, true},
        {"1 0 1", {kCannotSolveTex}, false},
        {"0 5", {kInvalidDegreeTex}, false},
        {"0", {kInvalidDegreeTex}, false},
        {"3/", {kInvalidListTex}, false},
        {"4.", {kInvalidListTex}, false},
        {"1/0 2 4", {kInvalidListTex}, false},  // not solved as 2X+4 with the 1/0 taken for a zero
        {"1 2 3 4 5 6", {kInvalidListTex}, false},
        {"1 -6 11 -6", {"X_1=3", "X_2=1", "X_3=2"}, true},
        {"1 0 0 0 -1", {"X_1=1", "X_2\\text{ is complex}", "X_3=-1", "X_4\\text{ is complex}"}, true},
    };
    for (const Row& r : rows) {
        const SolverOutcome o = SolvePolynomial(r.list);
        std::vector<std::string> tex;
        for (const SolverLine& l : o.lines) tex.push_back(l.tex);
        EXPECT_EQ(tex, r.tex) << r.list;
        EXPECT_EQ(o.solved, r.solved) << r.list;
        EXPECT_EQ(GetErrorCode(), kErrNone) << r.list;
    }
    const SolverOutcome plain = SolvePolynomial("1 -2 -1");
    EXPECT_EQ(plain.lines[0].plain, "X_1 = (1-sqrt(2)) = -0.414213562373");
    EXPECT_EQ(SolvePolynomial("1 0 1").lines[0].plain, "Cannot be solved!");
}

TEST(EquationResults, SystemLines) {
    struct Row {
        std::vector<std::string> equations;
        std::vector<std::string> tex;
        std::string alert;
    };
    const Row rows[] = {
        {{"1 1 3", "1 -1 1"}, {"X_1=2=2", "X_2=1=1"}, ""},
        {{"3 1 1", "1 3 2"}, {"X_1=\\frac{1}{8}=0.125", "X_2=\\frac{5}{8}=0.625"}, ""},
        {{"2 -3"}, {"X_1=-1 \\frac{1}{2}=-1.5"}, ""},
        {{"1 1 2", "2 2 4"}, {kCannotSolveTex}, ""},
        {{"1 1 2", "1 1 2 3"}, {}, kUnequalLengthsAlert},
        {{"1 1", "2 2"}, {}, kShapeAlert},
        {{"1 1 3/", "1 -1 1"}, {kInvalidListTex}, ""},
        {{}, {kCannotSolveTex}, ""},
    };
    for (const Row& r : rows) {
        const SolverOutcome o = SolveSystem(r.equations);
        std::vector<std::string> tex;
        for (const SolverLine& l : o.lines) tex.push_back(l.tex);
        EXPECT_EQ(tex, r.tex) << testing::PrintToString(r.equations);
        EXPECT_EQ(o.alert, r.alert) << testing::PrintToString(r.equations);
    }
    EXPECT_EQ(SolveSystem({"2 -3"}).lines[0].plain, "X_1 = -1 1/2 = -1.5");
}

}  // namespace
