// The desktop program: the dialogue and the plots in windows of their own.
#include <QApplication>
#include <csignal>

#include "apps/desktop/desktop_program.h"

int main(int argc, char** argv) {
  // Standard output is only a copy of what the windows show: a reader that
  // has gone must not kill the program with the broken pipe's signal.
  std::signal(SIGPIPE, SIG_IGN);
  QApplication application(argc, argv);
  modelcheck::StartDesktopProgram();
  application.exec();
  return modelcheck::EndDesktopProgram();
}
