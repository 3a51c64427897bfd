// A shared library's own entry point that runs one model check inside it.
#include <modelcheck/engine.h>

#include <span>

extern "C" __attribute__((visibility("default"))) int EmbeddedIterativePredictionTime(const double* values, int count) {
  const modelcheck::ModelSettings settings{.Ntrain = count - 200, .D = 2, .eps = 0.05};
  const modelcheck::CheckResult result =
      modelcheck::CheckSeries(std::span<const double>(values, static_cast<std::size_t>(count)), settings);
  return result.iterative.prediction_time.value_or(-1);
}
