// The start of a series pass: choose a file and count its values.
#include <string>
#include <utility>

#include "dialogue/dialogue_run.h"
#include "dialogue/file_chooser.h"
#include "dialogue/prompts.h"
#include "errors/orderly_stop.h"
#include "text/fixed_field.h"
#include "text/series_file.h"

namespace modelcheck {

namespace {

// Minimum number of values: a training part of two and one value after it.
constexpr std::size_t kMinimumValueCount = 3;

// Writes a refusal line and keeps it for the front-end.
void Refuse(DialogueWindow& window, std::string& why, const std::string& line) {
  WriteDialogueLine(window, line);
  why += line + "\n";
}

// Empty when the counted file can start a series pass; otherwise the refusal,
// written, and the file must be chosen again.
std::string RefuseCount(DialogueWindow& window, const std::string& path, const SeriesCount& count) {
  std::string why;
  switch (count.outcome) {
    case CountOutcome::kUnreadable:
      // Records before the bad one were read, one value each.
      Refuse(window, why,
             "Line " + std::to_string(count.values.size() + 1) + " of \"" + path + "\" cannot be read as a number.");
      WriteIncorrectInput(window);
      return why;
    case CountOutcome::kTooMany:
      Refuse(window, why, "The file \"" + path + "\" holds more values than can be counted.");
      return why;
    case CountOutcome::kNotText:
      Refuse(window, why, "The file \"" + path + "\" is not a text file: it holds a NUL byte.");
      WriteIncorrectInput(window);
      return why;
    case CountOutcome::kOutOfMemory:
      // Nothing sensible can follow; the report keeps every line written.
      WriteDialogueLine(window, "Not enough memory to read \"" + path + "\": " + std::to_string(count.read) +
                                    " values were read; the program ends.");
      StopProgram();
    case CountOutcome::kCounted:
      break;
  }
  // Too short to train on and test: said, not passed over in silence.
  if (count.values.size() < kMinimumValueCount) {
    Refuse(window, why,
           "The file \"" + path + "\" holds " + std::to_string(count.values.size()) +
               (count.values.size() == 1 ? " value" : " values") + "; a series needs at least " +
               std::to_string(kMinimumValueCount) + ".");
  }
  return why;
}

}  // namespace

bool LoadSeries(DialogueRun& run) {
  DialogueWindow& window = run.window();
  for (;;) {
    const FileChoice choice = run.front_end->choose_file(window);
    if (choice.outcome == ChoiceOutcome::kEndOfInput) EndAtEndOfInput(window);
    if (choice.outcome == ChoiceOutcome::kTerminate) return false;
    OpenDialogueWindow(window);
    SeriesCount count = CountValuesInFile(choice.path);
    if (const std::string why = RefuseCount(window, choice.path, count); !why.empty()) {
      if (run.front_end->file_refused) run.front_end->file_refused(why);
      continue;
    }
    if (run.front_end->series_opened) run.front_end->series_opened(choice.path);
    run.series = std::move(count.values);
    run.value_count = static_cast<std::int32_t>(run.series.size());
    WriteDialogueLine(window, "The time series contains " + FormatCount(run.value_count, 5) + " values");
    // The fixed reading changes some values on purpose; the user is told when it did.
    if (const std::string note = ImpliedDecimalsNote(count.implied_decimals, count.blank_records); !note.empty())
      WriteDialogueLine(window, "Note: " + note);
    return true;
  }
}

}  // namespace modelcheck
