#include "dialogue/series_file.h"

#include <algorithm>
#include <fstream>
#include <limits>
#include <optional>

#include "dialogue/fixed_field.h"

namespace modelcheck {

namespace {

// A CR that ends the line belongs to the line end, not to the field.
std::string DropLineEndCr(std::string field, std::size_t length, char last) {
  if (last == '\r' && length <= kRecordWidth) field.pop_back();
  return field;
}

// Reads one record, keeping only its field: a line of any length (a binary
// file may have no line ends at all) costs no more memory than the field.
std::optional<std::string> ReadRecordField(std::streambuf& buffer) {
  using Traits = std::char_traits<char>;
  std::string field;
  std::size_t length = 0;
  char last = '\0';
  for (auto c = buffer.sbumpc(); !Traits::eq_int_type(c, Traits::eof()); c = buffer.sbumpc()) {
    const char next = Traits::to_char_type(c);
    if (next == '\n') return DropLineEndCr(std::move(field), length, last);
    if (length++ < kRecordWidth) field.push_back(next);
    last = next;
  }
  if (length == 0) return std::nullopt;
  return DropLineEndCr(std::move(field), length, last);
}

}  // namespace

SeriesCount CountValues(std::istream& file) {
  SeriesCount count;
  std::streambuf& buffer = *file.rdbuf();
  while (std::optional<std::string> field = ReadRecordField(buffer)) {
    if (count.values.size() == std::numeric_limits<std::int32_t>::max()) {
      count.outcome = CountOutcome::kTooMany;
      return count;
    }
    const std::optional<double> value = ReadRealField(*field, kRecordWidth, kRecordDecimals);
    if (!value) {
      count.outcome = CountOutcome::kUnreadable;
      return count;
    }
    count.values.push_back(*value);
  }
  return count;
}

SeriesCount CountValuesInFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return {};
  try {
    return CountValues(file);
  } catch (const std::ios_base::failure&) {
    // A read error (or a path that became a directory) is a file that cannot be read.
    return {.outcome = CountOutcome::kUnreadable, .values = {}};
  }
}

void LoadTrainingValues(std::span<const double> series, std::span<double> training) {
  std::copy_n(series.begin(), training.size(), training.begin());
}

void LoadTestSegment(std::span<const double> series, std::int32_t Ntrain, std::span<double> segment) {
  std::copy_n(series.subspan(static_cast<std::size_t>(Ntrain)).begin(), segment.size(), segment.begin());
}

TrainingStatistics ComputeStatistics(std::span<const double> x) {
  TrainingStatistics statistics;
  statistics.maximum = std::numeric_limits<double>::lowest();
  statistics.minimum = std::numeric_limits<double>::max();
  for (double value : x) {
    if (value > statistics.maximum) statistics.maximum = value;
    if (value < statistics.minimum) statistics.minimum = value;
  }
  const double r = 1.0 / static_cast<double>(x.size());
  double sum = 0.0;
  for (double value : x) sum += value;
  const double mean = r * sum;
  double squares = 0.0;
  for (double value : x) squares += (value - mean) * (value - mean);
  statistics.variance = r * squares;
  return statistics;
}

}  // namespace modelcheck
