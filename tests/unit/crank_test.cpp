#include "linkage/crank.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/pi.h"

namespace drelm::linkage {
namespace {

using drelm::testing::kPi;

TEST(Phase, StartsBelowZeroAndPassesZeroWithoutAWrap) {
  double s = kStartPhase;
  s = AdvancePhase(s, kPi);
  EXPECT_DOUBLE_EQ(s, -0.9995);
  int passes = 1;
  while (s < 0) s = AdvancePhase(s, kPi), ++passes;
  EXPECT_NEAR(passes, 2000, 1);
  EXPECT_LT(s, 0.001);
}

TEST(Phase, WrapsOnlyWhenStrictlyPastAWholeTurn) {
  // A phase landing exactly on 2*pi stays there.
  const double just_below = 2 * kPi - kPhaseStep;
  EXPECT_EQ(AdvancePhase(just_below, kPi), just_below + kPhaseStep);
  EXPECT_EQ(AdvancePhase(2 * kPi - kPhaseStep / 2, kPi),
            2 * kPi - kPhaseStep / 2 + kPhaseStep - 2 * kPi);
  EXPECT_GT(AdvancePhase(2 * kPi - kPhaseStep / 2, kPi), 0);
}

TEST(Phase, StaysInItsRangeOnceWrapped) {
  double s = kStartPhase;
  bool wrapped = false;
  for (int i = 0; i < 40000; ++i) {
    const double next = AdvancePhase(s, kPi);
    if (next < s) {
      wrapped = true;
      EXPECT_GT(next, 0);
      EXPECT_LT(next, kPhaseStep);
    }
    s = next;
    if (wrapped) {
      ASSERT_TRUE(s > 0 && s <= 2 * kPi) << s;
    }
  }
  EXPECT_TRUE(wrapped);
}

TEST(CrankPin, RunsRoundTheWheelClockwiseOnScreen) {
  for (double s = -1; s < 7; s += 0.37) {
    const Point k = CrankPin(s);
    EXPECT_NEAR(std::hypot(k.x, k.y), kWheelRadius, 1e-12);
  }
  EXPECT_NEAR(CrankPin(0).x, kWheelRadius, 1e-12);
  EXPECT_GT(CrankPin(0.1).y, 0);  // y grows downward: a growing phase turns it down the screen
  EXPECT_NEAR(CrankPin(1).x, 19.58, 0.005);
  EXPECT_NEAR(CrankPin(1).y, 30.49, 0.005);
}

}  // namespace
}  // namespace drelm::linkage
