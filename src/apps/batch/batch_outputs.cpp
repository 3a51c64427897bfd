#include "apps/batch/batch_outputs.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>

#include "apps/batch/run_meta.h"
#include "apps/batch/series_input.h"
#include "presentation/scan_charts.h"
#include "presentation/scan_table_csv.h"
#include "text/replace_file.h"

namespace modelcheck {

namespace {

// Writes one output as it is made, piece by piece; a failure to make it or
// to write it is named, and an earlier file of that name stays.
void WriteOne(const std::string& folder, const std::string& name, const std::function<void(const ByteWriter&)>& produce,
              OutputReport& report) {
  const std::string path = (std::filesystem::path(folder) / name).string();
  std::optional<FileFailure> failure;
  try {
    failure = ReplaceFileStreamed(path, produce);
  } catch (const std::exception& error) {
    report.failures.push_back("cannot make \"" + path + "\": " + error.what());
    return;
  }
  if (failure) {
    report.failures.push_back("cannot write \"" + path + "\": " + std::strerror(failure->error) + " (" +
                              failure->action + ")");
    return;
  }
  report.written.push_back(name);
}

std::string Cause(int error) { return std::strerror(error); }

// What stands at an output name, when it is not something the output may replace.
std::optional<std::string> Occupant(const std::string& path) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0) return std::nullopt;
  if (S_ISREG(status.st_mode) || S_ISLNK(status.st_mode)) return std::nullopt;
  if (S_ISFIFO(status.st_mode)) return "a named pipe";
  if (S_ISDIR(status.st_mode)) return "a folder";
  return "not a regular file";
}

}  // namespace

namespace {

// scan.png, or with several delays one heat map per delay: scan-tau2.png.
std::vector<std::string> HeatMapNames(const ScanSettings& settings) {
  if (settings.tau.size() == 1) return {"scan.png"};
  std::vector<std::string> names;
  for (const std::int32_t tau : settings.tau) names.push_back("scan-tau" + std::to_string(tau) + ".png");
  return names;
}

}  // namespace

std::vector<std::string> OutputNames(const BatchOptions& options) {
  std::vector<std::string> names{"meta.json"};
  if (options.write_json) names.emplace_back("results.json");
  if (options.write_csv) names.insert(names.end(), {"curves.csv", "scan.csv"});
  if (options.write_png) {
    const std::vector<std::string> heat_maps = HeatMapNames(options.scan);
    names.insert(names.end(), heat_maps.begin(), heat_maps.end());
    names.emplace_back("curves.png");
  }
  return names;
}

std::optional<std::string> PrepareOutputFolder(const BatchOptions& options) {
  const std::string& folder = options.out_folder;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return "cannot make the output folder \"" + folder + "\": " + error.message();
  if (!std::filesystem::is_directory(folder, error)) return "the output folder \"" + folder + "\" is not a folder";
  std::vector<std::string> names = OutputNames(options);
  names.emplace_back("cells.jsonl");
  for (const std::string& name : names) {
    const std::string path = (std::filesystem::path(folder) / name).string();
    if (const auto occupant = Occupant(path))
      return "cannot write \"" + path + "\": " + *occupant + " stands there; remove it or choose another --out";
  }
  // A file made and removed again: the only sure test of writing, whoever runs the program.
  std::string probe = (std::filesystem::path(folder) / ".modelcheck-batch-XXXXXX").string();
  const int descriptor = ::mkstemp(probe.data());
  if (descriptor < 0) return "cannot write in the output folder \"" + folder + "\": " + Cause(errno);
  ::close(descriptor);
  ::unlink(probe.c_str());
  return std::nullopt;
}

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
  WriteOne(
      folder, "meta.json",
      [&](const ByteWriter& write) {
        write(RunMetaJson(source.meta, result.settings, source.file, source.values)
                  .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
              "\n");
      },
      report);
  if (options.write_json) {
    WriteOne(
        folder, "results.json", [&](const ByteWriter& write) { WriteScanResultsJson(result, source, write); }, report);
  }
  if (options.write_csv) {
    WriteOne(
        folder, "curves.csv",
        [&](const ByteWriter& write) { WriteTableCsv(result, ScanTableKind::kCurves, write, source.surrogates); },
        report);
    WriteOne(
        folder, "scan.csv",
        [&](const ByteWriter& write) { WriteTableCsv(result, ScanTableKind::kScan, write, source.surrogates); },
        report);
  }
  if (options.write_png) {
    const std::vector<std::string> heat_maps = HeatMapNames(result.settings);
    for (std::size_t t = 0; t < heat_maps.size(); ++t) {
      WriteOne(
          folder, heat_maps[t],
          [&](const ByteWriter& write) {
            write(heat_maps.size() == 1 ? DrawScanHeatMap(result, name) : DrawScanHeatMap(DelayLayer(result, t), name));
          },
          report);
    }
    WriteOne(
        folder, "curves.png", [&](const ByteWriter& write) { write(DrawBestCurves(result, name, source.surrogates)); },
        report);
  }
  return report;
}

}  // namespace modelcheck
