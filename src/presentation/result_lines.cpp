#include "presentation/result_lines.h"

#include "text/fixed_field.h"

namespace modelcheck {

std::array<std::string, 4> IterativeResultLines(const IterativeResult& result) {
  return {
      "Length of a test piece: Ltest = " + FormatCount(result.Ltest, 5),
      "Number of test pieces: Ktest = " + FormatCount(result.Ktest, 4),
      "One-step prediction error: " + FormatFixed(100.0 * result.one_step_error, 9, 5) + " %",
      "Prediction time (iterative method):  " + FormatCount(result.prediction_time, 5),
  };
}

std::string DirectResultLine(std::int32_t prediction_time) {
  return "Prediction time (direct method): " + FormatCount(prediction_time, 5);
}

}  // namespace modelcheck
