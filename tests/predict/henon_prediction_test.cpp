// A whole model check on the Henon map's x series, its figures checked against
// an independent brute-force reference and its plot against the measured orbit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "model/model_phase_orbit.h"
#include "plots/plot_window.h"
#include "predict/direct_test.h"
#include "predict/iterative_test.h"
#include "prepared_check.h"
#include "reference_predictor.h"

namespace modelcheck {
namespace {

// The reference solves by another method and sums in another order. Direct
// errors agree to about 1e-12; the chaotic map stretches an iterated
// difference by roughly e^0.42 per step, and the iterative errors were seen
// to agree to about 1e-10 after 30 steps.
constexpr double kDirectTolerance = 1e-10;
constexpr double kIterativeTolerance = 1e-8;

constexpr int kRed = 12;

std::vector<double> HenonSeries(int count) {
  std::vector<double> x;
  double u = 0.1, v = 0.1;
  for (int n = 0; n < count + 1000; ++n) {
    const double next = 1.0 - 1.4 * u * u + v;
    v = 0.3 * u;
    u = next;
    if (n >= 1000) x.push_back(u);  // past the transient, on the attractor
  }
  return x;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class HenonPredictionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    series_ = HenonSeries(3000);
    prepared_ = PrepareCheckOnce();
    ModelCheck& check = prepared_->check;
    SetUpPlotWindow(check);
    ModelPhaseOrbit(check);
    IterativePredictionTest(check);
    DirectPredictionTest(check);
    CloseReport(prepared_->report);
    const testing::ReferenceSetup setup{.training = check.training, .test = check.test_segment,
                                        .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100};
    iterative_ = testing::ReferenceIterative(setup);
    direct_ = testing::ReferenceDirect(setup);
  }
  static void TearDownTestSuite() { prepared_.reset(); }

  static std::unique_ptr<testing::PreparedCheck> PrepareCheckOnce() {
    return testing::PrepareCheck(series_, ModelSettings{.Ntrain = 2000, .D = 2, .eps = 0.05});
  }

  static inline std::vector<double> series_;
  static inline std::unique_ptr<testing::PreparedCheck> prepared_;
  static inline testing::ReferenceResult iterative_;
  static inline testing::ReferenceResult direct_;
};

TEST_F(HenonPredictionTest, ErrorsMatchTheReferenceAtEveryHorizon) {
  const ModelCheck& check = prepared_->check;
  for (std::size_t i = 0; i < 30; ++i) {
    EXPECT_NEAR(check.direct_errors[i], direct_.errors[i], kDirectTolerance) << "horizon " << i + 1;
    EXPECT_NEAR(check.iterative_errors[i], iterative_.errors[i], kIterativeTolerance)
        << "horizon " << i + 1;
  }
  EXPECT_LT(check.iterative_errors[0], 0.01);  // one-step error below 1 %
}

TEST_F(HenonPredictionTest, ReportHoldsTheReferenceFigures) {
  const auto lines = Lines(prepared_->ReadOutputFile("report.txt"));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], " Length of a test piece: Ltest =    30");
  EXPECT_EQ(lines[1], " Number of test pieces: Ktest =  100");
  const std::string prefix = " One-step prediction error: ";
  ASSERT_EQ(lines[2].substr(0, prefix.size()), prefix);
  ASSERT_EQ(lines[2].size(), prefix.size() + 11);
  EXPECT_NEAR(std::atof(lines[2].substr(prefix.size(), 9).c_str()), 100 * iterative_.errors[0], 1e-5);
  EXPECT_EQ(lines[2].substr(prefix.size() + 9), " %");
  EXPECT_GE(iterative_.prediction_time, 2);
  EXPECT_GE(direct_.prediction_time, 2);
  char iterative[8], direct[8];
  std::snprintf(iterative, sizeof iterative, "%5d", iterative_.prediction_time);
  std::snprintf(direct, sizeof direct, "%5d", direct_.prediction_time);
  EXPECT_EQ(lines[3], std::string(" Prediction time (iterative method):  ") + iterative);
  EXPECT_EQ(lines[4], std::string(" Prediction time (direct method): ") + direct);
  EXPECT_EQ(lines[5], "");
  EXPECT_EQ(prepared_->dialogue_text.str(), lines[2] + "\n" + lines[3] + "\n" + lines[4] + "\n");
}

TEST_F(HenonPredictionTest, NeighbourCountsMatchABruteForceScan) {
  const auto lines = Lines(prepared_->ReadOutputFile("neighbors.txt"));
  ASSERT_EQ(lines.size(), 100u);
  for (std::size_t k = 0; k < lines.size(); ++k) {
    ASSERT_EQ(lines[k].size(), 7u) << "line " << k + 1;
    EXPECT_EQ(std::atoi(lines[k].c_str()), direct_.neighbour_counts[k]) << "line " << k + 1;
  }
}

TEST_F(HenonPredictionTest, ModelOrbitTakesTheShapeOfTheMeasuredOrbit) {
  // The measured delay plane of the whole series, placed on the model orbit's
  // frame with the plot range of this check; 130 test values alone are too
  // sparse to outline the attractor.
  const ModelCheck& check = prepared_->check;
  const double s = 1.0 / (check.plot_range.upper - check.plot_range.lower);
  const auto offset = [&](double v) { return static_cast<int>(((v - check.plot_range.lower) * s) * 200); };
  std::vector<std::vector<bool>> measured(600, std::vector<bool>(800, false));
  for (std::size_t n = 0; n + 1 < series_.size(); ++n) {
    const int x = 35 + offset(series_[n]), y = 550 - offset(series_[n + 1]);
    if (x >= 0 && x < 800 && y >= 0 && y < 600) measured[y][x] = true;
  }
  int model_pixels = 0, near_measured = 0;
  for (int y = 351; y < 550; ++y) {
    for (int x = 36; x < 235; ++x) {
      if (PixelAt(prepared_->surface, x, y) != kRed) continue;
      ++model_pixels;
      bool found = false;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) found = found || measured[y + dy][x + dx];
      near_measured += found ? 1 : 0;
    }
  }
  EXPECT_GE(model_pixels, 60);  // not settled on a fixed point or a short cycle
  EXPECT_GE(near_measured, model_pixels * 95 / 100);
}

TEST_F(HenonPredictionTest, PredictionAndErrorCurvesAreDrawnInTheirPanels) {
  const GraphicsSurface& surface = prepared_->surface;
  const auto red_in = [&](int x1, int y1, int x2, int y2) {
    int count = 0;
    for (int y = y1; y <= y2; ++y)
      for (int x = x1; x <= x2; ++x) count += PixelAt(surface, x, y) == kRed ? 1 : 0;
    return count;
  };
  for (const int x0 : {275, 525}) {
    EXPECT_GT(red_in(x0, 51, x0 + 200, 249), 100) << "prediction panel at " << x0;
    EXPECT_GT(red_in(x0, 351, x0 + 200, 550), 100) << "error panel at " << x0;
  }
  EXPECT_TRUE(surface.in_front);
}

}  // namespace
}  // namespace modelcheck
