// The main window's status line: the step of a running model check, from
// the engine's progress at most every 100 ms, and the value the last answer
// was read as, kept at its right end.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStatusBar>
#include <chrono>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/window_thread.h"

namespace modelcheck {

namespace {

// Often enough to see a long check move, seldom enough to cost nothing.
constexpr std::chrono::milliseconds kProgressInterval{100};

QString ProgressText(const CheckProgress& progress) {
  const int piece = std::min(progress.pieces_done + 1, progress.pieces);
  const QString of = QString(", piece %1 of %2").arg(piece).arg(progress.pieces);
  switch (progress.phase) {
    case CheckPhase::kOrbit:
      return "Model check: model orbit";
    case CheckPhase::kIterative:
      return "Model check: iterative test" + of;
    case CheckPhase::kDirect:
      return "Model check: direct test" + of;
  }
  return {};
}

void ShowMessage(const QString& text) {
  OnWindowThread([text] {
    if (Windows().main == nullptr) return;
    if (text.isEmpty()) {
      Windows().main->statusBar()->clearMessage();
    } else {
      Windows().main->statusBar()->showMessage(text);
    }
  });
}

// While a check runs the windows look busy: a busy cursor over them, and no
// blinking input cursor in the Input Window, which waits for nothing.
void ShowBusy(bool busy) {
  OnWindowThread([busy] {
    if (busy) {
      QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
      QApplication::restoreOverrideCursor();
    }
    if (Windows().dialogue != nullptr) Windows().dialogue->setCursorWidth(busy ? 0 : 2);
    // "Stop it and quit?" has nothing left to stop: the question goes, the program stays.
    if (!busy && Windows().quit_question != nullptr) Windows().quit_question->reject();
  });
}

void SetCheckRunning(bool running) {
  {
    std::lock_guard lock(Link().mutex);
    if (Link().check_running == running) return;
    Link().check_running = running;
  }
  ShowBusy(running);
}

bool CheckMayGoOn() {
  std::lock_guard lock(Link().mutex);
  return !Link().stop_check;
}

}  // namespace

std::function<bool(const CheckProgress&)> CheckProgressReporter() {
  SetCheckRunning(true);
  ShowMessage("Model check: model orbit");
  return [last = std::chrono::steady_clock::now()](const CheckProgress& progress) mutable {
    const auto now = std::chrono::steady_clock::now();
    if (now - last >= kProgressInterval) {
      last = now;
      ShowMessage(ProgressText(progress));
    }
    return CheckMayGoOn();
  };
}

void ShowStepOnStatusLine(std::string_view text) {
  if (text.empty()) SetCheckRunning(false);
  ShowMessage(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void ShowReadAsOnStatusLine(std::string_view text) {
  OnWindowThread([text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))] {
    if (Windows().answer_read == nullptr) return;
    Windows().answer_read->setStyleSheet({});
    Windows().answer_read->setText("Read as " + text);
  });
}

void WarnReadAsOnStatusLine(std::string_view text) {
  OnWindowThread([text = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))] {
    if (Windows().answer_read == nullptr) return;
    // Dark orange on the window's own background: seen at once, readable, and not red (an error).
    Windows().answer_read->setStyleSheet("QLabel { color: #b34700; font-weight: bold; }");
    Windows().answer_read->setText(text);
  });
}

}  // namespace modelcheck
