#include "apps/desktop/output_folder.h"

#include <QDir>
#include <QFileDialog>
#include <QTemporaryFile>
#include <functional>
#include <optional>

#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/window_thread.h"

namespace modelcheck {

namespace {

using Answer = std::function<void(std::optional<QString>)>;

void ShowFolderDialog(const QString& title, const Answer& answer) {
  auto* dialog = new QFileDialog(Windows().main, title);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::Directory);
  dialog->setOption(QFileDialog::ShowDirsOnly);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->setDirectory(QDir::homePath());
  QObject::connect(dialog, &QFileDialog::finished, [dialog, answer](int result) {
    const QStringList folders = dialog->selectedFiles();
    if (result == QDialog::Accepted && !folders.isEmpty()) {
      answer(folders.front());
    } else {
      answer(std::nullopt);
    }
  });
  dialog->open();
}

}  // namespace

bool CanWriteIn(const QString& folder) {
  if (folder.isEmpty()) return false;
  QTemporaryFile probe(QDir(folder).filePath(".modelcheck-XXXXXX"));
  return probe.open();  // and removed again as it goes
}

void ChooseWritableWorkingFolder() {
  const QString started_in = QDir::currentPath();
  if (CanWriteIn(started_in)) return;
  QString title = "The working folder cannot be written: choose a folder for report.txt and neighbors.txt";
  for (;;) {
    const auto chosen =
        AskWindows<std::optional<QString>>([title](const Answer& answer) { ShowFolderDialog(title, answer); });
    if (!chosen || !*chosen) return;
    if (CanWriteIn(**chosen) && QDir::setCurrent(**chosen)) break;
    title = "That folder cannot be written either: choose a folder for report.txt and neighbors.txt";
  }
  // The series are still looked for where the program was started.
  OnWindowThread([started_in] {
    if (Windows().series_folder.isEmpty() && QDir(started_in).exists()) Windows().series_folder = started_in;
  });
}

}  // namespace modelcheck
