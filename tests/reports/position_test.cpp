// The conversion of report lengths (0.1 mm from the paper's corner) to device pixels:
// round((x - offset) * dpi / 254), halves to even.
#include <gtest/gtest.h>

#include "reports/position.h"

namespace reports {
namespace {

struct PositionCase {
  double x;
  int dpi;
  double offset;
  int expected;
};

const PositionCase kCases[] = {
    {261.9375, 600, 0, 619},  // 618.75
    {171.979, 600, 0, 406},   // 406.25
    {261.9375, 96, 0, 99},    // 99.0: the label page's element at design resolution
    {171.979, 96, 0, 65},     // 64.99994
    {222.25, 96, 0, 84},      // 84.0
    {219.604, 96, 0, 83},     // 82.99993
    {0.5, 254, 0, 0},         // exact halves go to the even neighbour
    {1.5, 254, 0, 2},
    {2.5, 254, 0, 2},
    {3.5, 254, 0, 4},
    {-2.5, 254, 0, -2},
    {261.9375, 600, 63.5, 469},  // 469.0: a 1/4-inch unprintable offset
    {100, 600, 50.8, 116},       // 116.22
    {42.3333, 600, 0, 100},      // 99.9999
    {0, 600, 63.5, -150},        // left of the printable area
};

TEST(DeviceMapping, ConvertsTenthsOfAMillimetreToPixels) {
  for (const PositionCase& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.x << " at " << c.dpi << " dpi, offset " << c.offset);
    TDeviceMapping horizontal{c.dpi, 72, c.offset, 0};
    EXPECT_EQ(horizontal.PX(c.x), c.expected);
    TDeviceMapping vertical{72, c.dpi, 0, c.offset};
    EXPECT_EQ(vertical.PY(c.x), c.expected);
  }
}

TEST(DeviceMapping, EachDirectionUsesItsOwnResolutionAndOffset) {
  TDeviceMapping mapping{300, 600, 25.4, 50.8};
  EXPECT_EQ(mapping.PX(254), 270);   // (254 - 25.4) * 300 / 254
  EXPECT_EQ(mapping.PY(254), 480);   // (254 - 50.8) * 600 / 254
}

}  // namespace
}  // namespace reports
