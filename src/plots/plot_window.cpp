#include "plots/plot_window.h"

#include <cstdio>
#include <cstdlib>
#include <span>

#include "plots/plot_layout.h"
#include "plots/plot_scale.h"
#include "plots/reference_curves.h"
#include "plots/vector_surface.h"

namespace modelcheck {

namespace {

constexpr int kBlack = 0;
constexpr int kRed = 12;
constexpr int kWhite = 15;

// T(1..Ntest) of the current settings; stops when the segment is short.
std::span<const double> TestValues(const ModelSettings& settings, std::span<const double> T) {
  const std::int32_t count = Ntest(settings);
  if (count >= 1 && T.size() >= static_cast<std::size_t>(count)) return T.first(static_cast<std::size_t>(count));
  std::fprintf(stderr, "%s:%d: plot set-up without a full test segment\n", __FILE__, __LINE__);
  std::abort();
}

// Opens (or reuses) the window, places it beside the dialogue window and
// leaves it white, active, with black selected and the plot font chosen.
template <typename Surface>
void PrepareWindow(Surface& surface) {
  OpenPlotWindow(surface, "Model efficiency");
  SetWindowPlacement(surface, 50, 0, 31, 47);
  SetActiveWindow(surface);
  SetBackgroundColour(surface, kWhite);
  ClearWindow(surface);
  SetDrawingColour(surface, kBlack);
  InitialiseFonts(surface);
  SelectFont(surface, "t'Arial'h14w7i");
}

}  // namespace

template <typename Surface>
PlotRange SetUpPlotWindow(Surface& surface, const ModelSettings& settings, std::span<const double> T) {
  const std::span<const double> values = TestValues(settings, T);
  PrepareWindow(surface);
  const PlotRange range = WidenedRange(values);
  for (const FrameSpec& frame : PlotFrames(range, settings.Ltest)) DrawFrame(surface, frame);
  DrawReferenceCurves(surface, settings, values, range);
  SetDrawingColour(surface, kRed);
  return range;
}

// The two drawing targets: the raster and the recorded picture.
template PlotRange SetUpPlotWindow(GraphicsSurface&, const ModelSettings&, std::span<const double>);
template PlotRange SetUpPlotWindow(VectorSurface&, const ModelSettings&, std::span<const double>);

}  // namespace modelcheck
