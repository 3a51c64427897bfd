#include "apps/batch/scan_tables.h"

#include <cstddef>
#include <optional>
#include <vector>

#include "apps/batch/neighbour_summary.h"
#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string Quoted(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

// Horizon i of a list of errors, or an empty field when the list ends first.
std::string ErrorField(const std::vector<double>& errors, std::size_t i) {
  return i < errors.size() ? ShortestNumberText(errors[i]) : std::string();
}

bool HasFigures(const ScanCell& cell) {
  return cell.status == CellStatus::kFinished || cell.status == CellStatus::kSingular;
}

std::string CellKey(const ScanCell& cell) {
  return std::to_string(cell.D) + "," + ShortestNumberText(cell.eps) + "," + Quoted(CellStatusName(cell.status));
}

// A prediction time, or an empty field when its test has no errors.
std::string TimeField(std::optional<std::int32_t> time) { return time ? std::to_string(*time) : std::string(); }

std::string CurveRow(const ScanCell& cell, const ScanBaselines& baselines, std::size_t i) {
  const std::vector<double> none;
  const CheckResult& check = cell.result;
  const BaselineResult& base = baselines.result;
  const bool figures = HasFigures(cell);
  const bool baseline = baselines.computed;
  return CellKey(cell) + "," + std::to_string(i + 1) + "," + ErrorField(figures ? check.iterative.errors : none, i) +
         "," + ErrorField(figures ? check.direct.errors : none, i) + "," +
         ErrorField(baseline ? base.persistence.errors : none, i) + "," +
         ErrorField(baseline ? base.global_iterative.errors : none, i) + "," +
         ErrorField(baseline ? base.global_direct.errors : none, i) + "\n";
}

std::string ScanRow(const ScanCell& cell, const ScanBaselines& baselines) {
  std::string row = CellKey(cell) + ",";
  const CheckResult& check = cell.result;
  const bool figures = HasFigures(cell);
  row += (figures && !check.iterative.errors.empty() ? ShortestNumberText(check.one_step_error) : "") + ",";
  row += (figures ? TimeField(cell.iterative_time) : "") + ",";
  row += (figures ? TimeField(cell.direct_time) : "") + ",";
  const bool baseline = baselines.computed;
  row += (baseline ? TimeField(baselines.persistence_time) : "") + ",";
  row += (baseline ? TimeField(baselines.global_iterative_time) : "") + ",";
  row += (baseline ? TimeField(baselines.global_direct_time) : "") + ",";
  if (figures && !check.direct.neighbour_counts.empty()) {
    const NeighbourSummary summary = SummariseNeighbours(check.direct.neighbour_counts);
    row += std::to_string(summary.minimum) + "," + ShortestNumberText(summary.median) + "," +
           std::to_string(summary.maximum) + ",";
  } else {
    row += ",,,";
  }
  return row + Quoted(cell.reason) + "\n";
}

}  // namespace

void WriteCurvesTable(const ScanResult& result, const ByteWriter& write) {
  if (!write("D,eps,status,horizon,iterative_error,direct_error,persistence_error,global_iterative_error,"
             "global_direct_error\n"))
    return;
  const std::size_t columns = result.settings.eps.size();
  const auto horizons = static_cast<std::size_t>(result.settings.Ltest);
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    for (std::size_t i = 0; i < horizons; ++i)
      if (!write(CurveRow(result.cells[c], result.baselines[c / columns], i))) return;
  }
}

void WriteScanTable(const ScanResult& result, const ByteWriter& write) {
  if (!write("D,eps,status,one_step_error,iterative_time,direct_time,persistence_time,global_iterative_time,"
             "global_direct_time,neighbours_min,neighbours_median,neighbours_max,reason\n"))
    return;
  const std::size_t columns = result.settings.eps.size();
  for (std::size_t c = 0; c < result.cells.size(); ++c)
    if (!write(ScanRow(result.cells[c], result.baselines[c / columns]))) return;
}

std::string CurvesTable(const ScanResult& result) {
  std::string table;
  WriteCurvesTable(result, [&table](std::string_view row) {
    table += row;
    return true;
  });
  return table;
}

std::string ScanTable(const ScanResult& result) {
  std::string table;
  WriteScanTable(result, [&table](std::string_view row) {
    table += row;
    return true;
  });
  return table;
}

}  // namespace modelcheck
