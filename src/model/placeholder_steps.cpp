// Placeholders until the least-squares routines land.
#include "model/local_model.h"
#include "model/model_phase_orbit.h"

namespace modelcheck {

double PredictLocal(std::span<const double>, std::span<const double> Z, std::int32_t D,
                    std::span<const std::int32_t>, std::int32_t, std::int32_t, LocalFitWork&, MeanRule) {
  return Z[static_cast<std::size_t>(D - 1)];
}

void ModelPhaseOrbit(ModelCheck&) {}

}  // namespace modelcheck
