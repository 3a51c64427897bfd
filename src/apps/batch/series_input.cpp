#include "apps/batch/series_input.h"

#include <filesystem>

#include "text/utf8_text.h"

namespace modelcheck {

namespace {

std::string Quoted(const std::string& path) { return path == "-" ? "standard input" : "\"" + path + "\""; }

// What the user can do about a refusal, in the batch program's own options.
std::string Hint(ReadProblem problem) {
  return problem == ReadProblem::kSecondValue ? " (choose one with --column)" : "";
}

}  // namespace

SeriesInput ReadSeriesInput(const std::string& path, const SeriesReadOptions& options) {
  SeriesInput input;
  try {
    SeriesRead read = path == "-" ? ReadSeriesStandardInput(options) : ReadSeriesFile(path, options);
    input.values = std::move(read.values);
    input.info = std::move(read.info);
  } catch (const SeriesReadError& error) {
    input.problem = error.what() + Hint(error.problem);
    return input;
  }
  if (input.values.empty()) input.problem = Quoted(path) + " holds no values";
  return input;
}

std::string ReadingLine(const std::string& path, const SeriesFileInfo& info) {
  return "read " + Quoted(path) + ": " + DescribeReading(info);
}

std::string SeriesName(const std::string& path) {
  if (path == "-") return "standard input";
  const std::string name = std::filesystem::path(path).filename().string();
  // Pictures draw UTF-8 only.
  return EscapeInvalidUtf8(name.empty() ? path : name);
}

}  // namespace modelcheck
