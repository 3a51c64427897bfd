#include "dialogue/main_window.h"

namespace modelcheck {

// The dialogue and the plot window get the whole screen, and the first menu,
// whose items would act behind the program's back, is taken away.
bool ConfigureMainWindow(const MainWindow& window) {
  if (window.maximise) window.maximise();
  if (window.remove_menu) window.remove_menu(1);
  return true;
}

}  // namespace modelcheck
