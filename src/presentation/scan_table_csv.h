// A scan's tables (presentation/scan_tables.h) as CSV: scan.csv and
// curves.csv.
//
// A header row naming every column, one record per line ended by "\n",
// fields separated by commas, text quoted only when it holds a comma, a quote
// or a line end. Numbers are the shortest text that reads back as the same
// double; an absent field is empty. A cell the scan did not reach
// (interrupted) has the status "not run".
#pragma once

#include <string>

#include "modelcheck/scan.h"
#include "presentation/scan_tables.h"
#include "text/replace_file.h"

namespace modelcheck {

// Row by row to `write`, so a large grid is never held as text.
// `surrogates`: the surrogate test of some cells, when one ran.
void WriteTableCsv(const ScanResult& result, ScanTableKind kind, const ByteWriter& write,
                   const SurrogateRun* surrogates = nullptr);

// The same table whole.
std::string TableCsv(const ScanResult& result, ScanTableKind kind, const SurrogateRun* surrogates = nullptr);

}  // namespace modelcheck
