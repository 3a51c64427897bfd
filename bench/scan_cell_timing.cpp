// Times one model check with its baselines, as the Python module's check()
// runs it (a scan of one cell on every core), on the generated Henon series:
// scan_cell_timing <values> <D> <eps> [repetitions]. Prints the median wall
// time in seconds and the two prediction times, so the Python benchmark can
// show it computed the same check.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "henon_series.h"
#include "modelcheck/scan.h"

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: scan_cell_timing <values> <D> <eps> [repetitions]\n");
    return 2;
  }
  const long long count = std::atoll(argv[1]);
  const std::vector<double> series = modelcheck::HenonSeries(count);
  const modelcheck::ScanSettings settings{
      .Ntrain = static_cast<std::int32_t>(count - 200), .D = {std::atoi(argv[2])}, .eps = {std::atof(argv[3])}};
  const int repetitions = argc > 4 ? std::atoi(argv[4]) : 5;
  std::vector<double> seconds;
  modelcheck::ScanResult result;
  for (int r = 0; r < repetitions; ++r) {
    const auto start = std::chrono::steady_clock::now();
    result = modelcheck::RunScan(series, settings);
    seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("%.4f %d %d\n", seconds[seconds.size() / 2], result.cells[0].iterative_time.value_or(-1),
              result.cells[0].direct_time.value_or(-1));
  return 0;
}
