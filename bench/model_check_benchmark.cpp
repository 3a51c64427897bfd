// Times each step of one model check with the start values Ltest = 30,
// Ktest = 100 and D = 2, on generated Henon series of 10^4 to 10^7 values,
// all but the last 200 the training part (eps from BenchmarkEps), and the
// whole check as the console program runs it: plot set-up, model orbit,
// iterative test, direct test, and the picture written. Reading a series
// file (count and training load) is timed on a generated file. The files
// the steps write land in a temporary working directory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dialogue/series_file.h"
#include "henon_series.h"
#include "model/model_phase_orbit.h"
#include "model/neighbour_grid.h"
#include "platform/plot_image.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"
#include "prepared_check.h"

namespace modelcheck {
namespace {

// One prepared check per size, kept for every benchmark of that size.
PreparedCheck& Prepared(std::int64_t count) {
  static std::map<std::int64_t, std::unique_ptr<PreparedCheck>> cache;
  auto& slot = cache[count];
  if (!slot) {
    slot = std::make_unique<PreparedCheck>();
    slot->series = HenonSeries(count);
    PrepareCheck(*slot, BenchmarkEps(count));
  }
  return *slot;
}

void BM_SeriesRead(benchmark::State& state) {
  const std::int64_t count = state.range(0);
  const std::string path = "series-" + std::to_string(count) + ".txt";
  if (!WriteSeriesFile(path, HenonSeries(count))) {
    state.SkipWithError("cannot write the series file");
    return;
  }
  std::vector<double> training(static_cast<std::size_t>(count - kBenchmarkTestValues));
  for (auto _ : state) {
    const SeriesCount read = CountValuesInFile(path);
    LoadTrainingValues(read.values, training);
    benchmark::DoNotOptimize(training.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(std::filesystem::file_size(path)));
  std::filesystem::remove(path);
}

void BM_Statistics(benchmark::State& state) {
  const PreparedCheck& run = Prepared(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ComputeStatistics(run.check.training));
}

void BM_GridBuild(benchmark::State& state) {
  ModelCheck& check = Prepared(state.range(0)).check;
  for (auto _ : state) {
    BuildNeighbourGrid(check.settings.Ntrain, check.training, kBenchmarkD - 1, check.settings.eps, check.grid);
  }
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

void BM_PlotImage(benchmark::State& state) {
  const PreparedCheck& run = Prepared(state.range(0));
  std::string error;
  for (auto _ : state) {
    if (!WritePlotImage(run.surface, kPlotImageFileName, error)) state.SkipWithError(error.c_str());
  }
}

void BM_WholeModelCheck(benchmark::State& state) {
  PreparedCheck& run = Prepared(state.range(0));
  for (auto _ : state) {
    if (!RunWholeCheck(run)) state.SkipWithError("the picture cannot be written");
  }
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SeriesRead)->Apply(Sizes);
BENCHMARK(BM_Statistics)->Apply(Sizes);
BENCHMARK(BM_GridBuild)->Apply(Sizes);
BENCHMARK(BM_PlotSetUp)->Apply(Sizes);
BENCHMARK(BM_ModelPhaseOrbit)->Apply(Sizes);
BENCHMARK(BM_IterativeTest)->Apply(Sizes);
BENCHMARK(BM_DirectTest)->Apply(Sizes);
BENCHMARK(BM_PlotImage)->Apply(Sizes);
BENCHMARK(BM_WholeModelCheck)->Apply(Sizes);

}  // namespace
}  // namespace modelcheck

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path directory = fs::temp_directory_path() / ("mc-benchmark-" + std::to_string(getpid()));
  fs::create_directories(directory);
  fs::current_path(directory);  // report.txt, neighbors.txt and the picture go here
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  fs::current_path(fs::temp_directory_path());
  fs::remove_all(directory);
  return 0;
}
