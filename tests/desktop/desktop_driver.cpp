#include "desktop_driver.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"

namespace modelcheck::testing {

namespace {

template <typename Widget>
Widget* VisibleTopLevel() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* found = qobject_cast<Widget*>(widget); found != nullptr && found->isVisible()) return found;
  }
  return nullptr;
}

template <typename Widget>
Widget* WaitForTopLevel() {
  Widget* found = nullptr;
  WaitFor([&] { return (found = VisibleTopLevel<Widget>()) != nullptr; });
  return found;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

QFileDialog* WaitForFileDialog() { return WaitForTopLevel<QFileDialog>(); }

QMessageBox* WaitForMessageBox() { return WaitForTopLevel<QMessageBox>(); }

bool ChooseFile(const std::string& path) {
  QFileDialog* dialog = WaitForFileDialog();
  if (dialog == nullptr) return false;
  // Typed into the dialog's file name field and confirmed with Enter.
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  if (name == nullptr) return false;
  name->clear();
  QTest::keyClicks(name, QString::fromStdString(path));
  QTest::keyClick(name, Qt::Key_Return);
  return true;
}

std::string DialogueText() {
  DialogueView* view = Windows().dialogue;
  return view == nullptr ? std::string() : view->toPlainText().toStdString();
}

bool Answer(const std::string& prompt, const std::string& answer) {
  if (!WaitFor([&] { return EndsWith(DialogueText(), prompt); })) return false;
  DialogueView* view = Windows().dialogue;
  QTest::keyClicks(view, QString::fromStdString(answer));
  QTest::keyClick(view, Qt::Key_Return);
  return true;
}

QAction* MenuItem(const QString& text) {
  if (Windows().main == nullptr) return nullptr;
  for (QAction* action : Windows().main->findChildren<QAction*>()) {
    if (action->text() == text) return action;
  }
  return nullptr;
}

void CloseMainWindow() {
  if (Windows().main != nullptr) Windows().main->close();
}

QString MainWindowTitle() { return Windows().main == nullptr ? QString() : Windows().main->windowTitle(); }

}  // namespace modelcheck::testing
