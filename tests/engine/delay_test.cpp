// States of values tau apart: the check and the global affine baseline
// against the brute-force reference with the same delay, the settings a
// delay must fit, and a delay of one that changes nothing.
#include <gtest/gtest.h>

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "modelcheck/engine.h"
#include "modelcheck/prepared_training.h"
#include "support/henon.h"
#include "support/reference_predictor.h"

namespace modelcheck {
namespace {

// As for the undelayed check: another method, another order of sums.
constexpr double kDirectTolerance = 1e-10;
constexpr double kIterativeTolerance = 1e-8;

testing::ReferenceSetup Reference(const std::vector<double>& series, const ModelSettings& settings) {
  const auto test_begin = series.begin() + settings.Ntrain;
  return {.training = {series.begin(), test_begin},
          .test = {test_begin, test_begin + Ntest(settings)},
          .D = settings.D,
          .eps = settings.eps,
          .Ltest = settings.Ltest,
          .Ktest = settings.Ktest,
          .tau = settings.tau};
}

void ExpectErrorsNear(const std::vector<double>& engine, const std::vector<double>& reference, double tolerance) {
  ASSERT_EQ(engine.size(), reference.size());
  for (std::size_t i = 0; i < engine.size(); ++i)
    EXPECT_NEAR(engine[i], reference[i], tolerance) << "horizon " << i + 1;
}

TEST(DelayTest, DelayedChecksMatchTheReference) {
  const std::vector<double> series = testing::HenonValues(3000, 1000);
  for (const int tau : {2, 3}) {
    const ModelSettings settings{.Ntrain = 2000, .D = 3, .eps = 0.1, .Ltest = 20, .Ktest = 60, .tau = tau};
    SCOPED_TRACE("tau " + std::to_string(tau));
    const CheckResult result = CheckSeries(series, settings);
    ASSERT_TRUE(result.finished());
    const testing::ReferenceSetup setup = Reference(series, settings);
    const testing::ReferenceResult iterative = testing::ReferenceIterative(setup);
    const testing::ReferenceResult direct = testing::ReferenceDirect(setup);
    ExpectErrorsNear(result.direct.errors, direct.errors, kDirectTolerance);
    ExpectErrorsNear(result.iterative.errors, iterative.errors, kIterativeTolerance);
    EXPECT_EQ(result.iterative.prediction_time, iterative.prediction_time);
    EXPECT_EQ(result.direct.prediction_time, direct.prediction_time);
    EXPECT_EQ(std::vector<int>(result.direct.neighbour_counts.begin(), result.direct.neighbour_counts.end()),
              direct.neighbour_counts);
    // The orbit runs from the first state, T(1), T(1 + tau), T(1 + 2 tau).
    ASSERT_EQ(result.orbit.size(), 80u);
    EXPECT_EQ(result.orbit[0].newest, series[static_cast<std::size_t>(2000 + 2 * tau)]);
  }
}

// The global model is the local one with every state a neighbour: the
// reference with a box that holds them all.
TEST(DelayTest, DelayedGlobalBaselineIsTheReferenceWithEveryStateANeighbour) {
  const std::vector<double> series = testing::HenonValues(1500, 1000);
  const ModelSettings settings{.Ntrain = 1200, .D = 3, .eps = 0.1, .Ltest = 10, .Ktest = 50, .tau = 4};
  const BaselineResult baselines = CheckBaselines(series, settings);
  ASSERT_FALSE(baselines.global_stop);
  testing::ReferenceSetup setup = Reference(series, settings);
  setup.eps = 1e9;
  ExpectErrorsNear(baselines.global_direct.errors, testing::ReferenceDirect(setup).errors, kDirectTolerance);
  ExpectErrorsNear(baselines.global_iterative.errors, testing::ReferenceIterative(setup).errors, kIterativeTolerance);
  // Persistence repeats the newest value, T(k + 8), whatever the delay.
  EXPECT_EQ(baselines.persistence.first_piece, std::vector<double>(10, series[1200 + 8]));
}

// The x component of the Lorenz system (sigma 10, r 28, b 8/3) from
// (1, 1, 1), sampled every dt by one classical Runge-Kutta step.
std::vector<double> LorenzX(int count, double dt, int transient = 2000) {
  std::array<double, 3> v{1.0, 1.0, 1.0};
  const auto f = [](const std::array<double, 3>& u) {
    return std::array<double, 3>{10.0 * (u[1] - u[0]), u[0] * (28.0 - u[2]) - u[1], u[0] * u[1] - 8.0 / 3.0 * u[2]};
  };
  const auto step = [](const std::array<double, 3>& u, const std::array<double, 3>& k, double h) {
    return std::array<double, 3>{u[0] + h * k[0], u[1] + h * k[1], u[2] + h * k[2]};
  };
  std::vector<double> x;
  for (int n = 0; n < count + transient; ++n) {
    const auto k1 = f(v);
    const auto k2 = f(step(v, k1, dt / 2));
    const auto k3 = f(step(v, k2, dt / 2));
    const auto k4 = f(step(v, k3, dt));
    for (std::size_t i = 0; i < 3; ++i) v[i] += dt / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
    if (n >= transient) x.push_back(v[0]);
  }
  return x;
}

// Why a delay: a flow sampled finely has consecutive values nearly equal, so
// a state of three of them sees little of the attractor; five samples apart
// they unfold it, and the model predicts much further (25/28 steps iterative
// and direct at tau 1, 80/69 at tau 5 when this was written).
TEST(DelayTest, ADelayUnfoldsAFinelySampledFlowAndPredictsLonger) {
  const std::vector<double> x = LorenzX(20000, 0.01);
  ModelSettings settings{.Ntrain = 19000, .D = 3, .eps = 0.5, .Ltest = 100, .Ktest = 100};
  const CheckResult consecutive = CheckSeries(x, settings);
  settings.tau = 5;
  const CheckResult delayed = CheckSeries(x, settings);
  ASSERT_TRUE(consecutive.finished() && delayed.finished());
  EXPECT_GT(delayed.iterative.prediction_time.value_or(0), 2 * consecutive.iterative.prediction_time.value_or(0));
  EXPECT_GT(delayed.direct.prediction_time.value_or(0), 2 * consecutive.direct.prediction_time.value_or(0));
}

TEST(DelayTest, ADelayMustLeaveTheStateInsideTheTrainingPartAndATestPieceAfterIt) {
  const std::vector<double> series = testing::HenonValues(400);
  // W = (D - 1) tau + 1 may reach Ntrain - 1: 3 * 33 + 1 = 100 with Ntrain 101.
  ModelSettings settings{.Ntrain = 101, .D = 4, .eps = 0.1, .Ltest = 5, .Ktest = 10, .tau = 33};
  EXPECT_EQ(SettingsProblem(settings, series.size()), "");
  settings.tau = 34;
  EXPECT_EQ(SettingsProblem(settings, series.size()), "tau = 34 is outside its range 1..33");
  settings.tau = 0;
  EXPECT_EQ(SettingsProblem(settings, series.size()), "tau = 0 is outside its range 1..33");
  EXPECT_THROW(PreparedTraining(series, 101).Model(4, 0.1, 34), std::invalid_argument);
  // The test segment grows with the span: Ntest = Ltest + Ktest + W - 1.
  settings = {.Ntrain = 300, .D = 3, .eps = 0.1, .Ltest = 5, .Ktest = 10, .tau = 40};
  EXPECT_EQ(Ntest(settings), 5 + 10 + 80);
  settings.Ktest = 16;  // 100 values after Ntrain: 5 + 16 + 80 = 101 too many
  EXPECT_EQ(SettingsProblem(settings, series.size()), "Ktest = 16 is outside its range 1..15");
}

TEST(DelayTest, ADelayOfOneIsTheUndelayedCheck) {
  const std::vector<double> series = testing::HenonValues(1500);
  ModelSettings settings{.Ntrain = 1300, .D = 2, .eps = 0.05, .Ltest = 15, .Ktest = 40};
  const CheckResult plain = CheckSeries(series, settings);
  settings.tau = 1;
  const PreparedTraining training(series, settings.Ntrain);
  const CheckResult delayed = training.Model(2, 0.05, 1).Check(15, 40);
  EXPECT_EQ(delayed.iterative.errors, plain.iterative.errors);
  EXPECT_EQ(delayed.direct.errors, plain.direct.errors);
  // D = 1 has one value per state, whatever the delay.
  settings.D = 1;
  const CheckResult one = CheckSeries(series, settings);
  settings.tau = 7;
  EXPECT_EQ(CheckSeries(series, settings).iterative.errors, one.iterative.errors);
}

}  // namespace
}  // namespace modelcheck
