#include "platform/batch/series_input.h"

#include <filesystem>
#include <iostream>

#include "dialogue/file_chooser.h"
#include "text/series_file.h"

namespace modelcheck {

namespace {

std::string Quoted(const std::string& path) { return path == "-" ? "standard input" : "\"" + path + "\""; }

std::string CountProblem(const std::string& path, const SeriesCount& count) {
  switch (count.outcome) {
    case CountOutcome::kUnreadable:
      // Records before the bad one were read, one value each.
      return "line " + std::to_string(count.values.size() + 1) + " of " + Quoted(path) + " cannot be read as a number";
    case CountOutcome::kTooMany:
      return Quoted(path) + " holds more values than can be counted";
    case CountOutcome::kNotText:
      return Quoted(path) + " is not a text file: it holds a NUL byte";
    case CountOutcome::kOutOfMemory:
      return "not enough memory to read " + Quoted(path) + ": " + std::to_string(count.read) + " values were read";
    case CountOutcome::kCounted:
      break;
  }
  return {};
}

}  // namespace

SeriesInput ReadSeriesInput(const std::string& path) {
  SeriesInput input;
  if (path != "-") {
    input.problem = ReadableFileProblem(path);
    if (!input.problem.empty()) return input;
  }
  SeriesCount count = path == "-" ? CountValues(std::cin) : CountValuesInFile(path);
  input.problem = CountProblem(path, count);
  if (input.problem.empty()) input.values = std::move(count.values);
  return input;
}

std::string SeriesName(const std::string& path) {
  if (path == "-") return "standard input";
  const std::string name = std::filesystem::path(path).filename().string();
  return name.empty() ? path : name;
}

}  // namespace modelcheck
