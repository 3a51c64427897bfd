// The scan's work items: the baselines of each dimension and the cells,
// computed on a pool of threads, each into its own slot of the result, so
// the result is the same whatever order they finish in.
#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "engine/check_schedule.h"
#include "modelcheck/prepared_training.h"
#include "modelcheck/scan.h"
#include "scan/scan_cells.h"

namespace modelcheck {

namespace {

// A test's prediction time with the scan's threshold; none without errors.
std::optional<std::int32_t> ScanTime(const PredictionTestResult& test, double threshold) {
  if (test.errors.empty()) return std::nullopt;
  return PredictionTime(test.errors, threshold);
}

// What one work item computes: the baselines of dimension `index`, or the
// cell at `index`.
struct WorkItem {
  bool baselines = false;
  std::size_t index = 0;
};

struct ScanRun {
  ScanRun(const PreparedTraining& prepared, ScanResult& out) : training(prepared), result(out) {}

  const PreparedTraining& training;
  ScanResult& result;
  int check_threads = 1;
  std::vector<WorkItem> items;
  std::atomic<std::int32_t> done{0};
  std::atomic<bool> stopping{false};
  const std::atomic<bool>* stop_request = nullptr;  // the caller's, set from any thread

  bool Stopped() const { return stopping.load() || (stop_request != nullptr && stop_request->load()); }

  // Outcomes that the caller's thread has yet to hear of.
  std::mutex untold_mutex;
  std::vector<ScanOutcome> untold;

  void Note(bool baselines, std::size_t index) {
    const std::lock_guard lock(untold_mutex);
    untold.push_back({.baselines = baselines, .index = index});
  }

  void Tell(const ScanOptions& options) {
    if (!options.on_outcome) return;
    std::vector<ScanOutcome> outcomes;
    {
      const std::lock_guard lock(untold_mutex);
      outcomes.swap(untold);
    }
    for (const ScanOutcome& outcome : outcomes) options.on_outcome(result, outcome);
  }

  ModelSettings CheckSettings(std::int32_t D, std::int32_t tau, double eps) const {
    const ScanSettings& settings = result.settings;
    return {
        .Ntrain = settings.Ntrain, .D = D, .eps = eps, .Ltest = settings.Ltest, .Ktest = settings.Ktest, .tau = tau};
  }

  void RunBaselines(ScanBaselines& out) {
    out.result = training.Baselines(CheckSettings(out.D, out.tau, 0.0), check_threads);
    const double threshold = result.settings.threshold;
    out.persistence_time = ScanTime(out.result.persistence, threshold);
    out.global_iterative_time = ScanTime(out.result.global_iterative, threshold);
    out.global_direct_time = ScanTime(out.result.global_direct, threshold);
    out.computed = true;
  }

  void RunCell(ScanCell& cell) {
    CheckOptions options{.threads = check_threads,
                         .progress = [this](const CheckProgress&) { return !Stopped(); },
                         .on_singular = result.settings.on_singular,
                         .bootstrap = result.settings.bootstrap};
    options.bootstrap.threshold = result.settings.threshold;
    CheckResult check = training.Check(CheckSettings(cell.D, cell.tau, cell.eps * result.eps_unit), options);
    if (check.cancelled) return;  // stays not run
    cell.iterative_time = ScanTime(check.iterative, result.settings.threshold);
    cell.direct_time = ScanTime(check.direct, result.settings.threshold);
    cell.status = check.stop ? CellStatus::kSingular : CellStatus::kFinished;
    cell.result = std::move(check);
  }

  bool Run(std::int32_t item_number) {
    const WorkItem item = items[static_cast<std::size_t>(item_number)];
    if (item.baselines) {
      RunBaselines(result.baselines[item.index]);
      Note(true, item.index);
    } else {
      RunCell(result.cells[item.index]);
      if (result.cells[item.index].status != CellStatus::kNotRun) Note(false, item.index);
    }
    ++done;
    return true;  // every outcome is a result: nothing stops the others
  }
};

// The cells and baselines in the order they start: the baselines first,
// then the cells from the largest box to the smallest, small D first, since
// large boxes hold the most neighbours and take longest; starting them first
// keeps every job busy to the end.
std::vector<WorkItem> StartOrder(const ScanResult& result, bool with_baselines) {
  std::vector<WorkItem> items;
  for (std::size_t a = 0; with_baselines && a < result.baselines.size(); ++a) {
    const ScanBaselines& baselines = result.baselines[a];
    if (!baselines.computed && DimensionFits(result.settings, result.value_count, baselines.D, baselines.tau))
      items.push_back({.baselines = true, .index = a});
  }
  std::vector<std::size_t> cells;
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    if (result.cells[c].status == CellStatus::kNotRun) cells.push_back(c);
  }
  std::stable_sort(cells.begin(), cells.end(), [&](std::size_t a, std::size_t b) {
    const ScanCell& first = result.cells[a];
    const ScanCell& second = result.cells[b];
    if (first.eps != second.eps) return first.eps > second.eps;
    return first.D < second.D;
  });
  for (const std::size_t c : cells) items.push_back({.baselines = false, .index = c});
  return items;
}

// The grid of cells with each one's feasibility, and a baseline slot per
// delay and dimension.
void LayOutGrid(std::span<const double> series, ScanResult& result) {
  const ScanSettings& settings = result.settings;
  const double width = result.training_maximum - result.training_minimum;
  for (const std::int32_t tau : settings.tau) {
    for (const std::int32_t D : settings.D) {
      ScanBaselines baselines;
      baselines.D = D;
      baselines.tau = tau;
      result.baselines.push_back(std::move(baselines));
      for (const double eps : settings.eps) {
        ScanCell cell;
        cell.D = D;
        cell.eps = eps;
        cell.tau = tau;
        cell.reason = CellProblem(settings, series.size(), width, D, tau, eps, result.eps_unit);
        if (!cell.reason.empty()) cell.status = CellStatus::kInfeasible;
        result.cells.push_back(std::move(cell));
      }
    }
  }
}

// Takes the outcomes an earlier, stopped run of the same scan already has.
void TakeOutcomes(const ScanResult& earlier, ScanResult& result) {
  if (earlier.cells.size() != result.cells.size() || earlier.baselines.size() != result.baselines.size())
    throw std::invalid_argument("the scan to resume has another grid");
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    const ScanCell& cell = earlier.cells[c];
    if (cell.D != result.cells[c].D || cell.eps != result.cells[c].eps || cell.tau != result.cells[c].tau)
      throw std::invalid_argument("the scan to resume has another grid");
    if (cell.status == CellStatus::kFinished || cell.status == CellStatus::kSingular) result.cells[c] = cell;
  }
  for (std::size_t a = 0; a < result.baselines.size(); ++a)
    if (earlier.baselines[a].computed) result.baselines[a] = earlier.baselines[a];
}

}  // namespace

ScanResult RunScan(std::span<const double> series, const ScanSettings& settings, const ScanOptions& options) {
  if (const auto problem = CheckScanSettings(settings, series.size())) {
    throw std::invalid_argument(std::string(ScanSettingName(problem->setting)) + " = " + problem->value +
                                " is out of range: allowed " + problem->allowed);
  }
  ScanResult result;
  result.settings = settings;
  result.settings.threshold = static_cast<double>(static_cast<float>(settings.threshold));
  result.value_count = series.size();
  const PreparedTraining training(series, settings.Ntrain);
  ScanRun run(training, result);
  result.training_minimum = training.training_minimum();
  result.training_maximum = training.training_maximum();
  if (settings.eps_relative) result.eps_unit = training.training_deviation();
  LayOutGrid(series, result);
  if (options.resume != nullptr) TakeOutcomes(*options.resume, result);
  run.items = StartOrder(result, options.baselines);
  const auto count = static_cast<std::int32_t>(run.items.size());
  const int jobs = ThreadCount(options.jobs);
  // Fewer cells than jobs: each check, and each dimension's baselines, spread
  // over the jobs the other cells leave idle. The baselines are not counted:
  // they start first and are done early, so a lone cell would otherwise keep
  // one thread of its own while the others wait.
  const auto cells =
      std::count_if(run.items.begin(), run.items.end(), [](const WorkItem& item) { return !item.baselines; });
  run.check_threads = std::max(1, jobs / static_cast<int>(std::max<std::ptrdiff_t>(cells, 1)));
  run.stop_request = options.stop;
  std::function<bool()> keep_going;
  if (options.progress || options.stop || options.on_outcome) {
    keep_going = [&] {
      run.Tell(options);
      if (options.progress && !options.progress({.done = run.done.load(), .total = count})) run.stopping = true;
      return !run.Stopped();
    };
  }
  // A stop asked for before the first item leaves every outcome not run.
  if (keep_going && !keep_going()) return result;
  const bool finished = RunSchedule(
      count, jobs, [&run](std::int32_t item, PieceWork&) { return run.Run(item); }, keep_going);
  run.Tell(options);
  result.complete = finished && !run.Stopped();
  if (result.complete && options.progress) options.progress({.done = count, .total = count});
  return result;
}

namespace {

template <typename T>
void AddEdge(const std::vector<T>& axis, T value, ScanSetting setting, std::vector<GridEdge>& edges) {
  if (axis.size() < 2) return;
  const auto [low, high] = std::minmax_element(axis.begin(), axis.end());
  // An axis of equal values has no inside to lie on.
  if (*low == *high) return;
  if (value == *low) edges.push_back({.setting = setting, .smallest = true});
  if (value == *high) edges.push_back({.setting = setting, .smallest = false});
}

}  // namespace

std::vector<GridEdge> BestCellEdges(const ScanResult& result) {
  std::vector<GridEdge> edges;
  const auto best = BestCell(result);
  if (!best) return edges;
  const ScanCell& cell = result.cells[*best];
  AddEdge(result.settings.D, cell.D, ScanSetting::kDimension, edges);
  AddEdge(result.settings.eps, cell.eps, ScanSetting::kBoxSize, edges);
  AddEdge(result.settings.tau, cell.tau, ScanSetting::kDelay, edges);
  return edges;
}

std::string GridEdgeText(const GridEdge& edge) {
  return std::string("the best ") + ScanSettingName(edge.setting) + " is the " +
         (edge.smallest ? "smallest" : "largest") + " in the grid";
}

ScanResult DelayLayer(const ScanResult& result, std::size_t delay_index) {
  ScanResult layer;
  layer.settings = result.settings;
  layer.settings.tau = {result.settings.tau.at(delay_index)};
  layer.value_count = result.value_count;
  layer.training_minimum = result.training_minimum;
  layer.training_maximum = result.training_maximum;
  layer.complete = result.complete;
  const std::size_t rows = result.settings.D.size();
  const std::size_t cells = rows * result.settings.eps.size();
  const auto first_cell = result.cells.begin() + static_cast<std::ptrdiff_t>(delay_index * cells);
  layer.cells.assign(first_cell, first_cell + static_cast<std::ptrdiff_t>(cells));
  const auto first_row = result.baselines.begin() + static_cast<std::ptrdiff_t>(delay_index * rows);
  layer.baselines.assign(first_row, first_row + static_cast<std::ptrdiff_t>(rows));
  return layer;
}

const char* ScanMetricName(ScanMetric metric) {
  switch (metric) {
    case ScanMetric::kIterativeTime:
      return "iterative_time";
    case ScanMetric::kDirectTime:
      return "direct_time";
    case ScanMetric::kOneStepError:
      return "one_step_error";
    case ScanMetric::kMeanError:
      break;
  }
  return "mean_error";
}

std::optional<ScanMetric> ScanMetricNamed(std::string_view name) {
  for (const ScanMetric metric :
       {ScanMetric::kIterativeTime, ScanMetric::kDirectTime, ScanMetric::kOneStepError, ScanMetric::kMeanError})
    if (name == ScanMetricName(metric)) return metric;
  return std::nullopt;
}

std::vector<ScanMetric> MetricOrder(ScanMetric metric) {
  std::vector<ScanMetric> order{metric};
  for (const ScanMetric next : {ScanMetric::kIterativeTime, ScanMetric::kDirectTime, ScanMetric::kOneStepError})
    if (next != metric) order.push_back(next);
  return order;
}

double CellFigure(const ScanCell& cell, ScanMetric metric) {
  const CheckResult& check = cell.result;
  switch (metric) {
    case ScanMetric::kIterativeTime:
      return cell.iterative_time.value_or(0);
    case ScanMetric::kDirectTime:
      return cell.direct_time.value_or(0);
    case ScanMetric::kOneStepError:
      return check.one_step_error;  // NaN unless the iterative test has errors
    case ScanMetric::kMeanError:
      break;
  }
  if (check.iterative.errors.empty()) return std::numeric_limits<double>::quiet_NaN();
  double sum = 0.0;
  for (const double error : check.iterative.errors) sum += error;
  return sum / static_cast<double>(check.iterative.errors.size());
}

namespace {

// Whether `cell` beats `leader` on the first figure of `order` where they
// differ; times count up, errors down, and a NaN error never beats a number.
bool Beats(const ScanCell& cell, const ScanCell& leader, const std::vector<ScanMetric>& order) {
  for (const ScanMetric metric : order) {
    const double mine = CellFigure(cell, metric);
    const double theirs = CellFigure(leader, metric);
    if (mine == theirs || (std::isnan(mine) && std::isnan(theirs))) continue;
    const bool time = metric == ScanMetric::kIterativeTime || metric == ScanMetric::kDirectTime;
    if (time) return mine > theirs;
    if (std::isnan(mine)) return false;
    return std::isnan(theirs) || mine < theirs;
  }
  return false;
}

}  // namespace

std::optional<std::size_t> BestCell(const ScanResult& result) {
  const std::vector<ScanMetric> order = MetricOrder(result.settings.metric);
  std::optional<std::size_t> best;
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    const ScanCell& cell = result.cells[c];
    if (cell.status != CellStatus::kFinished) continue;
    if (!best || Beats(cell, result.cells[*best], order)) best = c;
  }
  return best;
}

}  // namespace modelcheck
