// Reading a series from a researcher's own file, with a record of how it
// was read, for the programs made for research data.
//
// The caller names a file (or standard input) and how to read it; it gets
// every value in file order as a double, and a SeriesFileInfo that says
// what was skipped, which column and header were used, and, for the fixed
// format, how many values the implied decimals changed: nothing the reader
// does to the user's data goes unreported.
//
// What is read:
// - plain text (SeriesFormat::kPlain): each value a complete decimal number
//   ("20", "1.5e-3", "-.5", "1.5D3"); blanks and tabs around it, a UTF-8 BOM
//   and CR LF line ends are ignored; blank lines and lines starting with '#'
//   are skipped and counted. Tables: a column chosen by 1-based index or
//   header name, fields separated by comma, tab, semicolon or blanks
//   (detected from the first line read when not given), double quotes around
//   a field removed. A first line that is not all numbers is the header.
// - fixed records (SeriesFormat::kFixed): the interactive programs' reading
//   (series_file.h), 20 columns with 10 implied decimals, exactly.
// - NumPy .npy files, found by their magic bytes whatever the format asked:
//   1-D, or 2-D with a column index (or one column); float64, float32 and
//   integer types of either byte order.
// - gzip and zstd data, found by their magic bytes, read as their contents.
// A file is read as a stream, once: named pipes and process substitution
// work, and a file that changes while it is read cannot mix two versions.
//
// Refusals throw SeriesReadError naming the file, the line (1-based, as an
// editor counts them), the line's text cut to 60 characters, and why: a
// field that is not a number, NaN or infinity, a value beyond the double
// range, a second value on a line when no column is chosen, a missing
// column, binary data, truncated compressed data. The values read before a
// refusal are not returned.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace modelcheck {

enum class SeriesFormat { kPlain, kFixed, kNpy };
enum class Delimiter { kDetect, kComma, kTab, kSemicolon, kWhitespace };
enum class Compression { kNone, kGzip, kZstd };

// A column by its 1-based index, or (index 0) by its header name.
struct ColumnChoice {
  std::size_t index = 0;
  std::string name;
};

struct SeriesReadOptions {
  SeriesFormat format = SeriesFormat::kPlain;  // kNpy is found, never asked for
  std::optional<ColumnChoice> column;          // none: a file of one value per line
  Delimiter delimiter = Delimiter::kDetect;
  std::size_t skip_rows = 0;  // lines dropped at the start, whatever they hold
};

// How a file was read. Lines are counted as an editor counts them.
struct SeriesFileInfo {
  SeriesFormat format = SeriesFormat::kPlain;
  Compression compression = Compression::kNone;
  std::size_t values = 0;
  std::size_t skipped_rows = 0;              // by skip_rows
  std::size_t skipped_blank = 0;             // plain: blank lines
  std::size_t skipped_comment = 0;           // plain: lines starting with '#'
  std::optional<std::string> header;         // plain: the header line, as written
  std::size_t column = 0;                    // 1-based column read; 0 when every line held one value
  std::string column_name;                   // its header name, when there is a header
  Delimiter delimiter = Delimiter::kDetect;  // the one used; kDetect when no line was split
  std::size_t implied_decimals = 0;          // fixed: values without a point that the 10 implied decimals changed
  std::size_t blank_as_zero = 0;             // fixed: blank records read as 0
  std::string npy_type;                      // npy: the array's type as the file names it, e.g. "<f8"
  std::vector<std::size_t> npy_shape;
};

struct SeriesRead {
  std::vector<double> values;
  SeriesFileInfo info;
};

enum class ReadProblem {
  kCannotOpen,      // missing, a folder, no permission
  kReadFailed,      // the system failed while reading
  kNotANumber,      // a field is not a number
  kNotFinite,       // nan or inf
  kOutOfRange,      // beyond the double range, or a nonzero value that would read as 0
  kSecondValue,     // several values on a line and no column chosen
  kNoSuchColumn,    // the chosen column is not on the line, or not in the header
  kEmptyField,      // the chosen column is empty on the line
  kNotText,         // binary data that is not a file kind we read
  kBadNpy,          // a .npy file we cannot read
  kBadCompression,  // gzip or zstd data that is damaged or cut short
  kTooMany,         // more values than a check can index
  kOutOfMemory,
};

class SeriesReadError : public std::runtime_error {
 public:
  SeriesReadError(ReadProblem problem, std::string file, std::size_t line, std::string text, std::string reason);

  ReadProblem problem;
  std::string file;    // as the messages name it: quoted path, or "standard input"
  std::size_t line;    // 0 when the problem is not on a line
  std::string text;    // the line's text, cut to 60 characters; may be empty
  std::string reason;  // why, in lower case, without a final stop
};

// Reads the file at `path` (a regular file, a named pipe, /dev/fd/N).
SeriesRead ReadSeriesFile(const std::string& path, const SeriesReadOptions& options);

// Reads standard input to its end.
SeriesRead ReadSeriesStandardInput(const SeriesReadOptions& options);

// Reads `bytes` as if they were a file called `name`: for tests and fuzzing.
SeriesRead ReadSeriesBytes(std::string_view bytes, const std::string& name, const SeriesReadOptions& options);

// Names as options and results spell them: "plain", "fixed", "npy";
// "none", "gzip", "zstd"; "comma", "tab", "semicolon", "whitespace" ("" for kDetect).
std::string_view FormatName(SeriesFormat format);
std::string_view CompressionName(Compression compression);
std::string_view DelimiterName(Delimiter delimiter);
std::optional<Delimiter> DelimiterNamed(std::string_view name);

// One line that says how the file was read, e.g. "3000 values, plain text,
// column 2 (\"temp\") of a comma-separated table with a header; 1 blank line
// skipped".
std::string DescribeReading(const SeriesFileInfo& info);

}  // namespace modelcheck
