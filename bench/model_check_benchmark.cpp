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

#include "engine/direct_test.h"
#include "engine/iterative_test.h"
#include "engine/model_check.h"
#include "engine/model_phase_orbit.h"
#include "engine/neighbour_grid.h"
#include "engine/training_statistics.h"
#include "henon_series.h"
#include "plots/plot_window.h"
#include "prepared_check.h"
#include "presentation/plot_image.h"
#include "text/series_file.h"

namespace modelcheck {
namespace {

// One prepared check per size, kept for every benchmark of that size.
PreparedCheck& Prepared(std::int64_t count) {
  static std::map<std::int64_t, std::unique_ptr<PreparedCheck>> cache;
  auto& slot = cache[count];
  if (!slot) {
    slot = std::make_unique<PreparedCheck>();
    slot->run->series = HenonSeries(count);
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
  const PreparedCheck& prepared = Prepared(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(ComputeStatistics(prepared.training));
}

void BM_GridBuild(benchmark::State& state) {
  PreparedCheck& prepared = Prepared(state.range(0));
  const ModelSettings& settings = prepared.run->settings;
  for (auto _ : state)
    BuildNeighbourGrid(settings.Ntrain, prepared.training, kBenchmarkD - 1, settings.eps, *prepared.grid);
}

void BM_PlotSetUp(benchmark::State& state) {
  PreparedCheck& prepared = Prepared(state.range(0));
  const CheckInput input = prepared.Input();
  for (auto _ : state) SetUpPlotWindow(prepared.run->surface, input.settings, input.test_segment);
}

// The three phases one after another on one thread, as the steps of a check.
void BM_ModelPhaseOrbit(benchmark::State& state) {
  const CheckInput input = Prepared(state.range(0)).Input();
  PieceWork work;
  for (auto _ : state) {
    std::vector<OrbitPoint> points;
    RunModelOrbit(input, work, points);
    benchmark::DoNotOptimize(points.data());
  }
}

template <typename RunPiece>
void RunAllPieces(const CheckInput& input, RunPiece run_piece) {
  const auto L = static_cast<std::size_t>(input.settings.Ltest);
  std::vector<double> squared(L);
  std::vector<std::int32_t> counts(L);
  PieceWork work;
  for (std::int32_t k = 1; k <= input.settings.Ktest; ++k) {
    PieceRecord record{.squared_errors = squared, .neighbour_counts = counts, .predictions = nullptr};
    run_piece(input, k, work, record);
  }
  benchmark::DoNotOptimize(squared.data());
}

void BM_IterativeTest(benchmark::State& state) {
  const CheckInput input = Prepared(state.range(0)).Input();
  for (auto _ : state) RunAllPieces(input, RunIterativePiece);
}

void BM_DirectTest(benchmark::State& state) {
  const CheckInput input = Prepared(state.range(0)).Input();
  for (auto _ : state) RunAllPieces(input, RunDirectPiece);
}

// The engine's whole computation, on one thread and on every core.
void BM_EngineCheck(benchmark::State& state) {
  const CheckInput input = Prepared(state.range(0)).Input();
  const int threads = static_cast<int>(state.range(1));
  for (auto _ : state) benchmark::DoNotOptimize(RunModelCheck(input, {.threads = threads, .progress = {}}));
}

void BM_PlotImage(benchmark::State& state) {
  const PreparedCheck& prepared = Prepared(state.range(0));
  std::string error;
  for (auto _ : state) {
    if (!WritePlotImage(prepared.run->surface, kPlotImageFileName, error)) state.SkipWithError(error.c_str());
  }
}

// The whole check as the console program runs it: computed, drawn, reported,
// the files written. Threads: 1, or 0 for every core.
void BM_WholeModelCheck(benchmark::State& state) {
  PreparedCheck& prepared = Prepared(state.range(0));
  const int threads = static_cast<int>(state.range(1));
  for (auto _ : state) RunWholeCheck(prepared, threads);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
}

// Every size on one thread (1) and on every core (0). Wall time: the work is spread over threads.
void SizesAndThreads(benchmark::internal::Benchmark* b) {
  for (const std::int64_t size : {10'000, 100'000, 1'000'000, 10'000'000}) {
    for (const std::int64_t threads : {1, 0}) b->Args({size, threads});
  }
  b->ArgNames({"", "threads"})->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_SeriesRead)->Apply(Sizes);
BENCHMARK(BM_Statistics)->Apply(Sizes);
BENCHMARK(BM_GridBuild)->Apply(Sizes);
BENCHMARK(BM_PlotSetUp)->Apply(Sizes);
BENCHMARK(BM_ModelPhaseOrbit)->Apply(Sizes);
BENCHMARK(BM_IterativeTest)->Apply(Sizes);
BENCHMARK(BM_DirectTest)->Apply(Sizes);
BENCHMARK(BM_PlotImage)->Apply(Sizes);
BENCHMARK(BM_EngineCheck)->Apply(SizesAndThreads);
BENCHMARK(BM_WholeModelCheck)->Apply(SizesAndThreads);

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
