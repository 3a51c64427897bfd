// results.json: everything a scan found, for programs to read.
//
// The document holds the program and its version, how the run was made
// (the "meta" object of run_meta.h), the series (file name,
// value count, how the file was read, training range), every setting, whether the scan is complete,
// the best cell, the baselines of each dimension (errors per horizon and
// prediction times) and per cell: D, eps, its status (with the reason or
// the stop), the one-step error, both prediction times, the normalised error
// per horizon of both tests, the direct pieces' neighbour counts (min,
// median, max and the list), the baselines' prediction times and, with
// --bootstrap, each test's 90 % intervals ("interval"). With --surrogates
// the "surrogates" object holds the surrogate test. Numbers are
// written so they read back as the same doubles; an error that is not a
// number is null. Nothing in it depends on the number of jobs.
#pragma once

#include <cstddef>
#include <string>

#include "apps/batch/run_meta.h"
#include "modelcheck/scan.h"
#include "modelcheck/surrogates.h"
#include "text/replace_file.h"
#include "text/series_reader.h"

namespace modelcheck {

struct ScanSource {
  std::string file;  // as given on the command line; "-" for standard input
  std::size_t values = 0;
  SeriesFileInfo reading;  // how the file was read
  RunMeta meta;            // how the run was made: the "meta" object
  // The surrogate test of some cells, when one ran (the "surrogates" object).
  const SurrogateRun* surrogates = nullptr;
};

// Cell by cell to `write`, so a large grid is never held as one document.
void WriteScanResultsJson(const ScanResult& result, const ScanSource& source, const ByteWriter& write);

// The same document whole.
std::string ScanResultsJson(const ScanResult& result, const ScanSource& source);

}  // namespace modelcheck
