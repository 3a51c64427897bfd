// The readers behind ReadSeries*, one per format, each over a stream of the
// file's decoded bytes. Each appends to `read.values` and fills what it
// knows of `read.info`; refusals throw SeriesReadError.
#pragma once

#include <string>

#include "text/byte_source.h"
#include "text/series_reader.h"

namespace modelcheck {

void ReadPlainSeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read);
void ReadFixedSeries(ByteSource& source, const std::string& name, SeriesRead& read);
void ReadNpySeries(ByteSource& source, const std::string& name, const SeriesReadOptions& options, SeriesRead& read);

// A NumPy shape as Python writes it: "(3000,)", "(3000, 2)".
std::string ShapeText(const std::vector<std::size_t>& shape);

// Appends `value`; a check indexes values with 32 bits, and memory may run out.
void StoreValue(std::vector<double>& values, double value, const std::string& name);

}  // namespace modelcheck
