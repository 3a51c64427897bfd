#include "apps/batch/progress_line.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace modelcheck {

namespace {

constexpr std::chrono::milliseconds kRedrawInterval{100};

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string TwoDigits(long value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

std::string ClockText(double seconds) {
  const long whole = std::isfinite(seconds) && seconds > 0.0 && seconds < 1e9 ? std::lround(seconds) : 0;
  const long hours = whole / 3600;
  const long minutes = whole / 60 % 60;
  const std::string tail = TwoDigits(whole % 60);
  if (hours > 0) return std::to_string(hours) + ":" + TwoDigits(minutes) + ":" + tail;
  return std::to_string(minutes) + ":" + tail;
}

ProgressLine StartProgressLine() {
  ProgressLine line;
  line.on_terminal = ::isatty(STDERR_FILENO) == 1;
  line.start = std::chrono::steady_clock::now();
  return line;
}

void ShowProgress(ProgressLine& line, const ScanProgress& progress, const char* what) {
  if (!line.on_terminal) return;
  const auto now = std::chrono::steady_clock::now();
  if (line.drawn && now - line.last_drawn < kRedrawInterval && progress.done < progress.total) return;
  const double elapsed = SecondsSince(line.start);
  std::string text = "modelcheck-batch: " + std::to_string(progress.done) + " of " + std::to_string(progress.total) +
                     " " + what + " done, " + ClockText(elapsed) + " elapsed";
  if (progress.done > 0 && progress.done < progress.total) {
    const double left = elapsed * (progress.total - progress.done) / progress.done;
    text += ", about " + ClockText(left) + " left";
  }
  // Carriage return, the new text, then erase whatever the old line had beyond it.
  std::fprintf(stderr, "\r%s\033[K", text.c_str());
  std::fflush(stderr);
  line.drawn = true;
  line.last_drawn = now;
}

void EndProgressLine(ProgressLine& line) {
  if (!line.drawn) return;
  std::fputs("\r\033[K", stderr);
  std::fflush(stderr);
  line.drawn = false;
}

}  // namespace modelcheck
