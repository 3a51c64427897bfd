// On a console the transcript and report.txt say everything: no status line.
#include "dialogue/check_progress_view.h"
#include "dialogue/status_line.h"

namespace modelcheck {

std::function<bool(const CheckProgress&)> CheckProgressReporter() { return {}; }

void ShowProgramStep(std::string_view) {}

void ShowAnswerRead(std::string_view) {}

}  // namespace modelcheck
