// The predictions of every lead s = 1..L from one factorised local fit at
// once, for the direct test, which fits one neighbour list for all of its
// horizons.
//
// Each lead's prediction is bit for bit what PredictFromFactor gives: the
// same solve (the factor's reflectors applied to the lead's targets, then
// back substitution, then the affine map applied to Z), with every sum in
// the same order. Only the leads are handled side by side: their targets are
// read in one pass over the neighbours, and their sums, which do not depend
// on each other, run together instead of one after another.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/local_model.h"

namespace modelcheck {

// True when R of the factor in `work` has an exactly zero diagonal element,
// which the solver reports as a FATAL error: the caller then solves lead by
// lead with PredictFromFactor, which stops as it always has.
bool FactorIsSingular(const LocalFitWork& work, std::int32_t M, std::int32_t D);

// The factor's reflectors in `work` applied to L leads' targets, held row
// by row in work.lead_targets (M rows of L values): Q^T y of every lead, each
// lead's sums in the solver's order.
void TransformLeadTargets(LocalFitWork& work, std::int32_t M, std::int32_t D, std::size_t L);

// Lead r's (zero-based) coefficients by back substitution with R from the
// transformed targets, into `coef` (D + 1 values, the constant first). R must
// not be singular.
void LeadCoefficients(const LocalFitWork& work, std::int32_t M, std::int32_t D, std::size_t L, std::size_t r,
                      std::vector<double>& coef);

// predictions[s - 1] for s = 1..L = predictions.size(). Requires the factor
// of FactoriseLocalFit for these neighbours in `work`, not singular, and
// X(o + (D-1) tau + L) for every neighbour o (a broken invariant otherwise).
void PredictEveryLead(std::span<const double> X, std::span<const double> Z, std::int32_t D, std::int32_t tau,
                      std::span<const std::int32_t> Nb, std::int32_t M, LocalFitWork& work,
                      std::span<double> predictions);

}  // namespace modelcheck
