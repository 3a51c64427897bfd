// A console has no main window: nothing to maximise, no menu bar to trim.
#include "platform/main_window.h"

namespace modelcheck {

void MaximiseMainWindow() {}

void RemoveMenu(int) {}

}  // namespace modelcheck
