#include "henon_series.h"

#include <cstdio>
#include <memory>

namespace modelcheck {

std::vector<double> HenonSeries(std::int64_t count) {
  std::vector<double> x;
  x.reserve(static_cast<std::size_t>(count));
  double u = 0.1, v = 0.1;
  for (std::int64_t n = 0; n < count + 1000; ++n) {
    const double next = 1.0 - 1.4 * u * u + v;
    v = 0.3 * u;
    u = next;
    if (n >= 1000) x.push_back(u);
  }
  return x;
}

bool WriteSeriesFile(const std::string& path, const std::vector<double>& values) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "w"), std::fclose);
  if (!file) return false;
  for (double value : values) {
    if (std::fprintf(file.get(), "%.16f\n", value) < 0) return false;
  }
  return std::fclose(file.release()) == 0;
}

double BenchmarkEps(std::int64_t count) { return count > 1'000'000 ? 0.003 : 0.01; }

}  // namespace modelcheck
