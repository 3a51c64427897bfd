// The lines a batch run prints on standard output when it ends: how many
// cells ended how, the best cell beside its baselines (with its bootstrap
// intervals when there are some), what the surrogate test found, and what
// was written.
#pragma once

#include <string>
#include <vector>

#include "modelcheck/scan.h"
#include "modelcheck/surrogates.h"

namespace modelcheck {

// `options` names the option of each axis, for the advice to extend the
// grid when the best cell lies on its edge: e.g. "the best eps is the
// smallest in the grid: extend --eps-log down".
struct GridOptions {
  std::string dimension = "--dim";
  std::string box_size = "--eps";
  std::string delay = "--delay";
};

// With `surrogates`, a line says what the surrogate test found.
std::string ScanSummary(const ScanResult& result, const std::vector<std::string>& written, const std::string& folder,
                        const GridOptions& options = {}, const SurrogateRun* surrogates = nullptr);

}  // namespace modelcheck
