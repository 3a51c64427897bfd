// The dialogue through a front-end made of nothing but function objects, as
// a new front-end would give it, linked with no front-end code: it shows
// exactly what the console shows for the same answers, and calls the plot
// window, the status line and the progress callback in the dialogue's order.
#include "dialogue/front_end.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dialogue/main_dialogue.h"
#include "support/child_process.h"
#include "support/files.h"

namespace modelcheck::testing {
namespace {

const std::vector<std::string> kAnswers = {"henon.txt", "2000", "2", "0.05", "n", "n", "n", "n", "n"};

// What the console program shows for kAnswers typed from a file, in `folder`.
std::string ConsoleTranscript(const std::filesystem::path& folder) {
  std::ofstream typed(folder / "typed.txt");
  for (const std::string& answer : kAnswers) typed << answer << '\n';
  typed.close();
  const std::string command =
      "cd '" + folder.string() + "' && timeout 120 '" MODELCHECK_PROGRAM "' < typed.txt > transcript.txt";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return ReadText(folder / "transcript.txt");
}

// A front-end that types the answers, echoes them as the console does, and
// records every other call.
struct ScriptedFrontEnd {
  std::deque<std::string> answers{kAnswers.begin(), kAnswers.end()};
  std::string transcript;
  std::vector<std::string> calls;
  int progress_calls = 0;
  std::optional<CheckPicture> kept;

  FrontEnd Make() {
    FrontEnd front_end;
    front_end.dialogue.write = [this](std::string_view text) { transcript += text; };
    front_end.dialogue.read_line = [this]() -> std::optional<std::string> {
      if (answers.empty()) return std::nullopt;
      std::string line = answers.front();
      answers.pop_front();
      transcript += line + "\n";
      return line;
    };
    front_end.dialogue.show_answer_read = [this](std::string_view text) {
      calls.push_back("read as " + std::string(text));
    };
    front_end.choose_file = [this](DialogueWindow& window) {
      WritePrompt(window, "Time series file (path, empty line to cancel): ");
      const std::optional<std::string> path = window.read_line();
      return FileChoice{.outcome = ChoiceOutcome::kChosen, .path = path.value_or("")};
    };
    front_end.plot_window.bring_to_front = [this](const GraphicsSurface&) { calls.push_back("plot to front"); };
    front_end.finish_picture = [this](const GraphicsSurface& surface, DialogueWindow&) {
      calls.push_back(surface.pixels.empty() ? "empty picture" : "picture finished");
    };
    front_end.keep_picture = [this](CheckPicture picture) {
      calls.push_back("picture kept");
      kept = std::move(picture);
    };
    front_end.show_program_step = [this](std::string_view text) { calls.push_back("step " + std::string(text)); };
    front_end.check_progress = [this] {
      calls.push_back("check starts");
      return [this](const CheckProgress&) {
        ++progress_calls;
        return true;
      };
    };
    return front_end;
  }
};

TEST(FrontEnd, FunctionObjectsAloneRunTheDialogueAsTheConsoleShowsIt) {
  const WorkDirectory console;
  std::filesystem::copy_file(MODELCHECK_EXAMPLES_DIR "/henon.txt", console.path() / "henon.txt");
  const std::string expected = ConsoleTranscript(console.path());

  const WorkDirectory here;
  std::filesystem::copy_file(MODELCHECK_EXAMPLES_DIR "/henon.txt", here.path() / "henon.txt");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(here.path());
  ScriptedFrontEnd script;
  FrontEnd front_end = script.Make();
  const int status = RunMainDialogue(front_end);
  std::filesystem::current_path(before);

  EXPECT_EQ(status, 0);
  EXPECT_EQ(script.transcript, expected);
  EXPECT_EQ(ReadText(here.path() / "report.txt"), ReadText(console.path() / "report.txt"));
  const std::vector<std::string> expected_calls = {"read as Ntrain = 2000",
                                                   "read as D = 2",
                                                   "read as eps = 5.0000E-02",
                                                   "check starts",
                                                   "step Drawing the model check",
                                                   "plot to front",
                                                   "picture finished",
                                                   "picture kept",
                                                   "step "};
  EXPECT_EQ(script.calls, expected_calls);
  EXPECT_GT(script.progress_calls, 0);
  ASSERT_TRUE(script.kept.has_value());
  EXPECT_EQ(script.kept->settings.Ntrain, 2000);
}

}  // namespace
}  // namespace modelcheck::testing
