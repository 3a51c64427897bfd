#include "engine/direct_test.h"

#include <cstddef>

#include "engine/every_lead.h"

namespace modelcheck {

void RunDirectPiece(const CheckInput& input, std::int32_t k, PieceWork& work, PieceRecord& record) {
  const ModelSettings& settings = input.settings;
  const std::int32_t D = settings.D;
  const std::int32_t tau = settings.tau;
  work.state.resize(static_cast<std::size_t>(D));
  LoadPieceState(input.test_segment, k, tau, work.state);
  // Bound Ntrain - Ltest keeps every target up to horizon Ltest inside the training series.
  const std::int32_t M = FindNeighbours(settings.Ntrain, settings.Ntrain - settings.Ltest, input.training, work.state,
                                        StateSpan(settings) - 1, tau, settings.eps, *input.grid, work.neighbours);
  record.neighbour_counts[0] = M;
  // The design matrix is the same for every horizon: one factor serves them all.
  const bool fit = M >= D + 1;
  if (fit) FactoriseLocalFit(input.training, D, tau, work.neighbours, M, work.fit);
  if (fit && !FactorIsSingular(work.fit, M, D)) {
    work.leads.resize(static_cast<std::size_t>(settings.Ltest));
    PredictEveryLead(input.training, work.state, D, tau, work.neighbours, M, work.fit, work.leads);
    for (std::int32_t i = 1; i <= settings.Ltest; ++i) {
      RecordPrediction(input, k, i, work.leads[static_cast<std::size_t>(i - 1)], record);
    }
    return;
  }
  // A singular factor is met by the first solve, so it stops at horizon 1.
  for (std::int32_t i = 1; i <= settings.Ltest; ++i) {
    const double p = fit ? PredictFromFactor(input.training, work.state, D, tau, work.neighbours, M, i, work.fit)
                         : PredictLocal(input.training, work.state, D, tau, work.neighbours, M, i, work.fit,
                                        MeanRule::kMultiplyByReciprocal);
    RecordPrediction(input, k, i, p, record);
  }
}

}  // namespace modelcheck
