#include "presentation/check_curves_table.h"

#include <algorithm>
#include <vector>

#include "text/shortest_number.h"

namespace modelcheck {

namespace {

std::string Field(const std::vector<double>& values, std::size_t i) {
  return i < values.size() ? ShortestNumberText(values[i]) : std::string();
}

}  // namespace

std::string CheckCurvesTable(const CheckResult& result) {
  std::vector<double> newest, prediction;
  for (const OrbitPoint& point : result.orbit) {
    newest.push_back(point.newest);
    prediction.push_back(point.prediction);
  }
  const std::size_t rows = std::max({result.iterative.first_piece.size(), result.direct.first_piece.size(),
                                     result.iterative.errors.size(), result.direct.errors.size(), newest.size()});
  std::string table =
      "index,iterative_error,direct_error,iterative_prediction,direct_prediction,orbit_newest,orbit_prediction\n";
  for (std::size_t i = 0; i < rows; ++i) {
    table += std::to_string(i + 1) + "," + Field(result.iterative.errors, i) + "," + Field(result.direct.errors, i) +
             "," + Field(result.iterative.first_piece, i) + "," + Field(result.direct.first_piece, i) + "," +
             Field(newest, i) + "," + Field(prediction, i) + "\n";
  }
  return table;
}

}  // namespace modelcheck
