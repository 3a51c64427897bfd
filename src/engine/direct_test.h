// One piece of the direct prediction test: one local model per horizon
// 1..Ltest, all from the neighbours of the piece's initial state.
//
// The search admits start indices up to Ntrain - Ltest - D + 1, so every
// target up to horizon Ltest lies inside the training series; its count goes
// to record.neighbour_counts[0]. With M >= D + 1 one factor of the design
// matrix serves every horizon; with 1 <= M <= D the prediction is the mean of
// the neighbours' values at that horizon, the sum multiplied by 1/M; with
// M = 0 it is Z(D). Horizon i records (p - T(k+D+i-1))^2. An exactly singular
// fit throws the caller's CapturedStop with record.steps_done = i - 1.
#pragma once

#include <cstdint>

#include "engine/check_input.h"
#include "engine/test_pieces.h"

namespace modelcheck {

void RunDirectPiece(const CheckInput& input, std::int32_t k, PieceWork& work, PieceRecord& record);

}  // namespace modelcheck
