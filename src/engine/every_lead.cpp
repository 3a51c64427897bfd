#include "engine/every_lead.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "engine/model_invariant.h"

namespace modelcheck {

namespace {

std::size_t Size(std::int32_t n) { return static_cast<std::size_t>(n); }

// Row j of the targets holds X(o+m+1), ..., X(o+m+L) of neighbour o = Nb[j],
// m = (D-1) tau.
void FillLeadTargets(std::span<const double> X, std::int32_t D, std::int32_t tau, std::span<const std::int32_t> Nb,
                     std::int32_t M, std::size_t L, std::vector<double>& targets) {
  targets.resize(Size(M) * L);
  for (std::size_t j = 0; j < Size(M); ++j) {
    const std::int64_t first = std::int64_t{Nb[j]} + std::int64_t{D - 1} * tau;  // zero-based index of X(o+m+1)
    MC_MODEL_REQUIRE(Nb[j] >= 1 && first + static_cast<std::int64_t>(L) <= static_cast<std::int64_t>(X.size()));
    std::copy_n(X.begin() + first, L, targets.begin() + static_cast<std::ptrdiff_t>(j * L));
  }
}

// Reflector l (one-based) of the factor: u(1) is HHAUX(l), which the solver
// lends the diagonal's place; u(2..) lie below the diagonal of column l.
struct Reflector {
  double first = 0.0;             // 0: no reflector was built, it is the identity
  const double* below = nullptr;  // u(2), u(3), ... rows l+1..M

  double At(std::size_t i) const { return i == 0 ? first : below[i - 1]; }
};

Reflector ReflectorOf(const LocalFitWork& work, std::int32_t M, std::int32_t l) {
  return {.first = work.hhaux[Size(l - 1)], .below = work.design.data() + Size(l) + Size(l - 1) * Size(M)};
}

const double* Row(const std::vector<double>& targets, std::size_t row, std::size_t L) {
  return targets.data() + row * L;
}

// sums = u . y of every lead over rows l..M (zero-based `top`), summed in row order from zero.
void DotRows(const Reflector& u, std::size_t top, std::size_t rows, std::size_t L, const std::vector<double>& targets,
             double* sums) {
  std::fill_n(sums, L, 0.0);
  for (std::size_t i = 0; i < rows; ++i) {
    const double ui = u.At(i);
    const double* row = Row(targets, top + i, L);
    for (std::size_t r = 0; r < L; ++r) sums[r] = sums[r] + ui * row[r];
  }
}

// y = t u + y over rows top.., with t = -(u . y) / u(1) in `t`. When `next`
// has a reflector, its dot products (over rows top+1..) are summed in the
// same pass, each row right after its update: the same operations in the
// same order as a pass of their own, with one sweep over the targets less.
void UpdateRows(const Reflector& u, const double* t, std::size_t top, std::size_t rows, std::size_t L,
                std::vector<double>& targets, const Reflector* next, double* next_sums) {
  double* row = targets.data() + top * L;
  for (std::size_t r = 0; r < L; ++r) row[r] = t[r] * u.At(0) + row[r];
  if (next != nullptr) std::fill_n(next_sums, L, 0.0);
  for (std::size_t i = 1; i < rows; ++i) {
    const double ui = u.below[i - 1];
    row = targets.data() + (top + i) * L;
    if (next == nullptr) {
      for (std::size_t r = 0; r < L; ++r) row[r] = t[r] * ui + row[r];
    } else {
      const double vi = next->At(i - 1);
      for (std::size_t r = 0; r < L; ++r) {
        row[r] = t[r] * ui + row[r];
        next_sums[r] = next_sums[r] + vi * row[r];
      }
    }
  }
}

}  // namespace

void TransformLeadTargets(LocalFitWork& work, std::int32_t M, std::int32_t D, std::size_t L) {
  MC_MODEL_REQUIRE(work.lead_targets.size() == Size(M) * L);
  const std::int32_t reflectors = std::min(M - 1, D + 1);
  // Each reflector: t = -(u . y) / u(1) for every lead, then y = t u + y.
  work.lead_sums.resize(2 * L);
  double* sums = work.lead_sums.data();
  double* next_sums = sums + L;
  bool summed = false;  // the sums of reflector l came with the update of l - 1
  for (std::int32_t l = 1; l <= reflectors; ++l) {
    const Reflector u = ReflectorOf(work, M, l);
    if (u.first == 0.0) {  // the identity: nothing to apply
      summed = false;
      continue;
    }
    const std::size_t top = Size(l - 1);
    const std::size_t rows = Size(M - l + 1);
    if (!summed) DotRows(u, top, rows, L, work.lead_targets, sums);
    for (std::size_t r = 0; r < L; ++r) sums[r] = -sums[r] / u.first;
    Reflector next;
    if (l < reflectors) next = ReflectorOf(work, M, l + 1);
    summed = next.first != 0.0;
    UpdateRows(u, sums, top, rows, L, work.lead_targets, summed ? &next : nullptr, next_sums);
    std::swap(sums, next_sums);
  }
}

void LeadCoefficients(const LocalFitWork& work, std::int32_t M, std::int32_t D, std::size_t L, std::size_t r,
                      std::vector<double>& coef) {
  const std::size_t k = Size(D) + 1;
  const auto R = [&](std::size_t i, std::size_t j) { return work.design[(i - 1) + (j - 1) * Size(M)]; };
  coef.resize(k);
  for (std::size_t j = 0; j < k; ++j) coef[j] = work.lead_targets[j * L + r];
  for (std::size_t j = k; j >= 1; --j) {
    const double cj = coef[j - 1] / R(j, j);
    coef[j - 1] = cj;
    for (std::size_t i = 1; i < j; ++i) coef[i - 1] = -cj * R(i, j) + coef[i - 1];
  }
}

bool FactorIsSingular(const LocalFitWork& work, std::int32_t M, std::int32_t D) {
  for (std::int32_t j = 1; j <= D + 1; ++j) {
    if (work.design[Size(j - 1) + Size(j - 1) * Size(M)] == 0.0) return true;
  }
  return false;
}

void PredictEveryLead(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                      std::span<const std::int32_t> Nb, std::int32_t M, LocalFitWork& work,
                      std::span<double> predictions) {
  MC_MODEL_REQUIRE(D >= 1 && M >= D + 1 && Size(D) <= Z.size() && Size(M) <= Nb.size());
  MC_MODEL_REQUIRE(work.design.size() == Size(M) * (Size(D) + 1) && work.hhaux.size() == Size(D) + 1);
  const std::size_t L = predictions.size();
  FillLeadTargets(X, D, tau, Nb, M, L, work.lead_targets);
  TransformLeadTargets(work, M, D, L);
  for (std::size_t r = 0; r < L; ++r) {
    LeadCoefficients(work, M, D, L, r, work.lead_coef);
    predictions[r] = ApplyAffineMap(work.lead_coef, Z, D);
  }
}

}  // namespace modelcheck
