// The picture file: the PNG decodes to exactly the raster and its palette,
// replaces an earlier picture whole, and failures name the file.
#include "presentation/plot_image.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "plot_fixture.h"
#include "plots/plot_window.h"
#include "png_reader.h"
#include "support/child_process.h"
#include "support/files.h"

namespace modelcheck {
namespace {

// A raster with every palette index in it: the set-up picture plus red curves
// and a band of all sixteen colours, so that packing and palette both show.
GraphicsSurface PictureWithEveryColour() {
  PlotFixture fixture(2, 3, 2, {0.0, 10.0, 4.0, 7.0, 2.0, 9.0});
  fixture.SetUp();
  MoveTo(fixture.surface, 280, 400);
  LineTo(fixture.surface, 470, 520);
  for (int x = 0; x < kSurfaceWidth; ++x) {
    SetDrawingColour(fixture.surface, x % 16);
    SetPixel(fixture.surface, x, 590);
  }
  return std::move(fixture.surface);
}

void ExpectSameImage(const DecodedImage& image, const GraphicsSurface& surface) {
  ASSERT_TRUE(image.ok) << image.problem;
  EXPECT_EQ(image.width, kSurfaceWidth);
  EXPECT_EQ(image.height, kSurfaceHeight);
  EXPECT_EQ(image.colour_type, PNG_COLOR_TYPE_PALETTE);
  ASSERT_EQ(image.palette.size(), kPalette.size());
  for (std::size_t i = 0; i < kPalette.size(); ++i) {
    EXPECT_EQ(image.palette[i].red, kPalette[i].red) << i;
    EXPECT_EQ(image.palette[i].green, kPalette[i].green) << i;
    EXPECT_EQ(image.palette[i].blue, kPalette[i].blue) << i;
  }
  EXPECT_TRUE(image.indices == surface.pixels);
}

TEST(PlotImage, EncodedPictureDecodesToTheRaster) {
  const GraphicsSurface surface = PictureWithEveryColour();
  ExpectSameImage(DecodeIndexedPng(EncodePlotImage(surface)), surface);
}

TEST(PlotImage, AWindowNeverOpenedHasNoPicture) {
  GraphicsSurface never;
  EXPECT_TRUE(EncodePlotImage(never).empty());
  std::string error;
  EXPECT_FALSE(WritePlotImage(never, "unused.png", error));
  EXPECT_NE(error.find("unused.png"), std::string::npos) << error;
}

TEST(PlotImage, WrittenFileReplacesTheEarlierPictureWhole) {
  const testing::WorkDirectory directory;
  const std::string path = (directory.path() / kPlotImageFileName).string();
  std::ofstream(path) << std::string(5'000'000, 'x');  // longer than any picture
  const GraphicsSurface surface = PictureWithEveryColour();
  std::string error;
  ASSERT_TRUE(WritePlotImage(surface, path, error)) << error;
  ExpectSameImage(DecodeIndexedPng(testing::ReadBytes(path)), surface);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1) << "no file left over";
}

TEST(PlotImage, AFailedWriteNamesTheFileAndItsCause) {
  const testing::WorkDirectory directory;
  const std::string path = (directory.path() / "missing" / kPlotImageFileName).string();
  std::string error;
  EXPECT_FALSE(WritePlotImage(PictureWithEveryColour(), path, error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST(PlotImage, ATruncatedWriteIsReportedAndLeavesTheEarlierPicture) {
  const testing::WorkDirectory directory;
  const std::string path = (directory.path() / kPlotImageFileName).string();
  std::ofstream(path) << "earlier picture";
  const GraphicsSurface surface = PictureWithEveryColour();
  // A file size limit below the picture's size makes the write fail part way.
  const testing::ChildResult child = testing::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{.rlim_cur = 1000, .rlim_max = 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string error;
    const bool written = WritePlotImage(surface, path, error);
    std::printf("%s|%s", written ? "written" : "failed", error.c_str());
  });
  ASSERT_TRUE(child.exited);
  EXPECT_EQ(child.output.rfind("failed|cannot write " + path + ": ", 0), 0u) << child.output;
  EXPECT_EQ(testing::ReadBytes(path),
            (std::vector<std::uint8_t>{'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory.path()), {}), 1) << "no file left over";
}

}  // namespace
}  // namespace modelcheck
