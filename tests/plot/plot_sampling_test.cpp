// Sampling: domain edges, unusable expressions, the engine state left behind, the sample bound.
#include <cmath>
#include <string>

#include "engine/eval/evaluate.h"
#include "plot_fixture.h"

namespace {

using PlotSampling = PlotTest;

TEST_F(PlotSampling, DomainEdgesAreBisectedToTheTolerance) {
    struct Row {
        const char* expression;
        std::vector<double> edges;  // where stretches start or end inside the view
    };
    const Row rows[] = {
        {"sin(x)", {}},
        {"sqrt(x)", {0}},
        {"ln(x)", {0}},
        {"sqrt(-x)", {0}},
        {"asin(x)", {-1, 1}},
        {"sqrt(x^2-4)", {-2, 2}},
        {"sqrt(x-3)+sqrt(7-x)", {3, 7}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        RemoveAllGraph();
        ASSERT_EQ(AddGraph(row.expression, "x", 255, 0, 0), kErrNone);
        const GRAPH_DATA& g = G(0);
        ASSERT_GT(g.count(), 2);
        for (double edge : row.edges) {  // a sample within the tolerance of each edge
            double nearest = 1e9;
            for (double x : g.m_X) nearest = std::min(nearest, std::fabs(x - edge));
            EXPECT_LE(nearest, kGraphEdgeTolerance) << edge;
        }
        for (size_t k = 1; k < g.m_X.size(); ++k) {
            ASSERT_LT(g.m_X[k - 1], g.m_X[k]);
            double y;  // inside a stretch neighbours are at most a step apart
            const bool sameStretch = GraphValueAt(0, (g.m_X[k - 1] + g.m_X[k]) / 2, y);
            EXPECT_TRUE(!sameStretch || g.m_X[k] - g.m_X[k - 1] <= kGraphStepX + 1e-12) << g.m_X[k];
        }
        EXPECT_TRUE(g.m_X.front() >= S().m_From && g.m_X.back() <= S().m_To);
    }
    // The walk starts at From = -(155 + 0) / 10 and visits every step up to To, in radians.
    RemoveAllGraph();
    SetMode(0);
    ASSERT_EQ(AddGraph("sin(x)", "x", 0, 255, 0), kErrNone);
    EXPECT_EQ(G(0).m_X.front(), -15.5);
    EXPECT_EQ(G(0).count(), static_cast<int>(31 / kGraphStepX) + 1);
    EXPECT_NEAR(G(0).m_Y[100], std::sin(G(0).m_X[100]), 1e-12);
}

TEST_F(PlotSampling, UnusableExpressionsAreReportedAndKeepTheirPlace) {
    struct Row {
        std::string expression;
        int code;
    };
    const Row rows[] = {
        {"", kErrSyntax},
        {"1+*x", kErrSyntax},
        {"y+1", kErrSyntax},  // not the plot's variable
        {std::string(kEngineTextSize, '1'), kErrCallSyntax},
        {"gcd(x,", kErrCallSyntax},
        {"sqrt(x-100)", kErrNone},  // usable, just nothing to see here
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        SCOPED_TRACE(rows[i].expression.substr(0, 20));
        EXPECT_EQ(AddGraph(rows[i].expression.c_str(), "x", 1, 2, 3), rows[i].code);
        EXPECT_EQ(S().m_Count, static_cast<int>(i) + 1);
        EXPECT_EQ(G(static_cast<int>(i)).count(), 0);
        EXPECT_EQ(GetErrorCode(), kErrNone);
    }
    double y = 0;
    EXPECT_FALSE(GraphValueAt(0, 1, y));
    EXPECT_FALSE(GraphValueAt(6, 1, y));
    EXPECT_TRUE(GraphValueAt(5, 104, y));
    EXPECT_DOUBLE_EQ(y, 2);
}

TEST_F(PlotSampling, ColoursVariableAndTheEngineStateLeft) {
    EXPECT_EQ(AddGraph("t^2", "t", 300, -4, 128), kErrNone);
    EXPECT_TRUE(G(0).m_red == 255 && G(0).m_green == 0 && G(0).m_blue == 128);
    // A go-to evaluates the function texts with fnex afterwards: it finds the plot's radians and variable.
    EXPECT_EQ(g_Mode, 1);
    EXPECT_DOUBLE_EQ(fnex(3, "t^2"), 9);
    EXPECT_EQ(AddGraph("x", nullptr, 0, 0, 0), kErrNone);  // no name: "x"
    EXPECT_EQ(G(1).count(), G(0).count());
}

TEST_F(PlotSampling, TheSampleBoundHoldsAtEveryStep) {
    // 16384 pixels at 8 per unit need 41 000 samples: a graph keeps the leftmost kGraphMaxSamples.
    Reset(0, 0, kGraphMaxSide, 400);
    Zoom(kGraphMinPixels - kGraphDefaultPixels, 0);
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("sqrt(x+900)", "x", 255, 0, 0), kErrNone);
    EXPECT_EQ(G(0).m_X.front(), S().m_From);
    const char* steps[] = {"added", "pan right", "pan left", "zoom in", "zoom out", "recalculate"};
    for (const char* step : steps) {
        if (step == steps[1]) Move(500, 0);
        if (step == steps[2]) Move(-3000, 0);
        if (step == steps[3]) Zoom(4, 4);
        if (step == steps[4]) Zoom(-4, -4);
        if (step == steps[5]) ReCalculate();
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(G(i).count(), step == steps[3] ? G(i).count() : kGraphMaxSamples) << step;
            EXPECT_LE(G(i).count(), kGraphMaxSamples) << step;
            EXPECT_EQ(G(i).m_X.size(), G(i).m_Y.size()) << step;
        }
    }
}

TEST_F(PlotSampling, EdgesFarFromTheOriginStillEnd) {
    // At 16.7 million neighbouring doubles lie 4e-9 apart, wider than the tolerance: the bisection must
    // stop at the last representable point instead of spinning.
    Zoom(kGraphMinPixels - kGraphDefaultPixels, 0);
    Move(kGraphMaxOffset * 2, 0);
    EXPECT_EQ(S().m_nOffsetX, kGraphMaxOffset);
    ASSERT_EQ(AddGraph("sqrt(x+16777216)", "x", 255, 0, 0), kErrNone);
    ASSERT_GT(G(0).count(), 0);
    EXPECT_NEAR(G(0).m_X.front(), -16777216, 1e-8);
}

}  // namespace
