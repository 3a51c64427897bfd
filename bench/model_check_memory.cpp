// Peak memory of one whole model check on a series file, holding what the
// console program holds: model_check_memory <series file> <eps>. D = 2,
// Ltest = 30, Ktest = 100, Ntrain = the value count - 200 (beyond what the
// dialogue's six-digit field can take, so 10^7 values can be measured).
// Prints the peak resident size and the bytes it costs per value.
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "prepared_check.h"
#include "text/series_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: model_check_memory <series file> <eps>\n");
    return 2;
  }
  modelcheck::PreparedCheck prepared;
  modelcheck::SeriesCount count = modelcheck::CountValuesInFile(argv[1]);
  if (count.outcome != modelcheck::CountOutcome::kCounted || count.values.size() <= 400) {
    std::fprintf(stderr, "model_check_memory: \"%s\" is no series of more than 400 values\n", argv[1]);
    return 1;
  }
  std::vector<double>& series = prepared.run->series;
  series = std::move(count.values);
  modelcheck::PrepareCheck(prepared, std::atof(argv[2]));
  modelcheck::RunWholeCheck(prepared, 0);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double bytes = static_cast<double>(usage.ru_maxrss) * 1024.0;
  std::printf("%zu values: peak memory %.1f MB, %.1f bytes per value\n", series.size(), bytes / 1e6,
              bytes / static_cast<double>(series.size()));
  return 0;
}
