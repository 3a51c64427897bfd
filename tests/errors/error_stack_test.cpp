// Error stack: placeholders, when messages print and the program stops, how
// errors travel to the caller, the stack's own failures, and N1RCD.
#include "errors/error_stack.h"

#include <gtest/gtest.h>

#include <iostream>
#include <string>

#include "errors/orderly_stop.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

using testing::RunInChild;

// One traceback row as the layout fixes it: name in 32 columns, type and code
// in 6 columns each with 6 blanks between.
std::string Row(const std::string& name, char type, char code, bool internal) {
  std::string row = "     " + name + std::string(32 - name.size(), ' ') + "     " + type + "      " + "     " + code;
  if (internal) row += "    (Called internally)";
  return row + "\n";
}

const std::string kTracebackHeading =
    "     Here is a traceback of subprogram calls in reverse order:\n"
    "     Routine name                    Error type  Error code\n"
    "     ------------                    ----------  ----------\n";

TEST(ErrorStack, PlaceholdersTakeStoredValuesOrStayAsWritten) {
  const auto result = RunInChild([] {
    E1PSH("R");
    E1INT(1, -42);
    E1INT(1, 99);  // the first stored value wins
    E1INT(10, 5);  // no such placeholder: nothing stored
    E1TXT(1, "ab  ");
    E1TXT(-2, "cd  ");
    E1MES(6, 3, "a=%(i1) b=%(I2) c=%(Q1) [%(L1)][%(l2)] %(I1");
    E1POP("R");
  });
  // A WARNING printed when posted does not stop the program.
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "\n *** WARNING  ERROR 3 from R.  a=-42 b=%(I2) c=%(Q1) [ab][cd  ] %(I1\n");
}

TEST(ErrorStack, ValuesAreUsedByOnePostOnly) {
  const auto result = RunInChild([] {
    E1PSH("R");
    E1INT(1, 5);
    E1MES(6, 1, "first %(I1)");
    E1MES(6, 1, "second %(I1)");
    E1POP("R");
  });
  EXPECT_EQ(result.output,
            "\n *** WARNING  ERROR 1 from R.  first 5\n"
            "\n *** WARNING  ERROR 1 from R.  second %(I1)\n");
}

TEST(ErrorStack, WarningAtUserLevelPrintsAtPopAndContinues) {
  const auto result = RunInChild([] {
    E1PSH("R");
    E1MES(3, 4, "Careful.");
    std::cout << "<pop>\n";
    E1POP("R");
    std::cout << "<after>\n";
  });
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "<pop>\n\n *** WARNING  ERROR 4 from R.  Careful.\n<after>\n");
}

TEST(ErrorStack, PostWithCodeZeroDiscardsThePendingMessage) {
  const auto result = RunInChild([] {
    E1PSH("R");
    E1MES(3, 4, "Careful.");
    E1MES(3, 0, "Replaced by nothing.");
    E1POP("R");
  });
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
}

TEST(ErrorStack, BlankTextSetsTypeAndCodeOnly) {
  const auto result = RunInChild([] {
    E1PSH("DLQRRR");
    E1MES(5, 2, " ");
    std::cout << "<between>\n";
    E1INT(1, -1);
    E1MES(5, 2,
          "The required storage cannot be allocated.  The workspace is based "
          "on NCA, where NCA = %(i1) is given.");
    E1POP("DLQRRR");
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "<between>\n"
            "\n"
            " *** TERMINAL ERROR 2 from DLQRRR.  The required storage cannot be allocated.\n"
            " ***          The workspace is based on NCA, where NCA = -1 is given.\n");
}

TEST(ErrorStack, FatalBelowUserLevelIsPassedUpAndPrintedUnderCallersName) {
  const auto result = RunInChild([] {
    E1PSH("OUTER");
    E1PSH("INNER");
    E1INT(1, 3);
    E1MES(4, 1, "Index %(I1).");
    E1POP("INNER");
    std::cout << "<inner popped> code " << N1RCD(0) << "\n";
    E1POP("OUTER");
    std::cout << "<not reached>\n";
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "<inner popped> code 1\n"
            "\n *** FATAL    ERROR 1 from OUTER.  Index 3.\n");
}

TEST(ErrorStack, NoteIsNotPassedUpButItsCodeStaysReadable) {
  const auto result = RunInChild([] {
    E1PSH("OUTER");
    E1PSH("INNER");
    E1MES(1, 7, "A note.");
    E1POP("INNER");
    std::cout << N1RCD(1) << " " << N1RCD(0) << "\n";
    E1POP("OUTER");
  });
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "7 0\n");
}

TEST(ErrorStack, PushBeyondFiftyLevelsIsRefused) {
  const auto result = RunInChild([] {
    for (int level = 2; level <= 50; ++level) E1PSH("L" + std::to_string(level));
    std::cout << "<level 50>\n";
    E1PSH("L51");
  });
  std::string expected =
      "<level 50>\n"
      "\n"
      " *** TERMINAL ERROR 1 from L50.  Error condition in E1PSH.  Push would cause\n"
      " ***          stack level to exceed 50.\n" +
      kTracebackHeading + Row("L50", '5', '1', true);
  for (int level = 49; level >= 3; --level) expected += Row("L" + std::to_string(level), '0', '0', true);
  expected += Row("L2", '0', '0', false) + Row("USER", '0', '0', false);
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, expected);
}

TEST(ErrorStack, PopOfEmptyStackStops) {
  const auto result = RunInChild([] {
    E1PSH("A");
    E1POP("A");
    E1POP("NOBODY");
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** TERMINAL ERROR 1 from E1POP.  Error condition in E1POP.  Cannot pop from\n"
            " ***          NOBODY because stack is empty.\n");
}

TEST(ErrorStack, PopWithAnotherNameStops) {
  const auto result = RunInChild([] {
    E1PSH("OUTER");
    E1PSH("INNER");
    E1POP("OUTER");
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output,
            "\n"
            " *** TERMINAL ERROR 2 from INNER.  Error condition in E1POP.  OUTER does not\n"
            " ***          match the name INNER in the stack.\n" +
                kTracebackHeading + Row("INNER", '5', '2', true) + Row("OUTER", '0', '0', false) +
                Row("USER", '0', '0', false));
}

TEST(ErrorStack, NamesMatchOnTheirFirst32Characters) {
  const auto result = RunInChild([] {
    E1PSH(std::string(32, 'N') + "first");
    E1POP(std::string(32, 'N') + "second");
    E1PSH("PADDED");
    E1POP("PADDED   ");
  });
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.output, "");
}

TEST(ErrorStack, APrefixOfTheNameDoesNotMatchIt) {
  const auto result = RunInChild([] {
    E1PSH("PADDED");
    E1POP("PAD");
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_NE(result.output.find("PAD does not\n ***          match the name PADDED"), std::string::npos)
      << result.output;
}

TEST(ErrorStack, IllegalQueryOfN1RCDStops) {
  const auto result = RunInChild([] {
    E1PSH("R");
    N1RCD(2);
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, "\n *** TERMINAL ERROR 1 from R.  The argument passed to N1RCD must be 0 or 1.\n");
}

TEST(ErrorStack, ImmediateFatalStopsAtPopOnlyAtUserLevel) {
  const auto result = RunInChild([] {
    E1PSH("OUTER");
    E1PSH("INNER");
    E1MES(7, 4, "Bad.");
    std::cout << "<pop inner>\n";
    E1POP("INNER");
    std::cout << "<pop outer>\n";
    E1POP("OUTER");
    std::cout << "<not reached>\n";
  });
  EXPECT_EQ(result.status, kErrorStopStatus);
  EXPECT_EQ(result.output, "\n *** FATAL    ERROR 4 from INNER.  Bad.\n" + kTracebackHeading +
                               Row("INNER", '7', '4', true) + Row("OUTER", '0', '0', false) +
                               Row("USER", '0', '0', false) + "<pop inner>\n<pop outer>\n");
}

}  // namespace
}  // namespace modelcheck
