// A check stopped by an exactly singular fit in each phase: where it stopped,
// the numerical core's message, what was kept from before the stop, the same
// stop on every thread count, and nothing printed.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine_input.h"
#include "support/child_process.h"
#include "support/henon.h"
#include "support/singular_fit_case.h"

namespace modelcheck {
namespace {

std::string FatalMessage(int zero_index) {
  return "\n"
         " *** FATAL    ERROR 1 from DLQRSL.  Computation of the least squares solution\n"
         " ***          has been requested but the upper triangular matrix R is exactly\n"
         " ***          singular; the index of the first zero diagonal element of R is\n"
         " ***          " +
         std::to_string(zero_index) + ".\n";
}

std::vector<double> SeriesFromText(const std::string& text) {
  std::vector<double> values;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t used = 0;
    values.push_back(std::stod(text.substr(at), &used));
    at += used + 1;
  }
  return values;
}

// Quantised training values with D = 1 and eps below their spacing: only
// exact ties are neighbours. 0 occurs at o = 1 and 3, so a state 0 meets a
// design matrix whose value column is all zero; 0.2 occurs once and is
// followed by 0, so a state 0.2 reaches the tie one step later. A state
// from 0.3 up walks the unique values to 0.99 and then persists.
const std::vector<double> kTies = {0.00, 0.20, 0.00, 0.30, 0.40, 0.50, 0.60, 0.70, 0.80, 0.90, 0.95, 0.99};

std::vector<double> TiesThen(const std::vector<double>& test) {
  std::vector<double> series = kTies;
  series.insert(series.end(), test.begin(), test.end());
  return series;
}

struct StopCase {
  const char* name;
  std::vector<double> series;
  ModelSettings settings;
  CheckPhase phase;
  std::int32_t piece, step;
  int zero_index;
};

std::vector<StopCase> StopCases() {
  // The orbit starts at 0.2; iterative piece 1 (the same start) would stop too.
  StopCase orbit{"orbit",
                 TiesThen({0.20, 0.45, 0.55, 0.65, 0.75}),
                 {.Ntrain = 12, .D = 1, .eps = 0.005, .Ltest = 2, .Ktest = 3},
                 CheckPhase::kOrbit,
                 0,
                 2,
                 2};
  // Pieces 2, 3 and 4 all stop; piece 2 first, at its second step.
  StopCase iterative{"iterative",
                     TiesThen({0.40, 0.20, 0.00, 0.20, 0.55, 0.65, 0.75}),
                     {.Ntrain = 12, .D = 1, .eps = 0.005, .Ltest = 3, .Ktest = 4},
                     CheckPhase::kIterative,
                     2,
                     2,
                     2};
  // The direct search of the state 0 admits o <= 8 only, leaving the two
  // zeros; the one-step search also finds 0.001 at o = 9 and fits.
  std::vector<double> direct_series = SeriesFromText(testing::kSingularFitSeries);
  StopCase direct{
      "direct", direct_series, {.Ntrain = 10, .D = 1, .eps = 0.5, .Ltest = 2, .Ktest = 1}, CheckPhase::kDirect, 1, 1,
      2};
  // Piece 1 persists from 200, pieces 2 and 3 start at 0: piece 2 stops first.
  direct_series.resize(10);
  for (const double t : {200.0, 0.0, 0.0, 5.0, 7.0}) direct_series.push_back(t);
  StopCase later_direct{"later direct",
                        direct_series,
                        {.Ntrain = 10, .D = 1, .eps = 0.5, .Ltest = 2, .Ktest = 3},
                        CheckPhase::kDirect,
                        2,
                        1,
                        2};
  return {orbit, iterative, direct, later_direct};
}

void ExpectStop(const CheckResult& result, const StopCase& c) {
  ASSERT_TRUE(result.stop.has_value());
  EXPECT_FALSE(result.finished());
  EXPECT_FALSE(result.cancelled);
  const CheckStop& stop = *result.stop;
  EXPECT_EQ(stop.phase, c.phase);
  EXPECT_EQ(stop.piece, c.piece);
  EXPECT_EQ(stop.step, c.step);
  EXPECT_EQ(stop.reason, StopReason::kSingularFit);
  EXPECT_EQ(stop.message, FatalMessage(c.zero_index));
  EXPECT_EQ(stop.zero_diagonal, c.zero_index);
  // A stopped test has no prediction time, and no one-step error reads as perfect.
  EXPECT_FALSE(result.direct.prediction_time.has_value());
  if (c.phase != CheckPhase::kDirect) {
    EXPECT_FALSE(result.iterative.prediction_time.has_value());
    EXPECT_TRUE(std::isnan(result.one_step_error));
  }
}

TEST(CheckStopTest, EachPhaseStopsWhereTheSingularFitIsMet) {
  for (const StopCase& c : StopCases()) {
    SCOPED_TRACE(c.name);
    ExpectStop(CheckSeries(c.series, c.settings, {.threads = 1, .progress = {}}), c);
  }
}

// What came before each stop is kept; the stopped test and those after it
// have no errors.
TEST(CheckStopTest, TheResultKeepsWhatCameBeforeTheStop) {
  const std::vector<StopCase> cases = StopCases();
  const CheckResult orbit = CheckSeries(cases[0].series, cases[0].settings, {.threads = 1, .progress = {}});
  ASSERT_EQ(orbit.orbit.size(), 1u);
  EXPECT_EQ(orbit.orbit[0].newest, 0.20);
  EXPECT_EQ(orbit.orbit[0].prediction, 0.00);
  EXPECT_TRUE(orbit.iterative.errors.empty() && orbit.iterative.first_piece.empty());
  EXPECT_TRUE(orbit.direct.errors.empty() && orbit.direct.neighbour_counts.empty());

  const CheckResult iterative = CheckSeries(cases[1].series, cases[1].settings, {.threads = 1, .progress = {}});
  EXPECT_EQ(iterative.orbit.size(), 7u);
  EXPECT_EQ(iterative.iterative.first_piece, (std::vector<double>{0.50, 0.60, 0.70}));
  EXPECT_TRUE(iterative.iterative.errors.empty());
  EXPECT_TRUE(iterative.direct.errors.empty() && iterative.direct.neighbour_counts.empty());

  const CheckResult direct = CheckSeries(cases[3].series, cases[3].settings, {.threads = 1, .progress = {}});
  EXPECT_EQ(direct.iterative.errors.size(), 2u);
  EXPECT_EQ(direct.one_step_error, direct.iterative.errors[0]);
  EXPECT_EQ(direct.direct.first_piece, (std::vector<double>{200.0, 200.0}));
  EXPECT_EQ(direct.direct.neighbour_counts, (std::vector<std::int32_t>{0, 2}));
  EXPECT_TRUE(direct.direct.errors.empty());
}

// The counts end with the stopping step's: the neighbours of its state, whose
// fit was singular.
TEST(CheckStopTest, AnIterativeStopKeepsTheCountOfItsStoppingStep) {
  const StopCase c = StopCases()[1];
  const CheckResult result = CheckSeries(c.series, c.settings, {.threads = 1, .progress = {}});
  // Piece 1's three steps, then piece 2's: 0.2 alone, then the two zeros.
  EXPECT_EQ(result.iterative.neighbour_counts, (std::vector<std::int32_t>{1, 1, 1, 1, 2}));
  // Read by piece and step: piece 2 ends at its stopping step 2.
  EXPECT_EQ(result.iterative.pieces_counted(), 2);
  EXPECT_EQ(result.iterative.NeighbourCount(2, 1), 1);
  EXPECT_EQ(result.iterative.NeighbourCount(2, 2), 2);
  EXPECT_FALSE(result.iterative.NeighbourCount(2, 3));
}

// Later items may run, and stop, beside the earliest stop: the result is
// still the one of a single thread.
TEST(CheckStopTest, EveryThreadCountReportsTheStopOfOneThread) {
  for (const StopCase& c : StopCases()) {
    const CheckResult one = CheckSeries(c.series, c.settings, {.threads = 1, .progress = {}});
    for (const int threads : {2, 3, 4, 7}) {
      SCOPED_TRACE(std::string(c.name) + ", threads " + std::to_string(threads));
      for (int repeat = 0; repeat < 20; ++repeat) {
        testing::ExpectSameResult(CheckSeries(c.series, c.settings, {.threads = threads, .progress = {}}), one);
      }
    }
  }
}

// Henon values rounded to two decimals tie often enough to stop late: many
// pieces run, and some stop, on other threads before and after the earliest stop.
TEST(CheckStopTest, LateStopsOfAQuantisedSeriesAreTheSameOnEveryThreadCount) {
  std::vector<double> series = testing::HenonValues(2000);
  for (double& x : series) x = std::round(x * 100.0) / 100.0;
  const ModelSettings late_piece{.Ntrain = 1500, .D = 4, .eps = 0.2, .Ltest = 30, .Ktest = 100};
  const ModelSettings late_orbit{.Ntrain = 1800, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  for (const ModelSettings& settings : {late_piece, late_orbit}) {
    const CheckResult one = CheckSeries(series, settings, {.threads = 1, .progress = {}});
    ASSERT_TRUE(one.stop.has_value());
    EXPECT_GT(one.stop->piece == 0 ? one.stop->step : one.stop->piece, 50);
    for (const int threads : {2, 3, 4, 7}) {
      SCOPED_TRACE("D " + std::to_string(settings.D) + ", threads " + std::to_string(threads));
      testing::ExpectSameResult(CheckSeries(series, settings, {.threads = threads, .progress = {}}), one);
    }
  }
}

// A stop inside the check is the caller's to present: the process prints
// nothing and goes on.
TEST(CheckStopTest, AStoppedCheckPrintsNothingAndDoesNotEndTheProcess) {
  const testing::ChildResult child = testing::RunInChild([] {
    for (const StopCase& c : StopCases()) {
      for (const int threads : {1, 3}) {
        if (!CheckSeries(c.series, c.settings, {.threads = threads, .progress = {}}).stop) std::_Exit(5);
      }
    }
  });
  EXPECT_TRUE(child.exited);
  EXPECT_EQ(child.status, 0);
  EXPECT_EQ(child.output, "");
}

}  // namespace
}  // namespace modelcheck

namespace modelcheck {
namespace {

// With the skip-piece policy a singular fit leaves its piece out instead of
// ending the check: the series whose one direct piece is singular gives the
// iterative figures and a direct test with that piece skipped.
TEST(SkipPieceTest, ASingularPieceIsLeftOutAndTheCheckGoesOn) {
  std::vector<double> series;
  for (const char* p = testing::kSingularFitSeries; *p != '\0';) {
    char* end = nullptr;
    series.push_back(std::strtod(p, &end));
    p = end + 1;
  }
  ModelSettings settings{.Ntrain = 10, .D = 1, .eps = 0.5, .Ltest = 2, .Ktest = 1};
  const CheckResult stopped = CheckSeries(series, settings);
  ASSERT_TRUE(stopped.stop.has_value());
  const CheckResult skipped =
      CheckSeries(series, settings, {.threads = 0, .progress = {}, .on_singular = SingularFitPolicy::kSkipPiece});
  EXPECT_TRUE(skipped.finished());
  EXPECT_FALSE(skipped.orbit_stop.has_value());
  EXPECT_EQ(skipped.iterative.errors, stopped.iterative.errors);
  EXPECT_EQ(skipped.iterative.skipped_pieces, 0);
  EXPECT_EQ(skipped.direct.skipped_pieces, 1);
  EXPECT_TRUE(skipped.direct.errors.empty());
  EXPECT_FALSE(skipped.direct.prediction_time.has_value());
}

// Quantised values (a Henon series rounded to steps of 0.05) and a box
// smaller than a step: many neighbours share their values exactly. The
// skipped pieces are counted, the others give finite errors, and a series
// without a singular fit gives the same bits under either policy.
TEST(SkipPieceTest, QuantisedDataGivesFiguresOverThePiecesLeft) {
  std::vector<double> series = testing::HenonValues(3000);
  for (double& x : series) x = std::round(x / 0.05) * 0.05;
  ModelSettings settings{.Ntrain = 2800, .D = 2, .eps = 0.04, .Ltest = 10, .Ktest = 100};
  ASSERT_TRUE(CheckSeries(series, settings).stop.has_value());
  const CheckOptions skip{.threads = 2, .progress = {}, .on_singular = SingularFitPolicy::kSkipPiece};
  const CheckResult result = CheckSeries(series, settings, skip);
  ASSERT_TRUE(result.finished());
  for (const PredictionTestResult* test : {&result.iterative, &result.direct}) {
    EXPECT_GT(test->skipped_pieces, 0);
    EXPECT_LT(test->skipped_pieces, 100);
    ASSERT_EQ(test->errors.size(), 10u);
    for (const double e : test->errors) EXPECT_TRUE(std::isfinite(e));
  }
  // The same on one thread: which pieces are skipped does not depend on the schedule.
  const CheckResult one =
      CheckSeries(series, settings, {.threads = 1, .progress = {}, .on_singular = SingularFitPolicy::kSkipPiece});
  EXPECT_EQ(one.iterative.errors, result.iterative.errors);
  EXPECT_EQ(one.direct.skipped_pieces, result.direct.skipped_pieces);

  // An orbit that meets a singular fit ends there and the tests go on.
  std::vector<double> hundredths = testing::HenonValues(2000);
  for (double& x : hundredths) x = std::round(x * 100.0) / 100.0;
  const ModelSettings late_orbit{.Ntrain = 1800, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
  const CheckResult stopped_orbit = CheckSeries(hundredths, late_orbit);
  ASSERT_TRUE(stopped_orbit.stop && stopped_orbit.stop->phase == CheckPhase::kOrbit);
  const CheckResult ended_orbit = CheckSeries(hundredths, late_orbit, skip);
  ASSERT_TRUE(ended_orbit.orbit_stop.has_value());
  EXPECT_EQ(ended_orbit.orbit_stop->step, stopped_orbit.stop->step);
  EXPECT_EQ(ended_orbit.orbit.size(), stopped_orbit.orbit.size());
  EXPECT_FALSE(ended_orbit.stop.has_value());
  EXPECT_EQ(ended_orbit.iterative.errors.size(), 30u);

  const std::vector<double> clean = testing::HenonValues(3000);
  settings.eps = 0.05;
  const CheckResult skip_policy = CheckSeries(clean, settings, skip);
  const CheckResult stop_policy = CheckSeries(clean, settings);
  EXPECT_EQ(skip_policy.iterative.errors, stop_policy.iterative.errors);
  EXPECT_EQ(skip_policy.direct.errors, stop_policy.direct.errors);
}

}  // namespace
}  // namespace modelcheck
