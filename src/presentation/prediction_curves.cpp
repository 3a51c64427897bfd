#include "predict/prediction_curves.h"

#include <cstddef>

#include "plots/graphics_surface.h"

namespace modelcheck {

namespace {

constexpr int kPanelSpan = 200;          // pixels from a panel's bottom to its top
constexpr int kPredictionBottom = 250;   // height of Ymin
constexpr int kPredictionTop = 50;       // height of Ymax
constexpr int kErrorBottom = 550;        // height of error 0
constexpr int kErrorTop = 350;           // height of error 1

void DrawSegment(ModelCheck& check, const PixelPoint& from, const PixelPoint& to) {
  check.graphics_status = MoveTo(*check.surface, from.x, from.y);
  check.graphics_status = LineTo(*check.surface, to.x, to.y);
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

std::optional<std::int16_t> ErrorHeight(double error) {
  return PixelCoordinate(kErrorBottom, -1, kPanelSpan * error);
}

bool InsidePredictionPanel(const PixelPoint& point) {
  return point.valid && kPredictionTop < point.y && point.y < kPredictionBottom;
}

bool InsideErrorPanel(const PixelPoint& point) {
  return point.valid && kErrorTop < point.y && point.y <= kErrorBottom;
}

void StartPredictionCurve(ModelCheck& check, int x0, const PredictionScale& scale) {
  const double newest = check.state.back();
  check.current_point = MakePixelPoint(static_cast<std::int16_t>(x0), ValueHeight(scale, newest));
}

void PlotPrediction(ModelCheck& check, int x0, std::int32_t horizon, double prediction,
                    const PredictionScale& scale) {
  check.previous_point = check.current_point;
  check.current_point = MakePixelPoint(HorizonPosition(x0, horizon, check.settings.Ltest),
                                       ValueHeight(scale, prediction));
  if (InsidePredictionPanel(check.previous_point) && InsidePredictionPanel(check.current_point)) {
    DrawSegment(check, check.previous_point, check.current_point);
  }
}

void DrawErrorCurve(ModelCheck& check, int x0, std::span<const double> errors) {
  const auto Ltest = static_cast<std::int32_t>(errors.size());
  for (std::int32_t i = 2; i <= Ltest; ++i) {
    check.previous_point = ErrorPoint(x0, i - 1, Ltest, errors[static_cast<std::size_t>(i - 2)]);
    check.current_point = ErrorPoint(x0, i, Ltest, errors[static_cast<std::size_t>(i - 1)]);
    if (InsideErrorPanel(check.previous_point) && InsideErrorPanel(check.current_point)) {
      DrawSegment(check, check.previous_point, check.current_point);
    }
  }
}

}  // namespace modelcheck
