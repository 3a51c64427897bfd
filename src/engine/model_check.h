// One whole model check over a prepared input: the model's orbit, the
// iterative and the direct prediction test, computed on every thread the
// options allow, returned as a plain result (no drawing, no text, no files).
//
// The orbit and the test pieces are independent work items; each piece's
// squared errors are kept and summed in piece order afterwards, so every
// figure is bit for bit the one-thread figure. An exactly singular fit ends
// the check where a one-thread run would have met it first (orbit, then the
// iterative pieces in order, then the direct pieces); the result then holds
// what was computed before that point and the stop (see modelcheck/engine.h).
#pragma once

#include <cstdint>

#include "engine/check_input.h"
#include "errors/message_sink.h"
#include "modelcheck/engine.h"

namespace modelcheck {

// The stop of a phase, piece and step, with the numerical core's kept message.
CheckStop MakeCheckStop(CheckPhase phase, std::int32_t piece, std::int32_t step, CapturedStop&& captured);

CheckResult RunModelCheck(const CheckInput& input, const CheckOptions& options = {});

}  // namespace modelcheck
