#include "platform/main_window.h"

namespace modelcheck {

// The dialogue and the plot window get the whole screen, and the first menu,
// whose items would act behind the program's back, is taken away.
bool ConfigureMainWindow() {
  MaximiseMainWindow();
  RemoveMenu(1);
  return true;
}

}  // namespace modelcheck
