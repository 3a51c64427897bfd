#include "engine/iterative_test.h"

#include <cstddef>

#include "engine/model_phase_orbit.h"

namespace modelcheck {

void RunIterativePiece(const CheckInput& input, std::int32_t k, PieceWork& work, PieceRecord& record) {
  const ModelSettings& settings = input.settings;
  work.history.resize(static_cast<std::size_t>(StateSpan(settings)));
  work.state.resize(static_cast<std::size_t>(settings.D));
  LoadPieceHistory(input.test_segment, k, work.history);
  TakeState(work.history, settings.tau, work.state);
  for (std::int32_t i = 1; i <= settings.Ltest; ++i) {
    const auto horizon = static_cast<std::size_t>(i - 1);
    record.neighbour_counts[horizon] = FindOneStepNeighbours(input, work);
    const double p = PredictOneStep(input, work);
    RecordPrediction(input, k, i, p, record);
    // The prediction joins the values the next state is drawn from.
    ShiftState(work.history, p);
    TakeState(work.history, settings.tau, work.state);
  }
}

}  // namespace modelcheck
