#include "platform/batch/batch_outputs.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/batch/scan_tables.h"
#include "platform/batch/series_input.h"
#include "presentation/scan_charts.h"
#include "text/replace_file.h"

namespace modelcheck {

namespace {

void WriteOne(const std::string& folder, const std::string& name, const std::function<std::string()>& make,
              OutputReport& report) {
  const std::string path = (std::filesystem::path(folder) / name).string();
  std::string bytes;
  try {
    bytes = make();
  } catch (const std::exception& failure) {
    report.failures.push_back("cannot make \"" + path + "\": " + failure.what());
    return;
  }
  if (const auto failure = ReplaceFileWhole(path, bytes)) {
    report.failures.push_back("cannot write \"" + path + "\": " + std::strerror(failure->error) + " (" +
                              failure->action + ")");
    return;
  }
  report.written.push_back(name);
}

}  // namespace

OutputReport WriteScanOutputs(const BatchOptions& options, const ScanResult& result, const ScanSource& source) {
  OutputReport report;
  const std::string& folder = options.out_folder;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    report.failures.push_back("cannot make the output folder \"" + folder + "\": " + error.message());
    return report;
  }
  const std::string name = SeriesName(source.file);
  if (options.write_json)
    WriteOne(
        folder, "results.json", [&] { return ScanResultsJson(result, source); }, report);
  if (options.write_csv) {
    WriteOne(
        folder, "curves.csv", [&] { return CurvesTable(result); }, report);
    WriteOne(
        folder, "scan.csv", [&] { return ScanTable(result); }, report);
  }
  if (options.write_png) {
    WriteOne(
        folder, "scan.png", [&] { return DrawScanHeatMap(result, name); }, report);
    WriteOne(
        folder, "curves.png", [&] { return DrawBestCurves(result, name); }, report);
  }
  return report;
}

}  // namespace modelcheck
