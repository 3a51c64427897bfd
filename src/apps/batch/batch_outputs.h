// The files a batch run leaves in its output folder, each written whole or
// not at all (a temporary file beside it, then a rename), so a reader never
// sees half a file and an earlier run's file survives a failed write.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/batch/batch_options.h"
#include "apps/batch/scan_json.h"
#include "modelcheck/scan.h"

namespace modelcheck {

struct OutputReport {
  std::vector<std::string> written;   // file names, in the order written
  std::vector<std::string> failures;  // one line each, naming the file and the cause
};

// Makes the folder when it is missing and finds out, before any work, that
// the outputs can be written there: a file can be made in it, and no output
// name is taken by anything but a regular file or a link (a named pipe there
// would block the program, a folder would fail only at the end). The line
// naming the folder or the file and the cause when they cannot.
std::optional<std::string> PrepareOutputFolder(const BatchOptions& options);

// The names of the files the chosen formats write, in the order written.
std::vector<std::string> OutputNames(const BatchOptions& options);

// Makes the folder when it is missing, then writes the chosen formats:
// results.json; curves.csv and scan.csv; scan.png and curves.png.
OutputReport WriteScanOutputs(const BatchOptions& options, const ScanResult& result, const ScanSource& source);

}  // namespace modelcheck
