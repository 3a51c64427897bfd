// Writes a generated Henon series file: henon_series_file <values> <path>.
#include <cstdio>
#include <cstdlib>

#include "henon_series.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: henon_series_file <values> <path>\n");
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  if (count < 3) {
    std::fprintf(stderr, "henon_series_file: at least 3 values, not \"%s\"\n", argv[1]);
    return 2;
  }
  if (!modelcheck::WriteSeriesFile(argv[2], modelcheck::HenonSeries(count))) {
    std::fprintf(stderr, "henon_series_file: cannot write \"%s\"\n", argv[2]);
    return 1;
  }
  return 0;
}
