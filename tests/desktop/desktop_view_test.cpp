// The desktop program's windows as researchers use them: the whole picture
// in view at any window size, a plot window that stays where it is put,
// progress and the values read on the status line, the curves as CSV, the
// keyboard shortcuts, and the file chooser and title that follow the series.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSet>
#include <QStatusBar>
#include <QTest>
#include <QXmlStreamReader>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/desktop/desktop_menus.h"
#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/picture_view.h"
#include "desktop_session.h"
#include "support/henon.h"
#include "support/program_session.h"
#include "support/sanitizer.h"

namespace modelcheck::testing {
namespace {

const std::string kHenon = MODELCHECK_EXAMPLES_DIR "/henon.txt";

// Answers up to the first check's question 5).
bool RunFirstCheck(const std::string& series, const std::string& Ntrain, const std::string& eps) {
  return ChooseFile(series) && Answer(" " + std::string(kQ1), Ntrain) && Answer(" " + std::string(kQ2), "2") &&
         Answer(" " + std::string(kEps), eps) && Answer(" " + std::string(kChange), "n") &&
         WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); });
}

void Settle() {
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

QAction* ActionWithShortcut(const QKeySequence& keys) {
  for (QAction* action : Windows().main->findChildren<QAction*>()) {
    if (action->shortcut() == keys) return action;
  }
  return nullptr;
}

TEST_F(DesktopProgramTest, ThePictureIsScaledIntoSmallAndLargeWindowsOrShownAtActualSize) {
  ASSERT_TRUE(RunFirstCheck(kHenon, "2000", "0.05"));
  PictureView& view = *Windows().plot;
  QMdiSubWindow& frame = *Windows().plot_frame;
  // Room for the large window: child windows stay inside the main window's area.
  Windows().main->showNormal();
  Windows().main->resize(1600, 1200);
  Settle();
  for (const QSize size : {QSize(360, 300), QSize(1400, 900)}) {
    frame.resize(size);
    Settle();
    const QRect shown = view.pictureRect();
    SCOPED_TRACE(size.width());
    // Whole, inside the window, with the raster's 4:3 aspect.
    EXPECT_TRUE(view.rect().contains(shown));
    EXPECT_NEAR(shown.width() * 3.0, shown.height() * 4.0, 4.0);
    EXPECT_TRUE(shown.width() == view.width() || shown.height() == view.height());
  }
  EXPECT_GT(view.pictureRect().width(), 800);
  // Scaled, the finished check is drawn again from its record, sharp; at 100 % it is the raster.
  EXPECT_TRUE(view.showsRecordedPicture());
  QAction* actual = MenuItem("&Actual Size (100 %)");
  ASSERT_NE(actual, nullptr);
  frame.resize(360, 300);
  actual->trigger();
  Settle();
  EXPECT_EQ(view.size(), QSize(800, 600));
  EXPECT_FALSE(view.showsRecordedPicture());
  EXPECT_TRUE(Windows().plot_area->horizontalScrollBar()->isVisible());
  actual->trigger();
  Settle();
  EXPECT_LT(view.width(), 360);
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, APlotWindowMovedAndResizedKeepsItsGeometryAcrossChecks) {
  ASSERT_TRUE(RunFirstCheck(kHenon, "2000", "0.05"));
  // Placed first beside the dialogue, as large as the area leaves.
  EXPECT_LT(Windows().dialogue_frame->geometry().right(), Windows().plot_frame->geometry().left());
  const QRect moved(120, 40, 520, 410);
  Windows().plot_frame->setGeometry(moved);
  for (int check = 0; check < 2; ++check) {
    ASSERT_TRUE(Answer(" " + std::string(kQ5), "y"));
    ASSERT_TRUE(Answer(" " + std::string(kChange), "n"));
    ASSERT_TRUE(WaitFor([] { return DialogueText().ends_with(std::string(kQ5)); }));
    Settle();
    EXPECT_EQ(Windows().plot_frame->geometry(), moved) << "after check " << check + 2;
  }
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

TEST_F(DesktopProgramTest, TheStatusLineFollowsALongCheck) {
  // 10^6 values, or 10^5 where the sanitizers slow every step down many times.
  const int count = kAddressSanitizer ? 100000 : 1000000;
  const std::string Ntrain = std::to_string(count - 200);
  directory_.WriteFile("long.txt", HenonSeries(count));
  const std::string path = (directory_.path() / "long.txt").string();
  ASSERT_TRUE(ChooseFile(path));
  EXPECT_TRUE(WaitFor([] { return Windows().main->windowTitle() == "modelcheck - long.txt"; }));
  ASSERT_TRUE(Answer(" " + std::string(kQ1), Ntrain));
  ASSERT_TRUE(WaitFor([&] { return Windows().answer_read->text().toStdString() == "Read as Ntrain = " + Ntrain; }));
  ASSERT_TRUE(Answer(" " + std::string(kQ2), "2"));
  ASSERT_TRUE(Answer(" " + std::string(kEps), "0.05"));
  ASSERT_TRUE(Answer(" " + std::string(kChange), "n"));
  QSet<QString> seen;
  ASSERT_TRUE(WaitFor(
      [&] {
        seen.insert(Windows().main->statusBar()->currentMessage());
        return DialogueText().ends_with(std::string(kQ5));
      },
      120.0));
  EXPECT_TRUE(seen.contains("Model check: model orbit"));
  bool pieces = false;
  for (const QString& message : seen) pieces = pieces || message.contains(" of 100");
  EXPECT_TRUE(pieces) << QStringList(seen.values()).join(" | ").toStdString();
  EXPECT_EQ(Windows().answer_read->text(), "Read as eps = 5.0000E-02");
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

std::vector<std::string> CsvLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

int FilledColumn(const std::vector<std::string>& lines, int column) {
  int filled = 0;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields(1);
    for (const char c : lines[i]) {
      if (c == ',') {
        fields.emplace_back();
      } else {
        fields.back().push_back(c);
      }
    }
    filled += static_cast<int>(fields.size() > static_cast<std::size_t>(column) && !fields[column].empty());
  }
  return filled;
}

TEST_F(DesktopProgramTest, TheCurvesAreSavedAsACsvTableAndTheShortcutsAct) {
  EXPECT_FALSE(SaveCurves("none.csv").isEmpty());
  ASSERT_TRUE(RunFirstCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return Windows().last_picture.has_value(); }));
  const std::string path = (directory_.path() / "curves.csv").string();
  ASSERT_EQ(SaveCurves(QString::fromStdString(path)), QString());
  const std::vector<std::string> lines = CsvLines(ReadText(path));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0],
            "index,iterative_error,direct_error,iterative_prediction,direct_prediction,orbit_newest,orbit_prediction,"
            "measured_value,measured_orbit_newest,measured_orbit_next");
  for (const int column : {1, 2, 3, 4, 7}) EXPECT_EQ(FilledColumn(lines, column), 30) << "column " << column;
  EXPECT_EQ(FilledColumn(lines, 5), 130);
  // The measured phase orbit: every pair of the test segment (Ltest + Ktest + D - 1 values).
  EXPECT_EQ(FilledColumn(lines, 8), 130);
  EXPECT_EQ(FilledColumn(lines, 9), 130);
  // 0.14633 %, the one-step error the dialogue reports.
  EXPECT_EQ(lines[1].substr(0, 9), "1,0.00146");
  // The first piece starts from the state T(1..2): its first target is T(3),
  // the orbit's third measured point, and the next point follows the first.
  const auto field = [&](std::size_t line, int column) {
    std::vector<std::string> fields;
    std::stringstream row(lines[line]);
    for (std::string item; std::getline(row, item, ',');) fields.push_back(item);
    return fields.at(static_cast<std::size_t>(column));
  };
  EXPECT_EQ(field(1, 7), field(3, 8));
  EXPECT_EQ(field(1, 9), field(2, 8));

  ASSERT_NE(ActionWithShortcut(QKeySequence::Save), nullptr);
  QApplication::setActiveWindow(Windows().main);
  QTest::keyClick(Windows().main, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  Settle();
  EXPECT_EQ(QApplication::clipboard()->image().size(), QSize(800, 600));
  QApplication::clipboard()->clear();
  ActionWithShortcut(QKeySequence::Copy)->trigger();
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), DialogueText());
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// What an SVG picture holds, read back with an XML parser.
struct SvgContent {
  bool parsed = false;
  int frames = 0;      // outlined rectangles
  int red_lines = 0;   // the model's curves
  int red_pixels = 0;  // the model's orbit
  QStringList texts;
};

SvgContent ReadSvg(const QString& path) {
  QFile file(path);
  SvgContent content;
  if (!file.open(QIODevice::ReadOnly)) return content;
  QXmlStreamReader xml(&file);
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const auto attributes = xml.attributes();
    const bool red = attributes.value("stroke") == QString("#ff0000") || attributes.value("fill") == QString("#ff0000");
    if (xml.name() == QString("rect") && attributes.value("fill") == QString("none")) ++content.frames;
    if (xml.name() == QString("rect") && attributes.value("width") == QString("1") && red) ++content.red_pixels;
    if (xml.name() == QString("line") && red) ++content.red_lines;
    if (xml.name() == QString("text")) content.texts.push_back(xml.readElementText().trimmed());
  }
  content.parsed = !xml.hasError();
  return content;
}

// Red pixels of the raster inside a frame's border.
int RedPixels(const QImage& picture, int left, int top) {
  int count = 0;
  for (int y = top + 1; y < top + 200; ++y) {
    for (int x = left + 1; x < left + 200; ++x) count += picture.pixelIndex(x, y) == 12 ? 1 : 0;
  }
  return count;
}

TEST_F(DesktopProgramTest, ThePictureIsSavedAsSvgAndPdfWithTheRastersFramesTitlesAndCurves) {
  ASSERT_TRUE(RunFirstCheck(kHenon, "2000", "0.05"));
  ASSERT_TRUE(WaitFor([] { return Windows().last_picture.has_value(); }));
  const QString svg = QString::fromStdString((directory_.path() / "picture.svg").string());
  ASSERT_EQ(SavePictureFile(svg), QString());
  const SvgContent content = ReadSvg(svg);
  ASSERT_TRUE(content.parsed);
  EXPECT_EQ(content.frames, 6);
  for (const char* title :
       {"Original phase orbit", "Model phase orbit", "Direct time series prediction", "Direct prediction error",
        "Iterative time series prediction", "Iterative prediction error"}) {
    EXPECT_TRUE(content.texts.contains(title)) << title;
  }
  // The model's orbit point by point, as the raster sets them (two may share a pixel there).
  const QImage& raster = Windows().picture;
  EXPECT_GE(content.red_pixels, RedPixels(raster, 35, 350));
  EXPECT_LE(content.red_pixels, 130);
  EXPECT_GT(RedPixels(raster, 35, 350), 0);
  // Each test's first piece and its error curve: at most 30 + 29 segments each.
  EXPECT_GT(content.red_lines, 60);
  EXPECT_LE(content.red_lines, 2 * (30 + 29));
  const QString pdf = QString::fromStdString((directory_.path() / "picture.pdf").string());
  ASSERT_EQ(SavePictureFile(pdf), QString());
  EXPECT_EQ(ReadText(pdf.toStdString()).substr(0, 5), "%PDF-");
  // Like every output, the PDF replaces the file whole: a link planted under
  // its name is replaced itself, and the file it points to is left alone.
  const std::filesystem::path kept = directory_.path() / "kept.txt";
  const std::filesystem::path link = directory_.path() / "linked.pdf";
  std::ofstream(kept) << "kept\n";
  std::filesystem::create_symlink(kept, link);
  ASSERT_EQ(SavePictureFile(QString::fromStdString(link.string())), QString());
  EXPECT_EQ(ReadText(kept.string()), "kept\n");
  EXPECT_FALSE(std::filesystem::is_symlink(link));
  EXPECT_EQ(ReadText(link.string()).substr(0, 5), "%PDF-");
  // PNG stays the raster's file, the one the console writes.
  const QString png = QString::fromStdString((directory_.path() / "picture.png").string());
  const QString raster_png = QString::fromStdString((directory_.path() / "raster.png").string());
  ASSERT_EQ(SavePictureFile(png), QString());
  ASSERT_EQ(SavePicture(raster, raster_png), QString());
  EXPECT_EQ(ReadBytes(png.toStdString()), ReadBytes(raster_png.toStdString()));
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

// A box size typed with an exponent is read with the field's implied
// decimals; the dialogue says so in a line, and the status line in colour.
TEST_F(DesktopProgramTest, TheStatusLineShowsAMisreadNumberAndTheChooserOpensWhereTheSeriesWas) {
  directory_.WriteFile("series.txt", HenonSeries(3000));
  ASSERT_TRUE(RunFirstCheck((directory_.path() / "series.txt").string(), "2000", "5e-2"));
  const QString notice = "Read as 5.0000E-12 (no decimal point: 10 implied decimals)";
  EXPECT_EQ(Windows().answer_read->text(), notice);
  EXPECT_TRUE(Windows().answer_read->styleSheet().contains("color"));
  EXPECT_TRUE(Windows().dialogue->toPlainText().contains("5e-2\n " + notice + "\n"));
  EXPECT_EQ(Windows().main->windowTitle(), "modelcheck - series.txt");
  for (const std::string_view prompt : {kQ5, kQ6, kQ7}) ASSERT_TRUE(Answer(" " + std::string(prompt), "n"));
  ASSERT_TRUE(Answer(" " + std::string(kQ8), "y"));
  QFileDialog* chooser = WaitForFileDialog();
  ASSERT_NE(chooser, nullptr);
  EXPECT_EQ(chooser->directory().absolutePath().toStdString(), std::filesystem::canonical(directory_.path()).string());
  CloseMainWindow();
  EXPECT_EQ(Ended(), 0);
}

}  // namespace
}  // namespace modelcheck::testing
