#include "plots/reference_curves.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "plots/pixel_coordinate.h"
#include "plots/plot_scale.h"
#include "plots/vector_surface.h"

namespace modelcheck {

namespace {

// Frame corners of the measured orbit (frame 1) and the two value frames.
constexpr int kOrbitLeft = 35, kOrbitRight = 235, kValueTop = 50, kValueBottom = 250;
constexpr int kDirectLeft = 275, kIterativeLeft = 525;

struct Scale {
  PlotRange range;
  double s = 0.0;
  double reciprocal = 0.0;  // 1/Ltest
};

std::optional<std::int16_t> Height(const Scale& scale, double value) {
  return PixelCoordinate(kValueBottom, -1, ValueOffset(value, scale.range, scale.s));
}

bool StrictlyBetween(int low, int value, int high) { return low < value && value < high; }

template <typename Surface>
void OrbitPixel(Surface& surface, const Scale& scale, double current, double next) {
  const PixelPoint point =
      MakePixelPoint(PixelCoordinate(kOrbitLeft, 1, ValueOffset(current, scale.range, scale.s)), Height(scale, next));
  if (!point.valid || !StrictlyBetween(kValueTop, point.y, kValueBottom)) return;
  if (!StrictlyBetween(kOrbitLeft, point.x, kOrbitRight)) return;
  SetPixel(surface, point.x, point.y);
}

// The segment from step k - 1 to step k, in the same place of frames 3 and 5.
template <typename Surface>
void MeasuredSegment(Surface& surface, const Scale& scale, int k, double before, double value) {
  const std::optional<std::int16_t> y0 = Height(scale, before);
  const std::optional<std::int16_t> y1 = Height(scale, value);
  if (!y0 || !y1 || !StrictlyBetween(kValueTop, *y0, kValueBottom)) return;
  if (!StrictlyBetween(kValueTop, *y1, kValueBottom)) return;
  for (const int left : {kDirectLeft, kIterativeLeft}) {
    const PixelPoint from = MakePixelPoint(PixelCoordinate(left, 1, TimeOffset(k - 1, scale.reciprocal)), y0);
    const PixelPoint to = MakePixelPoint(PixelCoordinate(left, 1, TimeOffset(k, scale.reciprocal)), y1);
    if (!from.valid || !to.valid) continue;
    MoveTo(surface, from.x, from.y);
    LineTo(surface, to.x, to.y);
  }
}

void RequireSegment(const ModelSettings& settings, std::span<const double> T) {
  const bool valid = settings.Ltest >= 1 && settings.Ktest >= 1 && settings.D >= 1 &&
                     T.size() >= static_cast<std::size_t>(Ntest(settings));
  if (valid) return;
  std::fprintf(stderr, "%s:%d: test segment shorter than Ltest + Ktest + D - 1\n", __FILE__, __LINE__);
  std::abort();
}

}  // namespace

template <typename Surface>
void DrawReferenceCurves(Surface& surface, const ModelSettings& settings, std::span<const double> T,
                         const PlotRange& range) {
  RequireSegment(settings, T);
  const Scale scale{.range = range, .s = ValueScale(range), .reciprocal = 1.0 / settings.Ltest};
  const std::int32_t steps = settings.Ltest + settings.Ktest;
  const std::int32_t last = Ntest(settings);
  // With fewer test pieces than D the orbit's steps end before T(D + Ltest);
  // the measured polyline is still drawn whole, so the predictions have it to follow.
  const std::int32_t end = std::max(steps, settings.D + settings.Ltest);
  for (std::int32_t i = 1; i <= end; ++i) {
    if (i <= steps && i + 1 <= last) OrbitPixel(surface, scale, T[i - 1], T[i]);
    if (i >= settings.D + 1 && i <= settings.D + settings.Ltest) {
      MeasuredSegment(surface, scale, i - settings.D, T[i - 2], T[i - 1]);
    }
  }
}

// The two drawing targets: the raster and the recorded picture.
template void DrawReferenceCurves(GraphicsSurface&, const ModelSettings&, std::span<const double>, const PlotRange&);
template void DrawReferenceCurves(VectorSurface&, const ModelSettings&, std::span<const double>, const PlotRange&);

}  // namespace modelcheck
