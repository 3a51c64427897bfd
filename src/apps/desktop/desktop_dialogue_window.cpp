// The dialogue window realised as the child window "Input Window": lines
// and prompts appear there, and the program waits for the lines typed there.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QString>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/program_link.h"

namespace modelcheck {

namespace {

void Show(std::string_view text) {
  OnWindowThread([text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))] {
    DialogueWindowView().AppendOutput(text);
  });
}

// Cleared at every series pass; white background, black text, the cursor
// shown and the input focus taken, so typing goes there at once.
void Open() {
  OnWindowThread([] {
    DialogueView& view = DialogueWindowView();
    view.ClearAll();
    QPalette colours = view.palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    view.setPalette(colours);
    view.setCursorWidth(2);
    Windows().area->setActiveSubWindow(Windows().dialogue_frame);
    view.setFocus();
  });
}

// The typed line is on screen already, waiting, followed by its end of line;
// once read it becomes part of the transcript. The dialogue window takes the
// input focus back from the plot window, so that the answer can be typed at
// once.
std::optional<std::string> ReadLine() {
  OnWindowThread([] {
    DialogueView& view = DialogueWindowView();
    if (!view.hasFocus()) view.setFocus();
  });
  std::unique_lock lock(Link().mutex);
  Link().changed.wait(lock, [] { return !Link().typed_lines.empty() || Link().closing || Link().open_series; });
  if (Link().open_series && !Link().closing) {
    // Answers typed ahead belonged to this series' questions.
    Link().open_series = false;
    Link().typed_lines.clear();
    OnWindowThread([] { DialogueWindowView().DropTypedAhead(); });
    throw SeriesPassEnded{};
  }
  if (Link().typed_lines.empty()) return std::nullopt;
  std::string line = std::move(Link().typed_lines.front());
  Link().typed_lines.pop_front();
  // The answer joins the transcript after its prompt, as the console shows it.
  OnWindowThread([] { DialogueWindowView().CommitAnswer(); });
  return line;
}

}  // namespace

DialogueWindow DesktopDialogueWindow() {
  return {.open = &Open,
          .write = &Show,
          .read_line = &ReadLine,
          .show_answer_read = &ShowReadAsOnStatusLine,
          .warn_answer_read = &WarnReadAsOnStatusLine};
}

}  // namespace modelcheck
