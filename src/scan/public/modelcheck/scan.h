// Scans of the model check over a grid of model dimensions D and box sizes
// eps, and optionally delays tau, each check beside two baselines, on every
// core.
//
// Every cell is one whole check of the series with the scan's Ntrain, Ltest
// and Ktest and the cell's D and eps, computed exactly as a single check is
// (modelcheck/engine.h): the same figures to the last bit, for any number of
// jobs. A cell's outcome is a result whatever it is: finished, stopped on an
// exactly singular fit (where and the message kept), or infeasible (its
// settings do not fit the series: the reason kept). The baselines
// (persistence and the global affine model) depend on D and tau alone and
// are computed once per dimension and delay.
//
// Prediction times use the scan's threshold, held in single precision as the
// interactive program holds 0.05, so the default gives the program's times.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "modelcheck/engine.h"

namespace modelcheck {

// The figure a scan ranks its cells by (the heat map shows it): the longest
// iterative or direct prediction time, the smallest one-step error, or the
// smallest mean of the iterative errors over horizons 1..Ltest.
enum class ScanMetric { kIterativeTime, kDirectTime, kOneStepError, kMeanError };

// "iterative_time", "direct_time", "one_step_error", "mean_error".
const char* ScanMetricName(ScanMetric metric);

// The metric of one of those names; nullopt for any other text.
std::optional<ScanMetric> ScanMetricNamed(std::string_view name);

struct ScanSettings {
  std::int32_t Ntrain = 0;
  std::vector<std::int32_t> D;  // the model dimension of each row of the grid, in scan order
  std::vector<double> eps;      // the box size of each column, in scan order
  std::int32_t Ltest = 30;
  std::int32_t Ktest = 100;
  double threshold = kPredictionThreshold;
  std::vector<std::int32_t> tau = {1};  // the delay of each layer of the grid, in scan order
  // A singular fit stops its cell (kStop, as the interactive programs do) or
  // leaves its piece out of the cell's errors (kSkipPiece).
  SingularFitPolicy on_singular = SingularFitPolicy::kStop;
  // True: every eps is in units of the training part's standard deviation
  // (population, divisor Ntrain), so that one grid serves many series; the
  // cells keep eps as given and check with eps times that deviation.
  bool eps_relative = false;
  // What the best cell is best at; ties go to the next figures (MetricOrder).
  ScanMetric metric = ScanMetric::kIterativeTime;
  // Resamples > 0: every cell's tests carry bootstrap intervals (their
  // prediction times with the scan's threshold, whatever is set here).
  BootstrapSettings bootstrap = {};
};

// The leading values any cell of a scan with these settings reads: Ntrain +
// Ltest + Ktest + (D - 1) tau for the largest D and tau.
std::int64_t ScanReadSpan(const ScanSettings& settings);

// The settings a scan is given, named for messages.
enum class ScanSetting { kNtrain, kDimension, kBoxSize, kLtest, kKtest, kThreshold, kDelay };

// A setting no cell could use: which one, the offending value as text and
// the values allowed, e.g. {kDimension, "0", "1 to 9"}.
struct ScanSettingProblem {
  ScanSetting setting = ScanSetting::kNtrain;
  std::string value;
  std::string allowed;
};

// Checks each setting against the ranges of a single check
// (modelcheck/settings_ranges.h) for a series of `value_count` values:
// Ntrain in 2..count-1 (leaving a test piece for the smallest D and delay),
// every D from 1 and below Ntrain, every delay from 1, every eps positive and
// finite, Ltest and Ktest positive and fitting after Ntrain for the smallest
// D and delay, the threshold positive and finite in single precision, at
// least one D, one eps and one delay. A cell can still be infeasible: a
// larger D or delay whose state or test segment does not fit, an eps above
// the width of the training values.
std::optional<ScanSettingProblem> CheckScanSettings(const ScanSettings& settings, std::size_t value_count);

enum class CellStatus { kFinished, kSingular, kInfeasible, kNotRun };

// "finished", "singular", "infeasible", "not run".
const char* CellStatusName(CellStatus status);

struct ScanCell {
  std::int32_t D = 0;
  double eps = 0.0;
  std::int32_t tau = 1;
  CellStatus status = CellStatus::kNotRun;
  std::string reason;  // infeasible: why the settings do not fit
  CheckResult result;  // finished or singular (result.stop says where)
  // With the scan's threshold; absent for a test without errors (stopped,
  // not run or infeasible), so that no stop reads as a measured time.
  std::optional<std::int32_t> iterative_time;
  std::optional<std::int32_t> direct_time;
};

// The figures a metric ranks by, the metric first, then the others that
// break its ties: iterative time, direct time, one-step error by default.
std::vector<ScanMetric> MetricOrder(ScanMetric metric);

// The figure of a finished cell for a metric: a time, or an error (NaN when
// the test has none).
double CellFigure(const ScanCell& cell, ScanMetric metric);

struct ScanBaselines {
  std::int32_t D = 0;
  std::int32_t tau = 1;
  bool computed = false;  // false: no test segment fits this D, or the scan stopped first
  BaselineResult result;
  // With the scan's threshold; absent for a test without errors.
  std::optional<std::int32_t> persistence_time;
  std::optional<std::int32_t> global_iterative_time;
  std::optional<std::int32_t> global_direct_time;
};

struct ScanResult {
  ScanSettings settings;  // threshold as used (single precision)
  std::size_t value_count = 0;
  double training_minimum = 0.0;  // eps is accepted up to maximum - minimum
  double training_maximum = 0.0;
  // What one unit of eps is in series units: 1, or with eps_relative the
  // training part's standard deviation.
  double eps_unit = 1.0;
  // Delay-major, then dimension-major: the cell of tau[t], D[a] and eps[b]
  // is at [(t * D.size() + a) * eps.size() + b].
  std::vector<ScanCell> cells;
  // One per delay and dimension, in the cells' order: the baselines of cell
  // c are at [c / eps.size()].
  std::vector<ScanBaselines> baselines;
  bool complete = false;  // every cell and baseline has its outcome

  const ScanCell& cell(std::size_t dimension_index, std::size_t box_index, std::size_t delay_index = 0) const {
    return cells[(delay_index * settings.D.size() + dimension_index) * settings.eps.size() + box_index];
  }
};

struct ScanProgress {
  std::int32_t done = 0;   // cells and baselines with their outcome
  std::int32_t total = 0;  // cells and baselines to compute
};

// Which slot of a result got its outcome: a cell, or a dimension's baselines.
struct ScanOutcome {
  bool baselines = false;
  std::size_t index = 0;  // into ScanResult::cells, or ::baselines
};

struct ScanOptions {
  int jobs = 0;  // threads; 0: every hardware thread. The figures do not depend on it.
  // Called on the calling thread while the scan runs, whenever work
  // finishes and at least every 50 ms on more than one job (after each cell
  // on one). Return false to stop: running checks end at their next piece,
  // and whatever has not finished is marked not run.
  std::function<bool(const ScanProgress&)> progress;
  // Set from any thread to stop as `progress` returning false does, without
  // waiting for its next call: running checks end at their next piece.
  const std::atomic<bool>* stop = nullptr;
  // Called on the calling thread for each cell and each dimension's
  // baselines soon after it gets its outcome (finished or singular cells,
  // computed baselines), at the latest before RunScan returns; `result` is
  // the scan's, whose slot named is complete. For a log that outlives the run.
  std::function<void(const ScanResult& result, const ScanOutcome& outcome)> on_outcome;
  // A run of the same scan that was stopped: its cells with an outcome and
  // its computed baselines are taken as they are, and only the rest is
  // computed. Its settings and grid must be this scan's.
  const ScanResult* resume = nullptr;
  // False: no baselines are computed (each dimension's stay not computed),
  // for callers who want the cells alone.
  bool baselines = true;
};

// Runs every cell and the baselines. Throws std::invalid_argument with the
// problem's text when CheckScanSettings finds one.
ScanResult RunScan(std::span<const double> series, const ScanSettings& settings, const ScanOptions& options = {});

// The index into cells of the best cell by settings.metric and its ties
// (MetricOrder): by default the longest iterative prediction time, then the
// longest direct one, then the smallest one-step error; the first in scan
// order on a full tie. Only finished cells count; nullopt when none finished.
std::optional<std::size_t> BestCell(const ScanResult& result);

// An axis of the grid on whose edge the best cell lies: its value is the
// smallest or the largest of the axis, so the best may lie beyond the grid.
struct GridEdge {
  ScanSetting setting = ScanSetting::kBoxSize;  // kDimension, kBoxSize or kDelay
  bool smallest = true;                         // false: the largest
};

// The edges of the best cell (BestCell), in the order D, eps, delay; only
// axes of more than one value count. Empty when no cell finished.
std::vector<GridEdge> BestCellEdges(const ScanResult& result);

// "the best eps is the smallest in the grid": how outputs say it.
std::string GridEdgeText(const GridEdge& edge);

// The cells and baselines of delay settings.tau[delay_index] alone, as a
// scan of that one delay would hold them (for a picture per delay).
ScanResult DelayLayer(const ScanResult& result, std::size_t delay_index);

// The name of a setting as a message shows it: "Ntrain", "D", "eps", ...
const char* ScanSettingName(ScanSetting setting);

}  // namespace modelcheck
