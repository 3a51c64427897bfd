// cells.jsonl: every outcome of a scan as it lands, one JSON line each, so
// that a scan that is killed (kill -9, a machine that goes down) keeps what
// it finished and `--resume` computes only the rest.
//
// The first line names the scan: the program, the settings, the number of
// values and a fingerprint of them (FNV-1a over the values' bits). Each
// further line is a cell with an outcome or a dimension's computed
// baselines, holding the figures the output files show (errors per horizon,
// prediction times, one-step error, direct neighbour counts, the stop), so
// that a resumed scan writes the same files, byte for byte, as one run.
// Numbers read back as the same doubles; "nan", "inf" and "-inf" stand for
// the values JSON has no number for.
#pragma once

#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "modelcheck/scan.h"

namespace modelcheck {

std::string CellsLogHeader(const ScanSettings& settings, std::span<const double> series);

std::string CellsLogRecord(const ScanResult& result, const ScanOutcome& outcome);

// What an earlier log holds for this scan.
struct LoggedScan {
  std::string problem;               // the log belongs to another scan; empty otherwise
  ScanResult earlier;                // the grid of `settings`, with the logged outcomes
  std::vector<std::string> records;  // the lines read whole, to carry into the new log
  std::size_t cut_lines = 0;         // lines after the last whole one (a write cut short)
};

// Reads the log at `path`; nullopt when there is none.
std::optional<LoggedScan> ReadCellsLog(const std::string& path, const std::string& header,
                                       const ScanSettings& settings);

// Appends lines to the log and flushes each; the first failure is kept and
// logging stops there (the scan and its final files go on).
class CellsLogWriter {
 public:
  CellsLogWriter() = default;
  CellsLogWriter(const CellsLogWriter&) = delete;
  CellsLogWriter& operator=(const CellsLogWriter&) = delete;
  ~CellsLogWriter();

  // Starts the log at `path` with `lines` (the header and any carried
  // records), replacing what was there whole; the failure's line, or empty.
  std::string Start(const std::string& path, const std::vector<std::string>& lines);
  void Append(const std::string& line);
  const std::string& failure() const { return failure_; }  // of an append

 private:
  std::string path_;
  std::FILE* file_ = nullptr;
  std::string failure_;
};

}  // namespace modelcheck
