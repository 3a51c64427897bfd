// A finished check drawn again from its figures (for the pictures that
// scale) is the picture the console program keeps, pixel for pixel.
#include "presentation/check_picture.h"

#include <gtest/gtest.h>

#include "presentation/plot_image.h"
#include "support/files.h"
#include "support/program_session.h"
#include "text/series_file.h"

namespace modelcheck::testing {
namespace {

std::vector<std::uint8_t> DrawnAgain(const std::filesystem::path& series_file, const ModelSettings& settings) {
  const SeriesCount count = CountValuesInFile(series_file.string());
  const auto first = count.values.begin() + settings.Ntrain;
  CheckPicture picture{.settings = settings,
                       .test_segment = {first, first + Ntest(settings)},
                       .result = CheckSeries(count.values, settings, {.threads = 2, .progress = {}})};
  GraphicsSurface surface;
  DrawCheckPicture(surface, picture);
  return EncodePlotImage(surface);
}

TEST(CheckPicture, DrawnAgainItIsTheConsolesPicture) {
  const struct {
    std::string series;
    ModelSettings settings;
    std::vector<std::string> answers;
  } cases[] = {
      {HenonSeries(3000),
       {.Ntrain = 2000, .D = 2, .eps = 0.05, .Ltest = 30, .Ktest = 100},
       {"series.txt", "2000", "2", "0.05", "n", "n", "n", "n", "n"}},
      {HenonSeries(1500),
       {.Ntrain = 1200, .D = 1, .eps = 0.02, .Ltest = 20, .Ktest = 50},
       {"series.txt", "1200", "1", "0.02", "y", "20", "50", "n", "n", "n", "n"}},
  };
  for (const auto& c : cases) {
    const WorkDirectory directory;
    directory.WriteFile("series.txt", c.series);
    RunProgram(directory, c.answers);
    const std::vector<std::uint8_t> console = ReadBytes(directory.path() / "model-efficiency.png");
    ASSERT_FALSE(console.empty());
    EXPECT_EQ(DrawnAgain(directory.path() / "series.txt", c.settings), console) << "Ntrain " << c.settings.Ntrain;
  }
}

}  // namespace
}  // namespace modelcheck::testing
