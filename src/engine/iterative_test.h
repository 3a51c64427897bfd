// One piece of the iterative prediction test: the one-step model fed its own
// predictions for Ltest steps from the piece's initial state.
//
// Step i searches the neighbours of the current state with bound Ntrain - 1,
// predicts one step ahead, records (p - T(k+D+i-1))^2 and the neighbour count
// in `record`, and takes p into the state. An exactly singular fit throws the
// caller's CapturedStop with record.steps_done = i - 1 and the count of step i
// already recorded.
#pragma once

#include <cstdint>

#include "engine/check_input.h"
#include "engine/test_pieces.h"

namespace modelcheck {

void RunIterativePiece(const CheckInput& input, std::int32_t k, PieceWork& work, PieceRecord& record);

}  // namespace modelcheck
