// The surrogate-data test of a scan's cells: is a cell's one-step error
// smaller than a linear Gaussian process, seen through the same monotone
// measurement function, would give?
//
// The values the scan reads (ScanReadSpan) are replaced by N IAAFT
// surrogates (the same values in another order, with nearly the same
// periodogram), and each surrogate is checked with each chosen cell's
// settings exactly as the scan checked the series (the same Ntrain, Ltest,
// Ktest, threshold, singular-fit policy and box unit). The p-value of a cell
// is the rank of the series' one-step error among those of the N + 1
// series, one-sided, ties counted against the series:
// (1 + surrogates whose error is at most the series') / (finished + 1),
// over the surrogates whose check finished with an error. With every
// surrogate finished, the smallest possible value is 1 / (N + 1).
//
// Surrogate i of seed s depends on (s, i) alone, so every figure is the same
// to the last bit for any number of jobs.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <vector>

#include "modelcheck/scan.h"

namespace modelcheck {

struct SurrogateSettings {
  std::int32_t count = 99;  // N
  std::uint64_t seed = 0;
  // A surrogate's amplitude and rank steps stop when the rank order no
  // longer changes, or after this many.
  std::int32_t max_iterations = 1000;
};

// One surrogate's check with one cell's settings.
struct SurrogateCheck {
  CellStatus status = CellStatus::kNotRun;  // finished, singular, or not run
  double one_step_error = std::numeric_limits<double>::quiet_NaN();
  std::optional<std::int32_t> iterative_time;  // with the scan's threshold
  std::optional<std::int32_t> direct_time;
  std::vector<double> iterative_errors;  // per horizon; empty without errors
};

struct SurrogateCellTest {
  std::size_t cell = 0;                // into ScanResult::cells
  std::vector<SurrogateCheck> checks;  // surrogate 1..N at [0..N-1]
  std::int32_t finished = 0;           // surrogates with a one-step error
  std::int32_t at_most_series = 0;     // of those, with an error at most the series'
  // NaN when the series' cell has no one-step error.
  double p_value = std::numeric_limits<double>::quiet_NaN();
  // The central 90 % of the finished surrogates' iterative errors at each
  // horizon, nearest rank as the bootstrap's (with fewer than 20, the
  // smallest and the largest); empty when none finished.
  std::vector<double> band_low = {};
  std::vector<double> band_high = {};
};

struct SurrogateRun {
  SurrogateSettings settings;
  std::size_t values = 0;  // how many leading values each surrogate replaces
  std::vector<SurrogateCellTest> cells;
  std::vector<std::int32_t> iterations;  // per surrogate: amplitude steps taken
  std::int32_t converged = 0;            // surrogates whose rank order settled
  double making_seconds = 0.0;           // summed over the jobs
  double checking_seconds = 0.0;
  bool complete = false;  // every surrogate made and checked
};

struct SurrogateOptions {
  int jobs = 0;  // threads; 0: every hardware thread. The figures do not depend on it.
  // Called on the calling thread whenever a surrogate is done and at least
  // every 50 ms, with (surrogates done, N); false stops early.
  std::function<bool(std::int32_t done, std::int32_t count)> progress;
  const std::atomic<bool>* stop = nullptr;  // set from any thread to stop as progress returning false does
};

// The cells a surrogate test compares with: the best cell (BestCell), or
// with `every_cell` every finished one, that has a one-step error; empty
// when none has.
std::vector<std::size_t> SurrogateCells(const ScanResult& scan, bool every_cell);

// Tests `cells` (indices into scan.cells, each finished or singular) of a
// scan of `series`. Throws std::invalid_argument when a count or cell is out
// of range. A run stopped early is not complete and has no p-values.
SurrogateRun RunSurrogates(std::span<const double> series, const ScanResult& scan, std::span<const std::size_t> cells,
                           const SurrogateSettings& settings, const SurrogateOptions& options = {});

}  // namespace modelcheck
