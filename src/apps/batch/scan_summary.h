// The lines a batch run prints on standard output when it ends: how many
// cells ended how, the best cell beside its baselines, and what was written.
#pragma once

#include <string>
#include <vector>

#include "modelcheck/scan.h"

namespace modelcheck {

std::string ScanSummary(const ScanResult& result, const std::vector<std::string>& written, const std::string& folder);

}  // namespace modelcheck
