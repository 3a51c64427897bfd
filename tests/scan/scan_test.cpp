// Scans: every cell is the check a single run gives, bit for bit, whatever
// the number of jobs; cells that cannot run say why; a singular fit ends one
// cell only; a stopped scan keeps what finished; settings out of range are
// named with what is allowed.
#include "modelcheck/scan.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <thread>
#include <vector>

#include "support/henon.h"
#include "support/singular_fit_case.h"

namespace modelcheck {
namespace {

std::vector<double> SingularFitValues() {
  std::vector<double> values;
  for (const char* p = testing::kSingularFitSeries; *p != '\0';) {
    char* end = nullptr;
    values.push_back(std::strtod(p, &end));
    p = end + 1;
  }
  return values;
}

ScanOptions Jobs(int jobs) {
  return {.jobs = jobs, .progress = {}, .stop = nullptr, .on_outcome = {}, .resume = nullptr};
}

void ExpectSameCheck(const CheckResult& scan, const CheckResult& single) {
  EXPECT_EQ(scan.iterative.errors, single.iterative.errors);
  EXPECT_EQ(scan.direct.errors, single.direct.errors);
  EXPECT_EQ(scan.iterative.neighbour_counts, single.iterative.neighbour_counts);
  EXPECT_EQ(scan.direct.neighbour_counts, single.direct.neighbour_counts);
  EXPECT_EQ(scan.iterative.first_piece, single.iterative.first_piece);
  EXPECT_EQ(scan.orbit.size(), single.orbit.size());
  EXPECT_EQ(std::memcmp(&scan.one_step_error, &single.one_step_error, sizeof(double)), 0);
}

class ScanTest : public ::testing::Test {
 protected:
  const std::vector<double> series_ = testing::HenonValues(1600);
  ScanSettings settings_{.Ntrain = 1400, .D = {1, 2, 3}, .eps = {0.02, 0.05, 0.2}, .Ltest = 20, .Ktest = 60};
};

TEST_F(ScanTest, EveryCellIsTheSingleCheckWithItsBaselines) {
  const ScanResult result = RunScan(series_, settings_, Jobs(2));
  ASSERT_TRUE(result.complete);
  ASSERT_EQ(result.cells.size(), 9u);
  for (std::size_t a = 0; a < 3; ++a) {
    const std::int32_t D = settings_.D[a];
    const ModelSettings base{.Ntrain = 1400, .D = D, .eps = 0.05, .Ltest = 20, .Ktest = 60};
    const BaselineResult baselines = CheckBaselines(series_, base);
    EXPECT_EQ(result.baselines[a].result.persistence.errors, baselines.persistence.errors);
    EXPECT_EQ(result.baselines[a].result.global_iterative.errors, baselines.global_iterative.errors);
    EXPECT_EQ(result.baselines[a].result.global_direct.errors, baselines.global_direct.errors);
    for (std::size_t b = 0; b < 3; ++b) {
      const ScanCell& cell = result.cell(a, b);
      ModelSettings settings = base;
      settings.eps = settings_.eps[b];
      SCOPED_TRACE("D " + std::to_string(D) + " eps " + std::to_string(settings.eps));
      ASSERT_EQ(cell.status, CellStatus::kFinished);
      const CheckResult single = CheckSeries(series_, settings, {.threads = 1, .progress = {}});
      ExpectSameCheck(cell.result, single);
      EXPECT_EQ(cell.iterative_time, single.iterative.prediction_time);
      EXPECT_EQ(cell.direct_time, single.direct.prediction_time);
    }
  }
}

// Delays are a third axis, delay-major: every cell and baseline is the
// single check of its D, eps and tau; a state that does not fit is infeasible.
TEST(ScanDelayTest, EveryCellOfEveryDelayIsTheSingleCheck) {
  const std::vector<double> series = testing::HenonValues(1000);
  const ScanSettings settings{
      .Ntrain = 800, .D = {1, 3}, .eps = {0.05, 0.2}, .Ltest = 10, .Ktest = 40, .threshold = 0.05, .tau = {1, 3, 500}};
  const ScanResult result = RunScan(series, settings, Jobs(2));
  ASSERT_EQ(result.cells.size(), 12u);
  ASSERT_EQ(result.baselines.size(), 6u);
  for (std::size_t t = 0; t < 2; ++t) {
    for (std::size_t a = 0; a < 2; ++a) {
      const ModelSettings base{
          .Ntrain = 800, .D = settings.D[a], .eps = 0.05, .Ltest = 10, .Ktest = 40, .tau = settings.tau[t]};
      const ScanBaselines& baselines = result.baselines[t * 2 + a];
      EXPECT_EQ(baselines.tau, base.tau);
      EXPECT_EQ(baselines.result.global_iterative.errors, CheckBaselines(series, base).global_iterative.errors);
      for (std::size_t b = 0; b < 2; ++b) {
        const ScanCell& cell = result.cell(a, b, t);
        ModelSettings one = base;
        one.eps = settings.eps[b];
        SCOPED_TRACE("D " + std::to_string(one.D) + " tau " + std::to_string(one.tau));
        ASSERT_EQ(cell.tau, one.tau);
        ASSERT_EQ(cell.status, CellStatus::kFinished);
        ExpectSameCheck(cell.result, CheckSeries(series, one, {.threads = 1, .progress = {}}));
      }
    }
  }
  // tau = 500 with D = 3 spans 1001 values: no room in 800. D = 1 is one value whatever the delay.
  EXPECT_EQ(result.cell(0, 0, 2).status, CellStatus::kFinished);
  EXPECT_EQ(result.cell(0, 0, 2).result.iterative.errors, result.cell(0, 0, 0).result.iterative.errors);
  EXPECT_EQ(result.cell(1, 0, 2).status, CellStatus::kInfeasible);
  EXPECT_EQ(result.cell(1, 0, 2).reason,
            "a state of D = 3, tau = 500 spans 1001 values; the training part has room "
            "for 799");
  EXPECT_FALSE(result.baselines[5].computed);
  const ScanResult layer = DelayLayer(result, 1);
  ASSERT_EQ(layer.cells.size(), 4u);
  EXPECT_EQ(layer.settings.tau, std::vector<std::int32_t>{3});
  EXPECT_EQ(layer.cells[3].result.direct.errors, result.cell(1, 1, 1).result.direct.errors);
  EXPECT_EQ(layer.baselines[1].tau, 3);
}

// Relative box sizes are in standard deviations of the training part: each
// cell is the check with that many deviations, and a box wider than the
// training values is infeasible with both sizes named.
TEST(ScanRelativeEpsTest, BoxSizesInStandardDeviations) {
  const std::vector<double> series = testing::HenonValues(1000);
  ScanSettings settings{.Ntrain = 800, .D = {2}, .eps = {0.05, 0.2, 100.0}, .Ltest = 10, .Ktest = 40};
  settings.eps_relative = true;
  const ScanResult result = RunScan(series, settings, Jobs(2));
  double mean = 0.0, squares = 0.0;
  for (int t = 0; t < 800; ++t) mean += series[static_cast<std::size_t>(t)] / 800.0;
  for (int t = 0; t < 800; ++t) squares += std::pow(series[static_cast<std::size_t>(t)] - mean, 2) / 800.0;
  EXPECT_NEAR(result.eps_unit, std::sqrt(squares), 1e-12);
  for (std::size_t b = 0; b < 2; ++b) {
    const ScanCell& cell = result.cell(0, b);
    EXPECT_EQ(cell.eps, settings.eps[b]);
    const ModelSettings one{.Ntrain = 800, .D = 2, .eps = cell.eps * result.eps_unit, .Ltest = 10, .Ktest = 40};
    ExpectSameCheck(cell.result, CheckSeries(series, one, {.threads = 1, .progress = {}}));
  }
  EXPECT_EQ(result.cell(0, 2).status, CellStatus::kInfeasible);
  EXPECT_EQ(result.cell(0, 2).reason.rfind("eps = 100 standard deviations, ", 0), 0u) << result.cell(0, 2).reason;
}

TEST_F(ScanTest, WithoutBaselinesTheCellsAreTheSameAndNoBaselineIsComputed) {
  const ScanResult whole = RunScan(series_, settings_, Jobs(2));
  ScanOptions cells_only = Jobs(2);
  cells_only.baselines = false;
  const ScanResult cells = RunScan(series_, settings_, cells_only);
  EXPECT_TRUE(cells.complete);
  for (const ScanBaselines& baselines : cells.baselines) {
    EXPECT_FALSE(baselines.computed);
    EXPECT_FALSE(baselines.persistence_time);
  }
  ASSERT_EQ(cells.cells.size(), whole.cells.size());
  for (std::size_t c = 0; c < cells.cells.size(); ++c) ExpectSameCheck(cells.cells[c].result, whole.cells[c].result);
}

TEST_F(ScanTest, FiguresDoNotDependOnTheNumberOfJobs) {
  const ScanResult one = RunScan(series_, settings_, Jobs(1));
  const ScanResult three = RunScan(series_, settings_, Jobs(3));
  for (std::size_t c = 0; c < one.cells.size(); ++c) ExpectSameCheck(one.cells[c].result, three.cells[c].result);
  EXPECT_EQ(BestCell(one), BestCell(three));
}

TEST_F(ScanTest, CellsThatDoNotFitAreInfeasibleWithTheReason) {
  // 200 values after Ntrain: Ltest + Ktest + D - 1 = 199 + D fits D = 1 only.
  settings_.Ltest = 100;
  settings_.Ktest = 100;
  settings_.D = {1, 2};
  settings_.eps = {0.1, 50.0};
  const ScanResult result = RunScan(series_, settings_, Jobs(2));
  EXPECT_TRUE(result.complete);
  EXPECT_EQ(result.cell(0, 0).status, CellStatus::kFinished);
  EXPECT_EQ(result.cell(0, 1).status, CellStatus::kInfeasible);
  EXPECT_NE(result.cell(0, 1).reason.find("eps = 50 is above the width of the training values"), std::string::npos)
      << result.cell(0, 1).reason;
  for (std::size_t b = 0; b < 2; ++b) {
    EXPECT_EQ(result.cell(1, b).status, CellStatus::kInfeasible);
    EXPECT_EQ(result.cell(1, b).reason, "the test segment of D = 2 needs 201 values after Ntrain; there are 200");
  }
  EXPECT_TRUE(result.baselines[0].computed);
  EXPECT_FALSE(result.baselines[1].computed);
}

TEST(ScanSingularTest, ASingularFitEndsItsCellOnly) {
  const std::vector<double> series = SingularFitValues();
  const ScanSettings settings{.Ntrain = 10, .D = {1}, .eps = {0.5, 300.0}, .Ltest = 2, .Ktest = 1};
  const ScanResult result = RunScan(series, settings, Jobs(2));
  EXPECT_TRUE(result.complete);
  const ScanCell& singular = result.cell(0, 0);
  ASSERT_EQ(singular.status, CellStatus::kSingular);
  ASSERT_TRUE(singular.result.stop);
  EXPECT_EQ(singular.result.stop->phase, CheckPhase::kDirect);
  EXPECT_EQ(singular.result.stop->piece, 1);
  EXPECT_EQ(singular.result.stop->step, 1);
  EXPECT_FALSE(singular.result.stop->message.empty());
  // The iterative test finished and predicted nothing; the direct test has no time.
  EXPECT_EQ(singular.iterative_time, 0);
  EXPECT_FALSE(singular.direct_time);
  EXPECT_TRUE(singular.result.direct.errors.empty());
  // 34.68447 %, as the interactive program reports it.
  EXPECT_NEAR(singular.result.one_step_error, 0.3468447, 5e-8);
  // eps 300 is above the training width 200: the other cell is judged on its own.
  EXPECT_EQ(result.cell(0, 1).status, CellStatus::kInfeasible);
}

// A request from another thread reaches a check that runs on the caller's
// own thread, with no progress callback to ask: it ends at its next piece.
TEST(ScanStopTest, AStopRequestFromAnotherThreadEndsTheRunningCheck) {
  const std::vector<double> series = testing::HenonValues(100000);
  const ScanSettings settings{.Ntrain = 99000, .D = {1}, .eps = {0.3}, .Ltest = 30, .Ktest = 100};
  std::atomic<bool> stop{false};
  std::jthread requester([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
  });
  const ScanResult result =
      RunScan(series, settings, {.jobs = 1, .progress = {}, .stop = &stop, .on_outcome = {}, .resume = nullptr});
  EXPECT_FALSE(result.complete);
  EXPECT_EQ(result.cells[0].status, CellStatus::kNotRun);
}

TEST_F(ScanTest, AResumedScanComputesOnlyWhatIsMissingAndEndsAsAWholeRun) {
  const ScanResult whole = RunScan(series_, settings_, Jobs(2));
  int calls = 0;
  std::vector<ScanOutcome> told;
  ScanOptions stopping = Jobs(1);
  stopping.progress = [&](const ScanProgress&) { return ++calls < 6; };
  stopping.on_outcome = [&](const ScanResult&, const ScanOutcome& outcome) { told.push_back(outcome); };
  const ScanResult stopped = RunScan(series_, settings_, stopping);
  ASSERT_FALSE(stopped.complete);
  // Every outcome was told, once: three baselines and two cells.
  ASSERT_EQ(told.size(), 5u);
  std::vector<ScanOutcome> told_again;
  ScanOptions resuming = Jobs(2);
  resuming.resume = &stopped;
  resuming.on_outcome = [&](const ScanResult&, const ScanOutcome& outcome) { told_again.push_back(outcome); };
  const ScanResult resumed = RunScan(series_, settings_, resuming);
  ASSERT_TRUE(resumed.complete);
  EXPECT_EQ(told_again.size(), 7u);  // the cells still missing, nothing twice
  for (std::size_t c = 0; c < whole.cells.size(); ++c) {
    EXPECT_EQ(resumed.cells[c].status, whole.cells[c].status) << c;
    ExpectSameCheck(resumed.cells[c].result, whole.cells[c].result);
  }
  for (std::size_t a = 0; a < whole.baselines.size(); ++a)
    EXPECT_EQ(resumed.baselines[a].result.global_direct.errors, whole.baselines[a].result.global_direct.errors);
}

TEST_F(ScanTest, AStoppedScanKeepsWhatFinishedAndMarksTheRestNotRun) {
  int calls = 0;
  const ScanResult result = RunScan(series_, settings_,
                                    {.jobs = 1,
                                     .progress =
                                         [&](const ScanProgress& progress) {
                                           EXPECT_EQ(progress.total, 12);
                                           return ++calls < 5;
                                         },
                                     .stop = nullptr,
                                     .on_outcome = {},
                                     .resume = nullptr});
  EXPECT_FALSE(result.complete);
  int finished = 0, not_run = 0;
  for (const ScanCell& cell : result.cells) {
    finished += cell.status == CellStatus::kFinished;
    not_run += cell.status == CellStatus::kNotRun;
  }
  // One call before any work, then one after each item: three baselines and
  // one cell ran before the fifth call said stop.
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(not_run, 8);
  EXPECT_FALSE(BestCell(result) == std::nullopt);
}

TEST(BestCellTest, LongestIterativeThenDirectThenSmallestOneStepErrorFirstOnTies) {
  ScanResult result;
  result.settings.eps = {1, 2, 3, 4};
  const auto cell = [](CellStatus status, int iterative, int direct, double one_step) {
    ScanCell c;
    c.status = status;
    c.iterative_time = iterative;
    c.direct_time = direct;
    c.result.one_step_error = one_step;
    return c;
  };
  result.cells = {cell(CellStatus::kFinished, 5, 2, 0.1), cell(CellStatus::kSingular, 9, 9, 0.0),
                  cell(CellStatus::kFinished, 5, 3, 0.2), cell(CellStatus::kFinished, 5, 3, 0.2)};
  EXPECT_EQ(BestCell(result), 2u);
  result.cells[3].result.one_step_error = 0.15;
  EXPECT_EQ(BestCell(result), 3u);
  result.cells[0].iterative_time = 6;
  EXPECT_EQ(BestCell(result), 0u);
  // Another metric comes first, the default order breaks its ties.
  result.settings.metric = ScanMetric::kOneStepError;
  EXPECT_EQ(BestCell(result), 0u);  // 0.1
  result.cells[2].result.one_step_error = 0.1;
  EXPECT_EQ(BestCell(result), 0u);  // a tie at 0.1: 6 iterative steps beat 5
  result.settings.metric = ScanMetric::kDirectTime;
  EXPECT_EQ(BestCell(result), 2u);  // 3 direct steps, the first of two
  EXPECT_EQ(MetricOrder(ScanMetric::kDirectTime),
            (std::vector<ScanMetric>{ScanMetric::kDirectTime, ScanMetric::kIterativeTime, ScanMetric::kOneStepError}));
  result.settings.metric = ScanMetric::kMeanError;
  result.cells[0].result.iterative.errors = {0.5, 0.9};
  result.cells[3].result.iterative.errors = {0.2, 0.4};
  EXPECT_EQ(CellFigure(result.cells[3], ScanMetric::kMeanError), (0.2 + 0.4) / 2);
  EXPECT_EQ(BestCell(result), 3u);  // a mean of 0.3 beats 0.7, and a cell without errors
  for (ScanCell& c : result.cells) c.status = CellStatus::kInfeasible;
  EXPECT_EQ(BestCell(result), std::nullopt);
}

// A scan of one cell accepts exactly the settings a single check accepts, so
// that the batch program and Python refuse nothing the engine can compute
// (such as D = 100, which the dialogue's two-digit field cannot take).
TEST(ScanSettingsTest, OneCellIsJudgedAsASingleCheck) {
  for (const std::size_t count : {3, 4, 5, 9}) {
    for (std::int32_t Ntrain = 0; Ntrain <= 9; ++Ntrain) {
      for (std::int32_t D = 0; D <= 5; ++D) {
        for (std::int32_t Ltest = 0; Ltest <= 4; ++Ltest) {
          for (std::int32_t Ktest = 0; Ktest <= 4; ++Ktest) {
            const ModelSettings one{.Ntrain = Ntrain, .D = D, .eps = 0.5, .Ltest = Ltest, .Ktest = Ktest};
            const ScanSettings cell{.Ntrain = Ntrain, .D = {D}, .eps = {0.5}, .Ltest = Ltest, .Ktest = Ktest};
            EXPECT_EQ(SettingsProblem(one, count).empty(), !CheckScanSettings(cell, count))
                << count << " values, Ntrain " << Ntrain << " D " << D << " Ltest " << Ltest << " Ktest " << Ktest;
          }
        }
      }
    }
  }
  const ScanSettings large_D{.Ntrain = 500, .D = {120}, .eps = {0.1}, .Ltest = 10, .Ktest = 40};
  EXPECT_FALSE(CheckScanSettings(large_D, 1000));
}

TEST(ScanSettingsTest, EachSettingIsNamedWithWhatIsAllowed) {
  // 100 values; Ntrain 50 leaves R = 50.
  const ScanSettings fits{.Ntrain = 50, .D = {1, 2}, .eps = {0.1}, .Ltest = 10, .Ktest = 40};
  EXPECT_FALSE(CheckScanSettings(fits, 100));
  const auto problem = [&](auto change) {
    ScanSettings settings = fits;
    change(settings);
    const auto found = CheckScanSettings(settings, 100);
    return found ? std::string(ScanSettingName(found->setting)) + " " + found->value + ": " + found->allowed
                 : std::string("none");
  };
  // No D above 49 fits 100 values (Ntrain = D + 1 and D + 1 values after it).
  EXPECT_EQ(problem([](ScanSettings& s) { s.D = {0, 2}; }), "D 0: 1 to 49");
  EXPECT_EQ(problem([](ScanSettings& s) { s.D = {100}; }), "D 100: 1 to 49");
  EXPECT_EQ(problem([](ScanSettings& s) { s.D.clear(); }), "D none: at least one D");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ntrain = 1; }), "Ntrain 1: 2 to 98");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ntrain = 99; }), "Ntrain 99: 2 to 98");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ntrain = 2; }), "D 2: 1 to 1");
  // A delay that leaves no room is named as the delay, never as a range of Ntrain that runs backwards.
  EXPECT_EQ(problem([](ScanSettings& s) {
              s.D = {2};
              s.Ntrain = 90;
              s.tau = {20};
            }),
            "tau 20: 1 to 8");
  EXPECT_EQ(problem([](ScanSettings& s) {
              s.D = {3};
              s.tau = {500};
            }),
            "tau 500: 1 to 24");
  EXPECT_EQ(problem([](ScanSettings& s) { s.eps = {0.1, -1.0}; }), "eps -1: a positive finite number");
  EXPECT_EQ(problem([](ScanSettings& s) { s.eps = {std::nan("")}; }), "eps nan: a positive finite number");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ltest = 50; }), "Ltest 50: 1 to 49");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ktest = 41; }), "Ktest 41: 1 to 40");
  EXPECT_EQ(problem([](ScanSettings& s) { s.Ktest = 0; }), "Ktest 0: 1 to 40");
  EXPECT_EQ(problem([](ScanSettings& s) { s.threshold = 0.0; }).substr(0, 12), "threshold 0:");
  EXPECT_EQ(problem([](ScanSettings& s) { s.threshold = 1e300; }).substr(0, 17), "threshold 1e+300:");
  EXPECT_EQ(problem([](ScanSettings& s) { s.threshold = 1e-50; }).substr(0, 16), "threshold 1e-50:");
  const std::vector<double> too_short(3, 1.0);
  EXPECT_THROW(RunScan(too_short, fits), std::invalid_argument);
}

TEST_F(ScanTest, TheThresholdIsHeldInSinglePrecision) {
  settings_.threshold = 0.05;
  const ScanResult result = RunScan(series_, settings_, Jobs(2));
  EXPECT_EQ(result.settings.threshold, kPredictionThreshold);
  // A looser threshold counts at least as many horizons.
  settings_.threshold = 0.5;
  const ScanResult loose = RunScan(series_, settings_, Jobs(2));
  for (std::size_t c = 0; c < result.cells.size(); ++c) {
    EXPECT_GE(loose.cells[c].iterative_time, result.cells[c].iterative_time);
    EXPECT_EQ(loose.cells[c].iterative_time, PredictionTime(loose.cells[c].result.iterative.errors, 0.5f));
  }
}

}  // namespace
}  // namespace modelcheck
