// The desktop program's File menu and the habits around it: Ctrl+O ends the
// series' pass and opens the chooser, the folder and the geometry are
// remembered for the next start, refusals are shown where the user looks,
// save dialogs add the chosen type's suffix, and Ctrl+C without a selection
// copies the whole transcript.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <filesystem>

#include "apps/desktop/desktop_menus.h"
#include "apps/desktop/desktop_settings.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/window_layout.h"
#include "desktop_session.h"
#include "support/henon.h"
#include "support/program_session.h"

namespace modelcheck::testing {
namespace {

const std::string kHenon = MODELCHECK_EXAMPLES_DIR "/henon.txt";

bool RunFirstCheck(const std::string& series) {
  return ChooseFile(series) && Answer(" " + std::string(kQ1), "2000") && Answer(" " + std::string(kQ2), "2") &&
         Answer(" " + std::string(kEps), "0.05") && Answer(" " + std::string(kChange), "n") &&
         WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); });
}

TEST_F(DesktopProgramTest, OpenSeriesEndsThePassAndTheFolderAndGeometryAreRememberedForTheNextStart) {
  directory_.WriteFile("short.txt", "1.\n2.\n");
  directory_.WriteFile("series.txt", HenonSeries(3000));
  const std::string folder = std::filesystem::canonical(directory_.path()).string();
  // A refused file keeps the title, and says why in a box as well as in the dialogue.
  ASSERT_TRUE(ChooseFile(folder + "/short.txt"));
  QMessageBox* refusal = WaitForMessageBox();
  ASSERT_NE(refusal, nullptr);
  EXPECT_EQ(refusal->text().toStdString(),
            "The file \"" + folder + "/short.txt\" holds 2 values; a series needs at least 3.");
  EXPECT_FALSE(Windows().main->windowTitle().contains("short.txt"));
  refusal->accept();

  ASSERT_TRUE(RunFirstCheck(folder + "/series.txt"));
  EXPECT_EQ(Windows().main->windowTitle(), "modelcheck - series.txt");
  QAction* open = MenuItem("&Open Series...");
  ASSERT_NE(open, nullptr);
  EXPECT_EQ(open->shortcut(), QKeySequence(QKeySequence::Open));
  EXPECT_EQ(MenuItem("Save Picture &As...")->shortcut(), QKeySequence(QKeySequence::Save));
  // Ctrl+O at question 5): the pass ends as 8) y would, and the chooser opens.
  open->trigger();
  QFileDialog* chooser = WaitForFileDialog();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->directory().absolutePath().toStdString(), folder);
  // The transcript behind the chooser can still be scrolled and read.
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_NE(Report().find("!****************************************************!"), std::string::npos);

  Windows().main->showNormal();
  Windows().main->setGeometry(40, 30, 900, 600);
  const QByteArray geometry = Windows().main->saveGeometry();
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
  // What the next start reads.
  const QSettings settings("modelcheck", "modelcheck-gui");
  EXPECT_EQ(settings.value("places/series_folder").toString().toStdString(), folder);
  EXPECT_EQ(settings.value("window/geometry").toByteArray(), geometry);
  Windows().series_folder.clear();
  RestoreRememberedPlaces();
  EXPECT_EQ(Windows().series_folder.toStdString(), folder);
}

TEST_F(DesktopProgramTest, SavesAddTheTypesSuffixAndCopyWithoutASelectionTakesTheWholeText) {
  EXPECT_EQ(WithFilterSuffix("/tmp/picture", "SVG pictures (*.svg)"), "/tmp/picture.svg");
  EXPECT_EQ(WithFilterSuffix("/tmp/picture.pdf", "SVG pictures (*.svg)"), "/tmp/picture.pdf");
  EXPECT_EQ(WithFilterSuffix("/tmp/curves", "CSV tables (*.csv)"), "/tmp/curves.csv");

  // The Terminate question is wide enough for its whole title.
  QFileDialog* chooser = WaitForFileDialog();
  ASSERT_NE(chooser, nullptr);
  chooser->reject();
  QMessageBox* terminate = WaitForMessageBox();
  ASSERT_NE(terminate, nullptr);
  EXPECT_EQ(terminate->windowTitle(), "A File Must be Selected");
  // Alone, the box is as narrow as its text (about 60 pixels wider than the
  // title here): a window frame's buttons would cut the title.
  EXPECT_GT(terminate->width(), terminate->fontMetrics().horizontalAdvance(terminate->windowTitle()) + 100);
  terminate->button(QMessageBox::No)->click();

  ASSERT_TRUE(RunFirstCheck(kHenon));
  DialogueView& view = *Windows().dialogue;
  view.setFocus();
  QTextCursor none = view.textCursor();
  none.clearSelection();
  view.setTextCursor(none);
  QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), view.toPlainText());
  EXPECT_TRUE(QApplication::clipboard()->text().contains("Box size: eps = 0.05"));

  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// The area's visible part, and the current line of the dialogue in
// main-window coordinates.
QRect VisibleArea() {
  QWidget* viewport = Windows().area->viewport();
  return QRect(viewport->mapTo(Windows().main, QPoint(0, 0)), viewport->size());
}

QRect CurrentLine() {
  DialogueView& view = *Windows().dialogue;
  const QRect line = view.cursorRect();
  return QRect(view.viewport()->mapTo(Windows().main, line.topLeft()), line.size());
}

bool InView(const QMdiSubWindow& frame) {
  return VisibleArea().contains(QRect(frame.mapTo(Windows().main, QPoint(0, 0)), frame.size()));
}

// At any screen size and scale factor (this test runs at 1 and 2) the
// windows lie inside the area, the current question in view; Maximize stays
// on the window it was clicked on; Tile and Cascade keep the question in
// view and the picture readable.
TEST_F(DesktopProgramTest, TheWindowsFitTheAreaAndArrangingKeepsTheQuestionAndThePictureReadable) {
  ASSERT_TRUE(RunFirstCheck(kHenon));
  QApplication::processEvents();
  EXPECT_TRUE(InView(*Windows().dialogue_frame));
  EXPECT_TRUE(InView(*Windows().plot_frame));
  EXPECT_TRUE(VisibleArea().contains(CurrentLine())) << "the current question is out of view";

  Windows().plot_frame->showMaximized();
  ASSERT_TRUE(Answer(" " + std::string(kQ5), "n"));
  ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ6)); }));
  QApplication::processEvents();
  EXPECT_TRUE(Windows().plot_frame->isMaximized());
  EXPECT_FALSE(Windows().dialogue_frame->isMaximized());

  const QSize room = VisibleArea().size();
  const bool roomy = room.width() >= kSmallestPicture.width() + 200 && room.height() >= kSmallestPicture.height();
  for (QAction* arrange : {MenuItem("&Tile"), MenuItem("&Cascade")}) {
    SCOPED_TRACE(arrange->text().toStdString());
    arrange->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(InView(*Windows().dialogue_frame));
    EXPECT_TRUE(VisibleArea().contains(CurrentLine())) << "the current question is out of view";
    if (roomy) {
      EXPECT_GE(Windows().plot_frame->width(), kSmallestPicture.width());
      EXPECT_GE(Windows().plot_frame->height(), kSmallestPicture.height());
    }
  }
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

}  // namespace
}  // namespace modelcheck::testing
