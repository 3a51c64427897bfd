#include "text/series_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <limits>
#include <new>
#include <optional>

#include "text/series_field.h"

namespace modelcheck {

namespace {

constexpr std::size_t kMaximumRecords = std::numeric_limits<std::int32_t>::max();
constexpr std::size_t kChunkSize = std::size_t{1} << 16;

// What follows the field on a line, as far as it is kept.
struct RecordTail {
  std::string_view text;
  bool cut = false;  // the line goes on beyond what is kept
};

// Columns kept after the field to tell a number that runs on past it; a
// number running on further than that is refused.
constexpr std::size_t kTailWidth = 64;

// The tail of a line whose first `kept` characters are `line` and whose full
// length is `length`: what follows column 20, without the CR that ends a line.
RecordTail TailOf(std::string_view line, std::size_t length) {
  if (line.size() <= kRecordWidth) return {};
  std::string_view tail = line.substr(kRecordWidth, kTailWidth);
  const bool cut = length > kRecordWidth + kTailWidth;
  if (!cut && !tail.empty() && tail.back() == '\r') tail.remove_suffix(1);
  return {.text = tail, .cut = cut};
}

// Reads the file in large chunks and hands out one record's field at a
// time: a line of any length (a binary file may have no line ends at all)
// costs no more memory than the chunk and the field.
struct RecordScanner {
  std::streambuf& buffer;
  std::vector<char> chunk = std::vector<char>(kChunkSize);
  std::size_t position = 0;
  std::size_t filled = 0;
  bool at_end = false;
};

bool Refill(RecordScanner& scanner) {
  if (scanner.at_end) return false;
  const std::streamsize got = scanner.buffer.sgetn(scanner.chunk.data(), static_cast<std::streamsize>(kChunkSize));
  scanner.position = 0;
  scanner.filled = got > 0 ? static_cast<std::size_t>(got) : 0;
  scanner.at_end = scanner.filled == 0;
  return !scanner.at_end;
}

// One record as it is read: its first 20 columns and the tail after them,
// its length and its last character.
struct RecordField {
  std::array<char, kRecordWidth + kTailWidth> text{};
  std::size_t kept = 0;
  std::size_t length = 0;
  char last = '\0';

  void Append(const char* first, std::size_t count) {
    if (count == 0) return;
    const std::size_t room = kept < text.size() ? text.size() - kept : 0;
    const std::size_t taken = std::min(room, count);
    std::copy_n(first, taken, text.data() + kept);
    kept += taken;
    length += count;
    last = first[count - 1];
  }

  // A CR that ends the line belongs to the line end, not to the field.
  std::string_view Field() const {
    const bool drop_cr = last == '\r' && length <= kRecordWidth;
    const std::size_t in_field = std::min(kept, std::size_t{kRecordWidth});
    return {text.data(), drop_cr ? in_field - 1 : in_field};
  }

  RecordTail Tail() const { return TailOf({text.data(), kept}, length); }
};

// The field of a line that lies whole in the chunk, read where it lies;
// the same view of it as RecordField gives.
std::string_view FieldInPlace(const char* first, std::size_t length) {
  constexpr std::size_t kWidth = kRecordWidth;
  const bool drop_cr = length > 0 && first[length - 1] == '\r' && length <= kWidth;
  return {first, drop_cr ? length - 1 : std::min(length, kWidth)};
}

// The next record's field; false at the end of the file. A last line without
// its end of line is a record. The view lives until the next call.
bool NextRecord(RecordScanner& scanner, RecordField& record, std::string_view& field, RecordTail& tail) {
  // Nearly every line ends inside the chunk it starts in: no copy then.
  if (scanner.position < scanner.filled) {
    const char* first = scanner.chunk.data() + scanner.position;
    const std::size_t available = scanner.filled - scanner.position;
    if (const auto* line_end = static_cast<const char*>(std::memchr(first, '\n', available))) {
      const auto length = static_cast<std::size_t>(line_end - first);
      scanner.position += length + 1;
      field = FieldInPlace(first, length);
      tail = TailOf({first, std::min(length, kRecordWidth + kTailWidth)}, length);
      return true;
    }
  }
  record = RecordField{};
  for (;;) {
    if (scanner.position == scanner.filled && !Refill(scanner)) {
      field = record.Field();
      tail = record.Tail();
      return record.length > 0;
    }
    const char* first = scanner.chunk.data() + scanner.position;
    const std::size_t available = scanner.filled - scanner.position;
    const auto* line_end = static_cast<const char*>(std::memchr(first, '\n', available));
    const std::size_t count = line_end ? static_cast<std::size_t>(line_end - first) : available;
    record.Append(first, count);
    scanner.position += count;
    if (line_end) {
      ++scanner.position;
      field = record.Field();
      tail = record.Tail();
      return true;
    }
  }
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whether the number in a full field runs on past column 20 in a way that
// changes its magnitude: digits before its point, or its exponent, lie
// beyond the field. Decimals cut off after the point only lose precision
// and are accepted; text after a blank that ends the number is ignored.
bool RunsOnPastField(std::string_view field, const RecordTail& tail) {
  if (field.size() < kRecordWidth || IsBlank(field.back()) || tail.text.empty()) return false;
  const std::size_t run_end = std::min(tail.text.find_first_of(" \t"), tail.text.size());
  if (run_end == 0) return false;
  if (run_end == tail.text.size() && tail.cut) return true;
  const std::size_t token_start = field.find_last_of(" \t");
  const std::string_view token = field.substr(token_start == std::string_view::npos ? 0 : token_start + 1);
  const std::size_t point = token.find('.');
  const bool in_decimals = point != std::string_view::npos && AllDigits(token.substr(point + 1));
  return !(in_decimals && AllDigits(tail.text.substr(0, run_end)));
}

// Text never holds a NUL byte; a file that does (an image, a disk dump) is
// refused before it is read through.
bool HoldsNul(const RecordScanner& scanner) {
  return std::memchr(scanner.chunk.data(), '\0', scanner.filled) != nullptr;
}

// Counts what the fixed reading changed: blank fields read as 0, and values
// written without a point that the implied decimals scaled.
void NoteChanges(std::string_view field, double value, SeriesCount& count) {
  if (field.find_first_not_of(' ') == std::string_view::npos) {
    ++count.blank_records;
  } else if (value != 0.0 && field.find('.') == std::string_view::npos) {
    ++count.implied_decimals;
  }
}

// An outcome that keeps no values.
SeriesCount OnlyOutcome(CountOutcome outcome, std::size_t read) {
  SeriesCount count;
  count.outcome = outcome;
  count.read = read;
  return count;
}

}  // namespace

SeriesCount CountValues(std::istream& file, std::size_t expected) {
  SeriesCount count;
  try {
    count.values.reserve(std::min(expected, kMaximumRecords));
  } catch (const std::bad_alloc&) {
    return OnlyOutcome(CountOutcome::kOutOfMemory, 0);
  }
  RecordScanner scanner{.buffer = *file.rdbuf()};
  if (Refill(scanner) && HoldsNul(scanner)) return OnlyOutcome(CountOutcome::kNotText, 0);
  RecordField record;
  std::string_view field;
  RecordTail tail;
  while (NextRecord(scanner, record, field, tail)) {
    if (count.values.size() == kMaximumRecords) {
      count.outcome = CountOutcome::kTooMany;
      return count;
    }
    const bool runs_on = RunsOnPastField(field, tail);
    const std::optional<double> value = runs_on ? std::nullopt : ReadSeriesField(field);
    if (!value) {
      count.outcome = CountOutcome::kUnreadable;
      count.unreadable_text = std::string(field) + std::string(tail.text);
      count.runs_on = runs_on;
      return count;
    }
    NoteChanges(field, *value, count);
    try {
      count.values.push_back(*value);
    } catch (const std::bad_alloc&) {
      return OnlyOutcome(CountOutcome::kOutOfMemory, count.values.size());
    }
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
    return OnlyOutcome(CountOutcome::kUnreadable, 0);
  }
}

std::string ImpliedDecimalsNote(std::size_t implied_decimals, std::size_t blank_as_zero) {
  std::string note;
  if (implied_decimals > 0) {
    note = implied_decimals == 1
               ? "1 value had no decimal point and carries 10 implied decimals"
               : std::to_string(implied_decimals) + " values had no decimal point and carry 10 implied decimals";
  }
  if (blank_as_zero > 0) {
    if (!note.empty()) note += "; ";
    note += blank_as_zero == 1 ? "1 blank line was read as 0"
                               : std::to_string(blank_as_zero) + " blank lines were read as 0";
  }
  return note.empty() ? note : note + ".";
}

void LoadTrainingValues(std::span<const double> series, std::span<double> training) {
  std::copy_n(series.begin(), training.size(), training.begin());
}

void LoadTestSegment(std::span<const double> series, std::int32_t Ntrain, std::span<double> segment) {
  std::copy_n(series.subspan(static_cast<std::size_t>(Ntrain)).begin(), segment.size(), segment.begin());
}

}  // namespace modelcheck
