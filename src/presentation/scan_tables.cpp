#include "presentation/scan_tables.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "presentation/neighbour_summary.h"

namespace modelcheck {

namespace {

constexpr std::array kScanColumns{
    TableColumn{"D", FieldKind::kInteger},
    TableColumn{"eps", FieldKind::kReal},
    TableColumn{"status", FieldKind::kText},
    TableColumn{"one_step_error", FieldKind::kReal},
    TableColumn{"iterative_time", FieldKind::kInteger},
    TableColumn{"direct_time", FieldKind::kInteger},
    TableColumn{"persistence_time", FieldKind::kInteger},
    TableColumn{"global_iterative_time", FieldKind::kInteger},
    TableColumn{"global_direct_time", FieldKind::kInteger},
    TableColumn{"neighbours_min", FieldKind::kInteger},
    TableColumn{"neighbours_median", FieldKind::kReal},
    TableColumn{"neighbours_max", FieldKind::kInteger},
    TableColumn{"reason", FieldKind::kText},
    TableColumn{"Ntrain", FieldKind::kInteger},
    TableColumn{"Ltest", FieldKind::kInteger},
    TableColumn{"Ktest", FieldKind::kInteger},
    TableColumn{"delay", FieldKind::kInteger},
    TableColumn{"iterative_skipped_pieces", FieldKind::kInteger},
    TableColumn{"direct_skipped_pieces", FieldKind::kInteger},
    TableColumn{"one_step_error_low", FieldKind::kReal},
    TableColumn{"one_step_error_high", FieldKind::kReal},
    TableColumn{"iterative_time_low", FieldKind::kInteger},
    TableColumn{"iterative_time_high", FieldKind::kInteger},
    TableColumn{"direct_time_low", FieldKind::kInteger},
    TableColumn{"direct_time_high", FieldKind::kInteger},
    TableColumn{"surrogates", FieldKind::kInteger},
    TableColumn{"surrogate_p_value", FieldKind::kReal},
    TableColumn{"surrogate_one_step_error_median", FieldKind::kReal},
    TableColumn{"surrogate_iterative_time_median", FieldKind::kReal},
    TableColumn{"surrogate_direct_time_median", FieldKind::kReal},
};

constexpr std::array kCurvesColumns{
    TableColumn{"D", FieldKind::kInteger},
    TableColumn{"eps", FieldKind::kReal},
    TableColumn{"status", FieldKind::kText},
    TableColumn{"horizon", FieldKind::kInteger},
    TableColumn{"iterative_error", FieldKind::kReal},
    TableColumn{"direct_error", FieldKind::kReal},
    TableColumn{"persistence_error", FieldKind::kReal},
    TableColumn{"global_iterative_error", FieldKind::kReal},
    TableColumn{"global_direct_error", FieldKind::kReal},
    TableColumn{"Ntrain", FieldKind::kInteger},
    TableColumn{"Ltest", FieldKind::kInteger},
    TableColumn{"Ktest", FieldKind::kInteger},
    TableColumn{"delay", FieldKind::kInteger},
    TableColumn{"iterative_error_low", FieldKind::kReal},
    TableColumn{"iterative_error_high", FieldKind::kReal},
    TableColumn{"direct_error_low", FieldKind::kReal},
    TableColumn{"direct_error_high", FieldKind::kReal},
    TableColumn{"surrogate_error_low", FieldKind::kReal},
    TableColumn{"surrogate_error_high", FieldKind::kReal},
};

bool HasFigures(const ScanCell& cell) {
  return cell.status == CellStatus::kFinished || cell.status == CellStatus::kSingular;
}

TableField Time(bool exists, std::optional<std::int32_t> time) {
  if (!exists || !time) return {};
  return std::int64_t{*time};
}

// Horizon i of a list of errors; absent when the list ends first.
TableField Error(bool exists, const std::vector<double>& errors, std::size_t i) {
  if (!exists || i >= errors.size()) return {};
  return errors[i];
}

void AddSettings(const ScanSettings& settings, const ScanCell& cell, std::vector<TableField>& row) {
  row.emplace_back(std::int64_t{settings.Ntrain});
  row.emplace_back(std::int64_t{settings.Ltest});
  row.emplace_back(std::int64_t{settings.Ktest});
  row.emplace_back(std::int64_t{cell.tau});
}

// The bootstrap's interval of a test's error at horizon i (both ends), or two absent fields.
void AddErrorInterval(bool exists, const PredictionTestResult& test, std::size_t i, std::vector<TableField>& row) {
  const bool interval = exists && test.interval && i < test.interval->errors_low.size();
  row.push_back(interval ? TableField(test.interval->errors_low[i]) : TableField());
  row.push_back(interval ? TableField(test.interval->errors_high[i]) : TableField());
}

void AddTimeInterval(bool exists, const PredictionTestResult& test, std::vector<TableField>& row) {
  const bool interval = exists && test.interval;
  row.push_back(interval ? TableField(std::int64_t{test.interval->time_low}) : TableField());
  row.push_back(interval ? TableField(std::int64_t{test.interval->time_high}) : TableField());
}

// The median of the figures present; absent when none is.
TableField Median(std::vector<double> values) {
  if (values.empty()) return {};
  std::ranges::sort(values);
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

void AddSurrogates(const SurrogateCellTest* test, std::vector<TableField>& row) {
  if (test == nullptr) {
    row.resize(row.size() + 5);
    return;
  }
  std::vector<double> errors, iterative, direct;
  for (const SurrogateCheck& check : test->checks) {
    if (!std::isnan(check.one_step_error)) errors.push_back(check.one_step_error);
    if (check.iterative_time) iterative.push_back(*check.iterative_time);
    if (check.direct_time) direct.push_back(*check.direct_time);
  }
  row.emplace_back(std::int64_t{test->finished});
  row.push_back(std::isnan(test->p_value) ? TableField() : TableField(test->p_value));
  row.push_back(Median(std::move(errors)));
  row.push_back(Median(std::move(iterative)));
  row.push_back(Median(std::move(direct)));
}

void FillScanRow(const ScanResult& result, const ScanCell& cell, const ScanBaselines& baselines,
                 const SurrogateCellTest* surrogates, std::vector<TableField>& row) {
  const CheckResult& check = cell.result;
  const bool figures = HasFigures(cell);
  row.emplace_back(std::int64_t{cell.D});
  row.emplace_back(cell.eps);
  row.emplace_back(std::string(CellStatusName(cell.status)));
  row.push_back(figures && !check.iterative.errors.empty() ? TableField(check.one_step_error) : TableField());
  row.push_back(Time(figures, cell.iterative_time));
  row.push_back(Time(figures, cell.direct_time));
  row.push_back(Time(baselines.computed, baselines.persistence_time));
  row.push_back(Time(baselines.computed, baselines.global_iterative_time));
  row.push_back(Time(baselines.computed, baselines.global_direct_time));
  if (figures && !check.direct.neighbour_counts.empty()) {
    const NeighbourSummary summary = SummariseNeighbours(check.direct.neighbour_counts);
    row.emplace_back(std::int64_t{summary.minimum});
    row.emplace_back(summary.median);
    row.emplace_back(std::int64_t{summary.maximum});
  } else {
    row.resize(row.size() + 3);
  }
  row.emplace_back(cell.reason);
  AddSettings(result.settings, cell, row);
  row.push_back(figures ? TableField(std::int64_t{check.iterative.skipped_pieces}) : TableField());
  row.push_back(figures ? TableField(std::int64_t{check.direct.skipped_pieces}) : TableField());
  AddErrorInterval(figures, check.iterative, 0, row);
  AddTimeInterval(figures, check.iterative, row);
  AddTimeInterval(figures, check.direct, row);
  AddSurrogates(surrogates, row);
}

void FillCurvesRow(const ScanResult& result, const ScanCell& cell, const ScanBaselines& baselines,
                   const SurrogateCellTest* surrogates, std::size_t i, std::vector<TableField>& row) {
  const CheckResult& check = cell.result;
  const BaselineResult& base = baselines.result;
  const bool figures = HasFigures(cell);
  row.emplace_back(std::int64_t{cell.D});
  row.emplace_back(cell.eps);
  row.emplace_back(std::string(CellStatusName(cell.status)));
  row.emplace_back(static_cast<std::int64_t>(i + 1));
  row.push_back(Error(figures, check.iterative.errors, i));
  row.push_back(Error(figures, check.direct.errors, i));
  row.push_back(Error(baselines.computed, base.persistence.errors, i));
  row.push_back(Error(baselines.computed, base.global_iterative.errors, i));
  row.push_back(Error(baselines.computed, base.global_direct.errors, i));
  AddSettings(result.settings, cell, row);
  AddErrorInterval(figures, check.iterative, i, row);
  AddErrorInterval(figures, check.direct, i, row);
  const bool band = surrogates != nullptr;
  row.push_back(band ? Error(true, surrogates->band_low, i) : TableField());
  row.push_back(band ? Error(true, surrogates->band_high, i) : TableField());
}

std::size_t Horizons(const ScanResult& result) {
  return result.settings.Ltest > 0 ? static_cast<std::size_t>(result.settings.Ltest) : 0;
}

}  // namespace

std::span<const TableColumn> TableColumns(ScanTableKind kind) {
  if (kind == ScanTableKind::kScan) return kScanColumns;
  return kCurvesColumns;
}

std::size_t TableRowCount(const ScanResult& result, ScanTableKind kind) {
  return kind == ScanTableKind::kScan ? result.cells.size() : result.cells.size() * Horizons(result);
}

bool ForEachTableRow(const ScanResult& result, ScanTableKind kind, const TableRowVisitor& visit,
                     const SurrogateRun* surrogates) {
  std::vector<const SurrogateCellTest*> tested(result.cells.size(), nullptr);
  if (surrogates != nullptr && surrogates->complete) {
    for (const SurrogateCellTest& test : surrogates->cells)
      if (test.cell < tested.size()) tested[test.cell] = &test;
  }
  // The baselines belong to a dimension: one per row of the grid.
  const std::size_t columns = result.settings.eps.size();
  std::vector<TableField> row;
  row.reserve(TableColumns(kind).size());
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    const ScanCell& cell = result.cells[c];
    const ScanBaselines& baselines = result.baselines[c / columns];
    const std::size_t repeats = kind == ScanTableKind::kScan ? 1 : Horizons(result);
    for (std::size_t i = 0; i < repeats; ++i) {
      row.clear();
      if (kind == ScanTableKind::kScan)
        FillScanRow(result, cell, baselines, tested[c], row);
      else
        FillCurvesRow(result, cell, baselines, tested[c], i, row);
      if (!visit(row)) return false;
    }
  }
  return true;
}

}  // namespace modelcheck
