#include "apps/batch/scan_summary.h"

#include <array>
#include <optional>
#include <vector>

#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string Counts(const ScanResult& result) {
  std::array<int, 4> tally{};
  for (const ScanCell& cell : result.cells) ++tally[static_cast<std::size_t>(cell.status)];
  std::string text = std::to_string(result.cells.size()) + (result.cells.size() == 1 ? " cell: " : " cells: ");
  text += std::to_string(tally[0]) + " finished, " + std::to_string(tally[1]) + " singular, " +
          std::to_string(tally[2]) + " infeasible";
  if (tally[3] > 0) text += ", " + std::to_string(tally[3]) + " not run (interrupted)";
  return text + "\n";
}

// "none" for a test that stopped (the global affine fit can be singular).
std::string TimeText(std::optional<std::int32_t> time) { return time ? std::to_string(*time) : "none"; }

// " (90 % interval 10 to 14)" after a time with bootstrap intervals.
std::string IntervalText(const PredictionTestResult& test) {
  if (!test.interval) return "";
  return " (90 % interval " + std::to_string(test.interval->time_low) + " to " +
         std::to_string(test.interval->time_high) + ")";
}

std::string Best(const ScanResult& result) {
  const auto best = BestCell(result);
  if (!best) return "No cell finished.\n";
  const ScanCell& cell = result.cells[*best];
  const ScanBaselines& baselines = result.baselines[*best / result.settings.eps.size()];
  // The delay is named once a scan has one other than 1.
  const bool delays = result.settings.tau != std::vector<std::int32_t>{1};
  const std::string state = "D = " + std::to_string(cell.D) + (delays ? ", tau = " + std::to_string(cell.tau) : "");
  std::string text = "Best: " + state + ", eps = " + ShortestNumberText(cell.eps) + ": prediction time " +
                     TimeText(cell.iterative_time) + " steps iterative" + IntervalText(cell.result.iterative) + ", " +
                     TimeText(cell.direct_time) + " direct" + IntervalText(cell.result.direct) + "; one-step error " +
                     ShortestNumberText(cell.result.one_step_error);
  // Another metric than the default says what the best cell is best at, and what broke ties.
  if (result.settings.metric != ScanMetric::kIterativeTime) {
    const std::vector<ScanMetric> order = MetricOrder(result.settings.metric);
    text += "; mean error " + ShortestNumberText(CellFigure(cell, ScanMetric::kMeanError)) + "\nRanked by " +
            ScanMetricName(order[0]) + ", ties by";
    for (std::size_t i = 1; i < order.size(); ++i)
      text += std::string(i == 1 ? " " : ", then ") + ScanMetricName(order[i]);
  }
  text += "\n";
  if (baselines.computed) {
    text += "Baselines for " + state + ": persistence " + TimeText(baselines.persistence_time) +
            " steps, global affine " + TimeText(baselines.global_iterative_time) + " iterative, " +
            TimeText(baselines.global_direct_time) + " direct\n";
  }
  return text;
}

std::string EdgeAdvice(const ScanResult& result, const GridOptions& options) {
  std::string text;
  for (const GridEdge& edge : BestCellEdges(result)) {
    const std::string& option = edge.setting == ScanSetting::kDimension ? options.dimension
                                : edge.setting == ScanSetting::kBoxSize ? options.box_size
                                                                        : options.delay;
    std::string line = GridEdgeText(edge) + ": extend " + option + (edge.smallest ? " down" : " up");
    line[0] = 'T';
    text += line + "\n";
  }
  return text;
}

std::string SurrogateText(const ScanResult& result, const SurrogateRun& run) {
  const std::string name =
      "Surrogates (" + std::to_string(run.settings.count) + " IAAFT, seed " + std::to_string(run.settings.seed) + ")";
  if (!run.complete) return name + ": stopped before every surrogate was checked; no p-values\n";
  std::string text;
  for (const SurrogateCellTest& test : run.cells) {
    const ScanCell& cell = result.cells[test.cell];
    text += name + " for D = " + std::to_string(cell.D) + ", eps = " + ShortestNumberText(cell.eps) +
            (result.settings.tau.size() > 1 ? ", tau = " + std::to_string(cell.tau) : "") + ": ";
    if (test.finished == 0) {
      text += "no surrogate's check finished; no p-value\n";
      continue;
    }
    text += "p = " + ShortestNumberText(test.p_value) + " (" + std::to_string(test.at_most_series) + " of " +
            std::to_string(test.finished) + " finished surrogates predict one step as well or better)\n";
  }
  return text;
}

}  // namespace

std::string ScanSummary(const ScanResult& result, const std::vector<std::string>& written, const std::string& folder,
                        const GridOptions& options, const SurrogateRun* surrogates) {
  std::string text = Counts(result) + Best(result) + EdgeAdvice(result, options);
  if (surrogates != nullptr) text += SurrogateText(result, *surrogates);
  if (written.empty()) return text;
  text += "Wrote";
  for (const std::string& name : written) text += " " + name;
  return text + " in " + folder + "\n";
}

}  // namespace modelcheck
