// Hands work to the window thread, which alone may touch the widgets.
//
// The program runs on a thread of its own; whatever it shows goes through
// OnWindowThread, in the order it was posted. Posting never waits, so the
// program's thread never depends on the windows answering.
#pragma once

#include <functional>

namespace modelcheck {

// Runs `action` at once on the window thread, or queues it there from any
// other thread behind everything queued before.
void OnWindowThread(std::function<void()> action);

bool OnWindowThreadNow();

}  // namespace modelcheck
