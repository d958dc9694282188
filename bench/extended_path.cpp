// Times the extended-precision evaluation (ExprEvaluation, tokenizing and converting every time, degree
// mode) on ten typical calculator lines and, where libqalculate is installed, the same lines through
// libqalculate at 101 significant digits in degree mode, in the same run; prints ours / libqalculate.
#include <benchmark/benchmark.h>

#include "best_times.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "engine/eval/evaluate.h"
#include "numeric/errors.h"

#ifdef ORV_HAVE_QALCULATE
#include <libqalculate/qalculate.h>
#endif

namespace {

constexpr double kTarget = 0.1;

struct Line {
    const char* ours;    // engine text
    const char* theirs;  // libqalculate's syntax
};

const Line kLines[] = {
    {"sin ( 30 ) + 2 ^ 3 ^ 2", "sin(30) + 2^3^2"},
    {"sqrt ( 2 ) * ln ( 10 ) / 3", "sqrt(2) * ln(10) / 3"},
    {"( 1 + 2 * i ) * ( 3 - 4 * i ) / ( 5 + 6 * i )", "(1 + 2i) * (3 - 4i) / (5 + 6i)"},
    {"1 + 2 * 3 - 4 / 5", "1 + 2 * 3 - 4 / 5"},
    {"cos ( 45 ) ^ 2 + sin ( 45 ) ^ 2", "cos(45)^2 + sin(45)^2"},
    {"log ( 1000 ) + ln ( e ^ 2 )", "log10(1000) + ln(e^2)"},
    {"tan ( 60 ) * atan ( 1 )", "tan(60) * atan(1)"},
    {"2 ^ 0.5 * 3 ^ ( 1 / 3 )", "2^0.5 * 3^(1/3)"},
    {"asin ( 0.5 ) + acos ( 0.5 )", "asin(0.5) + acos(0.5)"},
    {"20 ! / ( 3 ! * 17 ! )", "20! / (3! * 17!)"},
};
constexpr int kLineCount = sizeof kLines / sizeof kLines[0];

void BM_ours(benchmark::State& state) {
    const Line& l = kLines[state.range(0)];
    for (auto _ : state) {
        ClearErrorCode();
        SetMode(0);
        bool ok = false;
        qcmplx r = ExprEvaluation(l.ours, ok, nullptr, nullptr, 10);
        benchmark::DoNotOptimize(r);
        if (!ok) state.SkipWithError("evaluation failed");
    }
    state.SetLabel(l.ours);
}
BENCHMARK(BM_ours)->DenseRange(0, kLineCount - 1)->Unit(benchmark::kMicrosecond);

#ifdef ORV_HAVE_QALCULATE
Calculator& Qalculate() {
    static Calculator* calc = [] {
        auto* c = new Calculator();
        c->loadGlobalDefinitions();
        c->setPrecision(101);
        return c;
    }();
    return *calc;
}

void BM_libqalculate(benchmark::State& state) {
    const Line& l = kLines[state.range(0)];
    Calculator& calc = Qalculate();
    EvaluationOptions eo;
    eo.approximation = APPROXIMATION_APPROXIMATE;
    eo.parse_options.angle_unit = ANGLE_UNIT_DEGREES;
    for (auto _ : state) {
        MathStructure r = calc.calculate(l.theirs, eo);
        benchmark::DoNotOptimize(r);
    }
    state.SetLabel(l.theirs);
}
BENCHMARK(BM_libqalculate)->DenseRange(0, kLineCount - 1)->Unit(benchmark::kMicrosecond);
#endif

// Keeps the fastest run (CPU time) of each benchmark and prints the ratio table at the end.
void PrintTable(const BestTimes& best_) {
    std::printf("\n%-48s %10s %14s %8s %8s\n", "line", "ours (us)", "qalculate (us)", "ratio", "target");
    for (int i = 0; i < kLineCount; ++i) {
        const double ours = best_("BM_ours/" + std::to_string(i));
        const double theirs = best_("BM_libqalculate/" + std::to_string(i));
        if (theirs > 0)
            std::printf("%-48s %10.2f %14.1f %8.3f %8.1f %s\n", kLines[i].ours, ours, theirs, ours / theirs,
                        kTarget, ours / theirs <= kTarget ? "ok" : "OVER");
        else
            std::printf("%-48s %10.2f %14s\n", kLines[i].ours, ours, "(no libqalculate)");
    }
}

}  // namespace

int main(int argc, char** argv) {
    return RunAndTabulate(argc, argv, PrintTable);
}
