// A shared library's own entry point that runs model checks inside it: one
// whole check, and the same check on a training part prepared once, which
// must agree.
#include <modelcheck/engine.h>
#include <modelcheck/prepared_training.h>

#include <span>

extern "C" __attribute__((visibility("default"))) int EmbeddedIterativePredictionTime(const double* values, int count) {
  const std::span<const double> series(values, static_cast<std::size_t>(count));
  const modelcheck::ModelSettings settings{.Ntrain = count - 200, .D = 2, .eps = 0.05};
  const modelcheck::CheckResult result = modelcheck::CheckSeries(series, settings);
  const modelcheck::PreparedTraining training(series, settings.Ntrain);
  const modelcheck::CheckResult prepared =
      training.Model(settings.D, settings.eps).Check(settings.Ltest, settings.Ktest);
  if (prepared.iterative.prediction_time != result.iterative.prediction_time) return -2;
  return result.iterative.prediction_time.value_or(-1);
}
