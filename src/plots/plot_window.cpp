#include "plots/plot_window.h"

#include <cstdio>
#include <cstdlib>
#include <span>

#include "platform/main_window.h"
#include "plots/plot_layout.h"
#include "plots/plot_scale.h"
#include "plots/reference_curves.h"

namespace modelcheck {

namespace {

constexpr int kBlack = 0;
constexpr int kRed = 12;
constexpr int kWhite = 15;

// T(1..Ntest) of the current settings; stops when the segment is missing.
std::span<const double> TestValues(const ModelCheck& check) {
  const std::int32_t count = Ntest(check.settings);
  if (check.surface != nullptr && count >= 1 && check.test_segment.size() >= static_cast<std::size_t>(count)) {
    return std::span<const double>(check.test_segment).first(static_cast<std::size_t>(count));
  }
  std::fprintf(stderr, "%s:%d: plot set-up without a plot window or a full test segment\n", __FILE__, __LINE__);
  std::abort();
}

// Opens (or reuses) the window, places it beside the dialogue window and
// leaves it white, active, with black selected and the plot font chosen.
void PrepareWindow(ModelCheck& check) {
  GraphicsSurface& surface = *check.surface;
  check.graphics_status = OpenPlotWindow(surface, "Model efficiency");
  check.graphics_status = SetWindowPlacement(surface, 50, 0, 31, 47);
  check.graphics_status = SetActiveWindow(surface);
  check.graphics_status = SetBackgroundColour(surface, kWhite);
  check.graphics_status = ClearWindow(surface);
  check.graphics_status = SetDrawingColour(surface, kBlack);
  check.graphics_status = InitialiseFonts(surface);
  check.graphics_status = SelectFont(surface, "t'Arial'h14w7i");
}

}  // namespace

// The dialogue and the plot window get the whole screen, and the first menu,
// whose items would act behind the program's back, is taken away.
bool ConfigureMainWindow() {
  MaximiseMainWindow();
  RemoveMenu(1);
  return true;
}

void SetUpPlotWindow(ModelCheck& check) {
  const std::span<const double> values = TestValues(check);
  PrepareWindow(check);
  check.plot_range = WidenedRange(values);
  for (const FrameSpec& frame : PlotFrames(check.plot_range, check.settings.Ltest)) {
    check.graphics_status = DrawFrame(*check.surface, frame);
  }
  DrawReferenceCurves(check);
  check.graphics_status = SetDrawingColour(*check.surface, kRed);
}

}  // namespace modelcheck
