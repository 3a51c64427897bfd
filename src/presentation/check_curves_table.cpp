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

std::string CheckCurvesTable(const CheckPicture& picture) {
  const CheckResult& result = picture.result;
  const std::vector<double>& T = picture.test_segment;
  std::vector<double> newest, prediction;
  for (const OrbitPoint& point : result.orbit) {
    newest.push_back(point.newest);
    prediction.push_back(point.prediction);
  }
  // The first piece's targets follow its state: T(W + 1), ..., T(W + Ltest).
  const auto W = static_cast<std::size_t>(std::max(StateSpan(picture.settings), 1));
  const auto Ltest = static_cast<std::size_t>(std::max(picture.settings.Ltest, 0));
  const std::vector<double> measured(T.begin() + static_cast<std::ptrdiff_t>(std::min(W, T.size())),
                                     T.begin() + static_cast<std::ptrdiff_t>(std::min(W + Ltest, T.size())));
  const std::vector<double> orbit_newest(T.begin(), T.empty() ? T.end() : T.end() - 1);
  const std::vector<double> orbit_next(T.empty() ? T.end() : T.begin() + 1, T.end());
  const std::size_t rows =
      std::max({result.iterative.first_piece.size(), result.direct.first_piece.size(), result.iterative.errors.size(),
                result.direct.errors.size(), newest.size(), measured.size(), orbit_newest.size()});
  std::string table =
      "index,iterative_error,direct_error,iterative_prediction,direct_prediction,orbit_newest,orbit_prediction,"
      "measured_value,measured_orbit_newest,measured_orbit_next\n";
  for (std::size_t i = 0; i < rows; ++i) {
    table += std::to_string(i + 1) + "," + Field(result.iterative.errors, i) + "," + Field(result.direct.errors, i) +
             "," + Field(result.iterative.first_piece, i) + "," + Field(result.direct.first_piece, i) + "," +
             Field(newest, i) + "," + Field(prediction, i) + "," + Field(measured, i) + "," + Field(orbit_newest, i) +
             "," + Field(orbit_next, i) + "\n";
  }
  return table;
}

}  // namespace modelcheck
