#include "predict/test_pieces.h"

#include <cstddef>
#include <source_location>

#include "model/model_invariant.h"

namespace modelcheck {

namespace {

// A broken invariant of the caller: no recovery is possible or meaningful.
void Require(bool condition, const char* what,
             std::source_location where = std::source_location::current()) {
  if (!condition) BrokenModelInvariant(what, where.file_name(), static_cast<int>(where.line()));
}

std::size_t Size(std::int32_t count) { return count > 0 ? static_cast<std::size_t>(count) : 0; }

}  // namespace

std::int32_t PieceCount(const ModelSettings& settings) {
  return Ntest(settings) - settings.D - settings.Ltest + 1;
}

void LoadPieceState(ModelCheck& check, std::int32_t k) {
  const auto first = static_cast<std::size_t>(k - 1);
  for (std::size_t l = 0; l < check.state.size(); ++l) check.state[l] = check.test_segment[first + l];
}

double PieceTarget(const ModelCheck& check, std::int32_t k, std::int32_t i) {
  const std::int32_t m = k + check.settings.D + i - 1;
  return check.test_segment[static_cast<std::size_t>(m - 1)];
}

void RequirePredictionInputs(const ModelCheck& check, std::span<const double> errors) {
  const ModelSettings& settings = check.settings;
  Require(settings.D >= 1 && settings.Ltest >= 1 && settings.Ktest >= 1, "settings out of range");
  Require(check.training.size() >= Size(settings.Ntrain), "training series shorter than Ntrain");
  Require(check.test_segment.size() >= Size(Ntest(settings)), "test segment shorter than Ntest");
  Require(check.state.size() == Size(settings.D), "state does not hold D values");
  Require(check.neighbours.size() >= Size(settings.Ntrain), "neighbour list shorter than Ntrain");
  Require(errors.size() == Size(settings.Ltest), "horizon errors do not hold Ltest values");
  Require(check.surface && check.report && check.dialogue, "a window or the report is missing");
}

}  // namespace modelcheck
