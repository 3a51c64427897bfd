// Settings with a small test segment and a plot window, for the plot set-up
// tests.
#pragma once

#include <cmath>
#include <vector>

#include "modelcheck/engine.h"
#include "plots/graphics_surface.h"
#include "plots/plot_scale.h"
#include "plots/plot_window.h"

namespace modelcheck {

struct PlotFixture {
  GraphicsSurface surface;
  ModelSettings settings;
  std::vector<double> T;  // the test segment T(1..Ntest)

  PlotFixture(std::int32_t D, std::int32_t Ltest, std::int32_t Ktest, std::vector<double> test_segment)
      : settings{.Ntrain = 100, .D = D, .eps = 1.0, .Ltest = Ltest, .Ktest = Ktest}, T(std::move(test_segment)) {}
  PlotFixture(const PlotFixture&) = delete;
  PlotFixture& operator=(const PlotFixture&) = delete;

  // A white, open window with black selected and no frames or text.
  void BlankWindow() {
    OpenPlotWindow(surface, "Model efficiency");
    SetBackgroundColour(surface, 15);
    ClearWindow(surface);
    SetDrawingColour(surface, 0);
  }

  PlotRange SetUp() { return SetUpPlotWindow(surface, settings, T); }
};

// The value offset written out independently: ((v - Ymin) · s) · 200, truncated.
inline int ExpectedOffset(double v, const PlotRange& range) {
  const double s = 1.0 / (range.upper - range.lower);
  return static_cast<int>(std::trunc(((v - range.lower) * s) * 200.0));
}

}  // namespace modelcheck
