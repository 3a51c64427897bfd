// Value offsets into 16-bit window coordinates: truncation toward zero, and
// no coordinate at all where a conversion would be undefined or wrap.
#include "plots/pixel_coordinate.h"

#include <gtest/gtest.h>

#include <limits>

namespace modelcheck {
namespace {

TEST(PixelCoordinate, TruncatesTowardZeroInEitherDirection) {
  EXPECT_EQ(PixelCoordinate(35, 1, 16.9), 51);
  EXPECT_EQ(PixelCoordinate(250, -1, 183.99), 67);
  EXPECT_EQ(PixelCoordinate(250, -1, -0.9), 250);  // -0.9 truncates to 0, not -1
  EXPECT_EQ(PixelCoordinate(250, -1, -1.5), 251);
}

TEST(PixelCoordinate, NoCoordinateForNaNInfinityOrWhatDoesNotFit16Bits) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  for (const double offset : {std::numeric_limits<double>::quiet_NaN(), kInf, -kInf, 1e300, 65636.0, -65386.0}) {
    EXPECT_FALSE(PixelCoordinate(250, -1, offset)) << offset;
  }
  EXPECT_EQ(PixelCoordinate(0, 1, 32767.5), 32767);
  EXPECT_FALSE(PixelCoordinate(1, 1, 32767.0));  // the sum leaves the range
  EXPECT_EQ(PixelCoordinate(250, -1, 33018.0), -32768);
  EXPECT_FALSE(PixelCoordinate(250, -1, 33019.0));
  EXPECT_FALSE(MakePixelPoint(std::int16_t{3}, std::nullopt).valid);
  EXPECT_TRUE(MakePixelPoint(std::int16_t{3}, std::int16_t{4}).valid);
}

}  // namespace
}  // namespace modelcheck
