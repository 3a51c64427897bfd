// The file chooser realised as the platform's file dialog, with a message
// box that offers to end the program when no file is chosen.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QMessageBox>
#include <QSortFilterProxyModel>
#include <QSpacerItem>
#include <optional>
#include <string>

#include "apps/desktop/desktop_front_end.h"
#include "apps/desktop/desktop_settings.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/program_link.h"
#include "apps/desktop/series_file_filter.h"
#include "apps/desktop/window_thread.h"
#include "text/readable_file.h"

namespace modelcheck {

namespace {

using Answer = std::function<void(std::optional<std::string>)>;

// The program's own output files in the working folder are not series to
// choose; everything else is listed as the name filter allows.
class WithoutOwnOutputs final : public QSortFilterProxyModel {
 protected:
  bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) return true;
    return !IsOwnOutputFile(files->fileInfo(files->index(row, 0, parent)));
  }
};

// While the chooser, its refusals or "Terminate Program?" are open there is
// no series pass for File > Open Series to end.
struct Choosing {
  Choosing() { Set(true); }
  ~Choosing() { Set(false); }
  Choosing(const Choosing&) = delete;
  Choosing& operator=(const Choosing&) = delete;
  static void Set(bool choosing) {
    std::lock_guard lock(Link().mutex);
    Link().choosing_file = choosing;
  }
};

// The dialog does not block the window thread: its answer comes back when
// the user closes it. An empty answer means the user cancelled.
void ShowFileDialog(Answer answer) {
  auto* dialog = new QFileDialog(Windows().main, "Open a time series file");
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  // Not modal: the transcript behind it can still be scrolled and read (it
  // says why the last file was refused). It stays above the main window.
  dialog->setWindowModality(Qt::NonModal);
  if (!Windows().series_folder.isEmpty()) dialog->setDirectory(Windows().series_folder);
  dialog->setNameFilters({"Time series (*.txt *.dat *.csv)", "All files (*)"});
  dialog->setProxyModel(new WithoutOwnOutputs);
  QObject::connect(dialog, &QFileDialog::finished, [dialog, answer](int result) {
    const QStringList files = dialog->selectedFiles();
    if (result == QDialog::Accepted && !files.isEmpty()) {
      answer(files.front().toStdString());
    } else {
      answer(std::nullopt);
    }
  });
  dialog->show();  // open() would make it window-modal
}

// A message box is as narrow as its text; one whose title is longer would
// show the title cut ("A File…ected"), so it is made wide enough for it.
void WidenForTitle(QMessageBox& box) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (grid == nullptr) return;
  // The title bar's buttons and margins take about this much beside the title.
  constexpr int kTitleBarRoom = 160;
  const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
  grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                grid->columnCount());
}

void AskTerminate(std::function<void(bool)> answer) {
  auto* box = new QMessageBox(QMessageBox::Question, "A File Must be Selected", "Terminate Program?",
                              QMessageBox::Yes | QMessageBox::No, Windows().main);
  WidenForTitle(*box);
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setDefaultButton(QMessageBox::No);
  QObject::connect(box, &QMessageBox::finished,
                   [box, answer](int) { answer(box->clickedButton() == box->button(QMessageBox::Yes)); });
  box->open();
}

enum class Decline { kTerminate, kChooseAgain, kWindowClosed };

Decline AskWhetherToEnd() {
  const std::optional<bool> terminate = AskWindows<bool>(&AskTerminate);
  if (!terminate) return Decline::kWindowClosed;
  if (!*terminate) return Decline::kChooseAgain;
  std::lock_guard lock(Link().mutex);
  Link().terminating = true;
  return Decline::kTerminate;
}

// Shows why a chosen file was refused in a box of its own, over the main
// window, and waits for it to be closed before the chooser opens again.
void ShowRefusal(const QString& why) {
  AskWindows<bool>([why](std::function<void(bool)> answer) {
    auto* box = new QMessageBox(QMessageBox::Warning, "Open a time series file", why, QMessageBox::Ok, Windows().main);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(box, &QMessageBox::finished, [answer](int) { answer(true); });
    box->open();
  });
}

}  // namespace

bool IsOwnOutputFile(const QFileInfo& file) {
  if (file.isDir() || file.absolutePath() != QDir::current().absolutePath()) return false;
  return QStringList{"report.txt", "neighbors.txt", "model-efficiency.png"}.contains(file.fileName());
}

FileChoice ChooseFileInDialog(DialogueWindow& window) {
  const Choosing choosing;
  for (;;) {
    const std::optional<std::optional<std::string>> chosen = AskWindows<std::optional<std::string>>(&ShowFileDialog);
    if (!chosen) return {.outcome = ChoiceOutcome::kEndOfInput, .path = {}};
    if (!*chosen) {
      const Decline decline = AskWhetherToEnd();
      if (decline == Decline::kTerminate) return {.outcome = ChoiceOutcome::kTerminate, .path = {}};
      if (decline == Decline::kWindowClosed) return {.outcome = ChoiceOutcome::kEndOfInput, .path = {}};
      continue;
    }
    const std::string problem = ReadableFileProblem(**chosen);
    if (problem.empty()) return {.outcome = ChoiceOutcome::kChosen, .path = **chosen};
    WriteDialogueLine(window, problem);
    ShowRefusal(QString::fromStdString(problem));
  }
}

void ShowFileRefusal(std::string_view why) {
  QString text = QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size()));
  while (text.endsWith('\n')) text.chop(1);
  ShowRefusal(text);
}

// The next file dialog opens where this series is, and the title names it.
void NameOpenedSeries(std::string_view path) {
  const QFileInfo info(QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size())));
  OnWindowThread([info] {
    Windows().series_folder = info.absolutePath();
    Windows().series_name = info.fileName();
    RememberSeriesFolder(info.absolutePath());
    if (Windows().main != nullptr) Windows().main->setWindowTitle(MainWindowTitle(false));
  });
}

}  // namespace modelcheck
