// What the program's thread and the window thread share: the lines typed in
// the dialogue window, the answers of the file chooser and message boxes, and
// how the program and its windows end. Every field is guarded by `mutex`;
// `changed` is notified on every change.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

#include "apps/desktop/window_thread.h"

namespace modelcheck {

struct ProgramLink {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::string> typed_lines;  // typed and ended with Enter, not yet read
  bool closing = false;                 // the user closed the main window while the program ran
  bool terminating = false;             // the user chose to end the program at the file chooser
  bool done = false;                    // the program's thread has ended
  bool check_running = false;           // a model check computes or is drawn
  bool stop_check = false;              // the user quit during a check: stop it at its next piece
  bool open_series = false;             // File > Open Series: end this series' pass at the next question
  bool choosing_file = false;           // the file chooser is open
  int status = 0;                       // the program's exit status, once done
};

ProgramLink& Link();

// Shows something on the window thread that answers later (a file dialog, a
// message box) and waits for the answer on the program's thread. `show`
// receives the function to call with the answer. Nothing comes back when the
// user closes the main window first.
template <typename Answer>
std::optional<Answer> AskWindows(std::function<void(std::function<void(Answer)>)> show) {
  auto reply = std::make_shared<std::optional<Answer>>();
  OnWindowThread([show = std::move(show), reply] {
    {
      std::lock_guard lock(Link().mutex);
      if (Link().closing) return;  // nobody would answer: the windows are going
    }
    show([reply](Answer answer) {
      {
        std::lock_guard lock(Link().mutex);
        *reply = std::move(answer);
      }
      Link().changed.notify_all();
    });
  });
  std::unique_lock lock(Link().mutex);
  Link().changed.wait(lock, [&] { return reply->has_value() || Link().closing; });
  return *reply;
}

}  // namespace modelcheck
