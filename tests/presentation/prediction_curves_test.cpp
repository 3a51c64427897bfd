// Placing and clipping the prediction and error curves of the prediction tests.
#include "presentation/prediction_curves.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "plots/graphics_surface.h"

namespace modelcheck {
namespace {

constexpr int kRed = 12;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(PredictionCurvesTest, ValueHeightsSpanThePanelAndFollowTheWrittenOrder) {
  const PredictionScale unit = MakePredictionScale({.lower = -1.0, .upper = 1.0});
  EXPECT_EQ(ValueHeight(unit, -1.0), 250);
  EXPECT_EQ(ValueHeight(unit, 1.0), 50);
  EXPECT_EQ(ValueHeight(unit, 0.0), 150);
  EXPECT_EQ(ValueHeight(unit, -1.004), 250);  // truncation toward zero, not floor
  EXPECT_EQ(ValueHeight(unit, -1.012), 251);
  // (200 * 0.015) * (1/3) rounds just below 1 in the other order of products.
  const PredictionScale third = MakePredictionScale({.lower = 0.0, .upper = 3.0});
  EXPECT_EQ(ValueHeight(third, 0.015), 249);
}

TEST(PredictionCurvesTest, ValuesWithoutACoordinateAreNeverWrappedIntoTheWindow) {
  const PredictionScale unit = MakePredictionScale({.lower = 0.0, .upper = 1.0});
  EXPECT_FALSE(ValueHeight(unit, 1e6).has_value());
  EXPECT_FALSE(ValueHeight(unit, -1e6).has_value());
  EXPECT_FALSE(ValueHeight(unit, kNaN).has_value());
  const PredictionScale flat = MakePredictionScale({.lower = 2.0, .upper = 2.0});
  EXPECT_FALSE(ValueHeight(flat, 2.0).has_value());
  EXPECT_FALSE(ValueHeight(flat, 2.5).has_value());
  EXPECT_FALSE(ErrorHeight(kNaN).has_value());
  EXPECT_FALSE(ErrorHeight(std::numeric_limits<double>::infinity()).has_value());
}

TEST(PredictionCurvesTest, HorizonPositionsAndErrorHeights) {
  EXPECT_EQ(HorizonPosition(525, 0, 30), 525);
  EXPECT_EQ(HorizonPosition(525, 1, 30), 531);
  EXPECT_EQ(HorizonPosition(275, 1, 3), 341);
  EXPECT_EQ(HorizonPosition(275, 3, 3), 475);
  // 200 * i would overflow 32 bits here.
  EXPECT_EQ(HorizonPosition(275, 20'000'000, 20'000'000), 475);
  EXPECT_EQ(HorizonPosition(275, 10'000'001, 20'000'000), 375);
  EXPECT_EQ(ErrorHeight(0.0), 550);
  EXPECT_EQ(ErrorHeight(0.9999), 351);
  EXPECT_EQ(ErrorHeight(1.0), 350);
}

TEST(PredictionCurvesTest, PanelBoundsExcludeOrIncludeTheBottomEdge) {
  const auto at = [](int y) { return PixelPoint{.x = 300, .y = static_cast<std::int16_t>(y), .valid = true}; };
  EXPECT_FALSE(InsidePredictionPanel(at(50)));
  EXPECT_TRUE(InsidePredictionPanel(at(51)));
  EXPECT_TRUE(InsidePredictionPanel(at(249)));
  EXPECT_FALSE(InsidePredictionPanel(at(250)));
  EXPECT_FALSE(InsideErrorPanel(at(350)));
  EXPECT_TRUE(InsideErrorPanel(at(351)));
  EXPECT_TRUE(InsideErrorPanel(at(550)));
  EXPECT_FALSE(InsideErrorPanel(at(551)));
  EXPECT_FALSE(InsidePredictionPanel(PixelPoint{.x = 300, .y = 150, .valid = false}));
  EXPECT_FALSE(InsideErrorPanel(PixelPoint{.x = 300, .y = 450, .valid = false}));
}

class CurveDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenPlotWindow(surface_, "Model efficiency");
    SetDrawingColour(surface_, kRed);
  }

  int RedPixelsInColumns(int first, int last, int top, int bottom) const {
    int count = 0;
    for (int x = first; x <= last; ++x)
      for (int y = top; y <= bottom; ++y) count += PixelAt(surface_, x, y) == kRed ? 1 : 0;
    return count;
  }

  GraphicsSurface surface_;
  Pen pen_;
};

TEST_F(CurveDrawingTest, APredictionOutsideThePanelRemovesBothOfItsSegments) {
  const PredictionScale unit = MakePredictionScale({.lower = 0.0, .upper = 1.0});
  StartPredictionCurve(pen_, 275, 0.5, unit);  // Z(D) = 0.5 starts the curve at height 150
  EXPECT_EQ(pen_.current.x, 275);
  EXPECT_EQ(pen_.current.y, 150);
  const std::vector<double> predictions = {0.5, 1.5, 0.5, 0.25};
  for (int i = 1; i <= 4; ++i) PlotPrediction(surface_, pen_, 275, i, 4, predictions[i - 1], unit);
  EXPECT_EQ(PixelAt(surface_, 275, 150), kRed);
  EXPECT_EQ(PixelAt(surface_, 325, 150), kRed);
  EXPECT_EQ(RedPixelsInColumns(326, 424, 0, 599), 0);  // the gap around horizon 2
  EXPECT_EQ(PixelAt(surface_, 425, 150), kRed);
  EXPECT_EQ(PixelAt(surface_, 475, 200), kRed);
  EXPECT_EQ(pen_.previous.x, 425);
  EXPECT_EQ(pen_.current.x, 475);
}

TEST_F(CurveDrawingTest, AFlatPlotRangeDrawsNoPredictionCurve) {
  const PredictionScale flat = MakePredictionScale({.lower = 0.5, .upper = 0.5});
  StartPredictionCurve(pen_, 525, 0.5, flat);
  PlotPrediction(surface_, pen_, 525, 1, 2, 0.5, flat);
  PlotPrediction(surface_, pen_, 525, 2, 2, 0.5, flat);
  EXPECT_EQ(RedPixelsInColumns(0, kSurfaceWidth - 1, 0, kSurfaceHeight - 1), 0);
}

TEST_F(CurveDrawingTest, ErrorCurveKeepsZeroErrorsAndDropsSegmentsThatReachOne) {
  // Horizons 1..5 at x = 275, 315, 355, 395, 435 (Ltest = 5, x0 = 235 + 40 i).
  const std::vector<double> errors = {0.0, 0.0, 1.0, 0.5, kNaN};
  DrawErrorCurve(surface_, 235, errors);
  EXPECT_EQ(PixelAt(surface_, 275, 550), kRed);  // error 0 lies on the bottom edge, drawn
  EXPECT_EQ(PixelAt(surface_, 315, 550), kRed);
  EXPECT_EQ(RedPixelsInColumns(316, 435, 300, 600), 0);  // every later segment touches 1 or NaN
}

TEST_F(CurveDrawingTest, OneHorizonDrawsNoErrorSegment) {
  DrawErrorCurve(surface_, 525, std::vector<double>{0.01});
  EXPECT_EQ(RedPixelsInColumns(0, kSurfaceWidth - 1, 0, kSurfaceHeight - 1), 0);
}

}  // namespace
}  // namespace modelcheck
