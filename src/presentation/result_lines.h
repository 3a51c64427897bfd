// The result lines of the prediction tests, without their leading blank
// column (the report and the dialogue window add it). Numbers stand
// right-aligned in fixed fields; a count too wide for its field is written in
// full, an error too wide for its field as asterisks filling it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace modelcheck {

struct IterativeResult {
  std::int32_t Ltest = 0;
  std::int32_t Ktest = 0;
  double one_step_error = 0.0;  // normalised error of horizon 1
  std::int32_t prediction_time = 0;
};

// The test settings, the one-step error in percent (width 9, 5 decimals) and
// the iterative prediction time, in the order they are reported.
std::array<std::string, 4> IterativeResultLines(const IterativeResult& result);

// "Prediction time (direct method): " and the time in 5 columns.
std::string DirectResultLine(std::int32_t prediction_time);

}  // namespace modelcheck
