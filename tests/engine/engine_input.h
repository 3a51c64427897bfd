// A check input laid out as CheckSeries lays it out, for the tests that run
// one phase or one piece by itself, and a bit-for-bit comparison of results.
#pragma once

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "engine/check_input.h"
#include "engine/training_statistics.h"
#include "modelcheck/engine.h"

namespace modelcheck::testing {

struct PreparedInput {
  std::vector<double> series;
  NeighbourGrid grid;
  CheckInput input;
};

// `series` holds the training part and the Ntest values of the test segment
// after it, as a check reads them.
inline std::unique_ptr<PreparedInput> PrepareInput(std::vector<double> series, const ModelSettings& settings) {
  auto prepared = std::make_unique<PreparedInput>();
  prepared->series = std::move(series);
  const std::span<const double> training =
      std::span<const double>(prepared->series).first(static_cast<std::size_t>(settings.Ntrain));
  BuildNeighbourGrid(settings.Ntrain, training, settings.D - 1, settings.eps, prepared->grid);
  prepared->input = MakeCheckInput(prepared->series, settings, ComputeStatistics(training), prepared->grid);
  return prepared;
}

inline std::vector<std::uint64_t> Bits(std::span<const double> values) {
  std::vector<std::uint64_t> bits;
  for (const double value : values) bits.push_back(std::bit_cast<std::uint64_t>(value));
  return bits;
}

inline std::vector<std::uint64_t> Bits(std::span<const OrbitPoint> orbit) {
  std::vector<std::uint64_t> bits;
  for (const OrbitPoint& point : orbit) {
    bits.push_back(std::bit_cast<std::uint64_t>(point.newest));
    bits.push_back(std::bit_cast<std::uint64_t>(point.prediction));
  }
  return bits;
}

inline void ExpectSameTest(const PredictionTestResult& a, const PredictionTestResult& b) {
  EXPECT_EQ(Bits(a.first_piece), Bits(b.first_piece));
  EXPECT_EQ(Bits(a.errors), Bits(b.errors));
  EXPECT_EQ(a.prediction_time, b.prediction_time);
  EXPECT_EQ(a.neighbour_counts, b.neighbour_counts);
}

// Every figure to the last bit, every count, and the stop.
inline void ExpectSameResult(const CheckResult& a, const CheckResult& b) {
  EXPECT_EQ(Bits(a.orbit), Bits(b.orbit));
  {
    SCOPED_TRACE("iterative");
    ExpectSameTest(a.iterative, b.iterative);
  }
  {
    SCOPED_TRACE("direct");
    ExpectSameTest(a.direct, b.direct);
  }
  EXPECT_EQ(std::bit_cast<std::uint64_t>(a.one_step_error), std::bit_cast<std::uint64_t>(b.one_step_error));
  EXPECT_EQ(a.cancelled, b.cancelled);
  ASSERT_EQ(a.stop.has_value(), b.stop.has_value());
  if (!a.stop) return;
  EXPECT_EQ(a.stop->phase, b.stop->phase);
  EXPECT_EQ(a.stop->piece, b.stop->piece);
  EXPECT_EQ(a.stop->step, b.stop->step);
  EXPECT_EQ(a.stop->reason, b.stop->reason);
  EXPECT_EQ(a.stop->zero_diagonal, b.stop->zero_diagonal);
  EXPECT_EQ(a.stop->message, b.stop->message);
}

}  // namespace modelcheck::testing
