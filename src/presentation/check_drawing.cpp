#include "presentation/check_drawing.h"

#include "plots/pixel_coordinate.h"
#include "plots/vector_surface.h"
#include "presentation/prediction_curves.h"

namespace modelcheck {

namespace {

// The "Model phase orbit" frame: x from 35 to 235, y from 350 to 550.
constexpr int kFrameLeft = 35;
constexpr int kFrameRight = 235;
constexpr int kFrameTop = 350;
constexpr int kFrameBottom = 550;

// Points on or outside the frame's border are not drawn.
template <typename Surface>
void DrawOrbitPoint(Surface& surface, const OrbitPoint& point, const PlotRange& range, double s) {
  const PixelPoint pixel = MakePixelPoint(PixelCoordinate(kFrameLeft, +1, ValueOffset(point.newest, range, s)),
                                          PixelCoordinate(kFrameBottom, -1, ValueOffset(point.prediction, range, s)));
  if (!pixel.valid) return;
  if (pixel.y > kFrameTop && pixel.y < kFrameBottom && pixel.x > kFrameLeft && pixel.x < kFrameRight) {
    SetPixel(surface, pixel.x, pixel.y);
  }
}

}  // namespace

template <typename Surface>
void DrawModelOrbit(Surface& surface, std::span<const OrbitPoint> orbit, const PlotRange& range) {
  // A zero-width range gives no finite scale; the offsets then have no pixel and nothing is drawn.
  const double s = ValueScale(range);
  for (const OrbitPoint& point : orbit) DrawOrbitPoint(surface, point, range, s);
}

template <typename Surface>
void DrawTestCurves(Surface& surface, int x0, double newest, std::int32_t Ltest, const PredictionTestResult& test,
                    const PlotRange& range) {
  const PredictionScale scale = MakePredictionScale(range);
  Pen pen;
  StartPredictionCurve(pen, x0, newest, scale);
  std::int32_t horizon = 0;
  for (const double p : test.first_piece) PlotPrediction(surface, pen, x0, ++horizon, Ltest, p, scale);
  if (!test.errors.empty()) DrawErrorCurve(surface, x0, test.errors);
}

// The two drawing targets: the raster and the recorded picture.
template void DrawModelOrbit(GraphicsSurface&, std::span<const OrbitPoint>, const PlotRange&);
template void DrawTestCurves(GraphicsSurface&, int, double, std::int32_t, const PredictionTestResult&,
                             const PlotRange&);
template void DrawModelOrbit(VectorSurface&, std::span<const OrbitPoint>, const PlotRange&);
template void DrawTestCurves(VectorSurface&, int, double, std::int32_t, const PredictionTestResult&, const PlotRange&);

}  // namespace modelcheck
