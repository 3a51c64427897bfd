// The batch program's command line: what to scan and where the results go.
//
// ParseBatchCommandLine reads the options; the values that depend on the
// series (the default Ntrain, the ranges of every setting) are settled by
// SettleScanSettings once the series is read. Every refusal is one line
// that names the option and what it allows.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "modelcheck/scan.h"
#include "text/series_reader.h"

namespace modelcheck {

struct BatchOptions {
  std::string series_path;             // "-": standard input
  SeriesReadOptions reading;           // how the series file is read
  std::optional<std::int32_t> Ntrain;  // none: the count less what the tests need
  // The counts as typed, up to 64 bits; the settings hold them clamped to
  // 32, so a refusal still names the number the user gave.
  std::int64_t typed_Ntrain = 0;
  std::int64_t typed_Ltest = 0;
  std::int64_t typed_Ktest = 0;
  ScanSettings scan;             // Ntrain settled later
  bool logarithmic_eps = false;  // the box sizes came from --eps-log
  int jobs = 0;                  // 0: every core
  std::string out_folder = ".";
  bool write_json = true;
  bool write_csv = true;
  bool write_png = true;
  bool resume = false;          // take the outcomes in the output folder's cells.jsonl
  bool baselines = true;        // false: --no-baselines
  std::int32_t surrogates = 0;  // N; 0: no surrogate test
  bool surrogates_all = false;  // every finished cell, not only the best
  std::uint64_t seed = 0;       // of the surrogates and the bootstrap (also in scan.bootstrap)
};

// What ends the program before a scan: help or version text (status 0, on
// standard output) or a usage error (status 2, on standard error).
struct CommandLineExit {
  int status = 0;
  std::string text;
};

std::variant<BatchOptions, CommandLineExit> ParseBatchCommandLine(int argc, const char* const* argv);

// Sets the scan's Ntrain for a series of `value_count` values and checks
// every setting against it; the usage error's line when one is out of range.
std::optional<std::string> SettleScanSettings(BatchOptions& options, std::size_t value_count);

}  // namespace modelcheck
