// report.txt, the append-mode log of every evaluation: the ReportLog stream.
//
// The file is opened in append mode (created when missing, never truncated) at
// every training pass; opening it again while open changes nothing. Every line
// written is one blank column followed by the text; an empty line has no
// characters. While the file is open it is registered for the orderly stop,
// so a stop of the program closes it with every line written so far.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "dialogue/dialogue_window.h"
#include "errors/orderly_stop.h"

namespace modelcheck {

inline constexpr std::string_view kReportFileName = "report.txt";

struct ReportLog {
  std::string path{kReportFileName};
  std::FILE* file = nullptr;
  CloseActionId close_action = -1;
  DialogueWindow* dialogue = nullptr;  // where a failure is reported
  bool failed = false;                 // a failure has been reported; later writes are skipped
};

// Opens `log.path` for appending unless it is open already. A failure is
// reported on the dialogue window with the file's name.
void OpenReport(ReportLog& log, DialogueWindow& dialogue);

// Writes one blank column, `text` and an end of line.
void WriteReportLine(ReportLog& log, std::string_view text);

// Writes a line with no characters.
void WriteReportEmptyLine(ReportLog& log);

// Flushes and closes the file; a failure to do so is reported.
void CloseReport(ReportLog& log);

}  // namespace modelcheck
