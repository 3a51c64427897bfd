#include "apps/batch/batch_options.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <string_view>
#include <thread>
#include <vector>

#include "apps/batch/value_lists.h"

namespace modelcheck {

namespace {

// The options as typed; numbers are read by value_lists.h, not by the
// parser, so every refusal reads alike.
struct TypedOptions {
  std::string series;
  std::string ntrain;
  std::string dim = "2";
  std::string delay = "1";
  std::string eps = "0.05";
  std::string eps_log;
  std::string ltest = "30";
  std::string ktest = "100";
  std::string threshold = "0.05";
  std::string jobs;
  std::string out = ".";
  std::vector<std::string> formats{"json", "csv", "png"};
  bool fixed_field = false;
  std::string column;
  std::string delimiter;
  std::string skip_rows;
  bool resume = false;
  bool no_baselines = false;
  std::string on_singular = "stop";
  bool eps_relative = false;
  std::string metric = "iterative_time";
  std::string surrogates;
  bool surrogates_all = false;
  std::string bootstrap;
  std::string seed = "0";
};

constexpr const char* kDescription =
    "Checks how well local affine model maps predict a time series, for every dimension D and box size eps "
    "of a grid: each check runs the model's orbit, the iterative and the direct prediction test, as the "
    "interactive program does, beside two baselines (persistence and the global affine model). Writes "
    "results.json, curves.csv, scan.csv, scan.png and curves.png to the output folder, and each outcome to "
    "cells.jsonl as it lands (see --resume).\n"
    "Exit status: 0 when every cell has its outcome (singular and infeasible cells included), 1 on an "
    "input or output failure, 2 on a usage error, 130, 143 or 129 when stopped by Ctrl-C, SIGTERM or SIGHUP (the "
    "files are written, marked incomplete).";

constexpr const char* kInputFormats =
    "\nSeries files:\n"
    "  plain (default)  one number per line as C++ reads it (20, 1.5e-3, 1.5D3); blanks, a BOM, CR LF,\n"
    "                   blank lines and lines starting with # are skipped; nan, inf and text are refused\n"
    "  tables           --column picks a column by number or header name; the delimiter (comma, tab,\n"
    "                   semicolon, blanks) is detected; a first line that is not numbers is the header\n"
    "  .gz, .zst        read as their contents; .npy (NumPy) read directly: 1-D, or 2-D with --column\n"
    "  --fixed-field    the interactive program's records: the first 20 columns, and a number without\n"
    "                   a decimal point carries 10 implied decimals (12 reads as 1.2e-9)\n"
    "How the file was read is said on standard error and kept in results.json.\n";

void DeclareInputOptions(CLI::App& app, TypedOptions& typed) {
  app.add_option("SERIES", typed.series,
                 "Series file (plain text, a table, .gz, .zst or .npy; a named pipe works); - for standard input")
      ->required();
  auto* fixed = app.add_flag("--fixed-field", typed.fixed_field,
                             "Read the interactive program's 20-column records with 10 implied decimals");
  app.add_option("--column", typed.column, "Column to read: its number (from 1) or its header name")->excludes(fixed);
  app.add_option("--delimiter", typed.delimiter, "Field delimiter of a table [default: detected]")
      ->check(CLI::IsMember({"comma", "tab", "semicolon", "whitespace"}))
      ->excludes(fixed);
  app.add_option("--skip-rows", typed.skip_rows, "Lines to drop at the start of the file, whatever they hold")
      ->excludes(fixed);
}

void DeclareOptions(CLI::App& app, TypedOptions& typed) {
  DeclareInputOptions(app, typed);
  app.add_option("--ntrain", typed.ntrain,
                 "Length of the training part [default: the value count less Ltest + Ktest + (D - 1) tau for the "
                 "largest D and tau]");
  app.add_option("--dim", typed.dim, "Dimension D of the model map, or a list first:last, e.g. 1:6")
      ->capture_default_str();
  app.add_option("--metric", typed.metric,
                 "The figure the heat map shows and the best cell is best at: iterative_time, direct_time, "
                 "one_step_error or mean_error (the mean iterative error over the horizons); ties go to the next")
      ->check(CLI::IsMember({"iterative_time", "direct_time", "one_step_error", "mean_error"}))
      ->capture_default_str();
  app.add_flag("--eps-relative", typed.eps_relative,
               "Box sizes in units of the training part's standard deviation, so that one grid serves many series");
  app.add_option("--on-singular", typed.on_singular,
                 "What an exactly singular fit does: stop its cell, or skip-piece (leave the piece out of the "
                 "cell's errors and count it)")
      ->check(CLI::IsMember({"stop", "skip-piece"}))
      ->capture_default_str();
  app.add_option("--delay", typed.delay,
                 "Delay tau between the values of a state (x(n-(D-1)tau), ..., x(n-tau), x(n)), or a list "
                 "first:last scanned as a third axis, e.g. 1:4")
      ->capture_default_str();
  auto* eps = app.add_option("--eps", typed.eps, "Box size eps, or first:last:count evenly spaced, e.g. 0.01:0.1:10")
                  ->capture_default_str();
  app.add_option("--eps-log", typed.eps_log, "Box sizes first:last:count with even ratios, e.g. 0.001:0.1:12")
      ->excludes(eps);
  app.add_option("--ltest", typed.ltest, "Length of a test piece (horizons 1..Ltest)")->capture_default_str();
  app.add_option("--ktest", typed.ktest, "Number of test pieces")->capture_default_str();
  app.add_option("--threshold", typed.threshold,
                 "Error at or below which a horizon counts as predicted (held in single precision)")
      ->capture_default_str();
  app.add_option("--jobs", typed.jobs,
                 "Checks run at once [default: every core, " +
                     std::to_string(std::max(1U, std::thread::hardware_concurrency())) + "]");
  app.add_option("--out", typed.out, "Folder for the results, made when missing")->capture_default_str();
  auto* surrogates =
      app.add_option("--surrogates", typed.surrogates,
                     "Test the best cell against N IAAFT surrogates of the series (same values, nearly the same "
                     "spectrum): their figures and the rank p-value of its one-step error; 19 gives p >= 0.05, 99 "
                     "gives p >= 0.01");
  app.add_flag("--surrogates-all", typed.surrogates_all,
               "Test every finished cell against the surrogates, not only the best")
      ->needs(surrogates);
  app.add_flag("--bootstrap{1000}", typed.bootstrap,
               "90 % bootstrap intervals of every cell's errors and prediction times, resampling the test pieces "
               "1000 times (--bootstrap=B: B times)");
  app.add_option("--seed", typed.seed, "Seed of the surrogates and the bootstrap: the same seed, the same figures")
      ->capture_default_str();
  app.add_flag("--no-baselines", typed.no_baselines,
               "Skip the baselines (persistence and the global affine model): their fields stay empty");
  app.add_flag("--resume", typed.resume,
               "Continue the scan whose cells.jsonl is in the output folder: compute only the cells it lacks");
  app.add_option("--format", typed.formats, "Files to write: json, csv, png, comma-separated")
      ->delimiter(',')
      ->check(CLI::IsMember({"json", "csv", "png"}))
      ->default_str("json,csv,png");
}

std::string Refusal(const std::string& option, const std::string& problem) {
  return "modelcheck-batch: " + option + ": " + problem;
}

// How the series is to be read; a refusal on failure.
std::optional<std::string> ReadInputOptions(const TypedOptions& typed, SeriesReadOptions& reading) {
  reading.format = typed.fixed_field ? SeriesFormat::kFixed : SeriesFormat::kPlain;
  if (!typed.column.empty()) {
    const bool number = typed.column.find_first_not_of("0123456789") == std::string::npos;
    if (!number) {
      reading.column = ColumnChoice{.index = 0, .name = typed.column};
    } else {
      const auto index = ParseWholeNumber(typed.column);
      const std::int64_t* value = std::get_if<std::int64_t>(&index);
      if (value == nullptr || *value < 1 || *value > 1000000)
        return Refusal("--column", typed.column + " is not a column: columns are counted from 1");
      reading.column = ColumnChoice{.index = static_cast<std::size_t>(*value), .name = {}};
    }
  }
  if (!typed.delimiter.empty()) reading.delimiter = *DelimiterNamed(typed.delimiter);
  if (!typed.skip_rows.empty()) {
    const auto rows = ParseWholeNumber(typed.skip_rows);
    if (const auto* problem = std::get_if<std::string>(&rows)) return Refusal("--skip-rows", *problem);
    if (std::get<std::int64_t>(rows) < 0) return Refusal("--skip-rows", typed.skip_rows + " is below 0");
    reading.skip_rows = static_cast<std::size_t>(std::get<std::int64_t>(rows));
  }
  return std::nullopt;
}

// A whole number typed for `option`, from `low` to `high`, into `out`
// (left alone when nothing was typed); a refusal on failure.
std::optional<std::string> ReadCount(const char* option, const std::string& text, std::int64_t low, std::int64_t high,
                                     std::int64_t& out) {
  if (text.empty()) return std::nullopt;
  const auto value = ParseWholeNumber(text);
  if (const auto* problem = std::get_if<std::string>(&value)) return Refusal(option, *problem);
  const std::int64_t number = std::get<std::int64_t>(value);
  if (number < low || number > high)
    return Refusal(option, text + " is out of range: allowed " + std::to_string(low) + " to " + std::to_string(high));
  out = number;
  return std::nullopt;
}

// The surrogates, the bootstrap and their seed; a refusal on failure.
std::optional<std::string> ReadRandomOptions(const TypedOptions& typed, BatchOptions& options) {
  std::int64_t surrogates = 0, resamples = 0, seed = 0;
  if (auto refusal = ReadCount("--surrogates", typed.surrogates, 1, 100000, surrogates)) return refusal;
  if (auto refusal = ReadCount("--bootstrap", typed.bootstrap, 1, 1000000, resamples)) return refusal;
  if (auto refusal = ReadCount("--seed", typed.seed, 0, INT64_MAX, seed)) return refusal;
  options.surrogates = static_cast<std::int32_t>(surrogates);
  options.scan.bootstrap.resamples = static_cast<std::int32_t>(resamples);
  options.surrogates_all = typed.surrogates_all;
  options.seed = static_cast<std::uint64_t>(seed);
  options.scan.bootstrap.seed = options.seed;
  return std::nullopt;
}

// Reads the typed numbers and lists into `options`; a refusal on failure.
std::optional<std::string> ReadTyped(const TypedOptions& typed, BatchOptions& options) {
  options.series_path = typed.series;
  if (auto refusal = ReadInputOptions(typed, options.reading)) return refusal;
  const auto dims = ParseDimensionList(typed.dim);
  if (const auto* problem = std::get_if<std::string>(&dims)) return Refusal("--dim", *problem);
  options.scan.D = std::get<std::vector<std::int32_t>>(dims);
  const auto delays = ParseDelayList(typed.delay);
  if (const auto* problem = std::get_if<std::string>(&delays)) return Refusal("--delay", *problem);
  options.scan.tau = std::get<std::vector<std::int32_t>>(delays);
  options.logarithmic_eps = !typed.eps_log.empty();
  const auto eps = ParseBoxSizeList(options.logarithmic_eps ? typed.eps_log : typed.eps, options.logarithmic_eps);
  if (const auto* problem = std::get_if<std::string>(&eps))
    return Refusal(options.logarithmic_eps ? "--eps-log" : "--eps", *problem);
  options.scan.eps = std::get<std::vector<double>>(eps);
  const auto threshold = ParseRealNumber(typed.threshold);
  if (const auto* problem = std::get_if<std::string>(&threshold)) return Refusal("--threshold", *problem);
  options.scan.threshold = std::get<double>(threshold);
  // Counts: out-of-range values are judged after the series is read.
  std::int64_t ntrain = 0, ltest = 0, ktest = 0, jobs = 0;
  if (auto refusal = ReadCount("--ntrain", typed.ntrain, INT64_MIN, INT64_MAX, ntrain)) return refusal;
  if (auto refusal = ReadCount("--ltest", typed.ltest, INT64_MIN, INT64_MAX, ltest)) return refusal;
  if (auto refusal = ReadCount("--ktest", typed.ktest, INT64_MIN, INT64_MAX, ktest)) return refusal;
  if (auto refusal = ReadCount("--jobs", typed.jobs, 1, 1024, jobs)) return refusal;
  const auto clamped = [](std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
  };
  if (!typed.ntrain.empty()) options.Ntrain = clamped(ntrain);
  options.scan.Ltest = clamped(ltest);
  options.scan.Ktest = clamped(ktest);
  options.typed_Ntrain = ntrain;
  options.typed_Ltest = ltest;
  options.typed_Ktest = ktest;
  options.jobs = static_cast<int>(jobs);
  return ReadRandomOptions(typed, options);
}

void ReadFormats(const TypedOptions& typed, BatchOptions& options) {
  options.write_json = options.write_csv = options.write_png = false;
  for (const std::string& format : typed.formats) {
    if (format == "json") options.write_json = true;
    if (format == "csv") options.write_csv = true;
    if (format == "png") options.write_png = true;
  }
}

// The number of one-character edits between two words.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diagonal = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

// "; did you mean --ktest?" for every word that looks like a mistyped option.
std::string Suggestions(const CLI::App& app, int argc, const char* const* argv) {
  std::vector<std::string> names;
  for (const CLI::Option* option : app.get_options())
    for (const std::string& name : option->get_lnames()) names.push_back("--" + name);
  std::string text;
  for (int i = 1; i < argc; ++i) {
    const std::string word = std::string(argv[i]).substr(0, std::string(argv[i]).find('='));
    if (!word.starts_with("--") || std::find(names.begin(), names.end(), word) != names.end()) continue;
    const auto nearest = std::min_element(names.begin(), names.end(), [&](const auto& x, const auto& y) {
      return EditDistance(word, x) < EditDistance(word, y);
    });
    if (nearest != names.end() && EditDistance(word, *nearest) <= 3)
      text += "; " + word + ": did you mean " + *nearest + "?";
  }
  return text;
}

}  // namespace

std::variant<BatchOptions, CommandLineExit> ParseBatchCommandLine(int argc, const char* const* argv) {
  CLI::App app(kDescription, "modelcheck-batch");
  app.footer(kInputFormats);
  app.set_version_flag("--version", std::string("modelcheck-batch ") + MODELCHECK_VERSION);
  TypedOptions typed;
  DeclareOptions(app, typed);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    return CommandLineExit{.status = 0, .text = app.help()};
  } catch (const CLI::CallForVersion& version) {
    return CommandLineExit{.status = 0, .text = std::string(version.what()) + "\n"};
  } catch (const CLI::ParseError& error) {
    return CommandLineExit{.status = 2,
                           .text = "modelcheck-batch: " + std::string(error.what()) + Suggestions(app, argc, argv) +
                                   "\nRun with --help for the options.\n"};
  }
  BatchOptions options;
  options.out_folder = typed.out;
  options.resume = typed.resume;
  options.baselines = !typed.no_baselines;
  options.scan.on_singular =
      typed.on_singular == "skip-piece" ? SingularFitPolicy::kSkipPiece : SingularFitPolicy::kStop;
  options.scan.eps_relative = typed.eps_relative;
  // The parser admits the names alone.
  options.scan.metric = ScanMetricNamed(typed.metric).value_or(ScanMetric::kIterativeTime);
  ReadFormats(typed, options);
  if (const auto refusal = ReadTyped(typed, options)) return CommandLineExit{.status = 2, .text = *refusal + "\n"};
  return options;
}

namespace {

const char* OptionOf(ScanSetting setting, bool logarithmic_eps) {
  switch (setting) {
    case ScanSetting::kNtrain:
      return "--ntrain";
    case ScanSetting::kDimension:
      return "--dim";
    case ScanSetting::kBoxSize:
      return logarithmic_eps ? "--eps-log" : "--eps";
    case ScanSetting::kLtest:
      return "--ltest";
    case ScanSetting::kKtest:
      return "--ktest";
    case ScanSetting::kThreshold:
      return "--threshold";
    case ScanSetting::kDelay:
      return "--delay";
  }
  return "?";
}

// The refused value as the user typed it, not as clamped to 32 bits.
std::string TypedValue(const ScanSettingProblem& problem, const BatchOptions& options) {
  const ScanSettings& scan = options.scan;
  switch (problem.setting) {
    case ScanSetting::kNtrain:
      return options.Ntrain && options.typed_Ntrain != scan.Ntrain ? std::to_string(options.typed_Ntrain)
                                                                   : problem.value;
    case ScanSetting::kLtest:
      return options.typed_Ltest != scan.Ltest ? std::to_string(options.typed_Ltest) : problem.value;
    case ScanSetting::kKtest:
      return options.typed_Ktest != scan.Ktest ? std::to_string(options.typed_Ktest) : problem.value;
    default:
      return problem.value;
  }
}

}  // namespace

std::optional<std::string> SettleScanSettings(BatchOptions& options, std::size_t value_count) {
  ScanSettings& scan = options.scan;
  const auto count = static_cast<std::int64_t>(value_count);
  // Two training values, a state and its successor: fewer cannot be checked.
  if (count < 4) {
    return "modelcheck-batch: the series has " + std::to_string(count) + " values; a check needs at least 4";
  }
  // The default Ntrain leaves room for the tests; with no test pieces or no
  // steps there is nothing to leave room for, and the count itself is wrong.
  if (!options.Ntrain && (scan.Ltest < 1 || scan.Ktest < 1)) {
    const bool ltest = scan.Ltest < 1;
    return Refusal(ltest ? "--ltest" : "--ktest", std::to_string(ltest ? options.typed_Ltest : options.typed_Ktest) +
                                                      " is out of range: allowed 1 or more");
  }
  if (options.Ntrain) {
    scan.Ntrain = *options.Ntrain;
  } else {
    std::int64_t largest_D = 1, largest_tau = 1;
    for (const std::int32_t D : scan.D) largest_D = std::max<std::int64_t>(largest_D, D);
    for (const std::int32_t tau : scan.tau) largest_tau = std::max<std::int64_t>(largest_tau, tau);
    // As typed, kept far enough from the 64-bit limit that the sum cannot overflow.
    const auto bounded = [](std::int64_t value) { return std::clamp<std::int64_t>(value, -(1LL << 60), 1LL << 60); };
    const std::int64_t tests =
        bounded(options.typed_Ltest) + bounded(options.typed_Ktest) + (largest_D - 1) * largest_tau;
    const std::int64_t Ntrain = count - tests;
    if (Ntrain < 2) {
      return "modelcheck-batch: the series has " + std::to_string(count) + " values, too few for the tests (" +
             std::to_string(tests) + " values after a training part of at least 2): give smaller --ltest and --ktest";
    }
    scan.Ntrain = static_cast<std::int32_t>(std::min<std::int64_t>(Ntrain, INT32_MAX));
  }
  const auto problem = CheckScanSettings(scan, value_count);
  if (!problem) return std::nullopt;
  return Refusal(OptionOf(problem->setting, options.logarithmic_eps),
                 TypedValue(*problem, options) + " is out of range: allowed " + problem->allowed);
}

}  // namespace modelcheck
