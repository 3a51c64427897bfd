// Fields that results.json, meta.json and cells.jsonl write alike.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>

#include "modelcheck/scan.h"

namespace modelcheck {

// A prediction time, or null for a test without one (stopped or not run):
// 0 would read as a measured time.
inline nlohmann::json PredictionTimeJson(std::optional<std::int32_t> time) {
  return time ? nlohmann::json(*time) : nlohmann::json(nullptr);
}

// Every setting of a scan, as results.json and meta.json record it.
inline nlohmann::ordered_json ScanSettingsJson(const ScanSettings& settings) {
  nlohmann::ordered_json json{
      {"Ntrain", settings.Ntrain},
      {"D", settings.D},
      {"eps", settings.eps},
      {"Ltest", settings.Ltest},
      {"Ktest", settings.Ktest},
      {"threshold", settings.threshold},
      {"delay", settings.tau},
      {"on_singular", settings.on_singular == SingularFitPolicy::kSkipPiece ? "skip-piece" : "stop"},
      {"eps_relative", settings.eps_relative},
      {"metric", ScanMetricName(settings.metric)}};
  // Only a run with intervals names them, so that other runs' files stay as they were.
  if (settings.bootstrap.resamples > 0)
    json["bootstrap"] = {{"resamples", settings.bootstrap.resamples}, {"seed", settings.bootstrap.seed}};
  return json;
}

}  // namespace modelcheck
