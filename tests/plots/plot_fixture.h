// A model check with a small test segment and a white plot window, for the
// plot set-up tests.
#pragma once

#include <cmath>
#include <vector>

#include "model/model_check.h"

namespace modelcheck {

struct PlotFixture {
  GraphicsSurface surface;
  ModelCheck check;

  PlotFixture(std::int32_t D, std::int32_t Ltest, std::int32_t Ktest, std::vector<double> T) {
    check.settings = ModelSettings{.Ntrain = 100, .D = D, .eps = 1.0, .Ltest = Ltest, .Ktest = Ktest};
    check.test_segment = std::move(T);
    check.surface = &surface;
  }
  PlotFixture(const PlotFixture&) = delete;
  PlotFixture& operator=(const PlotFixture&) = delete;

  // A white, open window with black selected and no frames or text.
  void BlankWindow() {
    OpenPlotWindow(surface, "Model efficiency");
    SetBackgroundColour(surface, 15);
    ClearWindow(surface);
    SetDrawingColour(surface, 0);
  }
};

// The value offset written out independently: ((v - Ymin) · s) · 200, truncated.
inline int ExpectedOffset(double v, const PlotRange& range) {
  const double s = 1.0 / (range.upper - range.lower);
  return static_cast<int>(std::trunc(((v - range.lower) * s) * 200.0));
}

}  // namespace modelcheck
