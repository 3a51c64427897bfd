// The scan's heat map and error curves, decoded back from their PNG bytes:
// size, the best cell's outline, fills per status, clipped and missing
// curves, identical bytes for identical input, and degenerate scans.
#include "presentation/scan_charts.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "presentation/scan_charts_canvas.h"
#include "presentation/scan_charts_colours.h"
#include "presentation/scan_charts_labels.h"
#include "presentation/scan_charts_layout.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kLtest = 30;

struct Colour {
  int red = 0, green = 0, blue = 0;
};

Colour Bytes(const ChartColour& colour) {
  const auto byte = [](double c) { return static_cast<int>(std::lround(c * 255.0)); };
  return {byte(colour.red), byte(colour.green), byte(colour.blue)};
}

// Within 2 of each channel: the colour itself, not a blend with the background.
bool Near(const Colour& a, const Colour& b) {
  return std::abs(a.red - b.red) <= 2 && std::abs(a.green - b.green) <= 2 && std::abs(a.blue - b.blue) <= 2;
}

struct PngReader {
  const std::string& png;
  std::size_t offset = 0;

  static cairo_status_t Read(void* closure, unsigned char* data, unsigned int length) {
    auto* reader = static_cast<PngReader*>(closure);
    if (reader->png.size() - reader->offset < length) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(data, reader->png.data() + reader->offset, length);
    reader->offset += length;
    return CAIRO_STATUS_SUCCESS;
  }
};

// A PNG decoded into pixels; width 0 when the bytes are not a whole PNG.
class Picture {
 public:
  explicit Picture(const std::string& png) {
    PngReader reader{.png = png};
    surface_ = cairo_image_surface_create_from_png_stream(PngReader::Read, &reader);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) return;
    width_ = cairo_image_surface_get_width(surface_);
    height_ = cairo_image_surface_get_height(surface_);
  }
  ~Picture() { cairo_surface_destroy(surface_); }
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }

  Colour At(int x, int y) const {
    const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
    std::uint32_t pixel = 0;
    std::memcpy(&pixel, row + 4 * x, sizeof pixel);
    return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
            static_cast<int>(pixel & 0xFF)};
  }

  template <typename Test>
  int CountIf(const PixelBox& box, Test test) const {
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y)
      for (int x = box.left; x < box.right; ++x) count += test(At(x, y)) ? 1 : 0;
    return count;
  }
  int Count(const PixelBox& box, const ChartColour& colour) const {
    return CountIf(box, [&](const Colour& pixel) { return Near(pixel, Bytes(colour)); });
  }

 private:
  cairo_surface_t* surface_ = nullptr;
  int width_ = 0, height_ = 0;
};

std::vector<double> Errors(std::int32_t Ltest, double first) {
  std::vector<double> errors;
  for (std::int32_t h = 0; h < Ltest; ++h) errors.push_back(first * std::pow(1.5, h));
  return errors;
}

// Every cell finished with time (row + column) and errors growing from 1e-3;
// every dimension's baselines computed.
ScanResult Scan(std::size_t rows, std::size_t columns, std::int32_t Ltest = kLtest) {
  ScanResult scan;
  scan.settings.Ntrain = 900;
  scan.settings.Ltest = Ltest;
  scan.settings.Ktest = 50;
  scan.complete = true;
  for (std::size_t a = 0; a < rows; ++a) scan.settings.D.push_back(static_cast<std::int32_t>(a + 1));
  for (std::size_t b = 0; b < columns; ++b) scan.settings.eps.push_back(0.01 * static_cast<double>(b + 1));
  for (std::size_t a = 0; a < rows; ++a) {
    for (std::size_t b = 0; b < columns; ++b) {
      ScanCell cell;
      cell.D = static_cast<std::int32_t>(a + 1);
      cell.eps = scan.settings.eps[b];
      cell.status = CellStatus::kFinished;
      cell.iterative_time = cell.direct_time = static_cast<std::int32_t>(a + b) % (Ltest + 1);
      cell.result.iterative.errors = cell.result.direct.errors = Errors(Ltest, 1e-3);
      scan.cells.push_back(cell);
    }
    ScanBaselines baselines;
    baselines.D = static_cast<std::int32_t>(a + 1);
    baselines.computed = true;
    baselines.result.persistence.errors = baselines.result.global_iterative.errors =
        baselines.result.global_direct.errors = Errors(Ltest, 0.5);
    scan.baselines.push_back(baselines);
  }
  return scan;
}

ScanCell& CellOf(ScanResult& scan, std::size_t row, std::size_t column) {
  return scan.cells[row * scan.settings.eps.size() + column];
}

// The middle of each side of the cell, where a 4-pixel line on its edges
// lies whole.
bool Outlined(const Picture& picture, const ScanResult& scan, std::size_t row, std::size_t column) {
  const PixelBox box = HeatMapCellBox(scan.settings.D.size(), scan.settings.eps.size(), row, column);
  const int mid_x = (box.left + box.right) / 2, mid_y = (box.top + box.bottom) / 2;
  const Colour outline = Bytes(kBestOutline);
  return Near(picture.At(box.left, mid_y), outline) && Near(picture.At(box.right - 1, mid_y), outline) &&
         Near(picture.At(mid_x, box.top), outline) && Near(picture.At(mid_x, box.bottom - 1), outline);
}

TEST(ScanChartsTest, TheHeatMapOutlinesTheBestCellAndMovesTheOutlineWithIt) {
  ScanResult scan = Scan(3, 4);
  CellOf(scan, 1, 2).iterative_time = kLtest;
  const Picture first(DrawScanHeatMap(scan, "henon.dat"));
  ASSERT_EQ(first.width(), 960);
  ASSERT_EQ(first.height(), 640);
  EXPECT_TRUE(Outlined(first, scan, 1, 2));
  EXPECT_FALSE(Outlined(first, scan, 0, 3));

  CellOf(scan, 0, 3).iterative_time = kLtest;
  CellOf(scan, 0, 3).direct_time = kLtest;  // wins the tie on the direct time
  const Picture second(DrawScanHeatMap(scan, "henon.dat"));
  EXPECT_TRUE(Outlined(second, scan, 0, 3));
  EXPECT_FALSE(Outlined(second, scan, 1, 2));
  // Nowhere else left of the legend: the outline hugs its cell.
  const PixelBox cell = HeatMapCellBox(3, 4, 0, 3);
  const PixelBox around = {cell.left - 2, cell.top - 2, cell.right + 2, cell.bottom + 2};
  const PixelBox left_of_legend = {0, 0, kHeatMapGrid.right + 10, kChartHeight};
  EXPECT_EQ(second.Count(left_of_legend, kBestOutline), second.Count(around, kBestOutline));
}

TEST(ScanChartsTest, CellsAreFilledByTimeOrStatusWithTheFirstDimensionAtTheBottom) {
  ScanResult scan = Scan(2, 3);
  CellOf(scan, 0, 0).status = CellStatus::kInfeasible;
  CellOf(scan, 1, 0).status = CellStatus::kSingular;
  CellOf(scan, 1, 1).status = CellStatus::kNotRun;
  CellOf(scan, 0, 1).iterative_time = 0;
  CellOf(scan, 1, 2).iterative_time = kLtest;
  const Picture picture(DrawScanHeatMap(scan, "henon.dat"));
  // Corners of the grid, read independently of the cell layout: D = 1 lies at the bottom.
  const PixelBox& grid = kHeatMapGrid;
  EXPECT_TRUE(Near(picture.At(grid.left + 4, grid.bottom - 4), Bytes(kInfeasibleFill)));
  EXPECT_TRUE(Near(picture.At(grid.left + 4, grid.top + 4), Bytes(kSingularFill)));
  EXPECT_TRUE(Near(picture.At(grid.right - 8, grid.top + 8), Bytes(RampColour(1.0))));
  const PixelBox zero = HeatMapCellBox(2, 3, 0, 1);
  EXPECT_TRUE(Near(picture.At(zero.left + 4, zero.bottom - 4), Bytes(RampColour(0.0))));
  // Not run is hatched: its light fill and darker grey lines both show.
  const PixelBox not_run = HeatMapCellBox(2, 3, 1, 1);
  EXPECT_GT(picture.Count(not_run, kNotRunFill), 0);
  EXPECT_GT(
      picture.CountIf(not_run, [](const Colour& c) { return c.red == c.green && c.green == c.blue && c.red < 210; }),
      0);
}

// The plot frame without its border, where only curves and grid lines are drawn.
PixelBox Inside(const PixelBox& frame) { return {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom - 1}; }

TEST(ScanChartsTest, CurvesLeaveOutMissingErrorsAndClipZeroAndInfinityToTheEdges) {
  ScanResult scan = Scan(1, 1);
  const Picture whole(DrawBestCurves(scan, "henon.dat"));
  ASSERT_EQ(whole.width(), 960);
  EXPECT_GT(whole.Count(Inside(kCurvesFrame), kIterativeCurve), 0);
  EXPECT_GT(whole.Count(Inside(kCurvesFrame), kPersistenceCurve), 0);

  scan.cells[0].result.iterative.errors.assign(kLtest, kNaN);
  scan.baselines[0].result.persistence.errors.clear();
  const Picture missing(DrawBestCurves(scan, "henon.dat"));
  EXPECT_EQ(missing.Count(Inside(kCurvesFrame), kIterativeCurve), 0);
  EXPECT_EQ(missing.Count(Inside(kCurvesFrame), kPersistenceCurve), 0);
  EXPECT_GT(missing.Count(Inside(kCurvesFrame), kDirectCurve), 0);

  scan.baselines[0].result.persistence.errors.assign(kLtest, 0.0);
  scan.baselines[0].result.global_iterative.errors.assign(kLtest, kInf);
  const Picture clipped(DrawBestCurves(scan, "henon.dat"));
  const PixelBox& f = kCurvesFrame;
  const PixelBox bottom = {f.left, f.bottom - 3, f.right, f.bottom + 3};
  const PixelBox top = {f.left, f.top - 3, f.right, f.top + 3};
  const PixelBox between = {f.left + 1, f.top + 3, f.right - 1, f.bottom - 3};
  EXPECT_GT(clipped.Count(bottom, kPersistenceCurve), 0);
  EXPECT_EQ(clipped.Count(between, kPersistenceCurve), 0);
  EXPECT_GT(clipped.Count(top, kGlobalIterativeCurve), 0);
  EXPECT_EQ(clipped.Count(between, kGlobalIterativeCurve), 0);
}

TEST(ScanChartsTest, IntervalsAndTheSurrogatesAreShadedBandsOnlyWhereTheyExist) {
  ScanResult scan = Scan(1, 1);
  const std::string plain = DrawBestCurves(scan, "henon.dat");
  // A stopped surrogate test draws nothing.
  SurrogateRun surrogates;
  SurrogateCellTest tested{.cell = 0, .checks = std::vector<SurrogateCheck>(19)};
  tested.p_value = 0.05;
  tested.band_low.assign(kLtest, 2.0);
  tested.band_high.assign(kLtest, 8.0);
  surrogates.cells.push_back(tested);
  EXPECT_EQ(DrawBestCurves(scan, "henon.dat", &surrogates), plain);

  surrogates.complete = true;
  const std::vector<double>& errors = scan.cells[0].result.iterative.errors;
  BootstrapInterval interval;
  for (const double error : errors) {
    interval.errors_low.push_back(error / 4.0);
    interval.errors_high.push_back(error * 4.0);
  }
  scan.cells[0].result.iterative.interval = interval;
  const Picture banded(DrawBestCurves(scan, "henon.dat", &surrogates));
  const Picture bare(plain);
  const auto white = [](const Colour& pixel) { return pixel.red == 255 && pixel.green == 255 && pixel.blue == 255; };
  EXPECT_LT(banded.CountIf(Inside(kCurvesFrame), white), bare.CountIf(Inside(kCurvesFrame), white));
  // Just above the first point, inside the interval: a light tint of the iterative curve's blue.
  const PixelBox& f = kCurvesFrame;
  const Colour tint = banded.At(f.left + 14, f.bottom - 12);
  EXPECT_GT(tint.blue, tint.red) << tint.red << " " << tint.green << " " << tint.blue;
  EXPECT_EQ(bare.At(f.left + 14, f.bottom - 12).red, 255);
  // The surrogates' band (errors 2 to 8) lies above the baselines: grey there.
  int grey = 0;
  for (int y = f.top + 1; y < f.bottom; ++y) {
    const Colour pixel = banded.At((f.left + f.right) / 2, y);
    grey += pixel.red < 240 && pixel.red == pixel.green && pixel.green == pixel.blue ? 1 : 0;
  }
  EXPECT_GT(grey, 5);
}

TEST(ScanChartsTest, TheSameInputGivesTheSameBytesAndAChangeChangesThem) {
  ScanResult scan = Scan(3, 5);
  const std::string map = DrawScanHeatMap(scan, "henon.dat");
  const std::string curves = DrawBestCurves(scan, "henon.dat");
  EXPECT_EQ(DrawScanHeatMap(scan, "henon.dat"), map);
  EXPECT_EQ(DrawBestCurves(scan, "henon.dat"), curves);
  *CellOf(scan, 2, 4).iterative_time -= 1;
  EXPECT_NE(DrawScanHeatMap(scan, "henon.dat"), map);
  scan.complete = false;
  EXPECT_NE(DrawBestCurves(scan, "henon.dat"), curves);
}

struct Degenerate {
  std::string name;
  ScanResult scan;
};

std::vector<Degenerate> DegenerateScans() {
  std::vector<Degenerate> cases = {{"one cell", Scan(1, 1)},       {"one dimension", Scan(1, 12)},
                                   {"Ltest 1", Scan(3, 3, 1)},     {"Ltest 500", Scan(4, 6, 500)},
                                   {"Ltest 0", Scan(2, 2, 0)},     {"no cells", Scan(0, 0)},
                                   {"all infeasible", Scan(5, 7)}, {"odd errors", Scan(2, 2)},
                                   {"wide eps", Scan(99, 40)},     {"short cell list", Scan(3, 3)}};
  for (ScanCell& cell : cases[6].scan.cells) cell.status = CellStatus::kInfeasible;
  for (ScanCell& cell : cases[7].scan.cells) cell.result.iterative.errors = {0.0, kNaN, kInf, -1.0, 1e-300, 1e300};
  cases[7].scan.baselines[0].result.global_direct.errors = {kNaN};
  cases[7].scan.settings.threshold = kNaN;
  for (std::size_t b = 0; b < 40; ++b)
    cases[8].scan.settings.eps[b] = 1e-6 * std::pow(1e9, static_cast<double>(b) / 39.0);
  cases[9].scan.cells.resize(4);
  cases[9].scan.baselines.clear();
  return cases;
}

TEST(ScanChartsTest, DegenerateScansStillGiveWholePictures) {
  // Invalid UTF-8 and a name far wider than the picture.
  const std::string name = "\xff\xc0\xaf" + std::string(3000, 'n') + "\xe2\x82";
  for (const Degenerate& degenerate : DegenerateScans()) {
    SCOPED_TRACE(degenerate.name);
    for (const std::string& png : {DrawScanHeatMap(degenerate.scan, name), DrawBestCurves(degenerate.scan, name)}) {
      const Picture picture(png);
      EXPECT_EQ(picture.width(), 960);
      EXPECT_EQ(picture.height(), 640);
    }
    // Errors on a logarithmic scale: zeros, NaN, infinities and a single value draw too.
    for (const ScanMetric metric : {ScanMetric::kOneStepError, ScanMetric::kMeanError, ScanMetric::kDirectTime}) {
      ScanResult by_metric = degenerate.scan;
      by_metric.settings.metric = metric;
      const Picture picture(DrawScanHeatMap(by_metric, name));
      EXPECT_EQ(picture.width(), 960);
    }
  }
}

TEST(ScanChartsTest, ARealScanOfTheHenonSeriesOutlinesItsBestCell) {
  const std::vector<double> series = testing::HenonValues(1200);
  const ScanSettings settings = {.Ntrain = 1000, .D = {1, 2, 3}, .eps = {0.01, 0.03, 0.1}, .Ltest = 20, .Ktest = 40};
  const ScanResult scan = RunScan(series, settings);
  const std::optional<std::size_t> best = BestCell(scan);
  ASSERT_TRUE(best.has_value());
  const Picture map(DrawScanHeatMap(scan, "henon"));
  EXPECT_TRUE(Outlined(map, scan, *best / 3, *best % 3));
  const Picture curves(DrawBestCurves(scan, "henon"));
  EXPECT_GT(curves.Count(Inside(kCurvesFrame), kIterativeCurve), 0);
  EXPECT_GT(curves.Count(Inside(kCurvesFrame), kGlobalIterativeCurve), 0);
}

TEST(ScanChartLabelsTest, NumbersReadShortAndTicksKeepTheirRoom) {
  EXPECT_EQ(BoxSizeLabel(0.01), "0.01");
  EXPECT_EQ(BoxSizeLabel(1e-6), "1e-06");
  EXPECT_EQ(BoxSizeLabel(1000.0), "1000");
  EXPECT_EQ(BoxSizeLabel(0.002 * std::pow(100.0, 1.0 / 19.0)), "0.00255");
  EXPECT_EQ(StepsText(1), "1 step");
  EXPECT_EQ(ThresholdText(kPredictionThreshold), "0.05");
  EXPECT_EQ(IntegerTicks(0, 30, 8.0), (std::vector<std::int32_t>{0, 10, 20, 30}));
  EXPECT_EQ(IntegerTicks(1, 30, 1.6),
            (std::vector<std::int32_t>{2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30}));
  EXPECT_EQ(IntegerTicks(1, 32, 4.0), (std::vector<std::int32_t>{1, 5, 10, 15, 20, 25, 32}));
  EXPECT_EQ(IntegerTicks(1, 1, 1.0), (std::vector<std::int32_t>{1}));
  // Labels k apart never overlap, and k - 1 apart some would.
  const std::vector<double> widths = {30.0, 46.0, 40.0, 46.0};
  EXPECT_EQ(LabelStride(widths, 20.0, 8.0), 3u);
  EXPECT_EQ(LabelStride(widths, 100.0, 8.0), 1u);
}

TEST(ScanChartLabelsTest, TextTheRendererRefusesIsReplaced) {
  EXPECT_EQ(DrawableText("a\xff"
                         "b"),
            "a?b");
  EXPECT_EQ(DrawableText("\xc3\xa9t\xc3\xa9"), "\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(DrawableText("\xc0\xaf"), "??");         // an overlong '/'
  EXPECT_EQ(DrawableText("\xed\xa0\x80"), "???");    // a surrogate
  EXPECT_EQ(DrawableText("x\xe2\x82"), "x??");       // cut short
  EXPECT_EQ(DrawableText("tab\there"), "tab?here");  // a control character
}

}  // namespace
}  // namespace modelcheck
