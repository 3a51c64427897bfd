// The dialogue window's text: what the program wrote stays as written, and
// every line the user finishes is handed over once, in order.
#include "apps/desktop/dialogue_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <string>
#include <vector>

namespace modelcheck {
namespace {

struct TypedLines {
  DialogueView view;
  std::vector<std::string> lines;
  TypedLines() {
    view.on_line = [this](const std::string& line) { lines.push_back(line); };
  }
  std::string Text() const { return view.toPlainText().toStdString(); }
};

TEST(DialogueViewTest, OutputArrivingWhileTheUserTypesAheadGoesBeforeTheTypedText) {
  TypedLines typed;
  typed.view.AppendOutput(" 1) Ntrain = ");
  QTest::keyClicks(&typed.view, "20");
  typed.view.AppendOutput("late line\n");
  QTest::keyClicks(&typed.view, "00");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  EXPECT_EQ(typed.Text(), " 1) Ntrain = late line\n2000\n");
  EXPECT_EQ(typed.lines, std::vector<std::string>{"2000"});
}

// Typed ahead, a line waits in grey, whatever the window's palette (the
// Input Window's sets every text colour black), and its question's answer
// turns black; dropped, the lines typed ahead go.
TEST(DialogueViewTest, LinesTypedAheadWaitInGreyUntilReadOrDropped) {
  TypedLines typed;
  QPalette black = typed.view.palette();
  black.setColor(QPalette::Text, Qt::black);
  typed.view.setPalette(black);
  typed.view.AppendOutput(" 5) Q? ");
  QTest::keyClicks(&typed.view, "n");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  QTest::keyClicks(&typed.view, "y");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  const auto colour_at = [&](int position) {
    QTextCursor cursor(typed.view.document());
    cursor.setPosition(position + 1);
    return cursor.charFormat().foreground().color();
  };
  const int first = static_cast<int>(std::string(" 5) Q? ").size());
  EXPECT_EQ(colour_at(first), QColor(128, 128, 128));
  typed.view.CommitAnswer();
  EXPECT_EQ(colour_at(first), QColor(Qt::black));
  EXPECT_EQ(colour_at(first + 2), QColor(128, 128, 128));
  typed.view.DropTypedAhead();
  EXPECT_EQ(typed.Text(), " 5) Q? n\n");
  EXPECT_EQ(typed.view.WaitingLines(), 0);
}

// A message longer than the window is wide wraps at its edge, never cut,
// and the text keeps its own lines.
TEST(DialogueViewTest, LongLinesWrapInsteadOfRunningOutOfSight) {
  TypedLines typed;
  typed.view.resize(240, 200);
  typed.view.show();
  const std::string line = "Line 1 of \"/home/someone/measurements/2026/station-12/notes.txt\" cannot be read.";
  typed.view.AppendOutput(QString::fromStdString(" " + line + "\n"));
  QApplication::processEvents();
  EXPECT_EQ(typed.view.horizontalScrollBar()->maximum(), 0);
  EXPECT_GT(typed.view.document()->firstBlock().layout()->lineCount(), 1);
  EXPECT_EQ(typed.Text(), " " + line + "\n");
}

TEST(DialogueViewTest, WhatTheProgramWroteCannotBeEdited) {
  TypedLines typed;
  typed.view.AppendOutput(" D = ");
  QTest::keyClick(&typed.view, Qt::Key_Backspace);
  QTextCursor cursor = typed.view.textCursor();
  cursor.setPosition(1);  // inside the prompt
  typed.view.setTextCursor(cursor);
  QTest::keyClicks(&typed.view, "2");
  QTest::keyClick(&typed.view, Qt::Key_Delete);
  QTest::keyClick(&typed.view, Qt::Key_Return);
  EXPECT_EQ(typed.Text(), " D = 2\n");
  EXPECT_EQ(typed.lines, std::vector<std::string>{"2"});
}

TEST(DialogueViewTest, PastedLinesAreHandedOverOneByOneAndTheRestWaits) {
  TypedLines typed;
  QApplication::clipboard()->setText("2000\n2\n0.0");
  typed.view.paste();
  EXPECT_EQ(typed.lines, (std::vector<std::string>{"2000", "2"}));
  QTest::keyClicks(&typed.view, "5");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  EXPECT_EQ(typed.lines, (std::vector<std::string>{"2000", "2", "0.05"}));
}

// Lines typed while the program is busy wait at the end, apart from the
// transcript, until the program reads them one by one.
TEST(DialogueViewTest, LinesTypedAheadWaitApartUntilTheProgramReadsThem) {
  TypedLines typed;
  typed.view.AppendOutput(" Change settings? (y/n) ");
  QTest::keyClicks(&typed.view, "n");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  typed.view.CommitAnswer();
  // Busy: two answers typed ahead, a third being typed.
  for (const char* answer : {"y", "n"}) {
    QTest::keyClicks(&typed.view, answer);
    QTest::keyClick(&typed.view, Qt::Key_Return);
  }
  QTest::keyClicks(&typed.view, "x");
  EXPECT_EQ(typed.view.WaitingLines(), 2);
  typed.view.AppendOutput(" Prediction time:  7\n 5) Again? (y/n) ");
  EXPECT_EQ(typed.Text(), " Change settings? (y/n) n\n Prediction time:  7\n 5) Again? (y/n) y\nn\nx");
  typed.view.CommitAnswer();
  typed.view.AppendOutput(" 6) Other D? (y/n) ");
  typed.view.CommitAnswer();
  EXPECT_EQ(typed.Text(),
            " Change settings? (y/n) n\n Prediction time:  7\n 5) Again? (y/n) y\n 6) Other D? (y/n) n\nx");
  EXPECT_EQ(typed.view.WaitingLines(), 0);
  // A waiting line cannot be edited; the line being typed can.
  QTest::keyClick(&typed.view, Qt::Key_Backspace);
  QTest::keyClick(&typed.view, Qt::Key_Backspace);
  EXPECT_TRUE(typed.Text().ends_with("(y/n) n\n"));
  EXPECT_EQ(typed.lines, (std::vector<std::string>{"n", "y", "n"}));
}

TEST(DialogueViewTest, ANewSeriesClearsTheTranscriptButNotTheLinesTypedAhead) {
  TypedLines typed;
  typed.view.AppendOutput(" 8) Different time series? (y/n) ");
  QTest::keyClicks(&typed.view, "y");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  typed.view.CommitAnswer();
  QTest::keyClicks(&typed.view, "2000");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  typed.view.ClearAll();
  typed.view.AppendOutput(" 1) Ntrain = ");
  typed.view.CommitAnswer();
  EXPECT_EQ(typed.Text(), " 1) Ntrain = 2000\n");
}

TEST(DialogueViewTest, AfterTheEndTheTextCanBeReadButNotTyped) {
  TypedLines typed;
  typed.view.AppendOutput(" 8) Different time series? (y/n) ");
  typed.view.EndInput();
  QTest::keyClicks(&typed.view, "y");
  QTest::keyClick(&typed.view, Qt::Key_Return);
  EXPECT_EQ(typed.Text(), " 8) Different time series? (y/n) ");
  EXPECT_TRUE(typed.lines.empty());
}

}  // namespace
}  // namespace modelcheck
