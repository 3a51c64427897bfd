// A model check's curves as a CSV table, for a spreadsheet or a data frame:
// one row per index, a header naming every column,
//   index,iterative_error,direct_error,iterative_prediction,direct_prediction,orbit_newest,orbit_prediction
// the first four columns for horizons 1..Ltest (normalised error per horizon
// of each test, and the first test piece's predictions), the last two for the
// model orbit's points (the newest state value and the prediction after it).
// A column that has no value at an index (past Ltest, or a test that stopped)
// is an empty field. Numbers read back as the same doubles, in any locale.
#pragma once

#include <string>

#include "modelcheck/engine.h"

namespace modelcheck {

std::string CheckCurvesTable(const CheckResult& result);

}  // namespace modelcheck
