// The reference predictors a check is measured against, over a prepared
// input (its grid and eps are not used): persistence and the global affine
// model. Both run over the check's test pieces and horizons and are scored
// with its error measure, so their errors and prediction times compare with
// the check's figure for figure.
//
// The global affine model is the local model with every admissible training
// state as a neighbour, in start-index order: the iterative test fits it once
// on the states with a successor (o <= Ntrain - D) and iterates it; the direct
// test fits it once on the states whose successors up to horizon Ltest exist
// (o <= Ntrain - Ltest - D + 1), one solve per horizon. Both fits run in
// blocks of states on up to `threads` threads (global_affine_fit.h), with the
// same figures for any count. With fewer than D + 1 such states it falls back
// as the local model does (mean, persistence).
#pragma once

#include "engine/check_input.h"
#include "modelcheck/engine.h"

namespace modelcheck {

BaselineResult RunBaselines(const CheckInput& input, int threads);

}  // namespace modelcheck
