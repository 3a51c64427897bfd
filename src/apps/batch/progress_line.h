// The progress of a running scan on a terminal: one line on standard error,
// replaced in place (work done, time elapsed, an estimate of the time left),
// redrawn at most every 100 ms. When standard error is not a terminal it
// writes nothing, so logs and pipes stay clean.
#pragma once

#include <chrono>

#include "modelcheck/scan.h"

namespace modelcheck {

struct ProgressLine {
  bool on_terminal = false;
  bool drawn = false;
  std::chrono::steady_clock::time_point start;
  std::chrono::steady_clock::time_point last_drawn;
};

ProgressLine StartProgressLine();

// `what` names the work counted: "cells and baselines", "surrogates".
void ShowProgress(ProgressLine& line, const ScanProgress& progress, const char* what = "cells and baselines");

// Clears the line, so what follows starts on a clean line.
void EndProgressLine(ProgressLine& line);

// "1:05" or "1:02:05" for a count of seconds; the progress line's clock.
std::string ClockText(double seconds);

}  // namespace modelcheck
