// NumPy .npy files: a header that describes the array, then its elements.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "text/series_readers.h"

namespace modelcheck {

namespace {

constexpr std::size_t kMagicSize = 8;  // "\x93NUMPY", major and minor version
constexpr std::size_t kLongestHeader = std::size_t{1} << 20;

struct NpyLayout {
  char byte_order = '<';
  char kind = 'f';
  std::size_t item_size = 8;
  bool fortran_order = false;
  std::vector<std::size_t> shape;
};

[[noreturn]] void Refuse(const std::string& name, const std::string& reason,
                         ReadProblem problem = ReadProblem::kBadNpy) {
  throw SeriesReadError(problem, name, 0, {}, reason);
}

std::size_t ReadHeaderLength(ByteSource& source, const std::string& name, std::uint8_t major) {
  const std::size_t width = major == 1 ? 2 : 4;
  unsigned char bytes[4] = {};
  if (ReadFully(source, {reinterpret_cast<char*>(bytes), width}) != width) Refuse(name, "the .npy header is cut short");
  std::size_t length = 0;
  for (std::size_t i = width; i-- > 0;) length = length * 256 + bytes[i];
  return length;
}

// The text after "'key':" in the header dictionary, blanks skipped.
std::string_view ValueOf(std::string_view header, std::string_view key, const std::string& name) {
  std::size_t at = header.find("'" + std::string(key) + "'");
  if (at == std::string_view::npos) Refuse(name, "the .npy header has no '" + std::string(key) + "'");
  at = header.find(':', at);
  if (at == std::string_view::npos) Refuse(name, "the .npy header is not a dictionary");
  at = header.find_first_not_of(' ', at + 1);
  return at == std::string_view::npos ? std::string_view{} : header.substr(at);
}

void ReadType(std::string_view text, const std::string& name, NpyLayout& layout) {
  if (text.empty() || (text.front() != '\'' && text.front() != '"'))
    Refuse(name, "structured arrays are not read; save the one column as its own array");
  const std::size_t end = text.find(text.front(), 1);
  const std::string_view type = text.substr(1, end == std::string_view::npos ? 0 : end - 1);
  const bool known = type.size() >= 3 && std::string_view("<>|=").find(type[0]) != std::string_view::npos &&
                     std::string_view("fiu").find(type[1]) != std::string_view::npos;
  const std::string digits(type.substr(std::min<std::size_t>(2, type.size())));
  const std::size_t size = known && digits.size() == 1 ? static_cast<std::size_t>(digits[0] - '0') : 0;
  const bool sized = type.size() >= 2 &&
                     (type[1] == 'f' ? (size == 4 || size == 8) : (size == 1 || size == 2 || size == 4 || size == 8));
  if (!known || !sized) {
    Refuse(name, "arrays of type " + std::string(type) +
                     " are not read; float64, float32 and integer types are (numpy.save of x.astype(float))");
  }
  layout.byte_order = type[0] == '=' ? '<' : type[0];
  layout.kind = type[1];
  layout.item_size = size;
}

void ReadShape(std::string_view text, const std::string& name, NpyLayout& layout) {
  const std::size_t close = text.find(')');
  if (text.empty() || text.front() != '(' || close == std::string_view::npos)
    Refuse(name, "the .npy shape is unreadable");
  std::string_view inner = text.substr(1, close - 1);
  while (!inner.empty()) {
    const std::size_t comma = std::min(inner.find(','), inner.size());
    const std::string_view item = inner.substr(0, comma);
    const std::size_t first = item.find_first_not_of(' ');
    if (first != std::string_view::npos) {
      std::size_t extent = 0;
      for (const char c : item.substr(first, item.find_last_not_of(' ') - first + 1)) {
        if (c < '0' || c > '9' || extent > std::numeric_limits<std::size_t>::max() / 16)
          Refuse(name, "the .npy shape is unreadable");
        extent = extent * 10 + static_cast<std::size_t>(c - '0');
      }
      layout.shape.push_back(extent);
    }
    inner.remove_prefix(std::min(comma + 1, inner.size()));
  }
}

NpyLayout ReadLayout(ByteSource& source, const std::string& name) {
  char magic[kMagicSize] = {};
  if (ReadFully(source, magic) != kMagicSize) Refuse(name, "the .npy header is cut short");
  const auto major = static_cast<std::uint8_t>(magic[6]);
  if (major < 1 || major > 3) Refuse(name, "the .npy format version " + std::to_string(major) + " is not read");
  const std::size_t header_length = ReadHeaderLength(source, name, major);
  // numpy.save writes headers of a few hundred bytes; a damaged length must not size an allocation.
  if (header_length > kLongestHeader)
    Refuse(name, "the .npy header claims " + std::to_string(header_length) + " bytes");
  std::string header(header_length, '\0');
  if (ReadFully(source, header) != header.size()) Refuse(name, "the .npy header is cut short");
  NpyLayout layout;
  ReadType(ValueOf(header, "descr", name), name, layout);
  layout.fortran_order = ValueOf(header, "fortran_order", name).starts_with("True");
  ReadShape(ValueOf(header, "shape", name), name, layout);
  return layout;
}

// Which elements, in storage order, hold the series: [first, first + count) in steps of `stride`.
struct Selection {
  std::size_t total = 0;
  std::size_t first = 0;
  std::size_t stride = 1;
  std::size_t count = 0;
};

Selection Select(const NpyLayout& layout, const std::string& name, const SeriesReadOptions& options,
                 SeriesFileInfo& info) {
  const std::vector<std::size_t>& shape = layout.shape;
  const std::string shape_text = ShapeText(shape);
  if (shape.empty() || shape.size() > 2) {
    Refuse(name, "the array has shape " + shape_text + "; a series is read from a 1-D array or a column of a 2-D one");
  }
  if (shape.size() == 1) return {.total = shape[0], .first = 0, .stride = 1, .count = shape[0]};
  const std::size_t rows = shape[0], columns = shape[1];
  if (rows != 0 && columns > std::numeric_limits<std::size_t>::max() / rows)
    Refuse(name, "the .npy shape is too large");
  std::size_t column = 0;
  if (options.column && options.column->index == 0) {
    Refuse(name, "a NumPy array has no column names; give the column's number", ReadProblem::kNoSuchColumn);
  }
  if (options.column) {
    column = options.column->index - 1;
  } else if (columns != 1) {
    Refuse(name, "the array has shape " + shape_text + "; choose the column to read", ReadProblem::kSecondValue);
  }
  if (column >= columns) {
    Refuse(name, "the array has shape " + shape_text + "; there is no column " + std::to_string(column + 1),
           ReadProblem::kNoSuchColumn);
  }
  info.column = column + 1;
  if (layout.fortran_order) return {.total = rows * columns, .first = column * rows, .stride = 1, .count = rows};
  return {.total = rows * columns, .first = column, .stride = columns, .count = rows};
}

template <typename Stored>
double Element(const char* bytes, bool swap) {
  std::array<char, sizeof(Stored)> copy{};
  std::memcpy(copy.data(), bytes, sizeof(Stored));
  if (swap) std::reverse(copy.begin(), copy.end());
  return static_cast<double>(std::bit_cast<Stored>(copy));
}

double Convert(const NpyLayout& layout, const char* bytes) {
  const bool swap = layout.item_size > 1 && layout.byte_order == '>';
  switch (layout.kind) {
    case 'f':
      return layout.item_size == 4 ? Element<float>(bytes, swap) : Element<double>(bytes, swap);
    case 'i':
      switch (layout.item_size) {
        case 1:
          return Element<std::int8_t>(bytes, swap);
        case 2:
          return Element<std::int16_t>(bytes, swap);
        case 4:
          return Element<std::int32_t>(bytes, swap);
        default:
          return Element<std::int64_t>(bytes, swap);
      }
    default:
      switch (layout.item_size) {
        case 1:
          return Element<std::uint8_t>(bytes, swap);
        case 2:
          return Element<std::uint16_t>(bytes, swap);
        case 4:
          return Element<std::uint32_t>(bytes, swap);
        default:
          return Element<std::uint64_t>(bytes, swap);
      }
  }
}

void ReadElements(ByteSource& source, const std::string& name, const NpyLayout& layout, const Selection& selection,
                  std::vector<double>& values) {
  const std::size_t per_block = (std::size_t{1} << 16) / layout.item_size;
  std::vector<char> block(per_block * layout.item_size);
  for (std::size_t element = 0; element < selection.total;) {
    const std::size_t wanted = std::min(per_block, selection.total - element);
    const std::size_t got = ReadFully(source, {block.data(), wanted * layout.item_size});
    if (got != wanted * layout.item_size) {
      Refuse(name, "the file ends after " + std::to_string(element + got / layout.item_size) + " of its " +
                       std::to_string(selection.total) + " elements: it is cut short");
    }
    for (std::size_t i = 0; i < wanted; ++i, ++element) {
      if (element < selection.first || (element - selection.first) % selection.stride != 0 ||
          (element - selection.first) / selection.stride >= selection.count)
        continue;
      const double value = Convert(layout, block.data() + i * layout.item_size);
      if (!std::isfinite(value)) {
        throw SeriesReadError(ReadProblem::kNotFinite, name, 0, {},
                              "the value at index " + std::to_string(values.size()) + " is not a finite number");
      }
      StoreValue(values, value, name);
    }
  }
  char extra = 0;
  if (ReadFully(source, {&extra, 1}) != 0) Refuse(name, "the file holds more data than its shape says");
}

}  // namespace

std::string ShapeText(const std::vector<std::size_t>& shape) {
  std::string text = "(";
  for (std::size_t i = 0; i < shape.size(); ++i) text += (i ? ", " : "") + std::to_string(shape[i]);
  return text + (shape.size() == 1 ? ",)" : ")");
}

void ReadNpySeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read) {
  const NpyLayout layout = ReadLayout(source, name);
  read.info.format = SeriesFormat::kNpy;
  read.info.npy_type = std::string(1, layout.byte_order) + layout.kind + std::to_string(layout.item_size);
  read.info.npy_shape = layout.shape;
  const Selection selection = Select(layout, name, options, read.info);
  try {
    // A damaged header may claim any shape: the reservation is capped, and
    // the values grow past it only as they are read.
    read.values.reserve(std::min<std::size_t>(selection.count, std::size_t{1} << 24));
  } catch (const std::bad_alloc&) {
    Refuse(name, "not enough memory for " + std::to_string(selection.count) + " values", ReadProblem::kOutOfMemory);
  } catch (const std::length_error&) {
    Refuse(name, "the .npy shape is too large");
  }
  ReadElements(source, name, layout, selection, read.values);
}

}  // namespace modelcheck
