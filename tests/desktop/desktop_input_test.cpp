// Typing in the desktop program: answers reach the dialogue wherever the
// keyboard focus went, whether the Input Window is minimised or another
// window has just come to the front; quitting during a check asks first (No
// goes on, Yes stops the check and keeps the report); Ctrl+Q when idle quits
// at once and in a dialog crashes nothing; a working folder that cannot be
// written is replaced once; and the file chooser lists series files, not the
// program's own outputs.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>

#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/picture_view.h"
#include "apps/desktop/series_file_filter.h"
#include "desktop_session.h"
#include "support/henon.h"
#include "support/program_session.h"
#include "support/sanitizer.h"

namespace modelcheck::testing {
namespace {

const std::string kHenon = MODELCHECK_EXAMPLES_DIR "/henon.txt";

void Settle() {
  for (int i = 0; i < 10; ++i) QApplication::processEvents();
}

// Types `answer` and Enter into whatever has the keyboard focus, then waits for `next`.
bool TypeWhereverTheFocusIs(const std::string& answer, std::string_view next) {
  QWidget* focus = QApplication::focusWidget();
  if (focus == nullptr) return false;
  QTest::keyClicks(focus, QString::fromStdString(answer));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  return WaitFor([next] { return DialogueText().ends_with(std::string(next)); });
}

bool StartCheck(const std::string& path, const std::string& Ntrain, const std::string& eps) {
  return ChooseFile(path) && Answer(" " + std::string(kQ1), Ntrain) && Answer(" " + std::string(kQ2), "2") &&
         Answer(" " + std::string(kEps), eps) && Answer(" " + std::string(kChange), "n");
}

TEST_F(DesktopProgramTest, AnswersReachTheDialogueWhereverTheFocusWent) {
  ASSERT_TRUE(StartCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }));
  QApplication::setActiveWindow(Windows().main);
  QWidget* dialogue = Windows().dialogue;

  Windows().plot->setFocus();  // a click on the plot window
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), dialogue);
  ASSERT_TRUE(TypeWhereverTheFocusIs("n", kQ6));

  Windows().main->menuBar()->setFocus();  // a menu closed with Escape
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), dialogue);
  ASSERT_TRUE(TypeWhereverTheFocusIs("n", kQ7));

  MenuItem("&Tile")->trigger();
  Settle();
  EXPECT_EQ(QApplication::focusWidget(), dialogue);
  ASSERT_TRUE(TypeWhereverTheFocusIs("n", kQ8));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// A gate the check waits at on its first progress report, so that the test
// acts while a check runs however fast the machine computes it.
class CheckGate {
 public:
  void Pass() {
    std::unique_lock lock(mutex_);
    reached_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return open_; });
  }

  void Open() {
    {
      const std::lock_guard lock(mutex_);
      open_ = true;
    }
    changed_.notify_all();
  }

  bool Reached() {
    const std::lock_guard lock(mutex_);
    return reached_;
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  bool open_ = false;
  bool reached_ = false;
};

class QuitDuringCheckTest : public DesktopProgramTest {
 protected:
  // Large boxes on enough values that a check reports progress at least once.
  static constexpr int kCheckSeries = 20000;

  static std::string CheckNtrain() { return std::to_string(kCheckSeries - 200); }

  void TearDown() override { gate_->Open(); }  // never leaves the program's thread waiting

  void AdaptFrontEnd(FrontEnd& front_end) override {
    front_end.check_progress = [report = front_end.check_progress, gate = gate_] {
      return [progress = report(), gate](const CheckProgress& now) {
        gate->Pass();
        return progress(now);
      };
    };
  }

  // Starts the check and holds it at the gate.
  bool StartHeldCheck() {
    directory_.WriteFile("long.txt", HenonSeries(kCheckSeries));
    return StartCheck((directory_.path() / "long.txt").string(), CheckNtrain(), "0.2") &&
           WaitFor([] { return Windows().main->statusBar()->currentMessage().startsWith("Model check:"); }) &&
           WaitFor([this] { return gate_->Reached(); });
  }

  static QMessageBox* CloseAndWaitForTheQuestion() {
    CloseMainWindow();
    QMessageBox* box = WaitForMessageBox();
    if (box != nullptr) {
      EXPECT_EQ(box->text(), "A model check is running. Stop it and quit?");
    }
    return box;
  }

  std::shared_ptr<CheckGate> gate_ = std::make_shared<CheckGate>();
};

TEST_F(QuitDuringCheckTest, NoLetsTheCheckGoOn) {
  ASSERT_TRUE(StartHeldCheck());
  EXPECT_NE(QApplication::overrideCursor(), nullptr);
  QMessageBox* box = CloseAndWaitForTheQuestion();
  ASSERT_NE(box, nullptr);
  QTest::keyClick(box, Qt::Key_Q, Qt::ControlModifier);  // asks nothing more, crashes nothing
  Settle();
  box->button(QMessageBox::No)->click();
  gate_->Open();
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }, 120.0));
  EXPECT_TRUE(Windows().main->isVisible());
  EXPECT_NE(Report().find(" Prediction time (direct method):"), std::string::npos);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  CloseMainWindow();  // no check runs: no question
  EXPECT_EQ(Ended(), 0);
}

TEST_F(QuitDuringCheckTest, YesStopsTheCheckAndKeepsEveryCompleteLine) {
  ASSERT_TRUE(StartHeldCheck());
  QMessageBox* box = CloseAndWaitForTheQuestion();
  ASSERT_NE(box, nullptr);
  box->button(QMessageBox::Yes)->click();
  gate_->Open();
  EXPECT_EQ(Ended(), 0);
  const std::string report = Report();
  EXPECT_NE(report.find(" Box size: eps =   0.20000\n"), std::string::npos) << report;
  EXPECT_EQ(report.find("One-step"), std::string::npos) << report;
  EXPECT_TRUE(report.ends_with("\n"));
}

// Nothing is left to stop once the check ends: the question goes by itself
// and the program goes on. File > Open Series during a check waits for its end.
TEST_F(QuitDuringCheckTest, TheQuestionGoesWhenTheCheckEndsAndOpenSeriesWaitsForIt) {
  ASSERT_TRUE(StartHeldCheck());
  const QPointer<QMessageBox> box = CloseAndWaitForTheQuestion();
  ASSERT_NE(box, nullptr);
  MenuItem("&Open Series...")->trigger();
  EXPECT_TRUE(Windows().main->statusBar()->currentMessage().contains("when this model check ends"));
  gate_->Open();
  ASSERT_TRUE(WaitFor([&] { return box == nullptr || !box->isVisible(); }, 120.0));
  EXPECT_TRUE(Windows().main->isVisible());
  // The check ended; the pass ends with it and the chooser opens.
  ASSERT_NE(WaitForFileDialog(), nullptr);
  EXPECT_NE(Report().find(" Prediction time (direct method):"), std::string::npos);
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// What the console shows for `answers` typed into it from a file.
std::string ConsoleTranscript(const std::filesystem::path& folder, const std::vector<std::string>& answers) {
  std::string typed;
  for (const std::string& answer : answers) typed += answer + "\n";
  std::ofstream(folder / "typed.txt") << typed;
  const std::string command =
      "cd '" + folder.string() + "' && timeout 120 '" MODELCHECK_PROGRAM "' < typed.txt > transcript.txt";
  EXPECT_EQ(std::system(command.c_str()), 0);
  const std::string transcript = ReadText(folder / "transcript.txt");
  return transcript.substr(transcript.find('\n') + 1);  // the file chooser's line
}

TEST_F(QuitDuringCheckTest, AnswersTypedAheadDuringACheckLeaveTheConsolesTranscript) {
  const WorkDirectory console;
  std::filesystem::copy_file(MODELCHECK_EXAMPLES_DIR "/henon.txt", console.path() / "henon.txt");
  ASSERT_TRUE(StartHeldCheck());
  std::filesystem::copy_file(directory_.path() / "long.txt", console.path() / "long.txt");
  // While the check runs: "n" to questions 5) to 8), typed at once.
  for (int i = 0; i < 4; ++i) {
    QTest::keyClicks(Windows().dialogue, "n");
    QTest::keyClick(Windows().dialogue, Qt::Key_Return);
  }
  EXPECT_GE(Windows().dialogue->WaitingLines(), 1);
  gate_->Open();
  ASSERT_TRUE(WaitFor([] { return MainWindowTitle().endsWith("[Finished]"); }, 120.0));
  EXPECT_EQ(DialogueText(),
            ConsoleTranscript(console.path(), {"long.txt", CheckNtrain(), "2", "0.2", "n", "n", "n", "n", "n"}));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, TheInputWindowStaysOpenAndAClosedPlotWindowComesBack) {
  ASSERT_TRUE(StartCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }));
  Windows().dialogue_frame->close();  // its close button
  Settle();
  EXPECT_TRUE(Windows().dialogue_frame->isVisible());
  Windows().plot_frame->close();
  Settle();
  ASSERT_FALSE(Windows().plot_frame->isVisible());
  MenuItem("&Model efficiency")->trigger();
  Settle();
  EXPECT_TRUE(Windows().plot_frame->isVisible());
  EXPECT_FALSE(Windows().picture.isNull());
  ASSERT_TRUE(Answer(" " + std::string(kQ5), "n"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, CtrlQWhenIdleQuitsAtOnce) {
  ASSERT_TRUE(ChooseFile(kHenon));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ1)); }));
  QApplication::setActiveWindow(Windows().main);
  QTest::keyClick(Windows().main, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(Ended(), 0);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Types `text` key by key as the window system delivers it: to whatever
// has the keyboard focus at that moment, or to the active window.
void TypeAsDelivered(const QString& text) {
  for (const QChar character : text) {
    QWidget* target =
        QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : QApplication::activeWindow();
    ASSERT_NE(target, nullptr);
    if (character == '\n') {
      QTest::keyClick(target, Qt::Key_Return);
    } else {
      QTest::keyClicks(target, QString(character));
    }
  }
}

TEST_F(DesktopProgramTest, TypingIntoAMinimisedInputWindowRestoresIt) {
  ASSERT_TRUE(StartCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }));
  QApplication::setActiveWindow(Windows().main);
  Windows().dialogue_frame->showMinimized();
  Settle();
  TypeAsDelivered("n\n");
  EXPECT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  EXPECT_FALSE(Windows().dialogue_frame->isMinimized());
  EXPECT_EQ(QApplication::focusWidget(), Windows().dialogue.data());
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// The plot window comes to the front as a check is drawn and holds the focus
// for a moment; a key typed in that moment still answers its question.
TEST_F(DesktopProgramTest, NoKeyIsLostWhenThePlotWindowComesToTheFront) {
  ASSERT_TRUE(ChooseFile(kHenon));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ1)); }));
  QApplication::setActiveWindow(Windows().main);
  bool typed = false;
  const QMetaObject::Connection watch =
      QObject::connect(qApp, &QApplication::focusChanged, [&typed](QWidget*, QWidget* now) {
        if (typed || now == nullptr || Windows().plot_frame == nullptr || !Windows().plot_frame->isAncestorOf(now))
          return;
        typed = true;
        TypeAsDelivered("n\n");
      });
  ASSERT_TRUE(Answer(" " + std::string(kQ1), "2000") && Answer(" " + std::string(kQ2), "2") &&
              Answer(" " + std::string(kEps), "0.05") && Answer(" " + std::string(kChange), "n"));
  EXPECT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  EXPECT_TRUE(typed);
  QObject::disconnect(watch);
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// Presses Ctrl+Q where the keyboard focus is in the dialog that `item`
// opens (it runs its own event loop), then closes the dialog. False if no
// dialog came.
bool CtrlQInTheDialogOf(const QString& item) {
  QAction* action = MenuItem(item);
  if (action == nullptr) return false;
  auto pressed = std::make_shared<bool>(false);
  auto done = std::make_shared<bool>(false);
  QTimer::singleShot(0, [pressed, done] {
    QWidget* dialog = nullptr;
    if (WaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }, 10.0)) {
      QApplication::setActiveWindow(dialog);  // as the window system does once it is shown
      Settle();
      QWidget* focus = QApplication::focusWidget();
      QTest::keyClick(focus != nullptr ? focus : dialog, Qt::Key_Q, Qt::ControlModifier);
      Settle();
      *pressed = true;
      dialog->close();
    }
    *done = true;
  });
  action->trigger();
  return WaitFor([done] { return *done; }) && *pressed;
}

TEST_F(DesktopProgramTest, CtrlQInAnyDialogLeavesTheProgramRunning) {
  QFileDialog* chooser = WaitForFileDialog();
  ASSERT_NE(chooser, nullptr);
  QApplication::setActiveWindow(chooser);
  Settle();
  QTest::keyClick(chooser->focusWidget() != nullptr ? chooser->focusWidget() : chooser, Qt::Key_Q, Qt::ControlModifier);
  Settle();
  ASSERT_TRUE(StartCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }));
  for (const char* item : {"Save &Curves...", "Save Picture &As...", "&About modelcheck"}) {
    EXPECT_TRUE(CtrlQInTheDialogOf(item)) << item;
    EXPECT_TRUE(Windows().main->isVisible()) << item;
  }
  ASSERT_TRUE(Answer(" " + std::string(kQ5), "n"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  QApplication::setActiveWindow(Windows().main);
  QTest::keyClick(Windows().main, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(Ended(), 0);
}

// Started in a folder where nothing can be written (one that is gone: a
// read-only folder does not stop an administrator).
class UnwritableFolderTest : public DesktopProgramTest {
 protected:
  void EnterWorkingFolder() override {
    const std::filesystem::path gone = directory_.path() / "gone";
    std::filesystem::create_directory(gone);
    std::filesystem::current_path(gone);
    std::filesystem::remove(gone);
  }
};

TEST_F(UnwritableFolderTest, AFolderIsAskedForOnceAndEveryCheckIsKeptThere) {
  QFileDialog* ask = WaitForFileDialog();
  ASSERT_NE(ask, nullptr);
  EXPECT_TRUE(ask->windowTitle().contains("report.txt")) << ask->windowTitle().toStdString();
  const std::filesystem::path out = directory_.path() / "out";
  std::filesystem::create_directory(out);
  ASSERT_TRUE(ChooseFile(out.string()));
  ASSERT_TRUE(StartCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(Answer(" " + std::string(kQ5), "y"));  // the same check again
  ASSERT_TRUE(Answer(" " + std::string(kChange), "n"));
  ASSERT_TRUE(Answer(" " + std::string(kQ5), "n"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  const std::string report = ReadText(out / "report.txt");
  size_t checks = 0;
  for (size_t at = report.find("Prediction time (direct"); at != std::string::npos;
       at = report.find("Prediction time (direct", at + 1))
    ++checks;
  EXPECT_EQ(checks, 2U) << report;
  EXPECT_TRUE(std::filesystem::exists(out / "neighbors.txt"));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, TheChooserListsSeriesFilesFirstAndHidesTheProgramsOutputs) {
  QFileDialog* chooser = WaitForFileDialog();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->nameFilters(), (QStringList{"Time series (*.txt *.dat *.csv)", "All files (*)"}));
  EXPECT_NE(chooser->proxyModel(), nullptr);
  const QDir here = QDir::current();
  for (const char* name : {"report.txt", "neighbors.txt", "model-efficiency.png"})
    EXPECT_TRUE(IsOwnOutputFile(QFileInfo(here, name))) << name;
  EXPECT_FALSE(IsOwnOutputFile(QFileInfo(here, "series.txt")));
  // A series that happens to be called report.txt elsewhere is still a series.
  EXPECT_FALSE(IsOwnOutputFile(QFileInfo(QString(MODELCHECK_EXAMPLES_DIR) + "/report.txt")));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

}  // namespace
}  // namespace modelcheck::testing
