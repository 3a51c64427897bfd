// A scan's two tables, defined once: the batch program writes them as
// scan.csv and curves.csv, the Python module converts the same rows into data
// frames, so the files and the frames cannot name or fill a column
// differently.
//
// The scan table has one row per cell, the curves table one row per cell and
// horizon 1..Ltest; cells in scan order, dimension-major. A field is absent
// where its figure does not exist (an infeasible cell, a test that stopped, a
// baseline not computed). Columns, in order:
//   scan:   D, eps, status, one_step_error, iterative_time, direct_time,
//           persistence_time, global_iterative_time, global_direct_time,
//           neighbours_min, neighbours_median, neighbours_max, reason,
//           Ntrain, Ltest, Ktest, delay, iterative_skipped_pieces,
//           direct_skipped_pieces (pieces a singular fit ended, left out of
//           the errors with --on-singular skip-piece), one_step_error_low,
//           one_step_error_high, iterative_time_low, iterative_time_high,
//           direct_time_low, direct_time_high (the bootstrap's 90 %
//           intervals), surrogates (how many finished), surrogate_p_value,
//           surrogate_one_step_error_median, surrogate_iterative_time_median,
//           surrogate_direct_time_median (the cells the surrogate test ran)
//   curves: D, eps, status, horizon, iterative_error, direct_error,
//           persistence_error, global_iterative_error, global_direct_error,
//           Ntrain, Ltest, Ktest, delay, iterative_error_low,
//           iterative_error_high, direct_error_low, direct_error_high,
//           surrogate_error_low, surrogate_error_high (the central 90 % of
//           the surrogates' iterative errors)
// Later columns come last so that readers of the files written before they
// were added find every older column where it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "modelcheck/scan.h"
#include "modelcheck/surrogates.h"

namespace modelcheck {

enum class ScanTableKind { kScan, kCurves };

enum class FieldKind { kInteger, kReal, kText };

struct TableColumn {
  std::string_view name;
  FieldKind kind = FieldKind::kReal;
};

// One field of a row: absent (std::monostate) or a value of its column's kind.
using TableField = std::variant<std::monostate, std::int64_t, double, std::string>;

// Gets each row, one field per column; returns false to stop the rows.
using TableRowVisitor = std::function<bool(std::span<const TableField>)>;

std::span<const TableColumn> TableColumns(ScanTableKind kind);

std::size_t TableRowCount(const ScanResult& result, ScanTableKind kind);

// Every row in order, built one at a time so that a large grid is never held
// whole; false when the visitor stopped the rows.
// `surrogates`, when given, is the surrogate test of some of the cells.
bool ForEachTableRow(const ScanResult& result, ScanTableKind kind, const TableRowVisitor& visit,
                     const SurrogateRun* surrogates = nullptr);

}  // namespace modelcheck
