// Sampling: domain edges, unusable expressions, the sample bound.
#include <cmath>
#include <string>

#include "engine/eval/evaluate.h"
#include "numeric/errors.h"
#include "plot_fixture.h"

namespace {

using PlotSampling = PlotTest;

TEST_F(PlotSampling, DomainEdgesAreBisectedToTheTolerance) {
    struct Row {
        const char* expression;
        std::vector<double> edges;  // where stretches start or end inside the view, in x order
    };
    const Row rows[] = {
        {"sqrt(x)", {0}},     {"ln(x)", {0}},           {"sqrt(-x)", {0}},
        {"asin(x)", {-1, 1}}, {"sqrt(x^2-4)", {-2, 2}}, {"sqrt(x-3)+sqrt(7-x)", {3, 7}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        RemoveAllGraph();
        ASSERT_EQ(AddGraph(row.expression, "x", 255, 0, 0), kErrNone);
        const GRAPH_DATA& g = G(0);
        ASSERT_GT(g.count(), 2);
        // Each edge is a stored sample within the tolerance of the true edge, on the defined side.
        for (double edge : row.edges) {
            double nearest = 1e9;
            for (double x : g.m_X) nearest = std::min(nearest, std::fabs(x - edge));
            EXPECT_LE(nearest, kGraphEdgeTolerance) << edge;
        }
        for (size_t k = 1; k < g.m_X.size(); ++k) {
            ASSERT_LT(g.m_X[k - 1], g.m_X[k]);
            // Within a stretch neighbours are at most one step apart.
            const double mid = (g.m_X[k - 1] + g.m_X[k]) / 2;
            double y;
            if (GraphValueAt(0, mid, y)) {
                EXPECT_LE(g.m_X[k] - g.m_X[k - 1], kGraphStepX + 1e-12) << g.m_X[k];
            }
        }
        EXPECT_GE(g.m_X.front(), S().m_From);
        EXPECT_LE(g.m_X.back(), S().m_To);
    }
}

TEST_F(PlotSampling, CoversTheRangeAtTheStep) {
    ASSERT_EQ(AddGraph("sin(x)", "x", 0, 255, 0), kErrNone);
    const GRAPH_DATA& g = G(0);
    EXPECT_EQ(g.m_X.front(), -15.5);  // From = -(155 + 0) / 10
    EXPECT_GT(g.m_X.back(), S().m_To - kGraphStepX);
    EXPECT_EQ(g.count(), static_cast<int>(31 / kGraphStepX) + 1);
    EXPECT_NEAR(g.m_Y[100], std::sin(g.m_X[100]), 1e-12);  // radians whatever the calculator's mode
}

TEST_F(PlotSampling, UnusableExpressionsAreReportedAndKeepTheirPlace) {
    struct Row {
        std::string expression;
        int code;
    };
    const Row rows[] = {
        {"", kErrSyntax},
        {"1+*x", kErrSyntax},
        {"sin(x", kErrSyntax},
        {"y+1", kErrSyntax},  // not the plot's variable
        {std::string(kEngineTextSize, '1'), kErrCallSyntax},
        {"gcd(x,", kErrCallSyntax},
        {"sqrt(x-100)", kErrNone},  // usable, just nothing to see here
    };
    int index = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression.substr(0, 20));
        EXPECT_EQ(AddGraph(row.expression.c_str(), "x", 1, 2, 3), row.code);
        EXPECT_EQ(S().m_Count, ++index);
        EXPECT_EQ(G(index - 1).count(), 0);
        EXPECT_EQ(GetErrorCode(), kErrNone);
    }
    double y = 0;
    EXPECT_FALSE(GraphValueAt(0, 1, y));
    EXPECT_FALSE(GraphValueAt(index, 1, y));
    EXPECT_TRUE(GraphValueAt(index - 1, 104, y));
    EXPECT_DOUBLE_EQ(y, 2);
}

TEST_F(PlotSampling, ColoursVariableAndEngineStateAfterwards) {
    SetMode(0);
    EXPECT_EQ(AddGraph("t^2", "t", 300, -4, 128), kErrNone);
    EXPECT_EQ(G(0).m_red, 255);
    EXPECT_EQ(G(0).m_green, 0);
    EXPECT_EQ(G(0).m_blue, 128);
    EXPECT_EQ(G(0).m_sVariable, "t");
    // The go-to evaluates function texts with fnex afterwards: it finds the plot's radians and variable.
    EXPECT_EQ(g_Mode, 1);
    EXPECT_DOUBLE_EQ(fnex(3, "t^2"), 9);
    EXPECT_EQ(AddGraph("x", nullptr, 0, 0, 0), kErrNone);  // no name: "x"
    EXPECT_EQ(G(1).count(), G(0).count());
}

TEST_F(PlotSampling, TheSampleBoundHoldsAtEveryStep) {
    // 16384 pixels at 8 per unit need 41 000 samples: the graph keeps the leftmost kGraphMaxSamples.
    Reset(0, 0, kGraphMaxSide, 400);
    Zoom(kGraphMinPixels - kGraphDefaultPixels, 0);
    ASSERT_EQ(AddGraph("sin(x)", "x", 255, 0, 0), kErrNone);
    ASSERT_EQ(AddGraph("sqrt(x+900)", "x", 255, 0, 0), kErrNone);
    EXPECT_EQ(G(0).count(), kGraphMaxSamples);
    EXPECT_EQ(G(0).m_X.front(), S().m_From);
    EXPECT_EQ(G(1).count(), kGraphMaxSamples);
    auto check = [&](const char* step) {
        for (int i = 0; i < 2; ++i) {
            EXPECT_LE(G(i).count(), kGraphMaxSamples) << step;
            EXPECT_EQ(G(i).m_X.size(), G(i).m_Y.size()) << step;
        }
    };
    Move(500, 0);
    check("pan right");
    Move(-3000, 0);
    check("pan left");
    Zoom(4, 4);
    check("zoom in");
    Zoom(-4, -4);
    check("zoom out");
    ReCalculate();
    check("recalculate");
}

TEST_F(PlotSampling, EdgesFarFromTheOriginStillEnd) {
    // At 16.7 million neighbouring doubles lie 4e-9 apart, wider than the tolerance: the bisection must
    // stop at the last representable point instead of spinning.
    Zoom(kGraphMinPixels - kGraphDefaultPixels, 0);
    Move(kGraphMaxOffset, 0);
    EXPECT_EQ(S().m_nOffsetX, kGraphMaxOffset);
    ASSERT_EQ(AddGraph("sqrt(x+16777216)", "x", 255, 0, 0), kErrNone);
    ASSERT_GT(G(0).count(), 0);
    EXPECT_NEAR(G(0).m_X.front(), -16777216, 1e-8);
}

}  // namespace
