// Times `orvcalc "1+1"` as a whole process against `bc -l` reading "1+1" from its standard input, in the
// same run, and prints the ratio (ours / bc). Needs bc (Debian package bc) on the PATH.
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include "best_times.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Runs argv with `input` on its standard input and its output discarded; returns the exit status.
int RunProcess(const std::vector<std::string>& args, const std::string& input) {
    int in[2];
    if (pipe(in) != 0) return -1;
    posix_spawn_file_actions_t fa;
    posix_spawn_file_actions_init(&fa);
    posix_spawn_file_actions_adddup2(&fa, in[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&fa, in[1]);
    posix_spawn_file_actions_addopen(&fa, STDOUT_FILENO, "/dev/null", 0x1 /* O_WRONLY */, 0);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid;
    int rc = posix_spawnp(&pid, argv[0], &fa, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&fa);
    close(in[0]);
    if (rc != 0) {
        close(in[1]);
        return -1;
    }
    if (!input.empty()) (void)!write(in[1], input.data(), input.size());
    close(in[1]);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_orvcalc(benchmark::State& state) {
    for (auto _ : state) {
        if (RunProcess({ORVCALC_PATH, "1+1"}, "") != 0) state.SkipWithError("orvcalc failed");
    }
}
void BM_bc(benchmark::State& state) {
    for (auto _ : state) {
        if (RunProcess({"bc", "-l"}, "1+1\n") != 0) state.SkipWithError("bc is missing or failed");
    }
}
BENCHMARK(BM_orvcalc)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_bc)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void PrintTable(const BestTimes& best) {
    const double ours = best("BM_orvcalc"), bc = best("BM_bc");
    if (ours > 0 && bc > 0)
        std::printf("\norvcalc \"1+1\": %.2f ms, bc -l: %.2f ms, ratio %.2f (target <= 1.0)\n", ours, bc,
                    ours / bc);
}

}  // namespace

// Wall time: the work happens in the child processes.
int main(int argc, char** argv) {
    return RunAndTabulate(argc, argv, PrintTable, true);
}
