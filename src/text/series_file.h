// The time series file: its records read once, and the parts the dialogue
// takes from them.
//
// A record is one line without its end of line (a trailing CR included);
// its first 20 columns are read as a real field with 10 implied decimals
// (fixed_field.h), the rest of the line is ignored. The whole file is read
// once per series pass and its values kept, so later loads cannot meet a
// file that changed on disk. Values are kept exactly as read. Vectors are
// zero-based: record i is values[i - 1].
#pragma once

#include <cstdint>
#include <istream>
#include <span>
#include <string>
#include <vector>

namespace modelcheck {

inline constexpr int kRecordWidth = 20;
inline constexpr int kRecordDecimals = 10;

enum class CountOutcome {
  kCounted,      // every record read; `values` holds one value per record
  kUnreadable,   // a record is not a number; `values` holds those before it
  kTooMany,      // more records than a 32-bit count can hold
  kNotText,      // a NUL byte in the first block: no values are read
  kOutOfMemory,  // no room for the next value; `values` is empty, `read` says how many were read
};

struct SeriesCount {
  CountOutcome outcome = CountOutcome::kCounted;
  std::vector<double> values;
  std::size_t read = 0;  // values read before memory ran out
  // What the fixed reading did to the values: fields without a decimal point
  // whose value the implied decimals changed (not zero), and blank fields read as 0.
  std::size_t implied_decimals = 0;
  std::size_t blank_records = 0;
  // kUnreadable: the record's text (its field and what follows, as far as
  // kept) and whether its number runs on past the field.
  std::string unreadable_text;
  bool runs_on = false;
};

// Reads every record of `file` from its current position to its end. The
// values are stored as they come, so the memory taken grows with the values
// read, never with a guess from the file's size; a caller that has counted
// the records (`expected`) has room for them made at once.
SeriesCount CountValues(std::istream& file, std::size_t expected = 0);

// Opens and counts the file at `path`; a file that cannot be opened counts
// as having no records, one that fails while it is read as unreadable.
SeriesCount CountValuesInFile(const std::string& path);

// The fixed format's note, for a file whose reading changed values:
// "1485 values had no decimal point and carry 10 implied decimals; 1 blank
// line was read as 0." Empty when nothing was changed.
std::string ImpliedDecimalsNote(std::size_t implied_decimals, std::size_t blank_as_zero);

// Fills `training` (already sized Ntrain) with records 1..Ntrain.
void LoadTrainingValues(std::span<const double> series, std::span<double> training);

// Fills `segment` (already sized Ntest) with records Ntrain+1..Ntrain+Ntest.
// The caller guarantees that these records exist.
void LoadTestSegment(std::span<const double> series, std::int32_t Ntrain, std::span<double> segment);

}  // namespace modelcheck
