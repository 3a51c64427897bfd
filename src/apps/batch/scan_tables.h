// curves.csv and scan.csv: a scan as tables for spreadsheets and data frames.
//
// Both have a header row naming every column, one record per line ended by
// "\n", fields separated by commas, text quoted only when it holds a comma,
// a quote or a line end. Numbers are the shortest text that reads back as
// the same double; a figure that does not exist (an infeasible cell, a test
// that stopped) is an empty field. Cells appear in scan order, dimension-major.
//
// curves.csv, one row per cell and horizon:
//   D,eps,status,horizon,iterative_error,direct_error,persistence_error,
//   global_iterative_error,global_direct_error
// scan.csv, one row per cell:
//   D,eps,status,one_step_error,iterative_time,direct_time,persistence_time,
//   global_iterative_time,global_direct_time,neighbours_min,neighbours_median,
//   neighbours_max,reason
// A cell the scan did not reach (interrupted) has the status "not run".
#pragma once

#include <string>

#include "modelcheck/scan.h"
#include "text/replace_file.h"

namespace modelcheck {

// Row by row to `write`, so a large grid is never held as text.
void WriteCurvesTable(const ScanResult& result, const ByteWriter& write);
void WriteScanTable(const ScanResult& result, const ByteWriter& write);

// The same tables whole.
std::string CurvesTable(const ScanResult& result);
std::string ScanTable(const ScanResult& result);

}  // namespace modelcheck
