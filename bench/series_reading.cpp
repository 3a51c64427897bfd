// Speed and memory of the series reader on a file:
//   series_reading write <count> <path>        writes <count> Henon values as "%.17g" lines
//   series_reading read <path> <plain|fixed> [repetitions]
//   series_reading inflate <path.gz> [repetitions]   zlib alone, the speed a gzip file can be read at
// Times are the best of the repetitions (default 5), in MB/s of the bytes the
// reader parses (the uncompressed text); the memory line is the process's
// peak resident size less what it held before the first read.
#include <sys/resource.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "henon_series.h"
#include "text/series_reader.h"

namespace {

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

template <typename Step>
double BestSeconds(int repetitions, Step step) {
  double best = 1e300;
  for (int i = 0; i < repetitions; ++i) {
    const auto start = std::chrono::steady_clock::now();
    step();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

int Write(long long count, const char* path) {
  std::FILE* file = std::fopen(path, "w");
  if (file == nullptr) return 1;
  for (const double value : modelcheck::HenonSeries(count)) std::fprintf(file, "%.17g\n", value);
  return std::fclose(file) == 0 ? 0 : 1;
}

// The bytes of text in the file: zlib reads a plain file as it is and a gzip file as its contents.
std::size_t TextBytes(const std::string& path) {
  gzFile file = gzopen(path.c_str(), "rb");
  std::vector<char> block(1 << 16);
  std::size_t bytes = 0;
  for (int got = 0; (got = gzread(file, block.data(), static_cast<unsigned>(block.size()))) > 0;)
    bytes += static_cast<std::size_t>(got);
  gzclose(file);
  return bytes;
}

int Read(const std::string& path, const std::string& format, int repetitions) {
  modelcheck::SeriesReadOptions options;
  options.format = format == "fixed" ? modelcheck::SeriesFormat::kFixed : modelcheck::SeriesFormat::kPlain;
  const double before = PeakMegabytes();
  std::size_t values = 0;
  std::size_t text_bytes = 0;
  const double seconds = BestSeconds(repetitions, [&] {
    const modelcheck::SeriesRead read = modelcheck::ReadSeriesFile(path, options);
    values = read.values.size();
  });
  const double growth = PeakMegabytes() - before;
  text_bytes = TextBytes(path);
  std::printf("%s (%s): %zu values, %.1f MB in %.3f s: %.0f MB/s; peak memory %.1f MB (the values: %.1f MB)\n",
              path.c_str(), format.c_str(), values, static_cast<double>(text_bytes) / 1e6, seconds,
              static_cast<double>(text_bytes) / 1e6 / seconds, growth, static_cast<double>(values) * 8.0 / 1048576.0);
  return 0;
}

int Inflate(const std::string& path, int repetitions) {
  std::size_t out_bytes = 0;
  const double seconds = BestSeconds(repetitions, [&] {
    gzFile file = gzopen(path.c_str(), "rb");
    gzbuffer(file, 1 << 16);
    std::vector<char> block(1 << 16);
    out_bytes = 0;
    for (int got = 0; (got = gzread(file, block.data(), static_cast<unsigned>(block.size()))) > 0;)
      out_bytes += static_cast<std::size_t>(got);
    gzclose(file);
  });
  std::printf("%s (zlib alone): %.1f MB of text in %.3f s: %.0f MB/s\n", path.c_str(),
              static_cast<double>(out_bytes) / 1e6, seconds, static_cast<double>(out_bytes) / 1e6 / seconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "write" && argc == 4) return Write(std::atoll(argv[2]), argv[3]);
  if (mode == "read" && (argc == 4 || argc == 5)) return Read(argv[2], argv[3], argc == 5 ? std::atoi(argv[4]) : 5);
  if (mode == "inflate" && (argc == 3 || argc == 4)) return Inflate(argv[2], argc == 4 ? std::atoi(argv[3]) : 5);
  std::fprintf(stderr,
               "usage: series_reading write <count> <path> | read <path> <plain|fixed> [repetitions] | "
               "inflate <path.gz> [repetitions]\n");
  return 2;
}
