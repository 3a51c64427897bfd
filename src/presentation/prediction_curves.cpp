#include "presentation/prediction_curves.h"

#include <cstddef>

#include "plots/graphics_surface.h"
#include "plots/vector_surface.h"

namespace modelcheck {

namespace {

constexpr int kPanelSpan = 200;         // pixels from a panel's bottom to its top
constexpr int kPredictionBottom = 250;  // height of Ymin
constexpr int kPredictionTop = 50;      // height of Ymax
constexpr int kErrorBottom = 550;       // height of error 0
constexpr int kErrorTop = 350;          // height of error 1

template <typename Surface>
void DrawSegment(Surface& surface, const PixelPoint& from, const PixelPoint& to) {
  MoveTo(surface, from.x, from.y);
  LineTo(surface, to.x, to.y);
}

PixelPoint ErrorPoint(int x0, std::int32_t horizon, std::int32_t Ltest, double error) {
  return MakePixelPoint(HorizonPosition(x0, horizon, Ltest), ErrorHeight(error));
}

}  // namespace

PredictionScale MakePredictionScale(const PlotRange& range) {
  return PredictionScale{.lower = range.lower, .reciprocal_width = 1.0 / (range.upper - range.lower)};
}

std::optional<std::int16_t> ValueHeight(const PredictionScale& scale, double value) {
  const double offset = kPanelSpan * (value - scale.lower) * scale.reciprocal_width;
  return PixelCoordinate(kPredictionBottom, -1, offset);
}

std::int16_t HorizonPosition(int x0, std::int32_t horizon, std::int32_t Ltest) {
  // 64 bits: 200 * i overflows 32 bits for test pieces of over ten million steps.
  const std::int64_t offset = std::int64_t{kPanelSpan} * horizon / Ltest;
  return static_cast<std::int16_t>(x0 + offset);
}

std::optional<std::int16_t> ErrorHeight(double error) { return PixelCoordinate(kErrorBottom, -1, kPanelSpan * error); }

bool InsidePredictionPanel(const PixelPoint& point) {
  return point.valid && kPredictionTop < point.y && point.y < kPredictionBottom;
}

bool InsideErrorPanel(const PixelPoint& point) { return point.valid && kErrorTop < point.y && point.y <= kErrorBottom; }

void StartPredictionCurve(Pen& pen, int x0, double newest, const PredictionScale& scale) {
  pen.current = MakePixelPoint(static_cast<std::int16_t>(x0), ValueHeight(scale, newest));
}

template <typename Surface>
void PlotPrediction(Surface& surface, Pen& pen, int x0, std::int32_t horizon, std::int32_t Ltest, double prediction,
                    const PredictionScale& scale) {
  pen.previous = pen.current;
  pen.current = MakePixelPoint(HorizonPosition(x0, horizon, Ltest), ValueHeight(scale, prediction));
  if (InsidePredictionPanel(pen.previous) && InsidePredictionPanel(pen.current)) {
    DrawSegment(surface, pen.previous, pen.current);
  }
}

template <typename Surface>
void DrawErrorCurve(Surface& surface, int x0, std::span<const double> errors) {
  const auto Ltest = static_cast<std::int32_t>(errors.size());
  for (std::int32_t i = 2; i <= Ltest; ++i) {
    const PixelPoint previous = ErrorPoint(x0, i - 1, Ltest, errors[static_cast<std::size_t>(i - 2)]);
    const PixelPoint current = ErrorPoint(x0, i, Ltest, errors[static_cast<std::size_t>(i - 1)]);
    if (InsideErrorPanel(previous) && InsideErrorPanel(current)) DrawSegment(surface, previous, current);
  }
}

// The two drawing targets: the raster and the recorded picture.
template void PlotPrediction(GraphicsSurface&, Pen&, int, std::int32_t, std::int32_t, double, const PredictionScale&);
template void DrawErrorCurve(GraphicsSurface&, int, std::span<const double>);
template void PlotPrediction(VectorSurface&, Pen&, int, std::int32_t, std::int32_t, double, const PredictionScale&);
template void DrawErrorCurve(VectorSurface&, int, std::span<const double>);

}  // namespace modelcheck
