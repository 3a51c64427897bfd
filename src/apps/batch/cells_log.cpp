#include "apps/batch/cells_log.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>

#include "apps/batch/json_fields.h"
#include "text/replace_file.h"

namespace modelcheck {

namespace {

using Json = nlohmann::ordered_json;

Json Number(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
  return value;
}

double NumberFrom(const Json& json) {
  if (json.is_number()) return json.get<double>();
  const std::string text = json.get<std::string>();
  if (text == "nan") return std::nan("");
  return text == "inf" ? HUGE_VAL : -HUGE_VAL;
}

Json Numbers(const std::vector<double>& values) {
  Json json = Json::array();
  for (const double value : values) json.push_back(Number(value));
  return json;
}

std::vector<double> NumbersFrom(const Json& json) {
  std::vector<double> values;
  for (const Json& item : json) values.push_back(NumberFrom(item));
  return values;
}

// A test's logged errors, with the prediction time the engine gives a test
// that finished (derived, not logged).
void TakeErrors(const Json& json, PredictionTestResult& test) {
  test.errors = NumbersFrom(json);
  if (!test.errors.empty()) test.prediction_time = PredictionTime(test.errors);
}

Json StopJson(const std::optional<CheckStop>& stop) {
  if (!stop) return nullptr;
  return Json{{"reason", static_cast<int>(stop->reason)},
              {"phase", static_cast<int>(stop->phase)},
              {"piece", stop->piece},
              {"step", stop->step},
              {"zero_diagonal", stop->zero_diagonal},
              {"message", stop->message}};
}

std::optional<CheckStop> StopFrom(const Json& json) {
  if (json.is_null()) return std::nullopt;
  return CheckStop{.reason = static_cast<StopReason>(json["reason"].get<int>()),
                   .phase = static_cast<CheckPhase>(json["phase"].get<int>()),
                   .piece = json["piece"],
                   .step = json["step"],
                   .zero_diagonal = json["zero_diagonal"],
                   .message = json["message"]};
}

std::string Fingerprint(std::span<const double> series) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const double value : series) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int byte = 0; byte < 8; ++byte) {
      hash ^= (bits >> (8 * byte)) & 0xFF;
      hash *= 1099511628211ULL;
    }
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// A missing time is null; logs written before it could be missing hold 0
// for a test without errors, which is read back as missing too.
std::optional<std::int32_t> TimeFrom(const Json& json, const PredictionTestResult& test) {
  if (json.is_null() || test.errors.empty()) return std::nullopt;
  return json.get<std::int32_t>();
}

Json IntervalRecord(const PredictionTestResult& test) {
  if (!test.interval) return nullptr;
  return Json{{"time_low", test.interval->time_low},
              {"time_high", test.interval->time_high},
              {"errors_low", Numbers(test.interval->errors_low)},
              {"errors_high", Numbers(test.interval->errors_high)}};
}

std::optional<BootstrapInterval> IntervalFrom(const Json& json) {
  if (json.is_null()) return std::nullopt;
  return BootstrapInterval{.errors_low = NumbersFrom(json["errors_low"]),
                           .errors_high = NumbersFrom(json["errors_high"]),
                           .time_low = json["time_low"],
                           .time_high = json["time_high"]};
}

Json CellRecord(const ScanCell& cell, std::size_t index) {
  const CheckResult& check = cell.result;
  Json json{{"cell", index},
            {"D", cell.D},
            {"eps", cell.eps},
            {"delay", cell.tau},
            {"status", CellStatusName(cell.status)},
            {"iterative_time", PredictionTimeJson(cell.iterative_time)},
            {"direct_time", PredictionTimeJson(cell.direct_time)},
            {"one_step_error", Number(check.one_step_error)},
            {"iterative_errors", Numbers(check.iterative.errors)},
            {"direct_errors", Numbers(check.direct.errors)},
            {"direct_neighbours", check.direct.neighbour_counts},
            {"iterative_skipped_pieces", check.iterative.skipped_pieces},
            {"direct_skipped_pieces", check.direct.skipped_pieces},
            {"stop", StopJson(check.stop)},
            {"orbit_stop", StopJson(check.orbit_stop)}};
  if (check.iterative.interval || check.direct.interval) {
    json["iterative_interval"] = IntervalRecord(check.iterative);
    json["direct_interval"] = IntervalRecord(check.direct);
  }
  return json;
}

Json BaselinesRecord(const ScanBaselines& baselines, std::size_t index) {
  const BaselineResult& result = baselines.result;
  return Json{{"baselines", index},
              {"D", baselines.D},
              {"delay", baselines.tau},
              {"persistence", Numbers(result.persistence.errors)},
              {"global_iterative", Numbers(result.global_iterative.errors)},
              {"global_direct", Numbers(result.global_direct.errors)},
              {"persistence_time", PredictionTimeJson(baselines.persistence_time)},
              {"global_iterative_time", PredictionTimeJson(baselines.global_iterative_time)},
              {"global_direct_time", PredictionTimeJson(baselines.global_direct_time)},
              {"global_stop", StopJson(result.global_stop)}};
}

// The grid of `settings` with no outcomes yet.
ScanResult EmptyGrid(const ScanSettings& settings) {
  ScanResult grid;
  grid.settings = settings;
  for (const std::int32_t tau : settings.tau) {
    for (const std::int32_t D : settings.D) {
      grid.baselines.push_back({.D = D,
                                .tau = tau,
                                .computed = false,
                                .result = {},
                                .persistence_time = std::nullopt,
                                .global_iterative_time = std::nullopt,
                                .global_direct_time = std::nullopt});
      for (const double eps : settings.eps) {
        ScanCell cell;
        cell.D = D;
        cell.eps = eps;
        cell.tau = tau;
        grid.cells.push_back(std::move(cell));
      }
    }
  }
  return grid;
}

// Puts one record's outcome into `grid`; false when it does not fit it.
bool TakeRecord(const Json& json, const ScanSettings& settings, ScanResult& grid) {
  if (json.contains("cell")) {
    const auto index = json["cell"].get<std::size_t>();
    if (index >= grid.cells.size()) return false;
    ScanCell& cell = grid.cells[index];
    // Logs written before delays had none: their cells have delay 1.
    if (json["D"].get<std::int32_t>() != cell.D || json["eps"].get<double>() != cell.eps ||
        json.value("delay", 1) != cell.tau)
      return false;
    cell.status = json["status"] == "singular" ? CellStatus::kSingular : CellStatus::kFinished;
    CheckResult& check = cell.result;
    check.settings = {.Ntrain = settings.Ntrain,
                      .D = cell.D,
                      .eps = cell.eps,
                      .Ltest = settings.Ltest,
                      .Ktest = settings.Ktest,
                      .tau = cell.tau};
    check.one_step_error = NumberFrom(json["one_step_error"]);
    TakeErrors(json["iterative_errors"], check.iterative);
    TakeErrors(json["direct_errors"], check.direct);
    check.direct.neighbour_counts = json["direct_neighbours"].get<std::vector<std::int32_t>>();
    check.stop = StopFrom(json["stop"]);
    // Logs written before skipped pieces had none.
    check.orbit_stop = json.contains("orbit_stop") ? StopFrom(json["orbit_stop"]) : std::nullopt;
    check.iterative.skipped_pieces = json.value("iterative_skipped_pieces", 0);
    check.direct.skipped_pieces = json.value("direct_skipped_pieces", 0);
    if (json.contains("iterative_interval")) {
      check.iterative.interval = IntervalFrom(json["iterative_interval"]);
      check.direct.interval = IntervalFrom(json["direct_interval"]);
    }
    cell.iterative_time = TimeFrom(json["iterative_time"], check.iterative);
    cell.direct_time = TimeFrom(json["direct_time"], check.direct);
    return true;
  }
  const auto index = json.at("baselines").get<std::size_t>();
  if (index >= grid.baselines.size() || json["D"].get<std::int32_t>() != grid.baselines[index].D ||
      json.value("delay", 1) != grid.baselines[index].tau)
    return false;
  ScanBaselines& baselines = grid.baselines[index];
  baselines.computed = true;
  TakeErrors(json["persistence"], baselines.result.persistence);
  TakeErrors(json["global_iterative"], baselines.result.global_iterative);
  TakeErrors(json["global_direct"], baselines.result.global_direct);
  baselines.result.global_stop = StopFrom(json["global_stop"]);
  baselines.persistence_time = TimeFrom(json["persistence_time"], baselines.result.persistence);
  baselines.global_iterative_time = TimeFrom(json["global_iterative_time"], baselines.result.global_iterative);
  baselines.global_direct_time = TimeFrom(json["global_direct_time"], baselines.result.global_direct);
  return true;
}

}  // namespace

std::string CellsLogHeader(const ScanSettings& settings, std::span<const double> series) {
  Json json{{"log", "modelcheck-batch cells"},
            {"version", 2},
            {"values", series.size()},
            {"fingerprint", Fingerprint(series)},
            {"Ntrain", settings.Ntrain},
            {"D", settings.D},
            {"eps", settings.eps},
            {"Ltest", settings.Ltest},
            {"Ktest", settings.Ktest},
            {"threshold", settings.threshold}};
  // Only a scan with delays names them, so that a log written before delays
  // still resumes the same scan.
  if (settings.tau != std::vector<std::int32_t>{1}) json["delay"] = settings.tau;
  if (settings.on_singular == SingularFitPolicy::kSkipPiece) json["on_singular"] = "skip-piece";
  if (settings.eps_relative) json["eps_relative"] = true;
  if (settings.bootstrap.resamples > 0)
    json["bootstrap"] = {{"resamples", settings.bootstrap.resamples}, {"seed", settings.bootstrap.seed}};
  return json.dump();
}

std::string CellsLogRecord(const ScanResult& result, const ScanOutcome& outcome) {
  const Json json = outcome.baselines ? BaselinesRecord(result.baselines[outcome.index], outcome.index)
                                      : CellRecord(result.cells[outcome.index], outcome.index);
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<LoggedScan> ReadCellsLog(const std::string& path, const std::string& header,
                                       const ScanSettings& settings) {
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open()) return std::nullopt;
  LoggedScan logged;
  logged.earlier = EmptyGrid(settings);
  std::string line;
  if (!std::getline(file, line) || line != header) {
    logged.problem = "it belongs to another scan (another series or other settings)";
    return logged;
  }
  // A line cut short by a kill ends what can be trusted; the rest is counted, not read.
  bool whole = true;
  while (std::getline(file, line)) {
    if (whole && file.good()) {
      try {
        whole = TakeRecord(Json::parse(line), settings, logged.earlier);
      } catch (const nlohmann::json::exception&) {
        whole = false;
      }
      if (whole) {
        logged.records.push_back(line);
        continue;
      }
    }
    whole = false;
    ++logged.cut_lines;
  }
  return logged;
}

CellsLogWriter::~CellsLogWriter() {
  if (file_ != nullptr) std::fclose(file_);
}

std::string CellsLogWriter::Start(const std::string& path, const std::vector<std::string>& lines) {
  path_ = path;
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  if (const auto failure = ReplaceFileWhole(path, text))
    return "cannot write \"" + path + "\": " + std::strerror(failure->error);
  file_ = std::fopen(path.c_str(), "ab");
  if (file_ == nullptr) return "cannot write \"" + path + "\": " + std::strerror(errno);
  return {};
}

void CellsLogWriter::Append(const std::string& line) {
  if (file_ == nullptr) return;
  if (std::fputs(line.c_str(), file_) < 0 || std::fputc('\n', file_) == EOF || std::fflush(file_) != 0) {
    failure_ = "cannot write \"" + path_ + "\": " + std::strerror(errno) + "; the scan goes on without it";
    std::fclose(file_);
    file_ = nullptr;
  }
}

}  // namespace modelcheck
