#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <stdexcept>
#include <string>

#include "engine/check_schedule.h"
#include "engine/piece_bootstrap.h"
#include "modelcheck/prepared_training.h"
#include "modelcheck/surrogates.h"
#include "scan/iaaft_surrogates.h"

namespace modelcheck {

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

SurrogateCheck CheckSurrogate(const PreparedTraining& training, const ScanResult& scan, const ScanCell& cell,
                              const std::function<bool()>& stopped) {
  const ScanSettings& settings = scan.settings;
  const ModelSettings model{.Ntrain = settings.Ntrain,
                            .D = cell.D,
                            .eps = cell.eps * scan.eps_unit,
                            .Ltest = settings.Ltest,
                            .Ktest = settings.Ktest,
                            .tau = cell.tau};
  CheckOptions options;
  options.threads = 1;
  options.progress = [&stopped](const CheckProgress&) { return !stopped(); };
  options.on_singular = settings.on_singular;
  CheckResult result = training.Check(model, options);
  SurrogateCheck check;
  if (result.cancelled) return check;
  check.status = result.stop ? CellStatus::kSingular : CellStatus::kFinished;
  check.one_step_error = result.one_step_error;
  if (!result.iterative.errors.empty())
    check.iterative_time = PredictionTime(result.iterative.errors, settings.threshold);
  if (!result.direct.errors.empty()) check.direct_time = PredictionTime(result.direct.errors, settings.threshold);
  check.iterative_errors = std::move(result.iterative.errors);
  return check;
}

// An order in which a NaN error is above every number.
bool NanLast(double a, double b) { return a < b || (!std::isnan(a) && std::isnan(b)); }

void Summarise(const ScanResult& scan, SurrogateCellTest& test) {
  const double series_error = scan.cells[test.cell].result.one_step_error;
  std::vector<const std::vector<double>*> curves;
  for (const SurrogateCheck& check : test.checks) {
    if (std::isnan(check.one_step_error)) continue;
    ++test.finished;
    if (check.one_step_error <= series_error) ++test.at_most_series;
    if (!check.iterative_errors.empty()) curves.push_back(&check.iterative_errors);
  }
  if (!curves.empty()) {
    const auto [low, high] = CentralNinetyPercent(curves.size());
    std::vector<double> horizon(curves.size());
    for (std::size_t i = 0; i < curves.front()->size(); ++i) {
      for (std::size_t s = 0; s < curves.size(); ++s) horizon[s] = (*curves[s])[i];
      std::ranges::sort(horizon, NanLast);
      test.band_low.push_back(horizon[low]);
      test.band_high.push_back(horizon[high]);
    }
  }
  if (!std::isnan(series_error))
    test.p_value = static_cast<double>(1 + test.at_most_series) / static_cast<double>(1 + test.finished);
}

}  // namespace

std::vector<std::size_t> SurrogateCells(const ScanResult& scan, bool every_cell) {
  const auto testable = [&](std::size_t c) {
    return scan.cells[c].status == CellStatus::kFinished && !std::isnan(scan.cells[c].result.one_step_error);
  };
  std::vector<std::size_t> cells;
  if (every_cell) {
    for (std::size_t c = 0; c < scan.cells.size(); ++c)
      if (testable(c)) cells.push_back(c);
  } else if (const auto best = BestCell(scan); best && testable(*best)) {
    cells.push_back(*best);
  }
  return cells;
}

SurrogateRun RunSurrogates(std::span<const double> series, const ScanResult& scan, std::span<const std::size_t> cells,
                           const SurrogateSettings& settings, const SurrogateOptions& options) {
  if (settings.count < 1) throw std::invalid_argument("the number of surrogates must be at least 1");
  if (settings.max_iterations < 1) throw std::invalid_argument("a surrogate needs at least 1 iteration");
  for (const std::size_t cell : cells) {
    if (cell >= scan.cells.size()) throw std::invalid_argument("cell " + std::to_string(cell) + " is not in the scan");
    const CellStatus status = scan.cells[cell].status;
    if (status != CellStatus::kFinished && status != CellStatus::kSingular)
      throw std::invalid_argument("cell " + std::to_string(cell) + " has no check to compare with");
  }
  SurrogateRun run;
  run.settings = settings;
  run.values = static_cast<std::size_t>(
      std::min<std::int64_t>(ScanReadSpan(scan.settings), static_cast<std::int64_t>(series.size())));
  const auto N = static_cast<std::size_t>(settings.count);
  for (const std::size_t cell : cells) run.cells.push_back({.cell = cell, .checks = std::vector<SurrogateCheck>(N)});
  run.iterations.assign(N, 0);
  std::vector<char> converged(N, 0);
  std::vector<double> making(N, 0.0), checking(N, 0.0);

  const IaaftSurrogates maker(series.first(run.values), settings.max_iterations);
  std::atomic<bool> stopping{false};
  std::atomic<std::int32_t> done{0};
  const std::function<bool()> stopped = [&] {
    return stopping.load() || (options.stop != nullptr && options.stop->load());
  };
  const RunItem make_and_check = [&](std::int32_t item, PieceWork&) {
    const auto i = static_cast<std::size_t>(item);
    if (stopped()) return false;
    auto start = std::chrono::steady_clock::now();
    IaaftSurrogates::Surrogate surrogate = maker.Make(settings.seed, i, stopped);
    making[i] = SecondsSince(start);
    if (stopped()) return false;
    run.iterations[i] = surrogate.iterations;
    converged[i] = surrogate.converged ? 1 : 0;
    start = std::chrono::steady_clock::now();
    const PreparedTraining training(surrogate.values, scan.settings.Ntrain);
    for (SurrogateCellTest& test : run.cells)
      test.checks[i] = CheckSurrogate(training, scan, scan.cells[test.cell], stopped);
    checking[i] = SecondsSince(start);
    ++done;
    return !stopped();
  };
  std::function<bool()> keep_going = [&] {
    if (options.progress && !options.progress(done.load(), settings.count)) stopping = true;
    return !stopped();
  };
  const bool finished = RunSchedule(settings.count, options.jobs, make_and_check, keep_going);
  run.complete = finished && done.load() == settings.count;
  for (std::size_t i = 0; i < N; ++i) {
    run.making_seconds += making[i];
    run.checking_seconds += checking[i];
    run.converged += converged[i];
  }
  if (!run.complete) return run;
  for (SurrogateCellTest& test : run.cells) Summarise(scan, test);
  return run;
}

}  // namespace modelcheck
