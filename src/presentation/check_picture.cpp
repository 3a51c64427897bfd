#include "presentation/check_picture.h"

#include "plots/plot_window.h"
#include "presentation/check_drawing.h"

namespace modelcheck {

namespace {

bool StoppedIn(const CheckResult& result, CheckPhase phase) { return result.stop && result.stop->phase == phase; }

}  // namespace

template <typename Surface>
void DrawCheckPicture(Surface& surface, const CheckPicture& picture) {
  const ModelSettings& settings = picture.settings;
  const CheckResult& result = picture.result;
  const double newest = picture.test_segment[static_cast<std::size_t>(settings.D - 1)];
  const PlotRange range = SetUpPlotWindow(surface, settings, picture.test_segment);
  DrawModelOrbit(surface, result.orbit, range);
  if (StoppedIn(result, CheckPhase::kOrbit)) return;
  DrawTestCurves(surface, kIterativePanel, newest, settings.Ltest, result.iterative, range);
  if (StoppedIn(result, CheckPhase::kIterative)) return;
  DrawTestCurves(surface, kDirectPanel, newest, settings.Ltest, result.direct, range);
}

// The two drawing targets: the raster and the recorded picture.
template void DrawCheckPicture(GraphicsSurface&, const CheckPicture&);
template void DrawCheckPicture(VectorSurface&, const CheckPicture&);

}  // namespace modelcheck
