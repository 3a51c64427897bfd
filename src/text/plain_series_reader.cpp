// Plain text and tables, line by line.
#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "text/plain_number.h"
#include "text/series_readers.h"
#include "text/table_line.h"

namespace modelcheck {

namespace {

constexpr std::size_t kChunkSize = std::size_t{1} << 18;
// A longer line is not a series file's; refusing it keeps memory bounded.
constexpr std::size_t kLongestLine = std::size_t{1} << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Plural(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string NumberProblem(NumberStatus status, std::string_view token) {
  switch (status) {
    case NumberStatus::kNotFinite:
      return "not a finite number";
    case NumberStatus::kOutOfRange:
      return ParsePlainNumber(token).value == 0.0 ? "too small for a double: it would read as 0"
                                                  : "beyond the range of a double";
    case NumberStatus::kNotANumber:
    case NumberStatus::kNumber:
      break;
  }
  return "not a number";
}

ReadProblem ProblemOf(NumberStatus status) {
  if (status == NumberStatus::kNotFinite) return ReadProblem::kNotFinite;
  if (status == NumberStatus::kOutOfRange) return ReadProblem::kOutOfRange;
  return ReadProblem::kNotANumber;
}

// A field that reads as a name: not a number, and holding a letter, a quote
// or a non-ASCII character, so that a mistyped number ("1.2.3", "20,5")
// is refused rather than taken for a name.
bool IsName(const std::string& field) {
  const bool wordlike = std::any_of(field.begin(), field.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '"' || static_cast<unsigned char>(c) >= 0x80;
  });
  return wordlike && !LooksNumeric(field);
}

// A first line is a header when a field is a name, or (pandas writes an
// unnamed index so) when one of several fields is empty.
bool IsHeader(const std::vector<std::string>& fields) {
  return std::any_of(fields.begin(), fields.end(),
                     [&](const std::string& field) { return IsName(field) || (field.empty() && fields.size() > 1); });
}

// The header's names for a message; a wide table's are cut after twelve.
std::string JoinNames(const std::vector<std::string>& names) {
  constexpr std::size_t kShown = 12;
  std::string joined;
  for (std::size_t i = 0; i < std::min(names.size(), kShown); ++i)
    joined += (i == 0 ? "\"" : ", \"") + names[i].substr(0, 40) + "\"";
  if (names.size() > kShown) joined += " and " + std::to_string(names.size() - kShown) + " more";
  return joined;
}

class PlainReader {
 public:
  PlainReader(const std::string& name, const SeriesReadOptions& options, SeriesRead& read)
      : name_(name), options_(options), read_(read) {}

  void Line(std::string_view line) {
    ++line_number_;
    SeriesFileInfo& info = read_.info;
    if (line_number_ <= options_.skip_rows) {
      ++info.skipped_rows;
      return;
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line_number_ == 1 && line.starts_with(kByteOrderMark)) line.remove_prefix(kByteOrderMark.size());
    const bool padded = !line.empty() && (IsBlank(line.front()) || IsBlank(line.back()));
    const std::string_view text = padded ? TrimBlanks(line) : line;
    if (text.empty()) {
      ++info.skipped_blank;
      return;
    }
    if (text.front() == '#') {
      ++info.skipped_comment;
      return;
    }
    if (!settled_ && Settle(text)) return;
    // Nearly every line is one nonzero number: read it here, the rest in Value.
    double value = 0.0;
    if (!column_ && text.front() != '+') {
      const auto result = fast_float::from_chars(text.data(), text.data() + text.size(), value);
      if (result.ec == std::errc() && result.ptr == text.data() + text.size() && std::isfinite(value) && value != 0.0) {
        StoreValue(read_.values, value, name_);
        return;
      }
    }
    StoreValue(read_.values, Value(text), name_);
  }

  std::size_t LineNumber() const { return line_number_; }

 private:
  // The first line with content fixes the delimiter, the column and
  // whether there is a header; true when that line is the header.
  bool Settle(std::string_view text) {
    settled_ = true;
    delimiter_ = options_.delimiter == Delimiter::kDetect ? DetectDelimiter(text) : options_.delimiter;
    const std::vector<std::string> fields = SplitFields(text, delimiter_);
    const bool by_name = options_.column && options_.column->index == 0;
    const bool header = by_name || IsHeader(fields);
    // A header of one name says nothing of the data's delimiter: the first data line does.
    redetect_ = header && fields.size() == 1 && options_.delimiter == Delimiter::kDetect;
    if (options_.column) ChooseColumn(text, fields, header);
    if (!header) return false;
    read_.info.header = std::string(text);
    return true;
  }

  void ChooseColumn(std::string_view text, const std::vector<std::string>& fields, bool header) {
    const ColumnChoice& choice = *options_.column;
    if (choice.index == 0) {
      const auto found = std::find(fields.begin(), fields.end(), choice.name);
      if (found == fields.end()) {
        Refuse(ReadProblem::kNoSuchColumn, text,
               "no column is named \"" + choice.name + "\"; the header names " + JoinNames(fields));
      }
      column_ = static_cast<std::size_t>(found - fields.begin());
    } else {
      column_ = choice.index - 1;
      if (header && !redetect_ && *column_ >= fields.size()) {
        Refuse(ReadProblem::kNoSuchColumn, text,
               "the header names " + Plural(fields.size(), "column", "columns") + "; there is no column " +
                   std::to_string(choice.index));
      }
    }
    read_.info.column = *column_ + 1;
    if (header && *column_ < fields.size()) read_.info.column_name = fields[*column_];
    read_.info.delimiter = delimiter_;
  }

  double Value(std::string_view text) {
    if (redetect_) {
      redetect_ = false;
      delimiter_ = DetectDelimiter(text);
      if (column_) read_.info.delimiter = delimiter_;
    }
    if (!column_) {
      const PlainNumber number = ParsePlainNumber(text);
      if (number.status == NumberStatus::kNumber) return number.value;
      return LoneField(text, number.status);
    }
    const auto field = FieldAt(text, delimiter_, *column_, storage_);
    if (!field) {
      Refuse(ReadProblem::kNoSuchColumn, text,
             "the line holds " + Plural(SplitFields(text, delimiter_).size(), "value", "values") +
                 "; there is no column " + std::to_string(*column_ + 1));
    }
    if (field->empty()) Refuse(ReadProblem::kEmptyField, text, "column " + std::to_string(*column_ + 1) + " is empty");
    const PlainNumber number = ParsePlainNumber(*field);
    if (number.status != NumberStatus::kNumber) {
      Refuse(ProblemOf(number.status), text,
             "column " + std::to_string(*column_ + 1) + " (\"" + std::string(*field) + "\") is " +
                 NumberProblem(number.status, *field));
    }
    return number.value;
  }

  // A line that is not one number as it stands: one quoted field, or one
  // with a trailing delimiter, is still one value; anything else is refused.
  double LoneField(std::string_view text, NumberStatus status) {
    const Delimiter delimiter = options_.delimiter == Delimiter::kDetect ? DetectDelimiter(text) : options_.delimiter;
    const std::vector<std::string> fields = SplitFields(text, delimiter);
    if (fields.size() == 1 && fields.front() != text) {
      const PlainNumber number = ParsePlainNumber(fields.front());
      if (number.status == NumberStatus::kNumber) return number.value;
      status = number.status;
    }
    const bool numbers =
        std::any_of(fields.begin(), fields.end(), [](const std::string& f) { return LooksNumeric(f); });
    if (fields.size() > 1 && numbers) {
      Refuse(ReadProblem::kSecondValue, text,
             "the line holds " + std::to_string(fields.size()) + " values (" + std::string(DelimiterName(delimiter)) +
                 "-separated) and no column was chosen");
    }
    Refuse(ProblemOf(status), text, NumberProblem(status, text));
  }

  [[noreturn]] void Refuse(ReadProblem problem, std::string_view text, const std::string& reason) const {
    throw SeriesReadError(problem, name_, line_number_, std::string(text), reason);
  }

  const std::string& name_;
  const SeriesReadOptions& options_;
  SeriesRead& read_;
  std::size_t line_number_ = 0;
  bool settled_ = false;
  bool redetect_ = false;
  Delimiter delimiter_ = Delimiter::kWhitespace;
  std::optional<std::size_t> column_;
  std::string storage_;
};

// Room for the values still to come, estimated from the bytes ahead and
// the bytes each line took so far, with a little to spare: made once, it
// keeps memory at the values and a chunk (room not yet written to costs no
// memory); an estimate that falls short grows by at least a quarter.
void MakeRoom(const ByteSource& source, std::vector<double>& values, std::size_t bytes_read, std::size_t lines_read,
              const std::string& name) {
  const auto bytes_ahead = source.BytesAhead();
  if (!bytes_ahead || lines_read == 0) return;
  const double bytes_per_line = static_cast<double>(bytes_read) / static_cast<double>(lines_read);
  const auto lines_ahead = static_cast<std::size_t>(static_cast<double>(*bytes_ahead) / bytes_per_line * 1.02);
  const std::size_t wanted = std::min(values.size() + lines_ahead + 1024, std::size_t{1} << 31);
  if (wanted <= values.capacity()) return;
  try {
    values.reserve(std::max(wanted, values.capacity() + values.capacity() / 4));
  } catch (const std::bad_alloc&) {
    throw SeriesReadError(ReadProblem::kOutOfMemory, name, 0, {},
                          "not enough memory for " + std::to_string(wanted) + " values");
  }
}

}  // namespace

void ReadPlainSeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read) {
  read.info.format = SeriesFormat::kPlain;
  PlainReader reader(name, options, read);
  std::size_t bytes_read = 0;
  std::vector<char> chunk(kChunkSize);
  std::string carry;  // a line that runs on into the next chunk
  for (;;) {
    const std::size_t got = source.Read(chunk);
    if (got == 0) break;
    bytes_read += got;
    std::string_view rest(chunk.data(), got);
    if (!carry.empty()) {
      const std::size_t line_end = rest.find('\n');
      carry.append(rest.substr(0, line_end));
      if (carry.size() > kLongestLine) {
        throw SeriesReadError(ReadProblem::kNotText, name, reader.LineNumber() + 1, carry.substr(0, 60),
                              "the line is longer than 1 MiB: this is not a series file");
      }
      if (line_end == std::string_view::npos) continue;
      reader.Line(carry);
      carry.clear();
      rest.remove_prefix(line_end + 1);
    }
    // Nearly every line lies whole in its chunk and is read where it lies.
    while (const auto* line_end = static_cast<const char*>(std::memchr(rest.data(), '\n', rest.size()))) {
      const auto length = static_cast<std::size_t>(line_end - rest.data());
      reader.Line(rest.substr(0, length));
      rest.remove_prefix(length + 1);
    }
    carry.assign(rest);
    MakeRoom(source, read.values, bytes_read, reader.LineNumber(), name);
  }
  // A last line without its line end is a line.
  if (!carry.empty()) reader.Line(carry);
}

}  // namespace modelcheck
