// The shared state of the model checks, owned by the main procedure.
//
// The evaluation steps (plot set-up, model phase orbit, iterative test,
// direct test) take this record by reference, in that fixed order, and read
// and write it directly. Arrays are stored zero-based: the series value x(i)
// is training[i - 1], T(m) is test_segment[m - 1], Z(l) is state[l - 1].
// Start indices o in the neighbour grid and list keep their one-based values.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "dialogue/report_log.h"
#include "platform/dialogue_window.h"
#include "plots/graphics_surface.h"
#include "plots/pixel_coordinate.h"

namespace modelcheck {

struct ModelSettings {
  std::int32_t Ntrain = 0;
  std::int32_t D = 0;
  double eps = 0.0;
  std::int32_t Ltest = 30;   // kept across every pass and every series
  std::int32_t Ktest = 100;  // kept across every pass and every series
};

// Number of values read after the training part.
inline std::int32_t Ntest(const ModelSettings& settings) {
  return settings.Ltest + settings.Ktest + settings.D - 1;
}

struct PlotRange {
  double lower = 0.0;
  double upper = 0.0;
};

inline constexpr int kGridCells = 128;

// Box-assisted index over the training states. The counts and start indices
// are 32-bit so that training series of millions of values fit.
struct NeighbourGrid {
  // cells[q * kGridCells + c]: row q is the cell of the last component,
  // column c the cell of the first component.
  std::array<std::int32_t, kGridCells * kGridCells> cells{};
  std::vector<std::int32_t> points;  // start indices, grouped in cell order
};

struct ModelCheck {
  ModelSettings settings;
  std::int32_t value_count = 0;
  std::vector<double> training;      // x(1..Ntrain)
  double variance = 0.0;             // population variance of the training values
  std::vector<double> test_segment;  // T(1..Ntest)
  PlotRange plot_range;
  NeighbourGrid grid;
  std::vector<double> state;               // DelayState Z(1..D)
  std::vector<std::int32_t> neighbours;    // Nb(1..M), capacity Ntrain
  std::int32_t neighbour_count = 0;        // M
  std::vector<double> iterative_errors;    // HorizonErrors, Ltest entries
  std::vector<double> direct_errors;       // HorizonErrors, Ltest entries
  double prediction = 0.0;                 // the current prediction p
  PixelPoint previous_point;               // the pen
  PixelPoint current_point;
  int graphics_status = 0;                 // stored, never inspected

  GraphicsSurface* surface = nullptr;  // the plot window "Model efficiency"
  ReportLog* report = nullptr;
  DialogueWindow* dialogue = nullptr;
};

}  // namespace modelcheck
