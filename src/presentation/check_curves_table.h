// A model check's curves as a CSV table, for a spreadsheet or a data frame:
// one row per index, a header naming every column,
//   index,iterative_error,direct_error,iterative_prediction,direct_prediction,orbit_newest,orbit_prediction,
//   measured_value,measured_orbit_newest,measured_orbit_next
// the first four columns for horizons 1..Ltest (normalised error per horizon
// of each test, and the first test piece's predictions), the next two for the
// model orbit's points (the newest state value and the prediction after it),
// then what the picture draws in black beside them: the measured value at
// each horizon of the first test piece, T(W + i) for a state spanning W
// values, and the measured phase orbit's points (T(i), T(i + 1)) of the test
// segment T. A column that has no value at an index (past its end, or a test
// that stopped) is an empty field. Numbers read back as the same doubles, in
// any locale.
#pragma once

#include <string>

#include "presentation/check_picture.h"

namespace modelcheck {

std::string CheckCurvesTable(const CheckPicture& picture);

}  // namespace modelcheck
