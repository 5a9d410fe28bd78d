// Round and MulDiv, the two rounding rules every pixel length goes through.
#include <gtest/gtest.h>

#include "base/intmath.h"

namespace platform {
namespace {

struct RoundCase {
  double value;
  int expected;
};

// Exact halves go to the even neighbour, in both directions; everything else to the nearest.
const RoundCase kRoundCases[] = {{0.5, 0},   {1.5, 2},   {2.5, 2},   {3.5, 4},   {-0.5, 0},
                                 {-1.5, -2}, {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {0.0, 0},
                                 {406.25, 406}, {618.5, 618}, {619.5, 620}, {-7.6, -8}};

TEST(IntMath, RoundSendsHalvesToEven) {
  for (const RoundCase& c : kRoundCases) EXPECT_EQ(Round(c.value), c.expected) << c.value;
}

struct MulDivCase {
  int a, b, c;
  int expected;
};

// Exact halves go away from zero; the product is formed in 64 bits.
const MulDivCase kMulDivCases[] = {
    {96, 100, 100, 96},     {84, 150, 100, 126},     {83, 50, 100, 42},  // 41.5 -> 42
    {5, 1, 2, 3},           {-5, 1, 2, -3},          {5, -1, 2, -3},      {-5, -1, 2, 3},
    {7, 1, 3, 2},           {8, 1, 3, 3},            {66, 0, 100, 0},     {66, 20, 100, 13},  // 13.2
    {2000000000, 3, 4, 1500000000},                                      // no 32-bit overflow
    {1, 1, 0, -1},                                                       // division by zero
};

TEST(IntMath, MulDivRoundsHalvesAwayFromZero) {
  for (const MulDivCase& c : kMulDivCases)
    EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
}

}  // namespace
}  // namespace platform
