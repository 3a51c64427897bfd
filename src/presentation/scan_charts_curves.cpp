// curves.png: the normalised errors of the best cell beside its baselines.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "presentation/scan_charts.h"
#include "presentation/scan_charts_canvas.h"
#include "presentation/scan_charts_labels.h"
#include "presentation/scan_charts_layout.h"
#include "text/shortest_number.h"

namespace modelcheck {

namespace {

constexpr TextStyle kTitleStyle = {.size = 17.0, .bold = true};
constexpr TextStyle kLabelStyle = {.size = 13.0};
constexpr TextStyle kExponentStyle = {.size = 12.0};
constexpr TextStyle kAxisTitleStyle = {.size = 14.0, .bold = true};
constexpr TextStyle kMessageStyle = {.size = 15.0, .bold = true};
constexpr double kMargin = 24.0;
// A dozen decades either side of the threshold: beyond them a curve's shape no longer matters.
constexpr int kDecadesAroundThreshold = 12;
constexpr int kMostDecades = 24;
constexpr double kHorizonPadding = 12.0;  // keeps the first and last points off the frame's sides
constexpr double kLegendTop = 540.0;
constexpr double kLegendRow = 26.0;
constexpr double kSampleLength = 36.0;

struct CurveStyle {
  ChartColour colour = kInk;
  double width = 1.0;
  std::vector<double> dashes = {};  // empty: solid
  bool marked = false;              // a dot on every point, when they stand apart
};

struct Curve {
  std::string name;
  std::span<const double> errors;  // empty: not available
  std::int32_t time = 0;
  CurveStyle style;
};

// A shaded range of errors per horizon: a bootstrap interval, or the range
// of the surrogates' errors.
struct Band {
  std::string name;
  std::span<const double> low;
  std::span<const double> high;
  ChartColour colour;
  double opacity = 0.2;
};

// Decades from 10^lower to 10^upper over the frame's height.
struct LogAxis {
  int lower = -3;
  int upper = 1;

  // Errors not above 0 or below the range lie on the bottom, infinite or
  // larger ones on the top; not-a-number has no place.
  std::optional<double> Y(double error) const {
    if (std::isnan(error)) return std::nullopt;
    const double decade = error > 0.0
                              ? std::clamp(std::log10(error), static_cast<double>(lower), static_cast<double>(upper))
                              : static_cast<double>(lower);
    const PixelBox& f = kCurvesFrame;
    return f.bottom - (decade - lower) / (upper - lower) * f.height();
  }
};

// Horizons 1..last across the frame's width.
struct HorizonAxis {
  std::int32_t last = 1;

  double X(double horizon) const {
    const PixelBox& f = kCurvesFrame;
    if (last <= 1) return (f.left + f.right) / 2.0;
    return f.left + kHorizonPadding + (horizon - 1.0) / (last - 1.0) * (f.width() - 2.0 * kHorizonPadding);
  }
  double spacing() const { return last <= 1 ? kCurvesFrame.width() : X(2.0) - X(1.0); }
};

bool UsableThreshold(double threshold) { return threshold > 0.0 && std::isfinite(threshold); }

// A whole decade's exponent; finite positive doubles span -324..308.
int Decade(double exponent) { return static_cast<int>(exponent); }

// The curves alone set the axis: a band beyond them is cut at the frame.
LogAxis MakeLogAxis(const std::vector<Curve>& curves, double threshold) {
  std::vector<double> positive;
  for (const Curve& curve : curves) {
    std::copy_if(curve.errors.begin(), curve.errors.end(), std::back_inserter(positive),
                 [](double e) { return e > 0.0 && std::isfinite(e); });
  }
  const bool anchored = UsableThreshold(threshold);
  if (anchored) positive.push_back(threshold);
  if (positive.empty()) return {};
  const auto [smallest, largest] = std::minmax_element(positive.begin(), positive.end());
  LogAxis axis = {.lower = Decade(std::floor(std::log10(*smallest))), .upper = Decade(std::ceil(std::log10(*largest)))};
  const int centre = anchored ? Decade(std::floor(std::log10(threshold))) : axis.upper - kMostDecades / 2;
  axis.lower = std::max(axis.lower, centre - kDecadesAroundThreshold);
  axis.upper = std::min(axis.upper, centre + kDecadesAroundThreshold);
  if (axis.upper <= axis.lower) axis.upper = axis.lower + 1;
  return axis;
}

std::int32_t LongestHorizon(const std::vector<Curve>& curves, std::int32_t Ltest) {
  std::size_t longest = static_cast<std::size_t>(std::max<std::int32_t>(Ltest, 1));
  for (const Curve& curve : curves) longest = std::max(longest, curve.errors.size());
  return static_cast<std::int32_t>(std::min<std::size_t>(longest, std::numeric_limits<std::int32_t>::max()));
}

void UseStyle(cairo_t* cr, const CurveStyle& style) {
  SetColour(cr, style.colour);
  cairo_set_line_width(cr, style.width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_dash(cr, style.dashes.data(), static_cast<int>(style.dashes.size()), 0.0);
}

void DrawLine(cairo_t* cr, double x0, double y0, double x1, double y1, const CurveStyle& style) {
  UseStyle(cr, style);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0.0);
}

void DrawDot(cairo_t* cr, double x, double y, const CurveStyle& style) {
  SetColour(cr, style.colour);
  cairo_arc(cr, x, y, style.width + 1.0, 0.0, 2.0 * std::numbers::pi);
  cairo_fill(cr);
}

bool Drawable(std::span<const double> errors, std::size_t i) { return i < errors.size() && !std::isnan(errors[i]); }

// Dots mark the points of a marked curve when they stand apart, and any point no segment reaches.
void DrawCurveDots(cairo_t* cr, const Curve& curve, const LogAxis& y, const HorizonAxis& x) {
  const bool every = curve.style.marked && x.spacing() >= 10.0;
  for (std::size_t i = 0; i < curve.errors.size(); ++i) {
    const bool alone = (i == 0 || !Drawable(curve.errors, i - 1)) && !Drawable(curve.errors, i + 1);
    const std::optional<double> py = y.Y(curve.errors[i]);
    if (py && (every || alone)) DrawDot(cr, x.X(static_cast<double>(i + 1)), *py, curve.style);
  }
}

void DrawCurve(cairo_t* cr, const Curve& curve, const LogAxis& y, const HorizonAxis& x) {
  UseStyle(cr, curve.style);
  bool pen_down = false;
  for (std::size_t i = 0; i < curve.errors.size(); ++i) {
    const std::optional<double> py = y.Y(curve.errors[i]);
    const double px = x.X(static_cast<double>(i + 1));
    if (py && pen_down) cairo_line_to(cr, px, *py);
    if (py && !pen_down) cairo_move_to(cr, px, *py);
    pen_down = py.has_value();
  }
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0.0);
  DrawCurveDots(cr, curve, y, x);
}

void UseFill(cairo_t* cr, const Band& band) {
  cairo_set_source_rgba(cr, band.colour.red, band.colour.green, band.colour.blue, band.opacity);
}

// One quadrilateral per pair of neighbouring horizons whose four ends have a
// place; a lone horizon (Ltest 1) is a short bar.
void DrawBand(cairo_t* cr, const Band& band, const LogAxis& y, const HorizonAxis& x) {
  const std::size_t count = std::min(band.low.size(), band.high.size());
  UseFill(cr, band);
  if (count == 1) {
    const auto low = y.Y(band.low[0]), high = y.Y(band.high[0]);
    if (low && high) cairo_rectangle(cr, x.X(1.0) - 4.0, *high, 8.0, *low - *high);
  }
  for (std::size_t i = 0; i + 1 < count; ++i) {
    const auto low0 = y.Y(band.low[i]), high0 = y.Y(band.high[i]);
    const auto low1 = y.Y(band.low[i + 1]), high1 = y.Y(band.high[i + 1]);
    if (!low0 || !high0 || !low1 || !high1) continue;
    const double x0 = x.X(static_cast<double>(i + 1)), x1 = x.X(static_cast<double>(i + 2));
    cairo_move_to(cr, x0, *high0);
    cairo_line_to(cr, x1, *high1);
    cairo_line_to(cr, x1, *low1);
    cairo_line_to(cr, x0, *low0);
    cairo_close_path(cr);
  }
  // One fill for the whole band, so that where its pieces meet it is no darker.
  cairo_fill(cr);
}

// "10" with the exponent raised after it, ending at x.
void DrawPowerOfTen(cairo_t* cr, int exponent, double x, double baseline) {
  const std::string power = (exponent < 0 ? "−" : "") + std::to_string(std::abs(exponent));
  const double power_width = TextWidth(cr, power, kExponentStyle);
  DrawText(cr, power, x - power_width, baseline - 6.0, Anchor::kLeft, kExponentStyle);
  DrawText(cr, "10", x - power_width - 1.0, baseline, Anchor::kRight, kLabelStyle);
}

void DrawMinorTicks(cairo_t* cr, const LogAxis& y, int decade) {
  for (int m = 2; m <= 9; ++m) {
    const double py = *y.Y(m * std::pow(10.0, decade));
    DrawLine(cr, kCurvesFrame.left, py, kCurvesFrame.left + 4.0, py, {.colour = kInk});
  }
}

void DrawDecades(cairo_t* cr, const LogAxis& y) {
  const PixelBox& f = kCurvesFrame;
  const double decade_height = f.height() / static_cast<double>(y.upper - y.lower);
  const int stride = std::max(1, static_cast<int>(std::ceil(24.0 / decade_height)));
  for (int d = y.lower; d <= y.upper; ++d) {
    const double py = f.bottom - (d - y.lower) * decade_height;
    if (d > y.lower && d < y.upper) DrawLine(cr, f.left, py, f.right, py, {.colour = kGridLine});
    if (d < y.upper && decade_height >= 60.0) DrawMinorTicks(cr, y, d);
    if ((d - y.lower) % stride != 0) continue;
    DrawLine(cr, f.left - 5.0, py, f.left, py, {.colour = kInk});
    DrawPowerOfTen(cr, d, f.left - 9.0, py + 5.0);
  }
  DrawUpwardText(cr, "normalised error", kMargin + 8.0, (f.top + f.bottom) / 2.0, kAxisTitleStyle);
}

void DrawHorizons(cairo_t* cr, const HorizonAxis& x) {
  const PixelBox& f = kCurvesFrame;
  const double room = 44.0 / x.spacing();
  for (const std::int32_t horizon : IntegerTicks(1, x.last, x.last <= 1 ? 1.0 : room)) {
    const double px = x.X(horizon);
    DrawLine(cr, px, f.bottom, px, f.bottom + 5.0, {.colour = kInk});
    DrawText(cr, std::to_string(horizon), px, f.bottom + 20.0, Anchor::kCentre, kLabelStyle);
  }
  DrawText(cr, "horizon (steps)", (f.left + f.right) / 2.0, f.bottom + 44.0, Anchor::kCentre, kAxisTitleStyle);
}

const CurveStyle kThresholdStyle = {.colour = kThresholdLine, .width = 1.5, .dashes = {6.0, 5.0}};

void DrawThreshold(cairo_t* cr, const LogAxis& y, double threshold) {
  if (!UsableThreshold(threshold)) return;
  const double py = *y.Y(threshold);
  DrawLine(cr, kCurvesFrame.left, py, kCurvesFrame.right, py, kThresholdStyle);
}

void DrawFrame(cairo_t* cr) {
  const PixelBox& f = kCurvesFrame;
  SetColour(cr, kInk);
  cairo_set_line_width(cr, 1.0);
  cairo_rectangle(cr, f.left - 0.5, f.top - 0.5, f.width() + 1.0, f.height() + 1.0);
  cairo_stroke(cr);
}

void DrawPlot(cairo_t* cr, const std::vector<Curve>& curves, const std::vector<Band>& bands, const ScanResult& result) {
  const LogAxis y = MakeLogAxis(curves, result.settings.threshold);
  const HorizonAxis x = {.last = LongestHorizon(curves, result.settings.Ltest)};
  DrawDecades(cr, y);
  DrawThreshold(cr, y, result.settings.threshold);
  const PixelBox& f = kCurvesFrame;
  cairo_save(cr);
  cairo_rectangle(cr, f.left - 4.0, f.top - 4.0, f.width() + 8.0, f.height() + 8.0);  // room for dots on the edge
  cairo_clip(cr);
  for (const Band& band : bands) DrawBand(cr, band, y, x);
  // Baselines first, so the best cell's curves stay on top.
  for (auto curve = curves.rbegin(); curve != curves.rend(); ++curve) DrawCurve(cr, *curve, y, x);
  cairo_restore(cr);
  DrawFrame(cr);
  DrawHorizons(cr, x);
}

void DrawLegendEntry(cairo_t* cr, double left, double centre_y, const std::string& text, const CurveStyle& style) {
  DrawLine(cr, left, centre_y, left + kSampleLength, centre_y, style);
  DrawText(cr, text, left + kSampleLength + 10.0, centre_y + 0.36 * kLabelStyle.size, Anchor::kLeft, kLabelStyle);
}

std::string LegendText(const Curve& curve) {
  return curve.name + ": " + (curve.errors.empty() ? std::string("not available") : StepsText(curve.time));
}

// Two columns: the best cell's tests and the threshold, then the baselines.
void DrawLegend(cairo_t* cr, const std::vector<Curve>& curves, double threshold) {
  const double columns[] = {kCurvesFrame.left, (kCurvesFrame.left + kCurvesFrame.right) / 2.0};
  for (std::size_t i = 0; i < curves.size(); ++i) {
    const std::size_t slot = i < 2 ? i : i + 1;
    DrawLegendEntry(cr, columns[slot / 3], kLegendTop + kLegendRow * static_cast<double>(slot % 3),
                    LegendText(curves[i]), curves[i].style);
  }
  const std::string text =
      UsableThreshold(threshold) ? "threshold " + ThresholdText(threshold) : std::string("threshold: not usable");
  DrawLegendEntry(cr, columns[0], kLegendTop + 2.0 * kLegendRow, text, kThresholdStyle);
}

// A row under the legend: a swatch and the name of each band.
void DrawBandLegend(cairo_t* cr, const std::vector<Band>& bands) {
  const double centre_y = kLegendTop + 3.0 * kLegendRow;
  double left = kCurvesFrame.left;
  for (const Band& band : bands) {
    UseFill(cr, band);
    cairo_rectangle(cr, left, centre_y - 7.0, kSampleLength, 14.0);
    cairo_fill(cr);
    const double text_left = left + kSampleLength + 10.0;
    DrawText(cr, band.name, text_left, centre_y + 0.36 * kLabelStyle.size, Anchor::kLeft, kLabelStyle);
    left = text_left + TextWidth(cr, band.name, kLabelStyle) + 24.0;
  }
}

const SurrogateCellTest* TestOf(const SurrogateRun* surrogates, std::size_t cell) {
  if (surrogates == nullptr || !surrogates->complete) return nullptr;
  for (const SurrogateCellTest& test : surrogates->cells)
    if (test.cell == cell && !test.band_low.empty()) return &test;
  return nullptr;
}

std::vector<Band> BestCellBands(const ScanCell& cell, const SurrogateCellTest* surrogates) {
  std::vector<Band> bands;
  const auto& iterative = cell.result.iterative.interval;
  if (iterative)
    bands.push_back({"iterative, 90 % interval", iterative->errors_low, iterative->errors_high, kIterativeCurve});
  const auto& direct = cell.result.direct.interval;
  if (direct) bands.push_back({"direct, 90 % interval", direct->errors_low, direct->errors_high, kDirectCurve});
  if (surrogates != nullptr) {
    bands.push_back({std::to_string(surrogates->checks.size()) +
                         " surrogates' central 90 %, p = " + ShortestNumberText(surrogates->p_value),
                     surrogates->band_low, surrogates->band_high, kThresholdLine, 0.25});
  }
  return bands;
}

const ScanBaselines* BaselinesOf(const ScanResult& result, std::int32_t D, std::int32_t tau) {
  for (const ScanBaselines& baselines : result.baselines) {
    if (baselines.D == D && baselines.tau == tau && baselines.computed) return &baselines;
  }
  return nullptr;
}

std::vector<Curve> BestCellCurves(const ScanCell& cell, const ScanBaselines* baselines) {
  std::vector<Curve> curves = {
      {"iterative, best cell",
       cell.result.iterative.errors,
       cell.iterative_time.value_or(0),
       {kIterativeCurve, 3.0, {}, true}},
      {"direct, best cell", cell.result.direct.errors, cell.direct_time.value_or(0), {kDirectCurve, 3.0, {}, true}},
      {"persistence", {}, 0, {kPersistenceCurve, 2.0, {}}},
      {"global affine, iterative", {}, 0, {kGlobalIterativeCurve, 2.0, {10.0, 5.0}}},
      {"global affine, direct", {}, 0, {kGlobalDirectCurve, 2.0, {1.0, 4.0}}},
  };
  if (baselines == nullptr) return curves;
  curves[2].errors = baselines->result.persistence.errors;
  // A curve without errors is not drawn, so its missing time is never shown.
  curves[2].time = baselines->persistence_time.value_or(0);
  curves[3].errors = baselines->result.global_iterative.errors;
  curves[3].time = baselines->global_iterative_time.value_or(0);
  curves[4].errors = baselines->result.global_direct.errors;
  curves[4].time = baselines->global_direct_time.value_or(0);
  return curves;
}

void DrawTitle(cairo_t* cr, const ScanResult& result, const std::string& series_name, const std::string& cell) {
  const std::string rest = ": normalised error per horizon" + std::string(result.complete ? "" : " (incomplete)");
  const double room = kChartWidth - 2.0 * kMargin - TextWidth(cr, rest, kTitleStyle);
  const std::string name = series_name.empty() ? "unnamed series" : series_name;
  DrawText(cr, FitText(cr, name, room, kTitleStyle) + rest, kMargin, 30.0, Anchor::kLeft, kTitleStyle);
  const std::string settings = cell + SettingsText(result.settings);
  DrawText(cr, FitText(cr, settings, kChartWidth - 2.0 * kMargin, kLabelStyle), kMargin, 52.0, Anchor::kLeft,
           kLabelStyle);
}

std::string StatusCounts(const ScanResult& result) {
  std::string counts;
  for (const CellStatus status : {CellStatus::kInfeasible, CellStatus::kSingular, CellStatus::kNotRun}) {
    const auto n = std::count_if(result.cells.begin(), result.cells.end(),
                                 [&](const ScanCell& cell) { return cell.status == status; });
    counts += (counts.empty() ? "" : ", ") + std::to_string(n) + " " + CellStatusName(status);
  }
  return "Cells: " + counts + ".";
}

void DrawNoBestCell(cairo_t* cr, const ScanResult& result) {
  const PixelBox& f = kCurvesFrame;
  const double x = (f.left + f.right) / 2.0, y = (f.top + f.bottom) / 2.0;
  DrawText(cr, "No cell of the scan finished: there is no best cell to plot.", x, y, Anchor::kCentre, kMessageStyle);
  DrawText(cr, StatusCounts(result), x, y + 28.0, Anchor::kCentre, kLabelStyle);
}

}  // namespace

std::string DrawBestCurves(const ScanResult& result, const std::string& series_name, const SurrogateRun* surrogates) {
  ChartCanvas canvas;
  cairo_t* cr = canvas.context();
  const std::optional<std::size_t> best = BestCell(result);
  if (!best) {
    DrawTitle(cr, result, series_name, "");
    DrawNoBestCell(cr, result);
    return canvas.Png();
  }
  const ScanCell& cell = result.cells[*best];
  const std::vector<Curve> curves = BestCellCurves(cell, BaselinesOf(result, cell.D, cell.tau));
  DrawTitle(cr, result, series_name, "best cell " + CellName(cell) + "; ");
  const std::vector<Band> bands = BestCellBands(cell, TestOf(surrogates, *best));
  DrawPlot(cr, curves, bands, result);
  DrawLegend(cr, curves, result.settings.threshold);
  DrawBandLegend(cr, bands);
  return canvas.Png();
}

}  // namespace modelcheck
