#include "engine/check_input.h"

#include <cstddef>
#include <source_location>

#include "engine/model_invariant.h"

namespace modelcheck {

namespace {

// A broken invariant of the caller: no recovery is possible or meaningful.
void Require(bool condition, const char* what, std::source_location where = std::source_location::current()) {
  if (!condition) BrokenModelInvariant(what, where.file_name(), static_cast<int>(where.line()));
}

std::size_t Size(std::int32_t count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

}  // namespace

CheckInput MakeCheckInput(std::span<const double> series, const ModelSettings& settings,
                          const TrainingStatistics& statistics) {
  const auto Ntrain = static_cast<std::size_t>(settings.Ntrain);
  return CheckInput{.settings = settings,
                    .training = series.first(Ntrain),
                    .test_segment = series.subspan(Ntrain, static_cast<std::size_t>(Ntest(settings))),
                    .variance = statistics.variance,
                    .error_scale = statistics.error_scale,
                    .grid = nullptr};
}

CheckInput MakeCheckInput(std::span<const double> series, const ModelSettings& settings,
                          const TrainingStatistics& statistics, const NeighbourGrid& grid) {
  CheckInput input = MakeCheckInput(series, settings, statistics);
  input.grid = &grid;
  return input;
}

void RequireCheckInput(const CheckInput& input) {
  const ModelSettings& settings = input.settings;
  Require(settings.D >= 1 && settings.tau >= 1 && settings.Ltest >= 1 && settings.Ktest >= 1, "settings out of range");
  Require(input.training.size() >= Size(settings.Ntrain), "training series shorter than Ntrain");
  Require(input.test_segment.size() >= Size(Ntest(settings)), "test segment shorter than Ntest");
  Require(input.grid != nullptr, "no neighbour grid");
}

}  // namespace modelcheck
