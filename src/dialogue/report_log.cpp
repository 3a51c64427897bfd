#include "dialogue/report_log.h"

#include <cerrno>
#include <cstring>

namespace modelcheck {

namespace {

void ReportFailure(ReportLog& log, std::string_view what, int error, std::string_view consequence) {
  log.failed = true;
  if (log.dialogue == nullptr) return;
  WriteDialogueLine(*log.dialogue, std::string(what) + " " + log.path + " (" + std::strerror(error) + "); " +
                                       std::string(consequence));
}

// Closes the file; false (with errno) when a buffered line could not be
// written or the close failed.
bool FlushAndClose(ReportLog& log) {
  const bool flushed = std::fflush(log.file) == 0;
  const int flush_error = errno;
  const bool closed = std::fclose(log.file) == 0;
  log.file = nullptr;
  if (!flushed) errno = flush_error;
  return flushed && closed;
}

void WriteRecord(ReportLog& log, std::string_view record) {
  if (log.file == nullptr || log.failed) return;
  // Each line reaches the file at once, so a stop at any point keeps it.
  const bool written =
      std::fwrite(record.data(), 1, record.size(), log.file) == record.size() && std::fflush(log.file) == 0;
  if (!written) ReportFailure(log, "Cannot write", errno, "later report lines are skipped.");
}

}  // namespace

void OpenReport(ReportLog& log, DialogueWindow& dialogue) {
  log.dialogue = &dialogue;
  if (log.file != nullptr) return;
  log.file = std::fopen(log.path.c_str(), "a");
  if (log.file == nullptr) {
    if (!log.failed) ReportFailure(log, "Cannot open", errno, "the session goes on without the report.");
    return;
  }
  log.failed = false;
  log.close_action = RegisterCloseAction([&log] {
    if (log.file != nullptr) FlushAndClose(log);
  });
}

void WriteReportLine(ReportLog& log, std::string_view text) {
  std::string record = " ";
  record.append(text);
  record.push_back('\n');
  WriteRecord(log, record);
}

void WriteReportEmptyLine(ReportLog& log) { WriteRecord(log, "\n"); }

void CloseReport(ReportLog& log) {
  if (log.file == nullptr) {
    log.failed = false;
    return;
  }
  UnregisterCloseAction(log.close_action);
  log.close_action = -1;
  const bool had_failed = log.failed;
  log.failed = false;
  if (!FlushAndClose(log) && !had_failed) ReportFailure(log, "Cannot close", errno, "its last lines may be missing.");
  log.failed = false;
}

}  // namespace modelcheck
