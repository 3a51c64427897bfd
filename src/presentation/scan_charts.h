// The two pictures of a scan, each returned as the whole contents of a PNG
// file (the caller writes it in one piece, so a failed write loses nothing).
//
// Both are 960 x 640 pixels on white, anti-aliased, with text in Liberation
// Sans of at least 12 pixels and colours that stay apart for colour-blind
// readers. The bytes depend on the input alone: the same result and name give
// the same file. Any ScanResult draws, however degenerate (one cell, no cell
// finished, Ltest of 1 or of hundreds, errors that are zero, infinite or not
// a number); a drawing error of the graphics library throws
// std::runtime_error naming it.
#pragma once

#include <string>

#include "modelcheck/scan.h"
#include "modelcheck/surrogates.h"

namespace modelcheck {

// scan.png: the iterative prediction time of every cell as a colour, D up
// the rows (scan order, the first at the bottom) and eps along the columns
// (scan order, labels thinned where they would overlap). A colour bar runs
// from 0 to Ltest steps; infeasible, singular and not-run cells have a grey
// pattern each, named in the legend. Cells large enough carry their time as
// text. The best cell (BestCell) is outlined and named in the caption, e.g.
// "best: D = 2, eps = 0.01: iterative 19 steps, direct 9 steps". The title
// names the series and the settings, and says "(incomplete)" when the scan
// did not finish every cell.
std::string DrawScanHeatMap(const ScanResult& result, const std::string& series_name);

// curves.png: the normalised error per horizon 1..Ltest, on a logarithmic
// axis, of the best cell's iterative and direct tests beside the baselines of
// its D (persistence, global affine iterative and direct), with the threshold
// as a dashed line and each curve's prediction time in the legend. Errors of
// 0 (and infinities) are clipped to the bottom (top) of the plot, errors that
// are not a number leave a gap; a baseline without errors is left out and
// marked "not available". Without a finished cell the picture says so.
// Where the best cell's tests have bootstrap intervals, each is a band of
// its curve's colour; where `surrogates` tested the best cell, the range of
// the surrogates' iterative errors (their central 90 %) is a grey band, its p-value in the
// legend. Without either the picture is as it was before they existed.
std::string DrawBestCurves(const ScanResult& result, const std::string& series_name,
                           const SurrogateRun* surrogates = nullptr);

}  // namespace modelcheck
