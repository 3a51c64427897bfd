// A model check set up the way the dialogue driver sets it up before its
// evaluation steps, for tests of the prediction tests. Runs in a fresh
// temporary working directory, where report.txt and neighbors.txt land.
#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dialogue/report_log.h"
#include "model/model_check.h"
#include "platform/dialogue_window.h"
#include "plots/graphics_surface.h"

namespace modelcheck::testing {

struct PreparedCheck {
  ModelCheck check;
  GraphicsSurface surface;
  ReportLog report;
  std::ostringstream dialogue_text;
  std::istringstream no_input;
  DialogueWindow dialogue;
  std::filesystem::path directory;
  std::filesystem::path previous_directory;

  PreparedCheck() = default;
  PreparedCheck(const PreparedCheck&) = delete;
  PreparedCheck& operator=(const PreparedCheck&) = delete;
  ~PreparedCheck();  // closes the report, returns to the previous directory

  // Reads a file of the working directory whole (empty when missing).
  std::string ReadOutputFile(const std::string& name) const;
};

// Loads the training part and the test segment of `series` for `settings`,
// computes the training variance and range, builds the neighbour grid, sizes
// every array, opens the plot window (drawing colour 12) and the report.
std::unique_ptr<PreparedCheck> PrepareCheck(const std::vector<double>& series,
                                            const ModelSettings& settings);

// Reloads the test segment and resizes the arrays after Ltest or Ktest changed.
void ReloadTestSegment(PreparedCheck& prepared, const std::vector<double>& series);

}  // namespace modelcheck::testing
