// Printed message layout: the two reference messages driven through the stack
// as the numerical routines post them, and wrapping, hard cuts and "%/" breaks.
#include "errors/message_layout.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>
#include <vector>

#include "errors/error_stack.h"
#include "errors/orderly_stop.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

using testing::RunInChild;

const std::string kLead = " ***          ";

TEST(MessageLayout, SingularFitAtUserLevelPrintsAtPopWithoutTraceback) {
  const auto result = RunInChild([] {
    E1PSH("DLQRSL");
    E1INT(1, 3);
    E1MES(4, 1,
          "Computation of the least squares solution has been requested but "
          "the upper triangular matrix R is exactly singular; the index of "
          "the first zero diagonal element of R is %(I1).");
    std::cout << "<pop>\n";
    E1POP("DLQRSL");
    std::cout << "<not reached>\n";
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "<pop>\n"
            "\n"
            " *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"
            " ***          has been requested but the upper triangular matrix R is exactly\n"
            " ***          singular; the index of the first zero diagonal element of R is\n"
            " ***          3.\n");
}

TEST(MessageLayout, InternalTerminalErrorPrintsAtOnceWithTracebackAndStopsAtPop) {
  const auto result = RunInChild([] {
    E1PSH("DLQRRR");
    E1PSH("dL2RRR");
    E1INT(1, 0);
    E1INT(2, 3);
    E1MES(5, 1,
          "Both the number of rows and the number of columns of the input "
          "matrix must be positive while NRA = %(I1) and NCA = %(I2) are "
          "given.");
    std::cout << "<pop>\n";
    E1POP("dL2RRR");
    std::cout << "<not reached>\n";
  });
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** TERMINAL ERROR 1 from DL2RRR.  Both the number of rows and the number of\n"
            " ***          columns of the input matrix must be positive while NRA = 0 and\n"
            " ***          NCA = 3 are given.\n"
            "     Here is a traceback of subprogram calls in reverse order:\n"
            "     Routine name                    Error type  Error code\n"
            "     ------------                    ----------  ----------\n"
            "     DL2RRR                               5           1    (Called internally)\n"
            "     DLQRRR                               0           0\n"
            "     USER                                 0           0\n"
            "<pop>\n");
}

TEST(MessageLayout, ShortMessageGivesEmptyLineAndOneLine) {
  EXPECT_EQ(MessageLines({.type = 3, .code = 7, .routine = "ROUT    "}, ".  Short."),
            (std::vector<std::string>{"", " *** WARNING  ERROR 7 from ROUT.  Short."}));
}

TEST(MessageLayout, LongWordIsCutHardAndContinuesWithItsNextCharacter) {
  std::string word;
  for (int i = 0; i < 13; ++i) word += "0123456789";
  const auto lines = MessageLines({.type = 5, .code = 1, .routine = "R"}, ".  See " + word);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], " *** TERMINAL ERROR 1 from R.  See");
  EXPECT_EQ(lines[2], kLead + word.substr(0, 64));
  EXPECT_EQ(lines[3], kLead + word.substr(64, 64));
  EXPECT_EQ(lines[4], kLead + word.substr(128));
}

TEST(MessageLayout, LineBreakMarkBreaksEvenWithRoomAndIsNotPrinted) {
  EXPECT_EQ(MessageLines({.type = 1, .code = 2, .routine = "R"}, ".  First part.%/Second part%/ keeps its blank"),
            (std::vector<std::string>{"", " *** NOTE     ERROR 2 from R.  First part.", kLead + "Second part",
                                      kLead + " keeps its blank"}));
}

TEST(MessageLayout, LineBreakMarkInsideContinuationWindow) {
  // The words fill the first line, so the mark lies in the second window.
  const std::string words = "alpha beta gamma delta epsilon zeta eta theta iota kappa lambda mu nu";
  EXPECT_EQ(
      MessageLines({.type = 4, .code = 1, .routine = "R"}, ".  " + words + " xi%/omicron"),
      (std::vector<std::string>{"", " *** FATAL    ERROR 1 from R.  alpha beta gamma delta epsilon zeta eta theta",
                                kLead + "iota kappa lambda mu nu xi", kLead + "omicron"}));
}

TEST(MessageLayout, WrappedWordsAreNeitherLostNorRepeated) {
  // Words of 1..12 letters from a fixed sequence; joined again by single
  // blanks the printed pieces must give back the message.
  std::string message = ".  ";
  unsigned state = 12345;
  for (int word = 0; word < 200; ++word) {
    state = state * 1103515245u + 12345u;
    const std::size_t length = 1 + (state >> 16) % 12;
    message += std::string(length, static_cast<char>('a' + word % 26)) + " ";
  }
  message += "end.";
  const auto lines = MessageLines({.type = 5, .code = 12, .routine = "ROUTINE"}, message);
  const std::string heading = " *** TERMINAL ERROR 12 from ROUTINE";
  ASSERT_EQ(lines[1].substr(0, heading.size()), heading);
  std::string joined = lines[1].substr(heading.size());
  for (std::size_t i = 1; i < lines.size(); ++i) {
    EXPECT_LE(lines[i].size(), 78u) << "line " << i;
    if (i < 2) continue;
    ASSERT_EQ(lines[i].substr(0, kLead.size()), kLead);
    joined += " " + lines[i].substr(kLead.size());
  }
  EXPECT_EQ(joined, message);
}

TEST(MessageLayout, TypeAndRoutineNamesAsDisplayed) {
  EXPECT_EQ(ErrorTypeName(5), "TERMINAL");
  EXPECT_EQ(ErrorTypeName(6), "WARNING ");
  EXPECT_EQ(ErrorTypeName(9), "UNKNOWN ");
  EXPECT_EQ(ErrorTypeName(0), "UNKNOWN ");
  EXPECT_EQ(ErrorTypeName(-2), "UNKNOWN ");
  EXPECT_EQ(DisplayedRoutineName("dL2RRR    "), "DL2RRR");
  EXPECT_EQ(DisplayedRoutineName("dlqrrr"), "dlqrrr");
  EXPECT_EQ(DisplayedRoutineName("Dl2rrr"), "Dl2rrr");
  EXPECT_EQ(DisplayedRoutineName("AB CD"), "AB");
  EXPECT_EQ(DisplayedRoutineName("d"), "d");
  EXPECT_EQ(DisplayedRoutineName("   "), "");
}

TEST(MessageLayout, IllegalTypeIsShownAsUnknownAndStops) {
  const auto result = RunInChild([] {
    E1PSH("ROUT");
    E1MES(9, 3, "Never shown.");
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** UNKNOWN  ERROR 0 from ROUT.  Error from E1MES.  Illegal error type\n"
            " ***          specified.\n");
}

}  // namespace
}  // namespace modelcheck
