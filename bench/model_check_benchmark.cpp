// Times each step of one model check (grid build, plot set-up, model orbit,
// iterative test, direct test) with the start values Ltest = 30, Ktest = 100,
// on generated Henon series of 10^4, 10^5 and 10^6 values. The files the
// tests write land in a temporary working directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

#include "dialogue/report_log.h"
#include "dialogue/series_file.h"
#include "model/model_check.h"
#include "model/model_phase_orbit.h"
#include "model/neighbour_grid.h"
#include "plots/graphics_surface.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"

namespace modelcheck {
namespace {

constexpr std::int32_t kD = 2;
constexpr double kEps = 0.05;
constexpr std::int32_t kTestValues = 200;  // more than Ltest + Ktest + D - 1

struct Bench {
  ModelCheck check;
  GraphicsSurface surface;
  ReportLog report;
  std::ostringstream dialogue_text;
  DialogueWindow dialogue{.in = nullptr, .out = &dialogue_text};
};

std::vector<double> HenonSeries(std::int64_t count) {
  std::vector<double> x;
  double u = 0.1, v = 0.1;
  for (std::int64_t n = 0; n < count + 1000; ++n) {
    const double next = 1.0 - 1.4 * u * u + v;
    v = 0.3 * u;
    u = next;
    if (n >= 1000) x.push_back(u);
  }
  return x;
}

// What the dialogue driver holds when an evaluation starts.
std::unique_ptr<Bench> Prepare(std::int64_t count) {
  auto bench = std::make_unique<Bench>();
  const std::vector<double> series = HenonSeries(count);
  ModelCheck& check = bench->check;
  check.settings = ModelSettings{.Ntrain = static_cast<std::int32_t>(count) - kTestValues, .D = kD, .eps = kEps};
  check.value_count = static_cast<std::int32_t>(count);
  check.training.assign(series.begin(), series.begin() + check.settings.Ntrain);
  check.test_segment.assign(series.begin() + check.settings.Ntrain,
                            series.begin() + check.settings.Ntrain + Ntest(check.settings));
  const TrainingStatistics statistics = ComputeStatistics(check.training);
  check.variance = statistics.variance;
  check.plot_range = {.lower = statistics.minimum, .upper = statistics.maximum};
  check.state.assign(kD, 0.0);
  check.neighbours.assign(static_cast<std::size_t>(check.settings.Ntrain), 0);
  check.iterative_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  check.direct_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  BuildNeighbourGrid(check.settings.Ntrain, check.training, kD - 1, kEps, check.grid);
  OpenReport(bench->report, bench->dialogue);
  check.surface = &bench->surface;
  check.report = &bench->report;
  check.dialogue = &bench->dialogue;
  SetUpPlotWindow(check);
  return bench;
}

Bench& Prepared(std::int64_t count) {
  static std::map<std::int64_t, std::unique_ptr<Bench>> cache;
  auto& slot = cache[count];
  if (!slot) slot = Prepare(count);
  return *slot;
}

void BM_GridBuild(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) BuildNeighbourGrid(check.settings.Ntrain, check.training, kD - 1, kEps, check.grid);
}

void BM_PlotSetUp(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) SetUpPlotWindow(check);
}

void BM_ModelPhaseOrbit(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) ModelPhaseOrbit(check);
}

void BM_IterativeTest(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) IterativePredictionTest(check);
}

void BM_DirectTest(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) DirectPredictionTest(check);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_GridBuild)->Apply(Sizes);
BENCHMARK(BM_PlotSetUp)->Apply(Sizes);
BENCHMARK(BM_ModelPhaseOrbit)->Apply(Sizes);
BENCHMARK(BM_IterativeTest)->Apply(Sizes);
BENCHMARK(BM_DirectTest)->Apply(Sizes);

}  // namespace
}  // namespace modelcheck

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path directory = fs::temp_directory_path() / ("mc-benchmark-" + std::to_string(getpid()));
  fs::create_directories(directory);
  fs::current_path(directory);  // report.txt and neighbors.txt go here
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(directory);
  return 0;
}
