// The plot set-up: range, six frames with ticks, labels and titles where they
// belong, the reference curves, the colour left selected, and a second set-up.
#include "plots/plot_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot_fixture.h"
#include "plots/frame_drawer.h"
#include "plots/plot_layout.h"
#include "plots/plot_scale.h"
#include "plots/reference_curves.h"
#include "raster_probe.h"
#include "support/child_process.h"

namespace modelcheck {
namespace {

const std::vector<double> kSegment{0.0, 10.0, 4.0, 7.0, 2.0, 9.0};  // D = 2, Ltest = 3, Ktest = 2

struct Corner {
  int x1, y1;
};
constexpr Corner kCorners[6] = {{35, 50}, {35, 350}, {275, 50}, {275, 350}, {525, 50}, {525, 350}};

// Outlines and ticks of the six frames as a mask over the raster.
std::vector<bool> FrameMask() {
  std::vector<bool> mask(kSurfaceWidth * kSurfaceHeight, false);
  auto mark = [&](int x, int y) { mask[static_cast<std::size_t>(y) * kSurfaceWidth + x] = true; };
  for (const Corner c : kCorners) {
    for (int t = 0; t <= 200; ++t) {
      mark(c.x1 + t, c.y1), mark(c.x1 + t, c.y1 + 200), mark(c.x1, c.y1 + t), mark(c.x1 + 200, c.y1 + t);
    }
    for (int k = 1; k <= 9; ++k) {
      for (int d = -3; d <= 3; ++d) mark(c.x1 + 20 * k, c.y1 + 200 + d), mark(c.x1 + d, c.y1 + 20 * k);
    }
  }
  return mask;
}

// Where a text field written at (x, y) may put ink: about 7 pixels a
// character, a few more for capitals and the italic slant, one line high.
Region TextBox(int x, int y, const std::string& text) {
  const int length = static_cast<int>(text.find_last_not_of(' ') + 1);
  return Region{x - 3, y, x + 9 * length + 2, y + 18};
}

std::vector<Region> TextBoxes(const PlotRange& range, std::int32_t Ltest) {
  std::vector<Region> boxes;
  for (const FrameSpec& f : PlotFrames(range, Ltest)) {
    const int below = f.y2 + 5, left = f.x1 - 30;
    const int xs[6] = {f.x1, (f.x1 + f.x2) / 2 - 12, f.x2 - 24, left, left, left};
    const int ys[6] = {below, below, below, f.y2 - 16, (f.y1 + f.y2) / 2 - 8, f.y1};
    for (int i = 0; i < 6; ++i) boxes.push_back(TextBox(xs[i], ys[i], f.labels[i]));
    boxes.push_back(TextBox(f.x1 + 10, f.y1 - 20, f.title));
  }
  return boxes;
}

GraphicsSurface ReferenceOnly(const std::vector<double>& T, std::int32_t D, std::int32_t Ltest, std::int32_t Ktest) {
  PlotFixture fixture(D, Ltest, Ktest, T);
  fixture.BlankWindow();
  DrawReferenceCurves(fixture.surface, fixture.settings, fixture.T, WidenedRange(T));
  return std::move(fixture.surface);
}

TEST(PlotLayout, LabelsAreFixedFieldsWithAsterisksWhenTooWide) {
  EXPECT_EQ(BoundLabel(-12.34), "-12.3     ");
  EXPECT_EQ(BoundLabel(3.0), "  3.0     ");
  EXPECT_EQ(BoundLabel(999.94), "999.9     ");
  EXPECT_EQ(BoundLabel(999.96), "*****     ");
  EXPECT_EQ(BoundLabel(-99.94), "-99.9     ");
  EXPECT_EQ(BoundLabel(-99.96), "*****     ");
  EXPECT_EQ(LtestLabel(30), "    30    ");
  EXPECT_EQ(LtestLabel(1234567), "******    ");
}

TEST(PlotLayout, SixFramesWithTheirTitlesAndAxisTexts) {
  const auto frames = PlotFrames(PlotRange{.lower = -1.0, .upper = 11.0}, 30);
  const char* titles[6] = {"Original phase orbit",
                           "Model phase orbit",
                           "Direct time series prediction",
                           "Direct prediction error",
                           "Iterative time series prediction",
                           "Iterative prediction error"};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(titles[i]);
    EXPECT_EQ(frames[i].title, titles[i]);
    EXPECT_EQ(frames[i].x1, kCorners[i].x1);
    EXPECT_EQ(frames[i].y2, kCorners[i].y1 + 200);
  }
  using Labels = std::array<std::string, 6>;
  const std::string low = " -1.0     ", high = " 11.0     ", steps = "    30    ";
  EXPECT_EQ(frames[0].labels, (Labels{low, "X1(n)", high, low, "X1(n+1)", high}));
  EXPECT_EQ(frames[2].labels, (Labels{"0.0", "n", steps, low, "X1", high}));
  EXPECT_EQ(frames[5].labels, (Labels{"0.0", "n", steps, "0.0", "e", "1.0"}));
}

TEST(SetUpPlotWindow, WidensTheRangeAndLeavesRedSelectedOnTheOpenWindow) {
  PlotFixture fixture(2, 3, 2, kSegment);
  const PlotRange range = fixture.SetUp();
  EXPECT_DOUBLE_EQ(range.lower, -1.0);
  EXPECT_DOUBLE_EQ(range.upper, 11.0);
  EXPECT_EQ(fixture.surface.title, "Model efficiency");
  EXPECT_EQ(fixture.surface.colour, 12);
  EXPECT_EQ(fixture.surface.background, 15);
  EXPECT_FALSE(FindInk(fixture.surface, 12).any);
}

TEST(SetUpPlotWindow, DrawsFramesTicksTextAndReferenceCurvesAndNothingElse) {
  PlotFixture fixture(2, 3, 2, kSegment);
  const PlotRange range = fixture.SetUp();
  ASSERT_TRUE(fixture.surface.font) << "no face for Arial: install fonts-liberation";
  std::vector<bool> mask = FrameMask();
  const GraphicsSurface reference = ReferenceOnly(kSegment, 2, 3, 2);
  for (std::size_t i = 0; i < mask.size(); ++i) {
    if (mask[i] || reference.pixels[i] == 0) {
      ASSERT_EQ(fixture.surface.pixels[i], 0) << "at " << i % kSurfaceWidth << ", " << i / kSurfaceWidth;
    }
    mask[i] = mask[i] || reference.pixels[i] == 0;
  }
  const std::vector<Region> boxes = TextBoxes(range, 3);
  std::vector<int> ink(boxes.size(), 0);
  for (int y = 0; y < kSurfaceHeight; ++y) {
    for (int x = 0; x < kSurfaceWidth; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * kSurfaceWidth + x;
      if (fixture.surface.pixels[i] == 15 || mask[i]) continue;
      bool in_text = false;
      for (std::size_t b = 0; b < boxes.size(); ++b) {
        if (boxes[b].Contains(x, y)) in_text = true, ++ink[b];
      }
      ASSERT_TRUE(in_text) << "stray pixel at " << x << ", " << y;
    }
  }
  for (std::size_t b = 0; b < boxes.size(); ++b) {
    EXPECT_GT(ink[b], 3) << "no text in the box at " << boxes[b].left << ", " << boxes[b].top;
  }
}

TEST(SetUpPlotWindow, ASecondSetUpRedrawsOneClearedWindow) {
  PlotFixture fixture(2, 3, 2, kSegment);
  fixture.SetUp();
  SetPixel(fixture.surface, 600, 300);  // red, as a model curve would be
  const std::vector<double> other{5.0, -3.0, 1.0, 8.0, 2.5, 6.0};
  fixture.T = other;
  fixture.SetUp();

  PlotFixture fresh(2, 3, 2, other);
  fresh.SetUp();
  EXPECT_TRUE(fixture.surface.pixels == fresh.surface.pixels);
  EXPECT_EQ(fixture.surface.colour, 12);
}

TEST(SetUpPlotWindow, AConstantSegmentStillGetsItsFramesAndLabels) {
  PlotFixture fixture(2, 3, 2, std::vector<double>(6, 3.0));
  fixture.SetUp();
  // The frame interiors away from the labels hold no curve.
  for (const Corner c : {kCorners[0], kCorners[2], kCorners[4]}) {
    EXPECT_FALSE(FindInk(fixture.surface, 0, Region{c.x1 + 30, c.y1 + 20, c.x1 + 199, c.y1 + 180}).any);
  }
  EXPECT_TRUE(FindInk(fixture.surface, 0, Region{45, 30, 200, 48}).any);  // the title
  EXPECT_EQ(fixture.surface.colour, 12);
}

TEST(SetUpPlotWindow, AShortTestSegmentStopsTheProgram) {
  const testing::ChildResult child = testing::RunInChild([] {
    PlotFixture fixture(2, 3, 2, {0.0, 1.0, 2.0});  // Ntest is 6
    fixture.SetUp();
  });
  EXPECT_FALSE(child.exited && child.status == 0);
}

TEST(DrawFrame, OneDivisionDrawsNoTicksAndNoDivisionsIsSafe) {
  PlotFixture fixture(1, 1, 1, {0.0, 1.0});
  fixture.BlankWindow();
  DrawFrame(fixture.surface, FrameSpec{.x1 = 100, .y1 = 100, .x2 = 300, .y2 = 300, .nx = 1, .ny = 1});
  EXPECT_EQ(FindInk(fixture.surface, 0).pixels, 800);
  DrawFrame(fixture.surface, FrameSpec{.x1 = 100, .y1 = 100, .x2 = 300, .y2 = 300, .nx = 2, .ny = 0});
  EXPECT_EQ(FindInk(fixture.surface, 0).pixels, 800 + 6);  // one bottom tick, no left tick
}

}  // namespace
}  // namespace modelcheck
