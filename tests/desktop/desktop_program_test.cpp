// The desktop program end to end: a whole session typed into its windows
// against the console program, the file chooser's way out, closing the main
// window in the middle of the dialogue, and a stop by the numerical core.
#include "apps/desktop/desktop_program.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QFileDialog>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../plots/png_reader.h"
#include "apps/desktop/desktop_menus.h"
#include "apps/desktop/desktop_windows.h"
#include "desktop_driver.h"
#include "desktop_session.h"
#include "support/program_session.h"
#include "support/singular_fit_case.h"

namespace modelcheck::testing {
namespace {

namespace fs = std::filesystem;

const std::string kHenon = MODELCHECK_EXAMPLES_DIR "/henon.txt";

struct Typed {
  std::string_view prompt;
  std::string answer;
};

// The example session: one model check with the start values, then out.
const std::vector<Typed> kExampleAnswers = {
    {kQ1, "2000"}, {kQ2, "2"}, {kEps, "0.05"}, {kChange, "n"}, {kQ5, "n"}, {kQ6, "n"}, {kQ7, "n"}, {kQ8, "n"},
};

// What the console program shows and writes for the same answers.
struct ConsoleRun {
  std::string transcript, report;
  std::vector<std::uint8_t> picture_bytes;
  DecodedImage picture;
};

ConsoleRun RunConsole(const std::string& series, const std::vector<Typed>& answers) {
  WorkDirectory directory;
  std::string typed = series + "\n";
  for (const Typed& step : answers) typed += step.answer + "\n";
  directory.WriteFile("typed.txt", typed);
  const std::string command =
      "cd '" + directory.path().string() + "' && timeout 60 '" MODELCHECK_PROGRAM "' < typed.txt > transcript.txt";
  EXPECT_EQ(std::system(command.c_str()), 0);
  ConsoleRun run{.transcript = ReadText(directory.path() / "transcript.txt"),
                 .report = ReadText(directory.path() / "report.txt"),
                 .picture_bytes = ReadBytes(directory.path() / "model-efficiency.png"),
                 .picture = {}};
  run.picture = DecodeIndexedPng(run.picture_bytes);
  return run;
}

std::string WithoutFirstLine(const std::string& text) { return text.substr(text.find('\n') + 1); }

bool Finished() { return MainWindowTitle().endsWith("[Finished]"); }

QStringList MenuTitles() {
  QStringList titles;
  for (const QAction* menu : Windows().main->menuBar()->actions()) titles.push_back(menu->text());
  return titles;
}

TEST_F(DesktopProgramTest, AWholeSessionShowsAndWritesWhatTheConsoleDoes) {
  const ConsoleRun console = RunConsole(kHenon, kExampleAnswers);
  // The start-up hook has maximised the main window and taken its first menu.
  EXPECT_TRUE(Windows().main->windowState() & Qt::WindowMaximized);
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Edit", "&Picture", "&Window", "&Help"}));
  ASSERT_TRUE(ChooseFile(kHenon));
  for (const Typed& step : kExampleAnswers) ASSERT_TRUE(Answer(" " + std::string(step.prompt), step.answer));
  ASSERT_TRUE(WaitFor(&Finished));

  EXPECT_EQ(DialogueText(), WithoutFirstLine(console.transcript));
  EXPECT_EQ(Report(), console.report);
  ASSERT_TRUE(console.picture.ok) << console.picture.problem;
  const QImage& shown = Windows().picture;
  ASSERT_EQ(shown.format(), QImage::Format_Indexed8);
  ASSERT_EQ(shown.width(), console.picture.width);
  ASSERT_EQ(shown.height(), console.picture.height);
  for (int y = 0; y < shown.height(); ++y) {
    const uchar* row = shown.constScanLine(y);
    const auto* expected = console.picture.indices.data() + static_cast<std::size_t>(y) * shown.width();
    ASSERT_TRUE(std::equal(row, row + shown.width(), expected)) << "picture row " << y << " differs";
  }
  // Saved from the menu, the picture is the very file the console writes.
  const fs::path saved = directory_.path() / "saved.png";
  EXPECT_EQ(SavePicture(shown, QString::fromStdString(saved.string())), QString());
  EXPECT_EQ(ReadBytes(saved.string()), console.picture_bytes);
  // The two child windows stand side by side.
  EXPECT_LT(Windows().dialogue_frame->geometry().right(), Windows().plot_frame->geometry().left());

  // The finished program leaves its windows until the user closes them.
  EXPECT_TRUE(Windows().main->isVisible());
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, DecliningToChooseAFileOffersToEndTheProgram) {
  ASSERT_NE(WaitForFileDialog(), nullptr);
  WaitForFileDialog()->reject();
  QMessageBox* box = WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->windowTitle(), "A File Must be Selected");
  EXPECT_EQ(box->text(), "Terminate Program?");
  box->button(QMessageBox::No)->click();

  // No: the chooser again. Yes: the program and its windows are gone.
  ASSERT_NE(WaitForFileDialog(), nullptr);
  WaitForFileDialog()->reject();
  box = WaitForMessageBox();
  ASSERT_NE(box, nullptr);
  box->button(QMessageBox::Yes)->click();
  EXPECT_EQ(Ended(), 0);
  EXPECT_FALSE(fs::exists(directory_.path() / "report.txt"));
}

TEST_F(DesktopProgramTest, AnotherSeriesStartsInAClearedDialogueWindow) {
  ASSERT_TRUE(ChooseFile(kHenon));
  const std::vector<Typed> answers = {{kQ1, "2000"}, {kQ2, "2"}, {kEps, "0.05"}, {kChange, "n"},
                                      {kQ5, "n"},    {kQ6, "n"}, {kQ7, "n"},     {kQ8, "y"}};
  for (const Typed& step : answers) ASSERT_TRUE(Answer(" " + std::string(step.prompt), step.answer));
  ASSERT_TRUE(ChooseFile(kHenon));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ1)); }));
  EXPECT_EQ(DialogueText(), " The time series contains  3000 values\n " + std::string(kQ1));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
  EXPECT_TRUE(Report().ends_with(std::string(kBanner) + "\n\n"));
}

TEST_F(DesktopProgramTest, ClosingTheMainWindowMidDialogueEndsAtOnceAndKeepsTheReport) {
  ASSERT_TRUE(ChooseFile(kHenon));
  ASSERT_TRUE(Answer(" " + std::string(kQ1), "2000"));
  ASSERT_TRUE(Answer(" " + std::string(kQ2), "2"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kEps)); }));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
  // Every line written is there; no closing banner, as the series pass never ended.
  EXPECT_EQ(Report(), " The number of values in a training time series: Ntrain =   2000\n\n");
}

TEST_F(DesktopProgramTest, AStopByTheNumericalCoreLeavesItsMessageOnScreen) {
  directory_.WriteFile("series.txt", testing::kSingularFitSeries);
  ASSERT_TRUE(ChooseFile((directory_.path() / "series.txt").string()));
  const std::vector<Typed> answers = {{kQ1, "10"}, {kQ2, "1"}, {kEps, "0.5"}, {kLtest, "2"}, {kKtest, "1"}};
  for (const Typed& step : answers) ASSERT_TRUE(Answer(" " + std::string(step.prompt), step.answer));
  ASSERT_TRUE(WaitFor(&Finished));

  const std::string text = DialogueText();
  EXPECT_NE(text.find(" Prediction time (iterative method):      0\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"),
            std::string::npos)
      << text;
  EXPECT_TRUE(Windows().main->isVisible());
  EXPECT_EQ(Report(), testing::kSingularFitReport);
  CloseMainWindow();
  EXPECT_EQ(Ended(), 1);
}

// The orbit's first fit is exactly singular: the check stops right after the
// plot set-up, within the window's repaint interval, and the window must still
// show the frames that were drawn, not the cleared window it last repainted.
TEST_F(DesktopProgramTest, AStopKeepsThePictureAsFarAsItWasDrawn) {
  directory_.WriteFile("series.txt", "0\n0.2\n0\n0.3\n0.4\n0.5\n0.6\n0.7\n0.8\n0.9\n0.95\n0.99\n0\n0.45\n0.55\n");
  ASSERT_TRUE(ChooseFile((directory_.path() / "series.txt").string()));
  const std::vector<Typed> answers = {{kQ1, "12"}, {kQ2, "1"}, {kEps, "0.005"}, {kLtest, "2"}, {kKtest, "1"}};
  for (const Typed& step : answers) ASSERT_TRUE(Answer(" " + std::string(step.prompt), step.answer));
  ASSERT_TRUE(WaitFor(&Finished));
  ASSERT_NE(DialogueText().find(" *** FATAL    ERROR 1 from DLQRSL."), std::string::npos) << DialogueText();
  const QImage& shown = Windows().picture;
  ASSERT_FALSE(shown.isNull());
  // Corners of the first and the last frame, drawn in black.
  EXPECT_EQ(shown.pixelIndex(35, 50), 0);
  EXPECT_EQ(shown.pixelIndex(725, 550), 0);
  CloseMainWindow();
  EXPECT_EQ(Ended(), 1);
}

}  // namespace
}  // namespace modelcheck::testing
