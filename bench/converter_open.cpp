// Times opening the Unit Converter page over the shipped data (the screen model's construction: group list,
// remembered state, the start group's units), with and without remembered files, and the Currency
// Converter page, against reading the units file line by line in the same run. Goal: the Unit Converter
// page opens in 20 ms or less.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/controller/orvane_view_controller.h"
#include "app/screens/converter/unit_converter_view.h"
#include "best_times.h"
#include "common/folder_storage.h"
#include "common/headless_services.h"
#include "common/manual_run_loop.h"

namespace {

// The headless platform on a fresh documents folder; remembered = write the page's files first, as a
// second run finds them.
class Page {
  public:
    explicit Page(bool remembered) {
        std::string tmpl = (std::filesystem::temp_directory_path() / "orvbench.XXXXXX").string();
        if (::mkdtemp(tmpl.data()) != nullptr) m_dir = tmpl;
        m_storage = std::make_unique<FolderStorage>(m_dir, ORV_SOURCE_DATA_DIR);
        m_platform = std::make_unique<Platform>(
            Platform{m_notes, m_loop, *m_storage, m_alerts, m_http, m_urls, m_feedback});
        m_controller = std::make_unique<OrvaneViewController>(*m_platform, nullptr);
        m_context = std::make_unique<ScreenContext>(ScreenContext{*m_platform, *m_controller, nullptr});
        if (remembered) {
            for (int mode : {UnitConverterView::kCurrencyMode, UnitConverterView::kUnitMode}) {
                UnitConverterView v(*m_context, mode);
                v.tap("unit:1");
                for (int row = 0; row < 10; ++row) v.tap("add_favourite:" + std::to_string(row + 10));
                v.save();
            }
        }
    }
    ~Page() {
        m_controller.reset();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    ScreenContext& context() { return *m_context; }

  private:
    std::string m_dir;
    ImmediateRunLoop m_loop;
    NotificationCenter m_notes;
    ScriptedAlerts m_alerts{m_loop};
    ScriptedHttpFetch m_http{m_loop};
    PrintingUrlOpener m_urls;
    CountingFeedback m_feedback;
    std::unique_ptr<FolderStorage> m_storage;
    std::unique_ptr<Platform> m_platform;
    std::unique_ptr<OrvaneViewController> m_controller;
    std::unique_ptr<ScreenContext> m_context;
};

void BM_OpenUnitConverter(benchmark::State& state) {
    Page page(state.range(0) != 0);
    for (auto _ : state) {
        UnitConverterView view(page.context(), UnitConverterView::kUnitMode);
        benchmark::DoNotOptimize(view.units().data());
    }
}
BENCHMARK(BM_OpenUnitConverter)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5);

void BM_OpenCurrencyConverter(benchmark::State& state) {
    Page page(true);
    for (auto _ : state) {
        UnitConverterView view(page.context(), UnitConverterView::kCurrencyMode);
        benchmark::DoNotOptimize(view.units().data());
    }
}
BENCHMARK(BM_OpenCurrencyConverter)->Unit(benchmark::kMillisecond)->Repetitions(5);

// Reference: the units file read line by line into strings, nothing parsed.
void BM_ReadUnitsFile(benchmark::State& state) {
    for (auto _ : state) {
        std::ifstream in(std::string(ORV_SOURCE_DATA_DIR) + "/units.dat");
        std::string line;
        std::size_t total = 0;
        while (std::getline(in, line)) total += line.size();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadUnitsFile)->Unit(benchmark::kMillisecond)->Repetitions(5);

void PrintTable(const BestTimes& best) {
    const double fresh = best("BM_OpenUnitConverter/0"), remembered = best("BM_OpenUnitConverter/1");
    const double currency = best("BM_OpenCurrencyConverter"), file = best("BM_ReadUnitsFile");
    if (fresh <= 0 || file <= 0) return;
    std::printf("\nUnit Converter page: %.3f ms fresh, %.3f ms with remembered files (goal <= 20 ms)\n",
                fresh, remembered);
    std::printf("Currency Converter page: %.3f ms\n", currency);
    std::printf("ratio to reading units.dat line by line (%.3f ms): %.1f fresh, %.1f remembered\n", file,
                fresh / file, remembered / file);
}

}  // namespace

int main(int argc, char** argv) {
    // Wall time: opening a page is mostly reading files.
    return RunAndTabulate(argc, argv, PrintTable, true);
}
