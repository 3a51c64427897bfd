#include "apps/desktop/desktop_program.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QMessageBox>
#include <cstdio>
#include <exception>
#include <iostream>
#include <thread>
#include <utility>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_settings.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/message_output.h"
#include "apps/desktop/output_folder.h"
#include "apps/desktop/program_ended.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/window_thread.h"
#include "dialogue/main_dialogue.h"
#include "errors/message_sink.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

namespace {

std::thread program_thread;
bool windows_closed = false;  // the window thread only

void QuitWhenAllGone() {
  std::lock_guard lock(Link().mutex);
  if (Link().done && windows_closed) QCoreApplication::quit();
}

// Whatever the program wrote stays readable; only typing ends. A check that
// stopped on an error leaves no busy cursor behind.
void MarkFinished() {
  while (QApplication::overrideCursor() != nullptr) QApplication::restoreOverrideCursor();
  if (Windows().main != nullptr) Windows().main->setWindowTitle(MainWindowTitle(true));
  if (Windows().dialogue != nullptr) Windows().dialogue->EndInput();
}

// After "Terminate Program?" the user wants the program gone, windows and
// all; any other end leaves the windows for the user to read and close.
void OnProgramEnded() {
  bool terminating = false;
  {
    std::lock_guard lock(Link().mutex);
    terminating = Link().terminating;
  }
  if (terminating && !windows_closed && Windows().main != nullptr) {
    Windows().main->close();
    return;
  }
  MarkFinished();
  QuitWhenAllGone();
}

bool quit_confirmed = false;  // the window thread only

// Quitting during a model check asks first; Yes closes the window again,
// now confirmed, and No leaves everything as it was.
void AskToStopCheck() {
  auto* box = new QMessageBox(QMessageBox::Question, kMainWindowTitle, "A model check is running. Stop it and quit?",
                              QMessageBox::Yes | QMessageBox::No, Windows().main);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setDefaultButton(QMessageBox::No);
  Windows().quit_question = box;
  QObject::connect(box, &QMessageBox::finished, [box](int) {
    if (box->clickedButton() != box->button(QMessageBox::Yes)) return;
    quit_confirmed = true;
    if (Windows().main != nullptr) Windows().main->close();
  });
  box->open();
}

// The user closes the main window: a running check (once confirmed) stops at
// its next piece, a program still running ends at its next question, and any
// dialog it waits for goes away with the window.
bool OnMainWindowClose() {
  {
    std::lock_guard lock(Link().mutex);
    if (Link().check_running && !Link().done && !quit_confirmed) {
      OnWindowThread(&AskToStopCheck);
      return false;
    }
    if (!Link().done) Link().closing = true;
    Link().stop_check = true;
  }
  Link().changed.notify_all();
  RememberWindowGeometry();
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog != nullptr && dialog->isVisible()) dialog->reject();
  }
  windows_closed = true;
  OnWindowThread(&QuitWhenAllGone);
  return true;
}

int RunProgram(const std::function<void(FrontEnd&)>& adapt) {
  try {
    ChooseWritableWorkingFolder();
    FrontEnd front_end = DesktopFrontEnd();
    if (adapt) adapt(front_end);
    return RunMainDialogue(front_end);
  } catch (const ProgramEnded& end) {
    return end.status;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "The program stopped: %s\n", failure.what());
    return 1;
  }
}

void ProgramThread(const std::function<void(FrontEnd&)>& adapt) {
  const int status = RunProgram(adapt);
  {
    std::lock_guard lock(Link().mutex);
    Link().status = status;
    Link().done = true;
  }
  Link().changed.notify_all();
  OnWindowThread(&OnProgramEnded);
}

}  // namespace

void StartDesktopProgram(std::function<void(FrontEnd&)> adapt) {
  QApplication::setQuitOnLastWindowClosed(false);
  BuildMainWindow();
  RestoreRememberedPlaces();
  Windows().main->on_close = &OnMainWindowClose;
  Windows().main->show();
  ConfigureMainWindow(DesktopMainWindowOperations());
  ShowStandardOutputInDialogue();
  // Standard output shows in the dialogue window as well, so the numerical
  // core's messages reach the user there.
  InstallMessageSink([](std::string_view text) { std::cout << text << std::flush; });
  // The program leaves its own thread; the windows stay with what it wrote.
  RegisterExitAction([](int status) { throw ProgramEnded{.status = status}; });
  program_thread = std::thread(&ProgramThread, std::move(adapt));
}

bool DesktopProgramEnded() {
  std::lock_guard lock(Link().mutex);
  return Link().done && windows_closed;
}

int EndDesktopProgram() {
  {
    std::lock_guard lock(Link().mutex);
    if (!Link().done) Link().closing = true;
  }
  Link().changed.notify_all();
  if (program_thread.joinable()) program_thread.join();
  RestoreStandardOutput();
  std::lock_guard lock(Link().mutex);
  return Link().closing ? 0 : Link().status;
}

}  // namespace modelcheck
