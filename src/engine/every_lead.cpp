#include "engine/every_lead.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "engine/model_invariant.h"

namespace modelcheck {

namespace {

std::size_t Size(std::int32_t n) { return static_cast<std::size_t>(n); }

// Row j of the targets holds X(o+D), ..., X(o+D-1+L) of neighbour o = Nb[j].
void FillLeadTargets(std::span<const double> X, std::int32_t D, std::span<const std::int32_t> Nb, std::int32_t M,
                     std::size_t L, std::vector<double>& targets) {
  targets.resize(Size(M) * L);
  for (std::size_t j = 0; j < Size(M); ++j) {
    const std::int64_t first = std::int64_t{Nb[j]} + D - 1;  // zero-based index of X(o+D)
    MC_MODEL_REQUIRE(Nb[j] >= 1 && first + static_cast<std::int64_t>(L) <= static_cast<std::int64_t>(X.size()));
    std::copy_n(X.begin() + first, L, targets.begin() + static_cast<std::ptrdiff_t>(j * L));
  }
}

// Reflector l (one-based) applied to every lead's targets: t = -(u . y) / u(1),
// then y = t u + y, each lead's dot product summed in row order from zero.
void ApplyReflectorToLeads(LocalFitWork& work, std::int32_t M, std::int32_t l, std::size_t L,
                           std::vector<double>& targets, std::vector<double>& sums) {
  const double first = work.hhaux[Size(l - 1)];
  // No reflector was built for this column: it is the identity.
  if (first == 0.0) return;
  const std::size_t diagonal_at = Size(l - 1) + Size(l - 1) * Size(M);
  const double saved = work.design[diagonal_at];
  // The diagonal lends its place to the reflector's first element.
  work.design[diagonal_at] = first;
  const std::span<const double> u = std::span<const double>(work.design).subspan(diagonal_at, Size(M - l + 1));
  sums.assign(L, 0.0);
  for (std::size_t i = 0; i < u.size(); ++i) {
    const double* row = targets.data() + (Size(l - 1) + i) * L;
    for (std::size_t r = 0; r < L; ++r) sums[r] = sums[r] + u[i] * row[r];
  }
  for (std::size_t r = 0; r < L; ++r) sums[r] = -sums[r] / first;
  for (std::size_t i = 0; i < u.size(); ++i) {
    double* row = targets.data() + (Size(l - 1) + i) * L;
    for (std::size_t r = 0; r < L; ++r) row[r] = sums[r] * u[i] + row[r];
  }
  work.design[diagonal_at] = saved;
}

// Back substitution with R for lead r, then the affine map applied to Z.
double LeadPrediction(const LocalFitWork& work, std::int32_t M, std::int32_t D, std::span<const double> Z,
                      const std::vector<double>& targets, std::size_t L, std::size_t r, std::vector<double>& coef) {
  const std::size_t k = Size(D) + 1;
  const auto R = [&](std::size_t i, std::size_t j) { return work.design[(i - 1) + (j - 1) * Size(M)]; };
  coef.resize(k);
  for (std::size_t j = 0; j < k; ++j) coef[j] = targets[j * L + r];
  for (std::size_t j = k; j >= 1; --j) {
    const double cj = coef[j - 1] / R(j, j);
    coef[j - 1] = cj;
    for (std::size_t i = 1; i < j; ++i) coef[i - 1] = -cj * R(i, j) + coef[i - 1];
  }
  return ApplyAffineMap(coef, Z, D);
}

}  // namespace

bool FactorIsSingular(const LocalFitWork& work, std::int32_t M, std::int32_t D) {
  for (std::int32_t j = 1; j <= D + 1; ++j) {
    if (work.design[Size(j - 1) + Size(j - 1) * Size(M)] == 0.0) return true;
  }
  return false;
}

void PredictEveryLead(std::span<const double> X, std::span<const double> Z, std::int32_t D,
                      std::span<const std::int32_t> Nb, std::int32_t M, LocalFitWork& work,
                      std::span<double> predictions) {
  MC_MODEL_REQUIRE(D >= 1 && M >= D + 1 && Size(D) <= Z.size() && Size(M) <= Nb.size());
  MC_MODEL_REQUIRE(work.design.size() == Size(M) * (Size(D) + 1) && work.hhaux.size() == Size(D) + 1);
  const std::size_t L = predictions.size();
  FillLeadTargets(X, D, Nb, M, L, work.lead_targets);
  const std::int32_t reflectors = std::min(M - 1, D + 1);
  for (std::int32_t l = 1; l <= reflectors; ++l)
    ApplyReflectorToLeads(work, M, l, L, work.lead_targets, work.lead_sums);
  for (std::size_t r = 0; r < L; ++r)
    predictions[r] = LeadPrediction(work, M, D, Z, work.lead_targets, L, r, work.lead_coef);
}

}  // namespace modelcheck
