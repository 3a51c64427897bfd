// The colours of the scan charts, as red, green and blue from 0 to 1. The
// curve colours and the outline of the best cell are taken from a palette
// whose hues stay apart for readers with any common colour-vision deficiency;
// the heat map's ramp rises steadily in lightness, so it reads in grey too.
#pragma once

namespace modelcheck {

struct ChartColour {
  double red = 0.0;
  double green = 0.0;
  double blue = 0.0;
};

constexpr ChartColour Rgb255(int red, int green, int blue) { return {red / 255.0, green / 255.0, blue / 255.0}; }

inline constexpr ChartColour kWhite = {1.0, 1.0, 1.0};
inline constexpr ChartColour kInk = Rgb255(33, 33, 33);          // text, axes
inline constexpr ChartColour kGridLine = Rgb255(225, 225, 225);  // decade lines behind the curves

// Cells without a time: light, mid and hatched greys, none of them on the ramp.
inline constexpr ChartColour kInfeasibleFill = Rgb255(217, 217, 217);
inline constexpr ChartColour kSingularFill = Rgb255(140, 140, 140);
inline constexpr ChartColour kNotRunFill = Rgb255(247, 247, 247);
inline constexpr ChartColour kNotRunHatch = Rgb255(150, 150, 150);

// Vermillion: on neither end of the ramp, so the outline shows on any cell.
inline constexpr ChartColour kBestOutline = Rgb255(213, 94, 0);

inline constexpr ChartColour kIterativeCurve = Rgb255(0, 114, 178);
inline constexpr ChartColour kDirectCurve = Rgb255(213, 94, 0);
inline constexpr ChartColour kPersistenceCurve = Rgb255(204, 121, 167);
inline constexpr ChartColour kGlobalIterativeCurve = Rgb255(86, 180, 233);
inline constexpr ChartColour kGlobalDirectCurve = Rgb255(230, 159, 0);
inline constexpr ChartColour kThresholdLine = Rgb255(80, 80, 80);

// The heat map's ramp at t in [0, 1], dark purple through teal to yellow;
// t outside is clamped, t not a number gives the lower end.
ChartColour RampColour(double t);

// Relative lightness (0 black, 1 white), to pick text that shows on a fill.
double Lightness(const ChartColour& colour);

}  // namespace modelcheck
