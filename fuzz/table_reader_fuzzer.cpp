// Fuzzes the series reader of the batch program and the Python module with
// arbitrary bytes and options: plain numbers, tables, gzip, zstd and .npy
// data. It must never crash, read out of bounds or hang; it either refuses
// with a SeriesReadError or returns finite values, no more than the lines.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "text/series_reader.h"

namespace {

// The first byte chooses the options, so the corpus explores them too.
modelcheck::SeriesReadOptions OptionsFrom(std::uint8_t choice) {
  modelcheck::SeriesReadOptions options;
  options.format = (choice & 0x80) != 0 ? modelcheck::SeriesFormat::kFixed : modelcheck::SeriesFormat::kPlain;
  switch (choice & 0x3) {
    case 1:
      options.column = modelcheck::ColumnChoice{.index = 1U + ((choice >> 2U) & 0x3U), .name = {}};
      break;
    case 2:
      options.column = modelcheck::ColumnChoice{.index = 0, .name = "x"};
      break;
    default:
      break;
  }
  options.delimiter = static_cast<modelcheck::Delimiter>((choice >> 4) % 5);
  options.skip_rows = (choice >> 6) & 0x1;
  return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  modelcheck::SeriesReadOptions options = OptionsFrom(data[0]);
  if (options.format == modelcheck::SeriesFormat::kFixed) options.column.reset();
  try {
    const modelcheck::SeriesRead read = modelcheck::ReadSeriesBytes(bytes, "\"fuzz\"", options);
    if (read.info.values != read.values.size()) std::abort();
    if (read.info.format == modelcheck::SeriesFormat::kPlain) {
      const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
      const bool compressed = read.info.compression != modelcheck::Compression::kNone;
      if (!compressed && read.values.size() > lines) std::abort();
      for (const double value : read.values)
        if (!std::isfinite(value)) std::abort();
    }
    (void)modelcheck::DescribeReading(read.info);
  } catch (const modelcheck::SeriesReadError& error) {
    if (std::string(error.what()).empty()) std::abort();
  }
  return 0;
}
