#include "text/series_reader.h"

#include <cstring>
#include <limits>
#include <new>

#include "text/series_file.h"
#include "text/series_readers.h"
#include "text/utf8_text.h"

namespace modelcheck {

namespace {

constexpr std::size_t kFirstBlock = std::size_t{1} << 16;
constexpr std::size_t kExcerptLength = 60;

// Lead bytes and continuation bytes of well-formed UTF-8 are kept, so that
// names in any script read back; anything else (control characters, stray
// bytes of a binary file) shows as '?'. Cut to 60 characters.
std::string Excerpt(std::string_view text) {
  std::string out;
  std::size_t characters = 0;
  std::size_t i = 0;
  for (; i < text.size() && characters < kExcerptLength; ++characters) {
    const std::size_t length = Utf8CharacterLength(text, i);
    const auto lead = static_cast<unsigned char>(text[i]);
    if (length == 0 || (length == 1 && (lead < 0x20 || lead == 0x7F))) {
      out.push_back(lead == '\t' ? ' ' : '?');
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  if (i < text.size()) out += "...";
  return out;
}

std::string Message(const std::string& file, std::size_t line, const std::string& text, const std::string& reason) {
  std::string message = file;
  if (line > 0) message += ", line " + std::to_string(line);
  if (line > 0 || !text.empty()) message += ": \"" + text + "\"";
  return message + ": " + reason;
}

SeriesRead ReadFrom(std::unique_ptr<ByteSource> raw, const std::string& name, const SeriesReadOptions& options) {
  SeriesRead read;
  auto decoded = DecodedSource(std::move(raw), name, read.info.compression);
  std::string first(kFirstBlock, '\0');
  first.resize(ReadFully(*decoded, first));
  const bool npy = first.starts_with("\x93NUMPY");
  const bool binary = !npy && std::memchr(first.data(), '\0', first.size()) != nullptr;
  auto source = PrefixedSource(std::move(first), std::move(decoded));
  if (npy) {
    ReadNpySeries(*source, name, options, read);
  } else if (binary) {
    throw SeriesReadError(ReadProblem::kNotText, name, 0, {},
                          "this looks like a binary file (it holds a NUL byte); for NumPy files use .npy");
  } else if (options.format == SeriesFormat::kFixed) {
    ReadFixedSeries(*source, name, read);
  } else {
    ReadPlainSeries(*source, name, options, read);
  }
  read.info.values = read.values.size();
  return read;
}

std::string Counted(std::size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string FormatPart(const SeriesFileInfo& info) {
  switch (info.format) {
    case SeriesFormat::kFixed:
      return "fixed 20-column records with 10 implied decimals";
    case SeriesFormat::kNpy:
      return "NumPy array " + info.npy_type + " of shape " + ShapeText(info.npy_shape);
    case SeriesFormat::kPlain:
      break;
  }
  return "plain text";
}

std::string ColumnPart(const SeriesFileInfo& info) {
  std::string part = "column " + std::to_string(info.column);
  if (!info.column_name.empty()) part += " (\"" + info.column_name + "\")";
  if (info.delimiter != Delimiter::kDetect) part += ", " + std::string(DelimiterName(info.delimiter)) + "-separated";
  return part;
}

std::string SkippedPart(const SeriesFileInfo& info) {
  std::string part;
  const auto add = [&](std::size_t count, const char* one, const char* many) {
    if (count > 0) part += (part.empty() ? "skipped " : ", ") + Counted(count, one, many);
  };
  add(info.skipped_rows, "row", "rows");
  add(info.skipped_blank, "blank line", "blank lines");
  add(info.skipped_comment, "comment line", "comment lines");
  return part;
}

}  // namespace

SeriesReadError::SeriesReadError(ReadProblem problem_, std::string file_, std::size_t line_, std::string text_,
                                 std::string reason_)
    : std::runtime_error(Message(file_, line_, Excerpt(text_), reason_)),
      problem(problem_),
      file(std::move(file_)),
      line(line_),
      text(Excerpt(text_)),
      reason(std::move(reason_)) {}

void RefuseStore(std::size_t count, const std::string& name, bool out_of_memory) {
  if (out_of_memory) {
    throw SeriesReadError(ReadProblem::kOutOfMemory, name, 0, {},
                          "not enough memory: " + std::to_string(count) + " values were read");
  }
  throw SeriesReadError(ReadProblem::kTooMany, name, 0, {},
                        "more than " + std::to_string(count) + " values, more than a check can index");
}

SeriesRead ReadSeriesFile(const std::string& path, const SeriesReadOptions& options) {
  const std::string name = "\"" + path + "\"";
  return ReadFrom(OpenFileSource(path, name), name, options);
}

SeriesRead ReadSeriesStandardInput(const SeriesReadOptions& options) {
  const std::string name = "standard input";
  return ReadFrom(StandardInputSource(name), name, options);
}

SeriesRead ReadSeriesBytes(std::string_view bytes, const std::string& name, const SeriesReadOptions& options) {
  return ReadFrom(MemorySource(bytes), name, options);
}

std::string_view FormatName(SeriesFormat format) {
  switch (format) {
    case SeriesFormat::kFixed:
      return "fixed";
    case SeriesFormat::kNpy:
      return "npy";
    case SeriesFormat::kPlain:
      break;
  }
  return "plain";
}

std::string_view CompressionName(Compression compression) {
  switch (compression) {
    case Compression::kGzip:
      return "gzip";
    case Compression::kZstd:
      return "zstd";
    case Compression::kNone:
      break;
  }
  return "none";
}

std::string_view DelimiterName(Delimiter delimiter) {
  switch (delimiter) {
    case Delimiter::kComma:
      return "comma";
    case Delimiter::kTab:
      return "tab";
    case Delimiter::kSemicolon:
      return "semicolon";
    case Delimiter::kWhitespace:
      return "whitespace";
    case Delimiter::kDetect:
      break;
  }
  return "";
}

std::optional<Delimiter> DelimiterNamed(std::string_view name) {
  for (const Delimiter delimiter : {Delimiter::kComma, Delimiter::kTab, Delimiter::kSemicolon, Delimiter::kWhitespace})
    if (DelimiterName(delimiter) == name) return delimiter;
  return std::nullopt;
}

std::string DescribeReading(const SeriesFileInfo& info) {
  std::string line = Counted(info.values, "value", "values") + "; " + FormatPart(info);
  if (info.compression != Compression::kNone)
    line += ", " + std::string(CompressionName(info.compression)) + "-compressed";
  if (info.column > 0) line += "; " + ColumnPart(info);
  if (info.header) line += "; header line \"" + Excerpt(*info.header) + "\"";
  if (const std::string skipped = SkippedPart(info); !skipped.empty()) line += "; " + skipped;
  if (const std::string note = ImpliedDecimalsNote(info.implied_decimals, info.blank_as_zero); !note.empty())
    line += "; " + note.substr(0, note.size() - 1);
  return line;
}

}  // namespace modelcheck
