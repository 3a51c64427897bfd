// Draws the benchmark's time per step against the series length on log-log
// axes: growth_plot <benchmark csv> <picture.png>. The csv is Google
// Benchmark's (--benchmark_out_format=csv); with repetitions only the median
// rows are used. Axes: 10^4..10^7 values, 0.01 ms..10^4 ms.
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "plots/graphics_surface.h"
#include "presentation/plot_image.h"

namespace modelcheck {
namespace {

// The plot area in pixels, and the decades it spans.
constexpr int kLeft = 110, kRight = 560, kTop = 60, kBottom = 540;
constexpr double kFirstLength = 4.0, kLastLength = 7.0;  // log10 of values
constexpr double kFirstTime = -2.0, kLastTime = 4.0;     // log10 of ms

using Series = std::map<double, double>;  // values -> median milliseconds

int PixelX(double values) {
  return kLeft + static_cast<int>(std::lround((std::log10(values) - kFirstLength) / (kLastLength - kFirstLength) *
                                              (kRight - kLeft)));
}

int PixelY(double ms) {
  return kBottom -
         static_cast<int>(std::lround((std::log10(ms) - kFirstTime) / (kLastTime - kFirstTime) * (kBottom - kTop)));
}

// "name,iterations,real_time,..." rows; names look like "BM_Step/1000000_median"
// or "BM_Step/1000000/threads:0_median".
std::map<std::string, Series> ReadMedians(std::istream& csv) {
  std::map<std::string, Series> steps;
  std::string line;
  while (std::getline(csv, line)) {
    if (line.empty() || line.front() != '"') continue;
    const std::size_t slash = line.find('/'), end = line.find('"', 1);
    if (slash == std::string::npos || end == std::string::npos || slash > end) continue;
    const std::string size_part = line.substr(slash + 1, end - slash - 1);
    const bool median = size_part.ends_with("_median");
    if (!median && size_part.find('_') != std::string::npos) continue;
    std::stringstream fields(line.substr(end + 2));
    std::string iterations, real_time, cpu_time, unit;
    std::getline(fields, iterations, ',');
    std::getline(fields, real_time, ',');
    std::getline(fields, cpu_time, ',');
    std::getline(fields, unit, ',');
    if (unit.size() > 1 && unit.front() == '"') unit = unit.substr(1, unit.size() - 2);
    const double scale = unit == "ns" ? 1e-6 : unit == "us" ? 1e-3 : unit == "s" ? 1e3 : 1.0;
    std::string name = line.substr(4, slash - 4);
    // Steps timed on one thread and on every core are two curves.
    if (const std::size_t threads = size_part.find("/threads:"); threads != std::string::npos) {
      name += size_part.compare(threads + 9, 1, "0") == 0 ? " all cores" : " 1 core";
    }
    steps[name][std::stod(size_part)] = std::stod(real_time) * scale;
  }
  return steps;
}

void Label(GraphicsSurface& surface, int x, int y, const std::string& text) {
  MoveTo(surface, x, y);
  TextOut(surface, text);
}

void DrawAxes(GraphicsSurface& surface) {
  SetDrawingColour(surface, 8);
  for (int decade = 4; decade <= 7; ++decade) {
    const int x = PixelX(std::pow(10.0, decade));
    MoveTo(surface, x, kTop);
    LineTo(surface, x, kBottom);
    Label(surface, x - 14, kBottom + 8, "10^" + std::to_string(decade));
  }
  for (int decade = -2; decade <= 4; ++decade) {
    const int y = PixelY(std::pow(10.0, decade));
    MoveTo(surface, kLeft, y);
    LineTo(surface, kRight, y);
    char text[16];
    std::snprintf(text, sizeof text, "%g ms", std::pow(10.0, decade));
    Label(surface, 20, y - 8, text);
  }
  SetDrawingColour(surface, 0);
  RectangleOutline(surface, kLeft, kTop, kRight, kBottom);
  Label(surface, 200, 20, "Time of each step against the series length");
  Label(surface, 260, kBottom + 30, "series values");
}

void DrawStep(GraphicsSurface& surface, const Series& series, int colour, int legend_row, const std::string& name) {
  SetDrawingColour(surface, colour);
  bool first = true;
  for (const auto& [values, ms] : series) {
    if (ms <= 0.0) continue;
    const int x = PixelX(values), y = PixelY(ms);
    if (first)
      MoveTo(surface, x, y);
    else
      LineTo(surface, x, y);
    RectangleOutline(surface, x - 2, y - 2, x + 2, y + 2);
    MoveTo(surface, x, y);
    first = false;
  }
  const int y = kTop + 10 + 22 * legend_row;
  MoveTo(surface, 585, y + 8);
  LineTo(surface, 615, y + 8);
  Label(surface, 625, y, name);
}

}  // namespace
}  // namespace modelcheck

int main(int argc, char** argv) {
  using namespace modelcheck;
  if (argc != 3) {
    std::fprintf(stderr, "usage: growth_plot <benchmark csv> <picture.png>\n");
    return 2;
  }
  std::ifstream csv(argv[1]);
  const auto steps = ReadMedians(csv);
  if (steps.empty()) {
    std::fprintf(stderr, "growth_plot: no benchmark rows in \"%s\"\n", argv[1]);
    return 1;
  }
  GraphicsSurface surface;
  OpenPlotWindow(surface, "Benchmark growth");
  SetBackgroundColour(surface, 15);
  ClearWindow(surface);
  InitialiseFonts(surface);
  SelectFont(surface, "t'Arial'h14w7");
  DrawAxes(surface);
  // Palette colours that stay apart on white; the whole check in black.
  const int colours[] = {1, 2, 4, 5, 6, 3, 8, 10, 13, 9, 11, 12};
  int row = 0;
  for (const auto& [name, series] : steps) {
    DrawStep(surface, series, name.starts_with("WholeModelCheck") ? 0 : colours[row % 12], row, name);
    ++row;
  }
  std::string error;
  if (!WritePlotImage(surface, argv[2], error)) {
    std::fprintf(stderr, "growth_plot: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
