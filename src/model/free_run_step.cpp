#include "model/free_run_step.h"

#include <algorithm>
#include <cstddef>

#include "model/neighbour_grid.h"

namespace modelcheck {

double PredictNextValue(ModelCheck& check, LocalFitWork& work) {
  const ModelSettings& settings = check.settings;
  const std::span<std::int32_t> list(check.neighbours);
  check.neighbour_count = FindNeighbours(settings.Ntrain, settings.Ntrain - 1, check.training,
                                         check.state, settings.D - 1, settings.eps, check.grid, list);
  return PredictLocal(check.training, check.state, settings.D,
                      list.first(static_cast<std::size_t>(check.neighbour_count)),
                      check.neighbour_count, 1, work);
}

void ShiftState(std::span<double> state, double prediction) {
  std::shift_left(state.begin(), state.end(), 1);
  state.back() = prediction;
}

}  // namespace modelcheck
