// Drives the desktop program in this process as a user would: waits for its
// windows, picks files in its file dialog, types answers into the dialogue
// window, and reads back what the windows show. Qt runs on its offscreen
// platform, so no display is needed.
//
// One desktop session per process: the program's run state lives for the
// whole process, as it does in the real program. CTest runs every test in a
// process of its own.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QAction;
class QFileDialog;
class QMessageBox;

namespace modelcheck::testing {

// Processes window events until `done` holds; false after `seconds`.
bool WaitFor(const std::function<bool()>& done, double seconds = 30.0);

// The visible file dialog or message box, once one is shown; null after a wait.
QFileDialog* WaitForFileDialog();
QMessageBox* WaitForMessageBox();

// Chooses `path` in the file dialog.
bool ChooseFile(const std::string& path);

// The whole text of the dialogue window.
std::string DialogueText();

// Waits until the dialogue window ends with `prompt`, then types `answer`
// and Enter into it, key by key.
bool Answer(const std::string& prompt, const std::string& answer);

// The main window's menu item or action with `text` ("&Tile"); null if none.
QAction* MenuItem(const QString& text);

// Closes the main window as its close button would.
void CloseMainWindow();

// The main window's title, e.g. to see that the program has finished.
QString MainWindowTitle();

}  // namespace modelcheck::testing
