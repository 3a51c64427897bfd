#include "engine/model_phase_orbit.h"

#include "engine/test_pieces.h"

namespace modelcheck {

std::int32_t FindOneStepNeighbours(const CheckInput& input, PieceWork& work) {
  const ModelSettings& settings = input.settings;
  // Bound Ntrain - 1 keeps every one-step successor inside the training series.
  work.neighbour_count =
      FindNeighbours(settings.Ntrain, settings.Ntrain - 1, input.training, work.state, StateSpan(settings) - 1,
                     settings.tau, settings.eps, *input.grid, work.neighbours);
  return work.neighbour_count;
}

double PredictOneStep(const CheckInput& input, PieceWork& work) {
  const std::int32_t M = work.neighbour_count;
  return PredictLocal(input.training, work.state, input.settings.D, input.settings.tau, work.neighbours, M, 1,
                      work.fit);
}

void RunModelOrbit(const CheckInput& input, PieceWork& work, std::vector<OrbitPoint>& points) {
  const ModelSettings& settings = input.settings;
  work.history.resize(static_cast<std::size_t>(StateSpan(settings)));
  work.state.resize(static_cast<std::size_t>(settings.D));
  LoadPieceHistory(input.test_segment, 1, work.history);
  TakeState(work.history, settings.tau, work.state);
  const std::int32_t steps = settings.Ltest + settings.Ktest;
  points.reserve(static_cast<std::size_t>(steps));
  for (std::int32_t step = 1; step <= steps; ++step) {
    FindOneStepNeighbours(input, work);
    const double p = PredictOneStep(input, work);
    points.push_back({.newest = work.state.back(), .prediction = p});
    ShiftState(work.history, p);
    TakeState(work.history, settings.tau, work.state);
  }
}

}  // namespace modelcheck
