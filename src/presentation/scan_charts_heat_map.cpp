// scan.png: the figure of the scan's metric (by default the iterative
// prediction time) of every cell of the grid.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "presentation/scan_charts.h"
#include "presentation/scan_charts_canvas.h"
#include "presentation/scan_charts_labels.h"
#include "presentation/scan_charts_layout.h"

namespace modelcheck {

namespace {

constexpr TextStyle kTitleStyle = {.size = 17.0, .bold = true};
constexpr TextStyle kLabelStyle = {.size = 13.0};
constexpr TextStyle kHeadingStyle = {.size = 13.0, .bold = true};
constexpr TextStyle kAxisTitleStyle = {.size = 14.0, .bold = true};
constexpr TextStyle kCaptionStyle = {.size = 15.0, .bold = true};
constexpr double kCellTextSize = 12.0;
constexpr double kMargin = 24.0;  // between the image's edge and the title, caption and labels

// The colour bar and the legend of cell kinds, right of the grid.
constexpr double kPanelLeft = 790.0;
constexpr PixelBox kColourBar = {.left = 790, .top = 108, .right = 812, .bottom = 328};
constexpr double kLegendTop = 366.0;
constexpr double kLegendRow = 26.0;
constexpr double kBestOutlineWidth = 4.0;

// How the metric's figure maps to the colour ramp: times from 0 to Ltest,
// the top of the ramp the longest; errors on a logarithmic scale from the
// smallest to the largest of the finished cells, the top of the ramp the
// smallest (both ways, the brightest cell predicts best).
struct FigureScale {
  ScanMetric metric = ScanMetric::kIterativeTime;
  std::int32_t Ltest = 0;
  double low = 1.0;  // errors: the smallest and largest positive finite error
  double high = 1.0;

  bool time() const { return metric == ScanMetric::kIterativeTime || metric == ScanMetric::kDirectTime; }

  // Where an error lies on the ramp, 1 for the smallest.
  double ErrorPosition(double error) const {
    if (!(error > 0.0) || !std::isfinite(error)) return error == 0.0 ? 1.0 : 0.0;
    if (!(high > low)) return 1.0;
    return std::clamp(1.0 - (std::log(error) - std::log(low)) / (std::log(high) - std::log(low)), 0.0, 1.0);
  }
};

FigureScale MakeFigureScale(const ScanResult& result) {
  FigureScale scale{.metric = result.settings.metric, .Ltest = result.settings.Ltest, .low = 1.0, .high = 1.0};
  if (scale.time()) return scale;
  bool any = false;
  for (const ScanCell& cell : result.cells) {
    if (cell.status != CellStatus::kFinished) continue;
    const double error = CellFigure(cell, scale.metric);
    if (!(error > 0.0) || !std::isfinite(error)) continue;
    scale.low = any ? std::min(scale.low, error) : error;
    scale.high = any ? std::max(scale.high, error) : error;
    any = true;
  }
  return scale;
}

// An error as a cell or the colour bar shows it: three significant digits.
std::string ErrorText(double error) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", error);
  return text;
}

struct Grid {
  const ScanResult& result;
  FigureScale scale;
  std::size_t rows = 0;     // dimensions
  std::size_t columns = 0;  // box sizes

  PixelBox box(std::size_t row, std::size_t column) const { return HeatMapCellBox(rows, columns, row, column); }
  // The cell of a row and column; a cell missing from a short result counts as not run.
  const ScanCell* cell(std::size_t row, std::size_t column) const {
    const std::size_t index = row * columns + column;
    return index < result.cells.size() ? &result.cells[index] : nullptr;
  }
  // Room for a 1-pixel white gap between cells, unless they are too small to spare it.
  bool gaps() const {
    return static_cast<std::size_t>(kHeatMapGrid.width()) >= 6 * columns &&
           static_cast<std::size_t>(kHeatMapGrid.height()) >= 6 * rows;
  }
};

double Baseline(double centre_y, double size) { return centre_y + 0.36 * size; }

void DrawHatch(cairo_t* cr, const PixelBox& box, const ChartColour& colour) {
  constexpr int kSpacing = 7;
  cairo_save(cr);
  cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
  cairo_clip(cr);
  SetColour(cr, colour);
  cairo_set_line_width(cr, 1.0);
  // Lines on multiples of the spacing, so hatching runs on across neighbouring cells.
  for (int x = box.left - box.height() - box.left % kSpacing; x < box.right; x += kSpacing) {
    cairo_move_to(cr, x, box.bottom);
    cairo_line_to(cr, x + box.height(), box.top);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

// A finished cell always has its times.
ChartColour FinishedColour(const ScanCell& cell, const FigureScale& scale) {
  if (!scale.time()) return RampColour(scale.ErrorPosition(CellFigure(cell, scale.metric)));
  const auto time = static_cast<std::int32_t>(CellFigure(cell, scale.metric));
  if (scale.Ltest <= 0) return RampColour(time > 0 ? 1.0 : 0.0);
  return RampColour(static_cast<double>(time) / static_cast<double>(scale.Ltest));
}

void FillStatus(cairo_t* cr, const PixelBox& box, CellStatus status) {
  if (status == CellStatus::kInfeasible)
    FillRectangle(cr, box.left, box.top, box.width(), box.height(), kInfeasibleFill);
  if (status == CellStatus::kSingular) FillRectangle(cr, box.left, box.top, box.width(), box.height(), kSingularFill);
  if (status == CellStatus::kNotRun) {
    FillRectangle(cr, box.left, box.top, box.width(), box.height(), kNotRunFill);
    DrawHatch(cr, box, kNotRunHatch);
  }
}

void DrawCellFigure(cairo_t* cr, const PixelBox& box, const ScanCell& cell, const FigureScale& scale,
                    const ChartColour& fill) {
  const TextStyle style = {.size = kCellTextSize, .colour = Lightness(fill) < 0.5 ? kWhite : kInk};
  const double figure = CellFigure(cell, scale.metric);
  const std::string text = scale.time() ? std::to_string(static_cast<std::int32_t>(figure)) : ErrorText(figure);
  if (box.height() < 16 || TextWidth(cr, text, style) + 4.0 > box.width()) return;
  DrawText(cr, text, (box.left + box.right) / 2.0, Baseline((box.top + box.bottom) / 2.0, style.size), Anchor::kCentre,
           style);
}

void DrawCell(cairo_t* cr, const Grid& grid, std::size_t row, std::size_t column) {
  PixelBox box = grid.box(row, column);
  if (grid.gaps()) {
    box.right -= 1;
    box.top += 1;
  }
  const ScanCell* cell = grid.cell(row, column);
  if (cell == nullptr || cell->status != CellStatus::kFinished) {
    FillStatus(cr, box, cell == nullptr ? CellStatus::kNotRun : cell->status);
    return;
  }
  const ChartColour fill = FinishedColour(*cell, grid.scale);
  FillRectangle(cr, box.left, box.top, box.width(), box.height(), fill);
  DrawCellFigure(cr, box, *cell, grid.scale, fill);
}

void DrawCells(cairo_t* cr, const Grid& grid) {
  for (std::size_t row = 0; row < grid.rows; ++row) {
    for (std::size_t column = 0; column < grid.columns; ++column) DrawCell(cr, grid, row, column);
  }
}

void DrawNoCells(cairo_t* cr) {
  const PixelBox& g = kHeatMapGrid;
  FillRectangle(cr, g.left, g.top, g.width(), g.height(), kNotRunFill);
  DrawText(cr, "The scan has no cells: no dimension or no box size was given.", (g.left + g.right) / 2.0,
           (g.top + g.bottom) / 2.0, Anchor::kCentre, kCaptionStyle);
}

void DrawTick(cairo_t* cr, double x0, double y0, double x1, double y1) {
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 1.0);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
}

void DrawDimensionAxis(cairo_t* cr, const Grid& grid) {
  const std::vector<double> heights(grid.rows, kLabelStyle.size);
  const double row_height = static_cast<double>(kHeatMapGrid.height()) / static_cast<double>(grid.rows);
  const std::size_t stride = LabelStride(heights, row_height, 4.0);
  for (std::size_t row = 0; row < grid.rows; row += stride) {
    const PixelBox box = grid.box(row, 0);
    const double y = (box.top + box.bottom) / 2.0;
    DrawTick(cr, kHeatMapGrid.left - 5.0, y, kHeatMapGrid.left, y);
    DrawText(cr, std::to_string(grid.result.settings.D[row]), kHeatMapGrid.left - 9.0, Baseline(y, kLabelStyle.size),
             Anchor::kRight, kLabelStyle);
  }
  DrawUpwardText(cr, "D (model dimension)", kMargin + 14.0, (kHeatMapGrid.top + kHeatMapGrid.bottom) / 2.0,
                 kAxisTitleStyle);
}

// Centred under its column, but never past the image's edge.
double LabelLeft(double centre, double width) {
  return std::clamp(centre - width / 2.0, 4.0, std::max(4.0, kChartWidth - 4.0 - width));
}

void DrawBoxSizeAxis(cairo_t* cr, const Grid& grid) {
  std::vector<std::string> labels;
  std::vector<double> widths;
  for (const double eps : grid.result.settings.eps) {
    labels.push_back(BoxSizeLabel(eps));
    widths.push_back(TextWidth(cr, labels.back(), kLabelStyle));
  }
  const double column_width = static_cast<double>(kHeatMapGrid.width()) / static_cast<double>(grid.columns);
  const std::size_t stride = LabelStride(widths, column_width, 8.0);
  for (std::size_t column = 0; column < grid.columns; column += stride) {
    const PixelBox box = grid.box(0, column);
    const double x = (box.left + box.right) / 2.0;
    DrawTick(cr, x, kHeatMapGrid.bottom, x, kHeatMapGrid.bottom + 5.0);
    DrawText(cr, labels[column], LabelLeft(x, widths[column]), kHeatMapGrid.bottom + 20.0, Anchor::kLeft, kLabelStyle);
  }
  const char* title = grid.result.settings.eps_relative ? "eps (box size, in standard deviations of the training part)"
                                                        : "eps (box size)";
  DrawText(cr, title, (kHeatMapGrid.left + kHeatMapGrid.right) / 2.0, kHeatMapGrid.bottom + 44.0, Anchor::kCentre,
           kAxisTitleStyle);
}

void StrokeBox(cairo_t* cr, const PixelBox& box, const ChartColour& colour, double width) {
  SetColour(cr, colour);
  cairo_set_line_width(cr, width);
  cairo_rectangle(cr, box.left, box.top, box.width(), box.height());
  cairo_stroke(cr);
}

// Grows a box about its centre to at least `least` pixels each way.
PixelBox AtLeast(PixelBox box, int least) {
  const int wider = std::max(0, least - box.width()), taller = std::max(0, least - box.height());
  return {box.left - wider / 2, box.top - taller / 2, box.right + wider - wider / 2, box.bottom + taller - taller / 2};
}

// Around a cell too small to show it inside, the outline rings its neighbours too.
void DrawBestOutline(cairo_t* cr, const Grid& grid, std::optional<std::size_t> best) {
  if (!best || *best >= grid.rows * grid.columns) return;
  const PixelBox cell = grid.box(*best / grid.columns, *best % grid.columns);
  StrokeBox(cr, AtLeast(cell, 14), kBestOutline, kBestOutlineWidth);
}

const char* FigureHeading(ScanMetric metric) {
  switch (metric) {
    case ScanMetric::kIterativeTime:
      return "iterative time (steps)";
    case ScanMetric::kDirectTime:
      return "direct time (steps)";
    case ScanMetric::kOneStepError:
      return "one-step error";
    case ScanMetric::kMeanError:
      break;
  }
  return "mean error";
}

// The error scale: the smallest error at the top, the largest at the
// bottom, their geometric mean between.
void DrawErrorTicks(cairo_t* cr, const FigureScale& scale) {
  const PixelBox& bar = kColourBar;
  std::vector<double> ticks{scale.low};
  if (scale.high > scale.low) ticks.insert(ticks.end(), {std::sqrt(scale.low * scale.high), scale.high});
  for (const double value : ticks) {
    const double y = bar.bottom - scale.ErrorPosition(value) * bar.height();
    DrawTick(cr, bar.right, y, bar.right + 5.0, y);
    DrawText(cr, ErrorText(value), bar.right + 8.0, Baseline(y, kLabelStyle.size), Anchor::kLeft, kLabelStyle);
  }
}

void DrawColourBar(cairo_t* cr, const FigureScale& scale) {
  const PixelBox& bar = kColourBar;
  DrawText(cr, FigureHeading(scale.metric), kPanelLeft, bar.top - 14.0, Anchor::kLeft, kHeadingStyle);
  for (int y = bar.top; y < bar.bottom; ++y) {
    const double t = (bar.bottom - 0.5 - y) / static_cast<double>(bar.height());
    FillRectangle(cr, bar.left, y, bar.width(), 1.0, RampColour(t));
  }
  StrokeBox(cr, bar, kInk, 1.0);
  if (!scale.time()) {
    DrawErrorTicks(cr, scale);
    return;
  }
  const std::int32_t Ltest = scale.Ltest;
  const std::int32_t top = std::max<std::int32_t>(Ltest, 1);
  for (const std::int32_t value : IntegerTicks(0, top, 28.0 * top / bar.height())) {
    const double y = bar.bottom - static_cast<double>(value) / top * bar.height();
    DrawTick(cr, bar.right, y, bar.right + 5.0, y);
    DrawText(cr, std::to_string(value), bar.right + 8.0, Baseline(y, kLabelStyle.size), Anchor::kLeft, kLabelStyle);
  }
}

std::size_t CountStatus(const Grid& grid, CellStatus status) {
  std::size_t count = 0;
  for (std::size_t row = 0; row < grid.rows; ++row) {
    for (std::size_t column = 0; column < grid.columns; ++column) {
      const ScanCell* cell = grid.cell(row, column);
      count += (cell == nullptr ? CellStatus::kNotRun : cell->status) == status ? 1 : 0;
    }
  }
  return count;
}

PixelBox LegendSwatch(std::size_t entry) {
  const int top = static_cast<int>(kLegendTop + kLegendRow * static_cast<double>(entry));
  return {
      .left = static_cast<int>(kPanelLeft), .top = top, .right = static_cast<int>(kPanelLeft) + 22, .bottom = top + 16};
}

void DrawLegendText(cairo_t* cr, std::size_t entry, const std::string& text) {
  const PixelBox swatch = LegendSwatch(entry);
  DrawText(cr, text, swatch.right + 8.0, Baseline((swatch.top + swatch.bottom) / 2.0, kLabelStyle.size), Anchor::kLeft,
           kLabelStyle);
}

void DrawStatusLegend(cairo_t* cr, const Grid& grid) {
  DrawText(cr, "cells", kPanelLeft, kLegendTop - 12.0, Anchor::kLeft, kHeadingStyle);
  const CellStatus kinds[] = {CellStatus::kInfeasible, CellStatus::kSingular, CellStatus::kNotRun};
  for (std::size_t entry = 0; entry < std::size(kinds); ++entry) {
    FillStatus(cr, LegendSwatch(entry), kinds[entry]);
    StrokeBox(cr, LegendSwatch(entry), kInk, 1.0);
    DrawLegendText(
        cr, entry,
        std::string(CellStatusName(kinds[entry])) + " (" + std::to_string(CountStatus(grid, kinds[entry])) + ")");
  }
  const PixelBox best = LegendSwatch(std::size(kinds));
  StrokeBox(cr, {best.left + 2, best.top + 2, best.right - 2, best.bottom - 2}, kBestOutline, kBestOutlineWidth);
  DrawLegendText(cr, std::size(kinds), "best cell");
}

void DrawTitle(cairo_t* cr, const ScanResult& result, const std::string& series_name, std::size_t rows,
               std::size_t columns) {
  const std::string figure = result.settings.metric == ScanMetric::kIterativeTime
                                 ? "iterative prediction time"
                                 : FigureHeading(result.settings.metric);
  const std::string rest = ": " + figure + std::string(result.complete ? "" : " (incomplete)");
  const double room = kChartWidth - 2.0 * kMargin - TextWidth(cr, rest, kTitleStyle);
  const std::string name = series_name.empty() ? "unnamed series" : series_name;
  DrawText(cr, FitText(cr, name, room, kTitleStyle) + rest, kMargin, 30.0, Anchor::kLeft, kTitleStyle);
  const std::string settings =
      SettingsText(result.settings) + "; " + CountText(rows, "dimension") + " × " + CountText(columns, "box size");
  DrawText(cr, FitText(cr, settings, kChartWidth - 2.0 * kMargin, kLabelStyle), kMargin, 52.0, Anchor::kLeft,
           kLabelStyle);
}

void DrawCaption(cairo_t* cr, const ScanResult& result, std::optional<std::size_t> best) {
  const std::string caption = BestCellCaption(result, best);
  const double room = kChartWidth - kMargin - kHeatMapGrid.left;
  DrawText(cr, FitText(cr, caption, room, kCaptionStyle), kHeatMapGrid.left, kChartHeight - 28.0, Anchor::kLeft,
           kCaptionStyle);
}

}  // namespace

std::string DrawScanHeatMap(const ScanResult& result, const std::string& series_name) {
  ChartCanvas canvas;
  cairo_t* cr = canvas.context();
  const Grid grid = {.result = result,
                     .scale = MakeFigureScale(result),
                     .rows = result.settings.D.size(),
                     .columns = result.settings.eps.size()};
  const std::optional<std::size_t> best = BestCell(result);
  DrawTitle(cr, result, series_name, grid.rows, grid.columns);
  if (grid.rows == 0 || grid.columns == 0) {
    DrawNoCells(cr);
  } else {
    DrawCells(cr, grid);
    DrawDimensionAxis(cr, grid);
    DrawBoxSizeAxis(cr, grid);
    DrawBestOutline(cr, grid, best);
  }
  DrawColourBar(cr, grid.scale);
  DrawStatusLegend(cr, grid);
  DrawCaption(cr, result, best);
  return canvas.Png();
}

}  // namespace modelcheck
