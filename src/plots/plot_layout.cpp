#include "plots/plot_layout.h"

#include <utility>

#include "text/fixed_field.h"

namespace modelcheck {

std::string BoundLabel(double bound) { return FormatFixed(bound, 5, 1) + "     "; }

std::string LtestLabel(std::int32_t Ltest) { return FormatInteger(Ltest, 6) + "    "; }

namespace {

FrameSpec Frame(std::int16_t x1, std::int16_t y1, std::array<std::string, 6> labels, std::string title) {
  constexpr std::int16_t kSide = 200;
  return FrameSpec{.x1 = x1,
                   .y1 = y1,
                   .x2 = static_cast<std::int16_t>(x1 + kSide),
                   .y2 = static_cast<std::int16_t>(y1 + kSide),
                   .nx = 10,
                   .ny = 10,
                   .labels = std::move(labels),
                   .title = std::move(title)};
}

}  // namespace

std::array<FrameSpec, kFrameCount> PlotFrames(const PlotRange& range, std::int32_t Ltest) {
  const std::string low = BoundLabel(range.lower);
  const std::string high = BoundLabel(range.upper);
  const std::string steps = LtestLabel(Ltest);
  return {
      Frame(35, 50, {low, "X1(n)", high, low, "X1(n+1)", high}, "Original phase orbit"),
      Frame(35, 350, {low, "X1(n)", high, low, "X1(n+1)", high}, "Model phase orbit"),
      Frame(275, 50, {"0.0", "n", steps, low, "X1", high}, "Direct time series prediction"),
      Frame(275, 350, {"0.0", "n", steps, "0.0", "e", "1.0"}, "Direct prediction error"),
      Frame(525, 50, {"0.0", "n", steps, low, "X1", high}, "Iterative time series prediction"),
      Frame(525, 350, {"0.0", "n", steps, "0.0", "e", "1.0"}, "Iterative prediction error"),
  };
}

}  // namespace modelcheck
