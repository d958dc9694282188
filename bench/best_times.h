// The benchmarks' common ending: run everything, keep the fastest repetition of each run (the machine may
// be shared, and interference only slows a run down), and print a ratio table from those times.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

class BestTimes {
  public:
    // Fastest time of a run, by its function name and arguments ("BM_ours/2"); 0 when it did not run.
    double operator()(const std::string& run) const {
        auto it = best_.find(run);
        return it == best_.end() ? 0 : it->second;
    }
    void record(const std::string& run, double time) {
        auto it = best_.find(run);
        if (it == best_.end() || time < it->second) best_[run] = time;
    }

  private:
    std::map<std::string, double> best_;
};

// Runs the registered benchmarks with the console output, then calls table with the fastest times (CPU
// time, or wall time for runs that spend it in other processes).
inline int RunAndTabulate(int argc, char** argv, const std::function<void(const BestTimes&)>& table,
                          bool wallTime = false) {
    class Reporter : public benchmark::ConsoleReporter {
      public:
        Reporter(const std::function<void(const BestTimes&)>& t, bool wall) : table_(t), wall_(wall) {}
        void ReportRuns(const std::vector<Run>& runs) override {
            ConsoleReporter::ReportRuns(runs);
            for (const Run& r : runs) {
                if (r.run_type != Run::RT_Iteration) continue;
                std::string name = r.run_name.function_name;
                if (!r.run_name.args.empty()) name += "/" + r.run_name.args;
                times_.record(name, wall_ ? r.GetAdjustedRealTime() : r.GetAdjustedCPUTime());
            }
        }
        void Finalize() override {
            ConsoleReporter::Finalize();
            table_(times_);
        }

      private:
        const std::function<void(const BestTimes&)>& table_;
        bool wall_;
        BestTimes times_;
    };
    benchmark::Initialize(&argc, argv);
    Reporter reporter(table, wallTime);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
