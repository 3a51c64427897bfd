// The batch program's parts: the lists a command line gives, the options and
// their refusals, and the data files (results.json, curves.csv, scan.csv)
// with every field they promise.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "apps/batch/batch_options.h"
#include "apps/batch/batch_outputs.h"
#include "apps/batch/cells_log.h"
#include "apps/batch/scan_json.h"
#include "apps/batch/scan_summary.h"
#include "apps/batch/value_lists.h"
#include "modelcheck/scan.h"
#include "presentation/scan_table_csv.h"
#include "support/files.h"
#include "support/henon.h"

namespace modelcheck {
namespace {

template <typename T>
std::string Problem(const Parsed<T>& parsed) {
  const auto* problem = std::get_if<std::string>(&parsed);
  return problem ? *problem : "";
}

TEST(ValueListsTest, DimensionsAreOneValueOrARange) {
  EXPECT_EQ(std::get<0>(ParseDimensionList("2")), std::vector<std::int32_t>{2});
  EXPECT_EQ(std::get<0>(ParseDimensionList("1:4")), (std::vector<std::int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(Problem(ParseDimensionList("4:1")), "\"4:1\" runs backwards: write first:last with first <= last");
  EXPECT_NE(Problem(ParseDimensionList("1:2:3")), "");
  EXPECT_NE(Problem(ParseDimensionList("two")), "");
  EXPECT_NE(Problem(ParseDimensionList("")), "");
  EXPECT_NE(Problem(ParseDimensionList("1:100000")), "");
  EXPECT_NE(Problem(ParseDimensionList("2.5")), "");
}

TEST(ValueListsTest, BoxSizesReadAsTypedEvenlyOrLogarithmicallySpaced) {
  EXPECT_EQ(std::get<0>(ParseBoxSizeList("5e-2", false)), std::vector<double>{0.05});
  EXPECT_EQ(std::get<0>(ParseBoxSizeList("+0.5", false)), std::vector<double>{0.5});
  EXPECT_EQ(std::get<0>(ParseBoxSizeList("0.01:0.1:10", false)),
            (std::vector<double>{0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09, 0.1}));
  EXPECT_EQ(std::get<0>(ParseBoxSizeList("0.001:0.1:3", true)), (std::vector<double>{0.001, 0.01, 0.1}));
  const std::vector<double> twenty = std::get<0>(ParseBoxSizeList("0.002:0.2:20", true));
  ASSERT_EQ(twenty.size(), 20u);
  EXPECT_EQ(twenty.front(), 0.002);
  EXPECT_EQ(twenty.back(), 0.2);
  for (std::size_t i = 1; i < twenty.size(); ++i)
    EXPECT_NEAR(twenty[i] / twenty[i - 1], std::pow(100.0, 1.0 / 19), 1e-8);
  EXPECT_EQ(std::get<0>(ParseBoxSizeList("0.3:0.1:1", false)), std::vector<double>{0.3});
  EXPECT_NE(Problem(ParseBoxSizeList("0:0.1:3", true)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("0.1", true)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("0.1:0.2:0", false)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("0.1:0.2:1001", false)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("0,05", false)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("inf", false)), "");
  EXPECT_NE(Problem(ParseBoxSizeList("0.1:0.2", false)), "");
}

std::variant<BatchOptions, CommandLineExit> Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "modelcheck-batch");
  return ParseBatchCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(BatchOptionsTest, DefaultsAndTheDefaultTrainingLength) {
  auto parsed = Parse({"series.txt"});
  ASSERT_TRUE(std::holds_alternative<BatchOptions>(parsed));
  BatchOptions& options = std::get<BatchOptions>(parsed);
  EXPECT_EQ(options.series_path, "series.txt");
  EXPECT_EQ(options.scan.D, std::vector<std::int32_t>{2});
  EXPECT_EQ(options.scan.eps, std::vector<double>{0.05});
  EXPECT_EQ(options.scan.Ltest, 30);
  EXPECT_EQ(options.scan.Ktest, 100);
  EXPECT_EQ(options.out_folder, ".");
  EXPECT_TRUE(options.write_json && options.write_csv && options.write_png);
  EXPECT_EQ(SettleScanSettings(options, 1000), std::nullopt);
  EXPECT_EQ(options.scan.Ntrain, 1000 - 131);
  auto scan = Parse({"-", "--dim", "1:6", "--ltest", "10", "--ktest", "20", "--format", "csv"});
  BatchOptions& wide = std::get<BatchOptions>(scan);
  EXPECT_EQ(SettleScanSettings(wide, 1000), std::nullopt);
  EXPECT_EQ(wide.scan.Ntrain, 1000 - 35);
  EXPECT_FALSE(wide.write_json || wide.write_png);
  EXPECT_TRUE(wide.write_csv);
  EXPECT_EQ(options.scan.on_singular, SingularFitPolicy::kStop);
  auto skipping = Parse({"-", "--on-singular", "skip-piece"});
  EXPECT_EQ(std::get<BatchOptions>(skipping).scan.on_singular, SingularFitPolicy::kSkipPiece);
  EXPECT_FALSE(options.scan.eps_relative);
  auto by_error = Parse({"-", "--metric", "one_step_error"});
  EXPECT_EQ(std::get<BatchOptions>(by_error).scan.metric, ScanMetric::kOneStepError);
  auto relative = Parse({"-", "--eps-relative", "--eps", "0.01:0.5:5"});
  EXPECT_TRUE(std::get<BatchOptions>(relative).scan.eps_relative);
  // Delays are scanned as a third axis; the default Ntrain leaves room for
  // the widest state, (D - 1) tau + 1 values.
  auto delayed = Parse({"-", "--dim", "3", "--delay", "1:4"});
  BatchOptions& delays = std::get<BatchOptions>(delayed);
  EXPECT_EQ(delays.scan.tau, (std::vector<std::int32_t>{1, 2, 3, 4}));
  EXPECT_EQ(SettleScanSettings(delays, 1000), std::nullopt);
  EXPECT_EQ(delays.scan.Ntrain, 1000 - (130 + 2 * 4));
  EXPECT_EQ(OutputNames(delays),
            (std::vector<std::string>{"meta.json", "results.json", "curves.csv", "scan.csv", "scan-tau1.png",
                                      "scan-tau2.png", "scan-tau3.png", "scan-tau4.png", "curves.png"}));
}

// Every refusal is one line naming the option, with status 2.
TEST(BatchOptionsTest, BadOptionsAreNamedWithWhatIsAllowed) {
  const struct {
    std::vector<const char*> arguments;
    const char* expected;
  } cases[] = {
      {{"s", "--dim", "0"}, "modelcheck-batch: --dim: 0 is out of range: allowed 1 to 499"},
      {{"s", "--dim", "3:1"}, "modelcheck-batch: --dim: \"3:1\" runs backwards"},
      {{"s", "--delay", "0"}, "modelcheck-batch: --delay: 0 is out of range: allowed 1 to 2147483647"},
      {{"s", "--delay", "1:2:3"}, "modelcheck-batch: --delay: \"1:2:3\" is neither a delay tau nor a list first:last"},
      {{"s", "--eps", "-1"}, "modelcheck-batch: --eps: -1 is out of range: allowed a positive finite number"},
      {{"s", "--eps-log", "0:1:3"}, "modelcheck-batch: --eps-log: \"0:1:3\": a logarithmic list needs positive ends"},
      {{"s", "--ltest", "0"}, "modelcheck-batch: --ltest: 0 is out of range: allowed 1 or more"},
      {{"s", "--ktest", "0"}, "modelcheck-batch: --ktest: 0 is out of range: allowed 1 or more"},
      {{"s", "--ntrain", "3000000000"}, "modelcheck-batch: --ntrain: 3000000000 is out of range: allowed 2 to 997"},
      {{"s", "--ntrain", "500", "--ltest", "-5000000000"},
       "modelcheck-batch: --ltest: -5000000000 is out of range: allowed 1 to "},
      {{"s", "--ktset", "5"},
       "modelcheck-batch: The following arguments were not expected: 5 --ktset; --ktset: did "
       "you mean --ktest?"},
      {{"s", "--ntrain", "500", "--ktest", "100000"},
       "modelcheck-batch: --ktest: 100000 is out of range: allowed 1 to 469"},
      {{"s", "--ntrain", "1"}, "modelcheck-batch: --ntrain: 1 is out of range: allowed 2 to 997"},
      {{"s", "--ntrain", "x"}, "modelcheck-batch: --ntrain: \"x\" is not a whole number"},
      {{"s", "--threshold", "0"}, "modelcheck-batch: --threshold: 0 is out of range: allowed a positive number"},
      {{"s", "--jobs", "0"}, "modelcheck-batch: --jobs: 0 is out of range: allowed 1 to 1024"},
      {{"s", "--format", "xml"}, "modelcheck-batch: --format: xml not in {json,csv,png}"},
      {{"s", "--on-singular", "skip"}, "modelcheck-batch: --on-singular: skip not in {stop,skip-piece}"},
      {{"s", "--metric", "time"},
       "modelcheck-batch: --metric: time not in {iterative_time,direct_time,one_step_error,mean_error}"},
      {{"s", "--eps", "0.1", "--eps-log", "0.1:1:2"}, "modelcheck-batch: --eps excludes --eps-log"},
      {{"s", "--colour"}, "modelcheck-batch: The following argument was not expected: --colour"},
      {{}, "modelcheck-batch: SERIES is required"},
  };
  for (const auto& c : cases) {
    auto parsed = Parse(c.arguments);
    std::string line;
    int status = 2;
    if (auto* options = std::get_if<BatchOptions>(&parsed)) {
      line = SettleScanSettings(*options, 1000).value_or("accepted");
    } else {
      line = std::get<CommandLineExit>(parsed).text;
      status = std::get<CommandLineExit>(parsed).status;
    }
    EXPECT_EQ(status, 2) << line;
    EXPECT_EQ(line.substr(0, std::string(c.expected).size()), c.expected) << "whole line: " << line;
  }
}

TEST(BatchOptionsTest, HelpNamesEveryOptionWithItsDefault) {
  const auto parsed = Parse({"--help"});
  const CommandLineExit& exit = std::get<CommandLineExit>(parsed);
  EXPECT_EQ(exit.status, 0);
  for (const char* text : {"--ntrain", "--dim", "--eps", "--eps-log", "--ltest", "--ktest", "--threshold", "--jobs",
                           "--out", "--format", "SERIES", "=2", "=0.05", "=30", "=100", "json,csv,png"}) {
    EXPECT_NE(exit.text.find(text), std::string::npos) << text << "\n" << exit.text;
  }
}

TEST(BatchOptionsTest, TooShortASeriesIsSaidPlainly) {
  auto parsed = Parse({"s"});
  EXPECT_EQ(SettleScanSettings(std::get<BatchOptions>(parsed), 3),
            "modelcheck-batch: the series has 3 values; a check needs at least 4");
  auto defaults = Parse({"s"});
  EXPECT_NE(SettleScanSettings(std::get<BatchOptions>(defaults), 100)->find("give smaller --ltest and --ktest"),
            std::string::npos);
}

class ScanFilesTest : public ::testing::Test {
 protected:
  static ScanResult Scan() {
    const std::vector<double> series = testing::HenonValues(700);
    const ScanSettings settings{.Ntrain = 600, .D = {1, 2, 90}, .eps = {0.05, 0.2, 9.0}, .Ltest = 5, .Ktest = 20};
    return RunScan(series, settings);
  }
  const ScanResult result_ = Scan();
};

// Written cell by cell, the document is still the one a whole dump gives.
TEST_F(ScanFilesTest, ResultsJsonWrittenCellByCellIsTheWholeDocument) {
  const std::string streamed =
      ScanResultsJson(result_, {.file = "henon.txt", .values = 700, .reading = {}, .meta = {}});
  EXPECT_EQ(streamed, nlohmann::ordered_json::parse(streamed).dump(2) + "\n");
  ScanResult empty = result_;
  empty.cells.clear();
  const std::string no_cells = ScanResultsJson(empty, {.file = "henon.txt", .values = 700, .reading = {}, .meta = {}});
  EXPECT_EQ(no_cells, nlohmann::ordered_json::parse(no_cells).dump(2) + "\n");
}

TEST_F(ScanFilesTest, ResultsJsonHoldsEveryField) {
  const auto json =
      nlohmann::json::parse(ScanResultsJson(result_, {.file = "henon.txt", .values = 700, .reading = {}, .meta = {}}));
  for (const char* key : {"program", "version", "complete", "series", "settings", "best_cell", "baselines", "cells"})
    EXPECT_TRUE(json.contains(key)) << key;
  EXPECT_EQ(json["series"]["file"], "henon.txt");
  EXPECT_EQ(json["series"]["values"], 700);
  EXPECT_EQ(json["settings"]["Ntrain"], 600);
  EXPECT_EQ(json["settings"]["D"], (std::vector<int>{1, 2, 90}));
  EXPECT_EQ(json["settings"]["threshold"].get<double>(), kPredictionThreshold);
  ASSERT_EQ(json["cells"].size(), 9u);
  const auto& cell = json["cells"][1];
  EXPECT_EQ(cell["status"], "finished");
  EXPECT_EQ(cell["eps"].get<double>(), 0.2);
  for (const char* key :
       {"D", "eps", "status", "one_step_error", "iterative", "direct", "direct_neighbours", "baselines"})
    EXPECT_TRUE(cell.contains(key)) << key;
  EXPECT_EQ(cell["iterative"]["errors"].size(), 5u);
  EXPECT_EQ(cell["direct"]["errors"].get<std::vector<double>>(), result_.cells[1].result.direct.errors);
  EXPECT_EQ(cell["direct_neighbours"]["counts"].size(), 20u);
  for (const char* key : {"min", "median", "max"}) EXPECT_TRUE(cell["direct_neighbours"].contains(key));
  for (const char* key : {"persistence", "global_affine_iterative", "global_affine_direct"})
    EXPECT_TRUE(cell["baselines"].contains(key));
  EXPECT_EQ(json["cells"][2]["status"], "infeasible");
  EXPECT_NE(json["cells"][2]["reason"].get<std::string>().find("above the width"), std::string::npos);
  EXPECT_EQ(json["cells"][8]["status"], "infeasible");
  EXPECT_TRUE(json["baselines"][0]["persistence"].contains("errors"));
  EXPECT_TRUE(json["baselines"][0]["global_affine"]["direct"].contains("prediction_time"));
  EXPECT_FALSE(json["baselines"][2]["computed"].get<bool>());
}

// A best cell on the grid's edge is named in the summary, with the option
// that extends the grid, and in results.json.
TEST_F(ScanFilesTest, ABestCellOnTheGridsEdgeIsFlagged) {
  const auto best = BestCell(result_);
  ASSERT_TRUE(best.has_value());
  ASSERT_EQ(result_.cells[*best].eps, 0.05);
  const std::string summary = ScanSummary(result_, {"scan.csv"}, "out", {.box_size = "--eps-log"});
  EXPECT_NE(summary.find("\nThe best eps is the smallest in the grid: extend --eps-log down\n"), std::string::npos)
      << summary;
  const auto json =
      nlohmann::json::parse(ScanResultsJson(result_, {.file = "henon.txt", .values = 700, .reading = {}, .meta = {}}));
  EXPECT_EQ(json["best_by"], (nlohmann::json{"iterative_time", "direct_time", "one_step_error"}));
  ScanResult by_error = result_;
  by_error.settings.metric = ScanMetric::kOneStepError;
  EXPECT_NE(
      ScanSummary(by_error, {}, "out").find("\nRanked by one_step_error, ties by iterative_time, then direct_time\n"),
      std::string::npos);
  const auto& edges = json["best_on_edge"];
  ASSERT_FALSE(edges.empty());
  EXPECT_EQ(edges.back()["setting"], "eps");
  EXPECT_EQ(edges.back()["side"], "smallest");
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

TEST_F(ScanFilesTest, TablesHaveAHeaderAndOneRowPerCellOrCellAndHorizon) {
  const std::vector<std::string> curves = Lines(TableCsv(result_, ScanTableKind::kCurves));
  ASSERT_EQ(curves.size(), 1 + 9 * 5u);
  EXPECT_EQ(curves[0],
            "D,eps,status,horizon,iterative_error,direct_error,persistence_error,global_iterative_error,"
            "global_direct_error,Ntrain,Ltest,Ktest,delay,iterative_error_low,iterative_error_high,"
            "direct_error_low,direct_error_high,surrogate_error_low,surrogate_error_high");
  EXPECT_EQ(curves[1].substr(0, 19), "1,0.05,finished,1,0");
  // No bootstrap and no surrogates: their fields are empty.
  EXPECT_TRUE(curves[1].ends_with(",600,5,20,1,,,,,,")) << curves[1];
  const std::vector<std::string> scan = Lines(TableCsv(result_, ScanTableKind::kScan));
  ASSERT_EQ(scan.size(), 1 + 9u);
  EXPECT_EQ(scan[0],
            "D,eps,status,one_step_error,iterative_time,direct_time,persistence_time,global_iterative_time,"
            "global_direct_time,neighbours_min,neighbours_median,neighbours_max,reason,Ntrain,Ltest,Ktest,delay,"
            "iterative_skipped_pieces,direct_skipped_pieces,one_step_error_low,one_step_error_high,"
            "iterative_time_low,iterative_time_high,direct_time_low,direct_time_high,surrogates,surrogate_p_value,"
            "surrogate_one_step_error_median,surrogate_iterative_time_median,surrogate_direct_time_median");
  // An infeasible cell: empty figures and its reason, quoted for its comma.
  EXPECT_EQ(scan[3].substr(0, 17), "1,9,infeasible,,,");
  EXPECT_NE(scan[3].find(",\"eps = 9 is above the width of the training values, "), std::string::npos) << scan[3];
  EXPECT_EQ(scan[7].substr(0, 18), "90,0.05,infeasible");
  for (const std::string& row : scan) EXPECT_EQ(std::count(row.begin(), row.end(), ',') >= 18, true) << row;
}

}  // namespace
}  // namespace modelcheck

namespace modelcheck {
namespace {

// What --resume reads back from cells.jsonl is the scan as it was computed:
// every outcome's figures, and the engine's prediction times of the tests
// that finished.
TEST(CellsLogTest, ALoggedScanReadsBackAsItWasComputed) {
  const std::vector<double> series = testing::HenonValues(700);
  ScanSettings settings{
      .Ntrain = 600, .D = {1, 2}, .eps = {0.05, 0.3}, .Ltest = 10, .Ktest = 40, .threshold = 0.05, .tau = {1, 2}};
  settings.bootstrap = {.resamples = 50, .seed = 2};
  std::vector<std::string> lines = {CellsLogHeader(settings, series)};
  const ScanResult computed =
      RunScan(series, settings,
              {.jobs = 1,
               .progress = {},
               .stop = nullptr,
               .on_outcome = [&lines](const ScanResult& result,
                                      const ScanOutcome& outcome) { lines.push_back(CellsLogRecord(result, outcome)); },
               .resume = nullptr});
  const testing::WorkDirectory folder;
  const std::string path = (folder.path() / "cells.jsonl").string();
  std::ofstream(path) << [&] {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
  }();
  const std::optional<LoggedScan> logged = ReadCellsLog(path, lines.front(), computed.settings);
  ASSERT_TRUE(logged.has_value());
  ASSERT_EQ(logged->problem, "");
  const ScanResult& earlier = logged->earlier;
  ASSERT_EQ(earlier.cells.size(), computed.cells.size());
  for (std::size_t c = 0; c < computed.cells.size(); ++c) {
    const ScanCell& was = computed.cells[c];
    const ScanCell& read = earlier.cells[c];
    SCOPED_TRACE(c);
    EXPECT_EQ(read.status, was.status);
    EXPECT_EQ(read.tau, was.tau);
    EXPECT_EQ(read.iterative_time, was.iterative_time);
    EXPECT_EQ(read.direct_time, was.direct_time);
    EXPECT_EQ(read.result.iterative.errors, was.result.iterative.errors);
    EXPECT_EQ(read.result.direct.errors, was.result.direct.errors);
    EXPECT_EQ(read.result.iterative.prediction_time, was.result.iterative.prediction_time);
    EXPECT_EQ(read.result.direct.prediction_time, was.result.direct.prediction_time);
    EXPECT_EQ(read.result.one_step_error, was.result.one_step_error);
    ASSERT_EQ(read.result.iterative.interval.has_value(), was.result.iterative.interval.has_value());
    if (!was.result.iterative.interval) continue;
    EXPECT_EQ(read.result.iterative.interval->errors_high, was.result.iterative.interval->errors_high);
    EXPECT_EQ(read.result.direct.interval->time_low, was.result.direct.interval->time_low);
  }
  ASSERT_EQ(earlier.baselines.size(), computed.baselines.size());
  for (std::size_t b = 0; b < computed.baselines.size(); ++b) {
    EXPECT_EQ(earlier.baselines[b].result.global_direct.prediction_time,
              computed.baselines[b].result.global_direct.prediction_time);
    EXPECT_EQ(earlier.baselines[b].global_direct_time, computed.baselines[b].global_direct_time);
  }
}

}  // namespace
}  // namespace modelcheck
