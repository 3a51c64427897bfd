// The readers behind ReadSeries*, one per format, each over a stream of the
// file's decoded bytes. Each appends to `read.values` and fills what it
// knows of `read.info`; refusals throw SeriesReadError.
#pragma once

#include <cstdint>
#include <limits>
#include <new>
#include <string>
#include <vector>

#include "text/byte_source.h"
#include "text/series_reader.h"

namespace modelcheck {

void ReadPlainSeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read);
void ReadFixedSeries(ByteSource& source, const std::string& name, SeriesRead& read);
void ReadNpySeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read);

// A NumPy shape as Python writes it: "(3000,)", "(3000, 2)".
std::string ShapeText(const std::vector<std::size_t>& shape);

// The refusal of one value more than a check can index, or of memory run out.
[[noreturn]] void RefuseStore(std::size_t count, const std::string& name, bool out_of_memory);

// Appends `value`; a check indexes values with 32 bits, and memory may run out.
inline void StoreValue(std::vector<double>& values, double value, const std::string& name) {
  constexpr std::size_t kMostValues = std::numeric_limits<std::int32_t>::max();
  if (values.size() == kMostValues) RefuseStore(values.size(), name, false);
  try {
    values.push_back(value);
  } catch (const std::bad_alloc&) {
    RefuseStore(values.size(), name, true);
  }
}

}  // namespace modelcheck
