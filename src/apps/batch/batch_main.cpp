// modelcheck-batch: model checks over a grid of dimensions and box sizes,
// from the command line, with the results as data files and pictures.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <future>
#include <iostream>
#include <optional>
#include <variant>

#include "apps/batch/batch_options.h"
#include "apps/batch/batch_outputs.h"
#include "apps/batch/cells_log.h"
#include "apps/batch/progress_line.h"
#include "apps/batch/run_meta.h"
#include "apps/batch/scan_summary.h"
#include "apps/batch/series_input.h"
#include "modelcheck/scan.h"
#include "modelcheck/surrogates.h"

namespace {

volatile std::sig_atomic_t stop_signal = 0;
// The same request for work that watches a flag rather than asking (a
// lock-free atomic may be set in a signal handler).
std::atomic<bool> stop_requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// Ctrl-C, and the SIGTERM and SIGHUP that timeout, batch schedulers and a
// closed ssh session send, ask the scan to stop and keep what it has; a
// second one of the same kind ends the program at once.
extern "C" void OnStopSignal(int signal_number) {
  if (stop_signal == 0) stop_signal = signal_number;
  stop_requested = true;
  std::signal(signal_number, SIG_DFL);
}

constexpr int kIoFailure = 1;

// One line on standard error, under the program's name.
void Fail(const std::string& line) { std::fprintf(stderr, "modelcheck-batch: %s\n", line.c_str()); }

// Starts cells.jsonl, carrying over what an earlier run logged when resuming;
// the earlier outcomes, or nullopt after a refusal (said on standard error).
std::optional<std::optional<modelcheck::ScanResult>> StartLog(const std::vector<double>& series,
                                                              const modelcheck::BatchOptions& options,
                                                              modelcheck::CellsLogWriter& log) {
  const std::string path = (std::filesystem::path(options.out_folder) / "cells.jsonl").string();
  const std::string header = modelcheck::CellsLogHeader(options.scan, series);
  std::vector<std::string> lines{header};
  std::optional<modelcheck::ScanResult> earlier;
  if (options.resume) {
    auto logged = modelcheck::ReadCellsLog(path, header, options.scan);
    if (!logged) {
      Fail("no \"" + path + "\" to resume from: the scan starts from the beginning");
    } else if (!logged->problem.empty()) {
      Fail("cannot resume from \"" + path + "\": " + logged->problem + "; run without --resume to start again");
      return std::nullopt;
    } else {
      Fail("resuming from \"" + path + "\": " + std::to_string(logged->records.size()) + " outcomes taken" +
           (logged->cut_lines > 0 ? ", " + std::to_string(logged->cut_lines) + " lines cut short left out" : ""));
      lines.insert(lines.end(), logged->records.begin(), logged->records.end());
      earlier = std::move(logged->earlier);
    }
  }
  if (const std::string failure = log.Start(path, lines); !failure.empty())
    Fail(failure + "; the scan goes on without it");
  return earlier;
}

modelcheck::ScanResult Scan(const std::vector<double>& series, const modelcheck::BatchOptions& options,
                            const std::optional<modelcheck::ScanResult>& earlier, modelcheck::CellsLogWriter& log) {
  modelcheck::ProgressLine line = modelcheck::StartProgressLine();
  modelcheck::ScanOptions scan_options{
      .jobs = options.jobs,
      .progress =
          [&](const modelcheck::ScanProgress& progress) {
            modelcheck::ShowProgress(line, progress);
            return stop_signal == 0;
          },
      .stop = nullptr,
      .on_outcome =
          [&](const modelcheck::ScanResult& result, const modelcheck::ScanOutcome& outcome) {
            log.Append(modelcheck::CellsLogRecord(result, outcome));
          },
      .resume = earlier ? &*earlier : nullptr,
      .baselines = options.baselines};
  modelcheck::ScanResult result = modelcheck::RunScan(series, options.scan, scan_options);
  modelcheck::EndProgressLine(line);
  return result;
}

// The surrogate test of the best cell, or of every finished cell; nullopt
// (said on standard error) when no cell has a one-step error to test.
std::optional<modelcheck::SurrogateRun> TestSurrogates(const std::vector<double>& series,
                                                       const modelcheck::ScanResult& result,
                                                       const modelcheck::BatchOptions& options) {
  const std::vector<std::size_t> cells = modelcheck::SurrogateCells(result, options.surrogates_all);
  if (cells.empty()) {
    Fail("no cell has a one-step error to test: no surrogate test");
    return std::nullopt;
  }
  modelcheck::ProgressLine line = modelcheck::StartProgressLine();
  modelcheck::SurrogateOptions surrogate_options;
  surrogate_options.jobs = options.jobs;
  surrogate_options.stop = &stop_requested;
  surrogate_options.progress = [&](std::int32_t done, std::int32_t count) {
    modelcheck::ShowProgress(line, {.done = done, .total = count}, "surrogates");
    return stop_signal == 0;
  };
  modelcheck::SurrogateRun run = modelcheck::RunSurrogates(
      series, result, cells, {.count = options.surrogates, .seed = options.seed}, surrogate_options);
  modelcheck::EndProgressLine(line);
  // Where the time went, for users sizing N: thread time, not wall time.
  const auto made = std::count_if(run.iterations.begin(), run.iterations.end(), [](auto steps) { return steps > 0; });
  char timing[160];
  std::snprintf(timing, sizeof timing, "%ld surrogates: %.1f s making them, %.1f s checking them (thread time)",
                static_cast<long>(made), run.making_seconds, run.checking_seconds);
  Fail(timing);
  return run;
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::chrono::system_clock::now();
  // A reader that has gone makes a write fail like a full disk, not kill the program.
  std::signal(SIGPIPE, SIG_IGN);
  // From the start, so that a stop while a long series is read still ends in order.
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) std::signal(signal_number, OnStopSignal);
  auto parsed = modelcheck::ParseBatchCommandLine(argc, argv);
  if (const auto* exit = std::get_if<modelcheck::CommandLineExit>(&parsed)) {
    std::FILE* stream = exit->status == 0 ? stdout : stderr;
    if (std::fputs(exit->text.c_str(), stream) < 0 || std::fflush(stream) != 0) {
      Fail(std::string("cannot write standard output: ") + std::strerror(errno));
      return kIoFailure;
    }
    return exit->status;
  }
  auto& options = std::get<modelcheck::BatchOptions>(parsed);
  const modelcheck::SeriesInput series = modelcheck::ReadSeriesInput(options.series_path, options.reading);
  if (!series.problem.empty()) {
    Fail(series.problem);
    return kIoFailure;
  }
  // Nothing done to the user's data goes unsaid.
  Fail(modelcheck::ReadingLine(options.series_path, series.info));
  if (const auto refusal = modelcheck::SettleScanSettings(options, series.values.size())) {
    std::fprintf(stderr, "%s\n", refusal->c_str());
    return 2;
  }
  // Found now, not after the scan: hours of work must have somewhere to go.
  if (const auto problem = modelcheck::PrepareOutputFolder(options)) {
    Fail(*problem);
    return kIoFailure;
  }
  // The series' hash is taken beside the scan, for the outputs' record of the run.
  auto meta =
      std::async(std::launch::async, [&] { return modelcheck::MakeRunMeta(argc, argv, series.values, started); });
  modelcheck::CellsLogWriter log;
  const auto earlier = StartLog(series.values, options, log);
  if (!earlier) return kIoFailure;
  const modelcheck::ScanResult result = Scan(series.values, options, *earlier, log);
  const std::string log_failure = log.failure();
  if (!log_failure.empty()) Fail(log_failure);
  std::optional<modelcheck::SurrogateRun> surrogates;
  if (options.surrogates > 0 && result.complete && stop_signal == 0)
    surrogates = TestSurrogates(series.values, result, options);
  const modelcheck::ScanSource source{.file = options.series_path,
                                      .values = series.values.size(),
                                      .reading = series.info,
                                      .meta = meta.get(),
                                      .surrogates = surrogates ? &*surrogates : nullptr};
  const modelcheck::OutputReport report = modelcheck::WriteScanOutputs(options, result, source);
  const modelcheck::GridOptions grid{
      .dimension = "--dim", .box_size = options.logarithmic_eps ? "--eps-log" : "--eps", .delay = "--delay"};
  std::cout << modelcheck::ScanSummary(result, report.written, options.out_folder, grid, source.surrogates)
            << std::flush;
  for (const std::string& failure : report.failures) Fail(failure);
  if (!std::cout) Fail("cannot write standard output (the files are written)");
  if (!report.failures.empty() || !std::cout) return kIoFailure;
  // The shell's status for a program ended by that signal: 130, 143, 129.
  if (stop_signal != 0) return 128 + stop_signal;
  return result.complete && (!surrogates || surrogates->complete) ? 0 : 1;
}
