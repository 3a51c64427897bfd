#include "model/model_phase_orbit.h"

#include <cstddef>

#include "model/free_run_step.h"
#include "model/local_model.h"
#include "model/model_invariant.h"
#include "plots/plot_scale.h"

namespace modelcheck {
namespace {

// The "Model phase orbit" frame: x from 35 to 235, y from 350 to 550.
constexpr int kFrameLeft = 35;
constexpr int kFrameRight = 235;
constexpr int kFrameTop = 350;
constexpr int kFrameBottom = 550;

// The pixel (Z(D), p); points on or outside the frame's border are not drawn.
void DrawOrbitPoint(ModelCheck& check, double newest, double p, double s) {
  const PixelPoint point =
      MakePixelPoint(PixelCoordinate(kFrameLeft, +1, ValueOffset(newest, check.plot_range, s)),
                     PixelCoordinate(kFrameBottom, -1, ValueOffset(p, check.plot_range, s)));
  if (!point.valid) return;
  check.current_point = point;
  if (point.y > kFrameTop && point.y < kFrameBottom && point.x > kFrameLeft && point.x < kFrameRight) {
    check.graphics_status = SetPixel(*check.surface, point.x, point.y);
  }
}

// One step of the free run: search, predict, draw, and take p into the state.
void OrbitStep(ModelCheck& check, LocalFitWork& work, double s) {
  check.prediction = PredictNextValue(check, work);
  DrawOrbitPoint(check, check.state.back(), check.prediction, s);
  ShiftState(check.state, check.prediction);
}

}  // namespace

void ModelPhaseOrbit(ModelCheck& check) {
  const ModelSettings& settings = check.settings;
  const auto D = static_cast<std::size_t>(settings.D);
  MC_MODEL_REQUIRE(settings.D >= 1 && check.test_segment.size() >= D && check.surface != nullptr);
  MC_MODEL_REQUIRE(check.training.size() >= static_cast<std::size_t>(settings.Ntrain));
  if (check.neighbours.size() < static_cast<std::size_t>(settings.Ntrain)) {
    check.neighbours.resize(static_cast<std::size_t>(settings.Ntrain));
  }
  check.state.assign(check.test_segment.begin(), check.test_segment.begin() + settings.D);
  // A zero-width range gives no finite scale; the offsets then have no pixel and nothing is drawn.
  const double s = ValueScale(check.plot_range);
  LocalFitWork work;
  const std::int32_t steps = settings.Ltest + settings.Ktest;
  for (std::int32_t step = 0; step < steps; ++step) OrbitStep(check, work, s);
}

}  // namespace modelcheck
