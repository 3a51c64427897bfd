// The interactive programs' fixed records, read from any byte source.
#include <istream>
#include <streambuf>
#include <vector>

#include "text/series_file.h"
#include "text/series_readers.h"

namespace modelcheck {

namespace {

// The source as a stream buffer, for the record reader.
class SourceBuffer : public std::streambuf {
 public:
  explicit SourceBuffer(ByteSource& source) : source_(source) {}

 protected:
  int_type underflow() override {
    const std::size_t got = source_.Read(buffer_);
    if (got == 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + got);
    return traits_type::to_int_type(buffer_.front());
  }

 private:
  ByteSource& source_;
  std::vector<char> buffer_ = std::vector<char>(std::size_t{1} << 16);
};

[[noreturn]] void Refuse(const std::string& name, const SeriesCount& count) {
  switch (count.outcome) {
    case CountOutcome::kUnreadable:
      // Records before the bad one were read, one value each.
      throw SeriesReadError(
          ReadProblem::kNotANumber, name, count.values.size() + 1, count.unreadable_text,
          count.runs_on ? "the number runs on past column 20" : "the first 20 columns are not a number");
    case CountOutcome::kTooMany:
      throw SeriesReadError(ReadProblem::kTooMany, name, 0, {}, "more values than can be counted");
    case CountOutcome::kNotText:
      throw SeriesReadError(ReadProblem::kNotText, name, 0, {},
                            "this looks like a binary file; for NumPy files use .npy");
    case CountOutcome::kOutOfMemory:
      throw SeriesReadError(ReadProblem::kOutOfMemory, name, 0, {},
                            "not enough memory: " + std::to_string(count.read) + " values were read");
    case CountOutcome::kCounted:
      break;
  }
  throw SeriesReadError(ReadProblem::kReadFailed, name, 0, {}, "the reading failed");
}

}  // namespace

void ReadFixedSeries(ByteSource& source, const std::string& name, SeriesRead& read) {
  // A last line without its line end is a record too.
  const std::size_t records = source.LineEndsAhead().value_or(0);
  SourceBuffer buffer(source);
  std::istream stream(&buffer);
  SeriesCount count = CountValues(stream, records == 0 ? 0 : records + 1);
  if (count.outcome != CountOutcome::kCounted) Refuse(name, count);
  read.info.format = SeriesFormat::kFixed;
  read.info.implied_decimals = count.implied_decimals;
  read.info.blank_as_zero = count.blank_records;
  read.values = std::move(count.values);
}

}  // namespace modelcheck
