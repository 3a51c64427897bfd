// modelcheck-batch: model checks over a grid of dimensions and box sizes,
// from the command line, with the results as data files and pictures.
#include <csignal>
#include <cstdio>
#include <iostream>
#include <variant>

#include "modelcheck/scan.h"
#include "platform/batch/batch_options.h"
#include "platform/batch/batch_outputs.h"
#include "platform/batch/progress_line.h"
#include "platform/batch/scan_summary.h"
#include "platform/batch/series_input.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

// The first Ctrl-C asks the scan to stop and keep what it has; a second
// one ends the program at once, as Ctrl-C usually does.
extern "C" void OnInterrupt(int) {
  interrupted = 1;
  std::signal(SIGINT, SIG_DFL);
}

constexpr int kIoFailure = 1;
constexpr int kInterrupted = 130;  // the shell's status for a program ended by Ctrl-C

// One line on standard error, under the program's name.
void Fail(const std::string& line) { std::fprintf(stderr, "modelcheck-batch: %s\n", line.c_str()); }

modelcheck::ScanResult Scan(const std::vector<double>& series, const modelcheck::BatchOptions& options) {
  modelcheck::ProgressLine line = modelcheck::StartProgressLine();
  modelcheck::ScanOptions scan_options{.jobs = options.jobs,
                                       .progress =
                                           [&](const modelcheck::ScanProgress& progress) {
                                             modelcheck::ShowProgress(line, progress);
                                             return interrupted == 0;
                                           },
                                       .stop = nullptr};
  modelcheck::ScanResult result = modelcheck::RunScan(series, options.scan, scan_options);
  modelcheck::EndProgressLine(line);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  // A reader that has gone makes a write fail like a full disk, not kill the program.
  std::signal(SIGPIPE, SIG_IGN);
  // From the start, so that Ctrl-C while a long series is read still ends in order.
  std::signal(SIGINT, OnInterrupt);
  auto parsed = modelcheck::ParseBatchCommandLine(argc, argv);
  if (const auto* exit = std::get_if<modelcheck::CommandLineExit>(&parsed)) {
    std::fputs(exit->text.c_str(), exit->status == 0 ? stdout : stderr);
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
  const modelcheck::ScanResult result = Scan(series.values, options);
  std::signal(SIGINT, SIG_DFL);
  const modelcheck::ScanSource source{
      .file = options.series_path, .values = series.values.size(), .reading = series.info};
  const modelcheck::OutputReport report = modelcheck::WriteScanOutputs(options, result, source);
  std::cout << modelcheck::ScanSummary(result, report.written, options.out_folder) << std::flush;
  for (const std::string& failure : report.failures) Fail(failure);
  if (!report.failures.empty() || !std::cout) return kIoFailure;
  return result.complete ? 0 : kInterrupted;
}
