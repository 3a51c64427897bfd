// The series a batch run scans: a file, or standard input for "-", read by
// the series reader as the options say, with a record of how it was read.
#pragma once

#include <string>
#include <vector>

#include "text/series_reader.h"

namespace modelcheck {

struct SeriesInput {
  std::vector<double> values;
  SeriesFileInfo info;
  std::string problem;  // empty when the series was read; otherwise a line naming the file and the cause
};

// A series with no values (an empty file, a closed standard input) is a problem too.
SeriesInput ReadSeriesInput(const std::string& path, const SeriesReadOptions& options);

// The line that says how the series was read, e.g. "read \"t.csv\": 3000 values; plain text; ...".
std::string ReadingLine(const std::string& path, const SeriesFileInfo& info);

// The series as pictures and messages name it: the file's name, or "standard input".
std::string SeriesName(const std::string& path);

}  // namespace modelcheck
