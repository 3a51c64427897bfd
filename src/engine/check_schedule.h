// The work items of one model check, run on several threads.
//
// Items are numbered 0..count-1 and started in that order, each on whichever
// thread is free; an item must not depend on another's outcome. When an
// item reports that it stopped, no item after it is started (those already
// running finish), so every item before the earliest stop has run.
// Without `keep_going` the calling thread computes items too. With it, on
// one thread the caller computes and asks `keep_going` after each item; on
// more threads the caller only watches, asking whenever items finish and at
// least every 50 ms, and at least once (after the last item, if they all
// finished first: that answer changes nothing). False stops every thread
// from starting another item.
// Each thread owns one PieceWork for all of its items. An exception other
// than a stop ends the schedule and is thrown again on the calling thread.
#pragma once

#include <cstdint>
#include <functional>

#include "engine/check_input.h"

namespace modelcheck {

// Returns true when the item ran to its end, false when it stopped.
using RunItem = std::function<bool(std::int32_t item, PieceWork& work)>;

// Threads to use for `threads` (0: every hardware thread), at least 1.
int ThreadCount(int threads);

// Returns false when `keep_going` cancelled the schedule.
bool RunSchedule(std::int32_t count, int threads, const RunItem& run_item, const std::function<bool()>& keep_going);

}  // namespace modelcheck
