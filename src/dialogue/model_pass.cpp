// One model pass: D and eps, their report lines, the neighbour grid, the
// evaluation passes, and question 6).
#include <string>

#include "dialogue/dialogue_run.h"
#include "dialogue/questions.h"
#include "modelcheck/settings_ranges.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

// eps in F9.5 where that shows it, from 0.00001 up to 99999.99999; beyond,
// five significant digits in exponent form, so the report keeps the setting.
std::string BoxSizeText(double eps) {
  const std::string fixed = FormatFixed(eps, 9, 5);
  const bool shown = fixed.find('*') == std::string::npos && fixed.find_first_of("123456789") != std::string::npos;
  return shown ? fixed : FormatExponent(eps, 5);
}

void AskDimensionAndBoxSize(DialogueRun& run) {
  ModelSettings& settings = run.settings;
  const PlotRange range = run.plot_range;
  settings.D = AskInteger(run.window(), "(I2)", "2) Dimension of a model map: D = ", [&](std::int32_t D) {
    return DAccepted(D, settings.Ntrain);
  });
  // The bound is no number a user would guess: a file of integers, read with
  // the implied decimals, spans about 1e-7.
  const std::string accepted = "The box size eps must be above 0 and at most " +
                               FormatExponent(range.upper - range.lower, 5) + ", the width of the plot range.";
  settings.eps = AskReal(
      run.window(), "(F20.10)",
      "   Box size: eps = ", [&](double eps) { return EpsAccepted(eps, range.lower, range.upper); }, accepted);
}

}  // namespace

char RunModelPass(DialogueRun& run) {
  const ModelSettings& settings = run.settings;
  // With a zero-width plot range no eps is accepted: offer a new Ntrain instead.
  if (!BoxSizeFits(run.plot_range.lower, run.plot_range.upper)) {
    WriteDialogueLine(run.window(), "No box size eps fits: all values in the plot range are equal.");
    return 'n';
  }
  AskDimensionAndBoxSize(run);
  WriteReportLine(run.report, "Dimension of a model map: D = " + FormatInteger(settings.D, 2));
  WriteReportLine(run.report, "Box size: eps = " + BoxSizeText(settings.eps));
  run.model.reset();  // the grid of the last model is not needed while the next one is built
  run.model.emplace(run.training->Model(settings.D, settings.eps));
  RunEvaluationPasses(run);
  return AskYesNo(run.window(), "6) Different dimension or box size? (y/n) ");
}

}  // namespace modelcheck
