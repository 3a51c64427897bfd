// The series a batch run scans: a file, or standard input for "-", read by
// the same reader as the interactive program, so the values are the same.
#pragma once

#include <string>
#include <vector>

namespace modelcheck {

struct SeriesInput {
  std::vector<double> values;
  std::string problem;  // empty when every record was read; otherwise a line naming the file and the cause
};

SeriesInput ReadSeriesInput(const std::string& path);

// The series as pictures and messages name it: the file's name, or "standard input".
std::string SeriesName(const std::string& path);

}  // namespace modelcheck
