// Times each extended-precision routine and MPFR's equivalent at 336 bits on the same operands, in the same
// run, and prints the ratio (ours / MPFR) with the target for each.
#include <benchmark/benchmark.h>
#include <mpfr.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "best_times.h"
#include "numeric/qlib.h"

namespace {

constexpr int kOps = 256;  // operands cycled through by every benchmark

struct Operands {
    std::vector<std::array<QELT, NQ>> a, b;
    std::vector<std::string> text;
    mpfr_t* ma;
    mpfr_t* mb;
};

void random_q(std::mt19937_64& rng, int emin, int emax, bool neg, QELT* q) {
    std::uniform_int_distribution<int> ed(emin, emax);
    q[0] = (neg && (rng() & 1)) ? 0xFFFF : 0;
    q[1] = static_cast<QELT>(ed(rng) + QEXPBIAS);
    q[2] = 0;
    for (int i = 3; i < NQ; ++i) q[i] = static_cast<QELT>(rng());
    q[3] |= 0x8000;
}

void to_mpfr(const QELT* q, mpfr_t out) {
    mpz_t z;
    mpz_init(z);
    for (int i = 3; i < NQ; ++i) {
        mpz_mul_2exp(z, z, 16);
        mpz_add_ui(z, z, q[i]);
    }
    mpfr_set_z(out, z, MPFR_RNDN);
    mpfr_mul_2si(out, out, static_cast<long>(q[1]) - QEXPBIAS - 336, MPFR_RNDN);
    if (q[0]) mpfr_neg(out, out, MPFR_RNDN);
    mpz_clear(z);
}

// Operand sets: "wide" for arithmetic, "unit" (|x| in [1/16, 16)) for the functions.
Operands& operands(const std::string& kind) {
    static std::map<std::string, Operands> sets;
    auto it = sets.find(kind);
    if (it != sets.end()) return it->second;
    Operands& o = sets[kind];
    std::mt19937_64 rng(kind.size());
    o.a.resize(kOps);
    o.b.resize(kOps);
    o.ma = new mpfr_t[kOps];
    o.mb = new mpfr_t[kOps];
    for (int i = 0; i < kOps; ++i) {
        bool unit = kind == "unit" || kind == "positive";
        bool neg = kind != "positive";
        random_q(rng, unit ? -3 : -300, unit ? 4 : 300, neg, o.a[i].data());
        random_q(rng, unit ? -3 : -300, unit ? 4 : 300, neg, o.b[i].data());
        if (kind == "wide" && (i & 1)) {
            // Half of the pairs lie within a few binades of each other, so that sums really combine bits.
            o.b[i][1] = static_cast<QELT>(o.a[i][1] + static_cast<int>(rng() % 40) - 20);
        }
        mpfr_init2(o.ma[i], 336);
        mpfr_init2(o.mb[i], 336);
        to_mpfr(o.a[i].data(), o.ma[i]);
        to_mpfr(o.b[i].data(), o.mb[i]);
        o.text.push_back(qtoascex_str(o.a[i].data(), 99));
    }
    return o;
}

template <typename F>
void run(benchmark::State& state, F f) {
    size_t i = 0;
    for (auto _ : state) {
        f(i & (kOps - 1));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

#define QBIN(name, set, qcall, mcall)          \
    void BM_q_##name(benchmark::State& s) {    \
        Operands& o = operands(set);           \
        QELT r[NQ];                            \
        run(s, [&](size_t i) {                 \
            qcall;                             \
            benchmark::DoNotOptimize(r);       \
        });                                    \
    }                                          \
    void BM_mpfr_##name(benchmark::State& s) { \
        Operands& o = operands(set);           \
        mpfr_t r;                              \
        mpfr_init2(r, 336);                    \
        run(s, [&](size_t i) {                 \
            mcall;                             \
            benchmark::DoNotOptimize(r);       \
        });                                    \
        mpfr_clear(r);                         \
    }                                          \
    BENCHMARK(BM_q_##name);                    \
    BENCHMARK(BM_mpfr_##name);

QBIN(add, "wide", qadd(o.a[i].data(), o.b[i].data(), r), mpfr_add(r, o.mb[i], o.ma[i], MPFR_RNDN))
QBIN(sub, "wide", qsub(o.a[i].data(), o.b[i].data(), r), mpfr_sub(r, o.mb[i], o.ma[i], MPFR_RNDN))
QBIN(mul, "wide", qmul(o.a[i].data(), o.b[i].data(), r), mpfr_mul(r, o.mb[i], o.ma[i], MPFR_RNDN))
QBIN(div, "wide", qdiv(o.a[i].data(), o.b[i].data(), r), mpfr_div(r, o.mb[i], o.ma[i], MPFR_RNDN))
QBIN(sqrt, "positive", qsqrt(o.a[i].data(), r), mpfr_sqrt(r, o.ma[i], MPFR_RNDN))
QBIN(exp, "unit", qexp(o.a[i].data(), r), mpfr_exp(r, o.ma[i], MPFR_RNDN))
QBIN(log, "positive", qlog(o.a[i].data(), r), mpfr_log(r, o.ma[i], MPFR_RNDN))
QBIN(sin, "unit", qsin(o.a[i].data(), r), mpfr_sin(r, o.ma[i], MPFR_RNDN))
QBIN(cos, "unit", qcos(o.a[i].data(), r), mpfr_cos(r, o.ma[i], MPFR_RNDN))
QBIN(atan, "unit", qatn(o.a[i].data(), r), mpfr_atan(r, o.ma[i], MPFR_RNDN))
QBIN(pow, "positive", qpow(o.a[i].data(), o.b[i].data(), r), mpfr_pow(r, o.ma[i], o.mb[i], MPFR_RNDN))

void BM_q_qtoasc(benchmark::State& s) {
    Operands& o = operands("wide");
    char buf[QTOASC_SIZE];
    run(s, [&](size_t i) {
        qtoascex(o.a[i].data(), buf, 99);
        benchmark::DoNotOptimize(buf);
    });
}
void BM_mpfr_qtoasc(benchmark::State& s) {
    Operands& o = operands("wide");
    char buf[256];
    mpfr_exp_t e;
    run(s, [&](size_t i) {
        mpfr_get_str(buf, &e, 10, 100, o.ma[i], MPFR_RNDN);
        benchmark::DoNotOptimize(buf);
    });
}
void BM_q_asctoq(benchmark::State& s) {
    Operands& o = operands("wide");
    QELT r[NQ];
    run(s, [&](size_t i) {
        asctoq(o.text[i].c_str(), r);
        benchmark::DoNotOptimize(r);
    });
}
void BM_mpfr_asctoq(benchmark::State& s) {
    Operands& o = operands("wide");
    mpfr_t r;
    mpfr_init2(r, 336);
    run(s, [&](size_t i) {
        mpfr_set_str(r, o.text[i].c_str(), 10, MPFR_RNDN);
        benchmark::DoNotOptimize(r);
    });
    mpfr_clear(r);
}
BENCHMARK(BM_q_qtoasc);
BENCHMARK(BM_mpfr_qtoasc);
BENCHMARK(BM_q_asctoq);
BENCHMARK(BM_mpfr_asctoq);

// The ratio table from the fastest repetitions (wall time).
void PrintTable(const BestTimes& best) {
    const std::pair<const char*, double> targets[] = {
        {"add", 1.0}, {"sub", 1.0},    {"mul", 1.0},    {"div", 1.5}, {"sqrt", 1.5},
        {"exp", 2.0}, {"log", 2.0},    {"sin", 2.0},    {"cos", 2.0}, {"atan", 2.0},
        {"pow", 2.0}, {"qtoasc", 2.0}, {"asctoq", 2.0},
    };
    std::printf("\n%-8s %12s %12s %8s %8s\n", "routine", "ours (ns)", "MPFR (ns)", "ratio", "target");
    for (auto& [name, target] : targets) {
        double q = best("BM_q_" + std::string(name)), m = best("BM_mpfr_" + std::string(name));
        if (q == 0 || m == 0) continue;
        std::printf("%-8s %12.1f %12.1f %8.2f %8.1f %s\n", name, q, m, q / m, target,
                    q / m <= target ? "ok" : "OVER");
    }
}

}  // namespace

int main(int argc, char** argv) {
    return RunAndTabulate(argc, argv, PrintTable, true);
}
