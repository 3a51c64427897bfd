// Placeholders until the local model lands.
#include "model/local_model.h"
#include "model/model_phase_orbit.h"
#include "model/neighbour_grid.h"

namespace modelcheck {

void BuildNeighbourGrid(std::int32_t, std::span<const double>, std::int32_t, double, NeighbourGrid&) {}

std::int32_t FindNeighbours(std::int32_t, std::int32_t, std::span<const double>, std::span<const double>,
                            std::int32_t, double, const NeighbourGrid&, std::span<std::int32_t>) {
  return 0;
}

double PredictLocal(std::span<const double>, std::span<const double> Z, std::int32_t D,
                    std::span<const std::int32_t>, std::int32_t, std::int32_t, LocalFitWork&, MeanRule) {
  return Z[static_cast<std::size_t>(D - 1)];
}

void ModelPhaseOrbit(ModelCheck&) {}

}  // namespace modelcheck
