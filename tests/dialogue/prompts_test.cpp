// Validated prompts and y/n questions on a dialogue window over strings.
#include "dialogue/prompts.h"

#include <gtest/gtest.h>

#include <sstream>

#include "apps/console/console_front_end.h"
#include "dialogue/questions.h"
#include "errors/orderly_stop.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

struct StringWindow {
  explicit StringWindow(const std::string& typed, bool echo = true)
      : in(typed), window(ConsoleDialogueWindow(in, out, echo)) {}
  std::istringstream in;
  std::ostringstream out;
  DialogueWindow window;
};

TEST(Prompts, UnreadableLinesRepeatTheWholePromptAndEchoShowsTheTypedLine) {
  StringWindow w("ten\n1.5\n 42\n");
  std::int32_t value = 0;
  PromptInteger(w.window, "(I6)", "N = ", value);
  EXPECT_EQ(value, 42);
  EXPECT_EQ(w.out.str(), " N = ten\n  Incorrect input\n N = 1.5\n  Incorrect input\n N =  42\n");
}

TEST(Prompts, WithoutEchoTheCursorStaysAfterThePrompt) {
  StringWindow w("0.05\n", false);
  double eps = 0.0;
  PromptReal(w.window, "(F20.10)", "   Box size: eps = ", eps);
  EXPECT_EQ(eps, 0.05);
  EXPECT_EQ(w.out.str(), "    Box size: eps = ");
}

// A number without a decimal point takes the format's implied decimals; the
// dialogue says so where that changed the number, and only there.
TEST(Prompts, ABoxSizeReadWithImpliedDecimalsIsSaidOnTheNextLine) {
  StringWindow w("5e-2\n0.05\n0\n10\n2.\n", false);
  const auto ask = [&] {
    return AskReal(
        w.window, "(F20.10)", "eps = ", [](double) { return true; }, "");
  };
  EXPECT_EQ(ask(), 5e-12);
  EXPECT_EQ(w.out.str(), " eps =  Read as 5.0000E-12 (no decimal point: 10 implied decimals)\n");
  w.out.str("");
  EXPECT_EQ(ask(), 0.05);
  EXPECT_EQ(ask(), 0.0);
  EXPECT_EQ(w.out.str(), " eps =  eps = ");
  w.out.str("");
  EXPECT_EQ(ask(), 1e-9);
  EXPECT_EQ(w.out.str(), " eps =  Read as 1.0000E-09 (no decimal point: 10 implied decimals)\n");
  w.out.str("");
  EXPECT_EQ(ask(), 2.0);
  EXPECT_EQ(w.out.str(), " eps = ");
}

TEST(Prompts, ALineEndedByEndOfInputStillEndsItsLineOnTheScreen) {
  StringWindow w("20", false);
  std::int32_t value = 0;
  PromptInteger(w.window, "(I6)", "Ntrain = ", value);
  EXPECT_EQ(value, 20);
  EXPECT_EQ(w.out.str(), " Ntrain = \n");
}

// A number is read from the field the format gives; one that runs on past
// it would be cut ("123" read as 12), so it is refused, while blanks after
// the field change nothing.
TEST(Prompts, FieldWidthComesFromTheFormatAndNothingRunsOnPastIt) {
  StringWindow w("  5\n123\n 5\n12   \n1234567\n0.12345678901234567890123\n1.\r\n");
  std::int32_t first = -1, second = -1, count = -1;
  PromptInteger(w.window, "(I2)", "D = ", first);
  PromptInteger(w.window, "(I2)", "D = ", second);
  PromptInteger(w.window, "(I11)", "Ntrain = ", count);
  double real = 0.0;
  PromptReal(w.window, "(F20.10)", "eps = ", real);
  EXPECT_EQ(first, 5);
  EXPECT_EQ(second, 12);
  EXPECT_EQ(count, 1234567);
  EXPECT_EQ(real, 1.0);
  EXPECT_EQ(w.out.str(),
            " D =   5\n  Incorrect input\n D = 123\n  Incorrect input\n D =  5\n D = 12   \n"
            " Ntrain = 1234567\n eps = 0.12345678901234567890123\n  Incorrect input\n eps = 1.\n");
}

TEST(Questions, OnlyLowerCaseYOrNIsAnAnswer) {
  StringWindow w("Y\nN\n\nyes\n");
  EXPECT_EQ(AskYesNo(w.window, "Again? "), 'y');
  EXPECT_EQ(w.out.str(),
            " Again? Y\n  Incorrect input\n Again? N\n  Incorrect input\n Again? \n  Incorrect input\n Again? yes\n");
}

TEST(Questions, OutOfRangeValuesAreRefusedLikeUnreadableOnes) {
  StringWindow w("0\nx\n3\n");
  const std::int32_t D = AskInteger(w.window, "(I2)", "D = ", [](std::int32_t v) { return v >= 1; });
  EXPECT_EQ(D, 3);
  EXPECT_EQ(w.out.str(), " D = 0\n  Incorrect input\n D = x\n  Incorrect input\n D = 3\n");
}

TEST(Prompts, EndOfInputEndsTheProgramInOrder) {
  const testing::ChildResult child = testing::RunInChild([] {
    std::istringstream in("x");
    DialogueWindow window = ConsoleDialogueWindow(in, std::cout, true);
    char answer = ' ';
    PromptChar(window, "(A1)", "Again? ", answer);  // reads "x"
    PromptChar(window, "(A1)", "Again? ", answer);  // meets the end
  });
  EXPECT_TRUE(child.exited);
  EXPECT_EQ(child.status, kEndOfInputStatus);
  EXPECT_EQ(child.output, " Again? x\n Again? \n End of input: the program ends.\n");
}

TEST(Prompts, ADialogueThatCannotBeWrittenStopsTheProgram) {
  const testing::ChildResult child = testing::RunInChild([] {
    std::istringstream in("5\n");
    std::ostream out(nullptr);  // every write fails
    DialogueWindow window = ConsoleDialogueWindow(in, out, true);
    std::int32_t value = 0;
    PromptInteger(window, "(I6)", "N = ", value);
  });
  EXPECT_TRUE(child.exited);
  EXPECT_EQ(child.status, kErrorStopStatus);
}

}  // namespace
}  // namespace modelcheck
