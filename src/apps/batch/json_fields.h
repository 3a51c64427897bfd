// Fields that results.json and cells.jsonl write alike.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

namespace modelcheck {

// A prediction time, or null for a test without one (stopped or not run):
// 0 would read as a measured time.
inline nlohmann::json PredictionTimeJson(std::optional<std::int32_t> time) {
  return time ? nlohmann::json(*time) : nlohmann::json(nullptr);
}

}  // namespace modelcheck
