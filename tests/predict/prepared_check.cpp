#include "prepared_check.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

#include "model/neighbour_grid.h"

namespace modelcheck::testing {

namespace fs = std::filesystem;

namespace {

double PopulationVariance(const std::vector<double>& values) {
  double mean = 0.0;
  for (const double v : values) mean += v;
  mean /= static_cast<double>(values.size());
  double sum = 0.0;
  for (const double v : values) sum += (v - mean) * (v - mean);
  return sum / static_cast<double>(values.size());
}

fs::path FreshDirectory() {
  static int serial = 0;
  const fs::path directory = fs::temp_directory_path() /
                             ("mc-predict-" + std::to_string(getpid()) + "-" + std::to_string(++serial));
  fs::remove_all(directory);
  fs::create_directories(directory);
  return directory;
}

}  // namespace

PreparedCheck::~PreparedCheck() {
  CloseReport(report);
  fs::current_path(previous_directory);
  fs::remove_all(directory);
}

std::string PreparedCheck::ReadOutputFile(const std::string& name) const {
  std::ifstream in(directory / name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void ReloadTestSegment(PreparedCheck& prepared, const std::vector<double>& series) {
  ModelCheck& check = prepared.check;
  const auto first = series.begin() + check.settings.Ntrain;
  check.test_segment.assign(first, first + Ntest(check.settings));
  check.iterative_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
  check.direct_errors.assign(static_cast<std::size_t>(check.settings.Ltest), 0.0);
}

std::unique_ptr<PreparedCheck> PrepareCheck(const std::vector<double>& series,
                                            const ModelSettings& settings) {
  auto prepared = std::make_unique<PreparedCheck>();
  prepared->previous_directory = fs::current_path();
  prepared->directory = FreshDirectory();
  fs::current_path(prepared->directory);
  ModelCheck& check = prepared->check;
  check.settings = settings;
  check.value_count = static_cast<std::int32_t>(series.size());
  check.training.assign(series.begin(), series.begin() + settings.Ntrain);
  check.variance = PopulationVariance(check.training);
  const auto [lowest, highest] = std::ranges::minmax(check.training);
  check.plot_range = {.lower = lowest, .upper = highest};
  BuildNeighbourGrid(settings.Ntrain, check.training, settings.D - 1, settings.eps, check.grid);
  check.state.assign(static_cast<std::size_t>(settings.D), 0.0);
  check.neighbours.assign(static_cast<std::size_t>(settings.Ntrain), 0);
  ReloadTestSegment(*prepared, series);
  OpenPlotWindow(prepared->surface, "Model efficiency");
  SetDrawingColour(prepared->surface, 12);
  prepared->dialogue = DialogueWindow{.in = &prepared->no_input, .out = &prepared->dialogue_text};
  OpenReport(prepared->report, prepared->dialogue);
  check.surface = &prepared->surface;
  check.report = &prepared->report;
  check.dialogue = &prepared->dialogue;
  return prepared;
}

}  // namespace modelcheck::testing
