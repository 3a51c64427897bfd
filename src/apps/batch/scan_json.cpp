#include "apps/batch/scan_json.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>

#include "apps/batch/json_fields.h"
#include "presentation/neighbour_summary.h"
#include "text/utf8_text.h"

namespace modelcheck {

namespace {

using Json = nlohmann::ordered_json;

Json StopJson(const CheckStop& stop) {
  return Json{{"reason", StopReasonName(stop.reason)},
              {"phase", CheckPhaseName(stop.phase)},
              {"piece", stop.piece},
              {"step", stop.step},
              {"zero_diagonal", stop.zero_diagonal},
              {"message", stop.message}};
}

Json TestJson(const PredictionTestResult& test, std::optional<std::int32_t> prediction_time) {
  Json json{{"prediction_time", PredictionTimeJson(prediction_time)}, {"errors", Json::array()}};
  // NaN has no JSON form: null says the error is not a number.
  for (const double error : test.errors) json["errors"].push_back(error);
  json["skipped_pieces"] = test.skipped_pieces;
  if (test.interval) {
    json["interval"] = Json{{"prediction_time_low", test.interval->time_low},
                            {"prediction_time_high", test.interval->time_high},
                            {"errors_low", test.interval->errors_low},
                            {"errors_high", test.interval->errors_high}};
  }
  return json;
}

Json SurrogateCellJson(const ScanResult& result, const SurrogateCellTest& test) {
  const ScanCell& cell = result.cells[test.cell];
  Json json{{"cell", test.cell},
            {"D", cell.D},
            {"eps", cell.eps},
            {"delay", cell.tau},
            {"p_value", std::isnan(test.p_value) ? Json(nullptr) : Json(test.p_value)},
            {"finished", test.finished},
            {"at_most_series", test.at_most_series},
            {"one_step_errors", Json::array()},
            {"iterative_times", Json::array()},
            {"direct_times", Json::array()},
            {"band_low", test.band_low},
            {"band_high", test.band_high}};
  // Surrogate i at [i - 1]; null where its check gave no such figure.
  for (const SurrogateCheck& check : test.checks) {
    json["one_step_errors"].push_back(std::isnan(check.one_step_error) ? Json(nullptr) : Json(check.one_step_error));
    json["iterative_times"].push_back(Json(PredictionTimeJson(check.iterative_time)));
    json["direct_times"].push_back(Json(PredictionTimeJson(check.direct_time)));
  }
  return json;
}

Json SurrogatesJson(const ScanResult& result, const SurrogateRun& run) {
  Json json{{"method", "IAAFT"},          {"count", run.settings.count},
            {"seed", run.settings.seed},  {"max_iterations", run.settings.max_iterations},
            {"values", run.values},       {"complete", run.complete},
            {"converged", run.converged}, {"iterations", run.iterations},
            {"cells", Json::array()}};
  if (!run.complete) return json;
  for (const SurrogateCellTest& test : run.cells) json["cells"].push_back(SurrogateCellJson(result, test));
  return json;
}

Json NeighboursJson(const std::vector<std::int32_t>& counts) {
  const NeighbourSummary summary = SummariseNeighbours(counts);
  return Json{{"min", summary.minimum}, {"median", summary.median}, {"max", summary.maximum}, {"counts", counts}};
}

Json BaselinesJson(const ScanBaselines& baselines) {
  Json json{{"D", baselines.D}, {"delay", baselines.tau}, {"computed", baselines.computed}};
  if (!baselines.computed) return json;
  const BaselineResult& result = baselines.result;
  json["persistence"] = TestJson(result.persistence, baselines.persistence_time);
  json["global_affine"] = Json{{"iterative", TestJson(result.global_iterative, baselines.global_iterative_time)},
                               {"direct", TestJson(result.global_direct, baselines.global_direct_time)}};
  if (result.global_stop) json["global_affine"]["stop"] = StopJson(*result.global_stop);
  return json;
}

Json CellJson(const ScanCell& cell, const ScanBaselines& baselines) {
  Json json{{"D", cell.D}, {"eps", cell.eps}, {"delay", cell.tau}, {"status", CellStatusName(cell.status)}};
  if (cell.status == CellStatus::kInfeasible) json["reason"] = cell.reason;
  if (cell.status != CellStatus::kFinished && cell.status != CellStatus::kSingular) return json;
  const CheckResult& result = cell.result;
  if (result.stop) json["stop"] = StopJson(*result.stop);
  if (result.orbit_stop) json["orbit_stop"] = StopJson(*result.orbit_stop);
  json["one_step_error"] = result.iterative.errors.empty() ? Json(nullptr) : Json(result.one_step_error);
  json["iterative"] = TestJson(result.iterative, cell.iterative_time);
  json["direct"] = TestJson(result.direct, cell.direct_time);
  json["direct_neighbours"] = NeighboursJson(result.direct.neighbour_counts);
  if (baselines.computed) {
    json["baselines"] = Json{{"persistence", PredictionTimeJson(baselines.persistence_time)},
                             {"global_affine_iterative", PredictionTimeJson(baselines.global_iterative_time)},
                             {"global_affine_direct", PredictionTimeJson(baselines.global_direct_time)}};
  }
  return json;
}

// The file's name as UTF-8, its stray bytes written \xNN; a name that is not
// UTF-8 also gets its exact bytes in hexadecimal, so a program can find the file.
Json FileJson(const std::string& file) {
  Json json{{"file", EscapeInvalidUtf8(file)}};
  if (IsValidUtf8(file)) return json;
  std::string hex;
  for (const char byte : file) {
    constexpr char kDigits[] = "0123456789abcdef";
    hex += kDigits[static_cast<unsigned char>(byte) >> 4];
    hex += kDigits[static_cast<unsigned char>(byte) & 0xF];
  }
  json["file_bytes_hex"] = hex;
  return json;
}

// How the file was read: every field always present, so readers need no guesses.
Json ReadingJson(const SeriesFileInfo& info) {
  Json json{{"format", FormatName(info.format)},
            {"compression", CompressionName(info.compression)},
            {"values", info.values},
            {"skipped_rows", info.skipped_rows},
            {"skipped_blank", info.skipped_blank},
            {"skipped_comment", info.skipped_comment},
            {"header", info.header ? Json(*info.header) : Json(nullptr)},
            {"column", info.column > 0 ? Json(info.column) : Json(nullptr)},
            {"column_name", info.column_name.empty() ? Json(nullptr) : Json(info.column_name)},
            {"delimiter", info.delimiter == Delimiter::kDetect ? Json(nullptr) : Json(DelimiterName(info.delimiter))}};
  if (info.format == SeriesFormat::kFixed) {
    json["implied_decimals"] = info.implied_decimals;
    json["blank_as_zero"] = info.blank_as_zero;
  }
  if (info.format == SeriesFormat::kNpy) {
    json["npy_type"] = info.npy_type;
    json["npy_shape"] = info.npy_shape;
  }
  return json;
}

// Every line of `text` indented by `columns` blanks.
std::string Indented(const std::string& text, std::size_t columns) {
  const std::string indent(columns, ' ');
  std::string out = indent;
  for (const char c : text) {
    out += c;
    if (c == '\n') out += indent;
  }
  return out;
}

}  // namespace

void WriteScanResultsJson(const ScanResult& result, const ScanSource& source, const ByteWriter& write) {
  Json json{{"program", "modelcheck-batch"},
            {"version", MODELCHECK_VERSION},
            {"complete", result.complete},
            {"series", FileJson(source.file)},
            {"settings", ScanSettingsJson(result.settings)},
            {"meta", RunMetaJson(source.meta, result.settings, source.file, source.values)}};
  json["series"]["values"] = source.values;
  json["series"]["reading"] = ReadingJson(source.reading);
  json["series"]["training_minimum"] = result.training_minimum;
  json["series"]["training_maximum"] = result.training_maximum;
  // One unit of eps in series units: 1, or the training part's standard deviation.
  json["series"]["eps_unit"] = result.eps_unit;
  const auto best = BestCell(result);
  json["best_cell"] = best ? Json(*best) : Json(nullptr);
  json["best_by"] = Json::array();
  for (const ScanMetric metric : MetricOrder(result.settings.metric)) json["best_by"].push_back(ScanMetricName(metric));
  // Where the best cell lies on the grid's edge, and the best may lie beyond.
  json["best_on_edge"] = Json::array();
  for (const GridEdge& edge : BestCellEdges(result)) {
    json["best_on_edge"].push_back(
        Json{{"setting", edge.setting == ScanSetting::kDelay ? "delay" : ScanSettingName(edge.setting)},
             {"side", edge.smallest ? "smallest" : "largest"},
             {"text", GridEdgeText(edge)}});
  }
  if (source.surrogates != nullptr) json["surrogates"] = SurrogatesJson(result, *source.surrogates);
  json["baselines"] = Json::array();
  for (const ScanBaselines& baselines : result.baselines) json["baselines"].push_back(BaselinesJson(baselines));
  json["cells"] = Json::array();
  // Header lines and names from the file may be in any encoding: never a reason to lose the results.
  const auto dump = [](const Json& value) { return value.dump(2, ' ', false, Json::error_handler_t::replace); };
  const std::string head = dump(json);
  // The document is the one dump would give whole: its cells, the last member, written one at a time.
  const std::string empty_cells = "\"cells\": []";
  if (result.cells.empty()) {
    write(head + "\n");
    return;
  }
  if (!write(head.substr(0, head.rfind(empty_cells) + empty_cells.size() - 1))) return;
  const std::size_t columns = result.settings.eps.size();
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    const std::string cell = dump(CellJson(result.cells[c], result.baselines[c / columns]));
    if (!write((c == 0 ? "\n" : ",\n") + Indented(cell, 4))) return;
  }
  write("\n  ]\n}\n");
}

std::string ScanResultsJson(const ScanResult& result, const ScanSource& source) {
  std::string document;
  WriteScanResultsJson(result, source, [&document](std::string_view piece) {
    document += piece;
    return true;
  });
  return document;
}

}  // namespace modelcheck
