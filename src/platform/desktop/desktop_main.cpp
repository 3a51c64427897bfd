// The desktop program: the dialogue and the plots in windows of their own.
#include <QApplication>

#include "platform/desktop/desktop_program.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  modelcheck::StartDesktopProgram();
  application.exec();
  return modelcheck::EndDesktopProgram();
}
