#include "trace/trace.h"

#include <gtest/gtest.h>

#include <cmath>

#include "app/drelm_wheel.h"
#include "canvas/world.h"
#include "linkage/crank.h"
#include "linkage/dyads.h"
#include "linkage/joint_solver.h"
#include "platform/offscreen/scripted_host.h"
#include "support/pi.h"
#include "support/recording_surface.h"

namespace drelm::trace {
namespace {

using drelm::testing::kPi;

TEST(OutputAngle, FollowsTheJointRoundTheHub) {
  EXPECT_DOUBLE_EQ(OutputAngle({1, 0}, kPi), 0);
  EXPECT_DOUBLE_EQ(OutputAngle({1, 1}, kPi), kPi / 4);
  EXPECT_DOUBLE_EQ(OutputAngle({-1, 1}, kPi), 3 * kPi / 4);
  EXPECT_DOUBLE_EQ(OutputAngle({-1, -1}, kPi), 5 * kPi / 4);
  EXPECT_DOUBLE_EQ(OutputAngle({1, -1}, kPi), -kPi / 4);
}

TEST(OutputAngle, OnTheVerticalAxis) {
  EXPECT_EQ(OutputAngle({0, 5}, kPi), kPi / 2);       // below the hub on screen
  EXPECT_EQ(OutputAngle({0, -5}, kPi), 3 * kPi / 2);  // above it
  EXPECT_EQ(OutputAngle({0, 0}, kPi), 3 * kPi / 2);   // the hub itself
  // Just either side of straight up: the angle jumps by 2 pi there.
  EXPECT_NEAR(OutputAngle({-1e-9, -5}, kPi), 3 * kPi / 2, 1e-9);
  EXPECT_NEAR(OutputAngle({1e-9, -5}, kPi), -kPi / 2, 1e-9);
}

TEST(TraceX, WrapsTheFirstNegativePhasesAWholeTurnRight) {
  EXPECT_DOUBLE_EQ(TraceX(0, kPi), -60);
  EXPECT_DOUBLE_EQ(TraceX(1, kPi), -40);
  EXPECT_DOUBLE_EQ(TraceX(-0.15, kPi), -63);  // not strictly left of -63: stays
  EXPECT_NEAR(TraceX(-0.2, kPi), -64 + 40 * kPi, 1e-12);
  EXPECT_NEAR(TraceX(-1, kPi), -80 + 40 * kPi, 1e-12);
  EXPECT_NEAR(TraceX(2 * kPi, kPi), -60 + 40 * kPi, 1e-12);
}

TEST(TracePoints, TheSamplePoints) {
  struct Sample {
    double s, b, y;
  };
  for (const Sample& sample : {Sample{1, -40, 52.39}, Sample{3, 0, 46.78}, Sample{5, 40, 41.35}}) {
    const auto p = linkage::SolveJoint(linkage::FixedPivot(), linkage::CrankPin(sample.s),
                                       linkage::kLinkAP, linkage::kLinkKP, kPi);
    const auto q = linkage::SolveJoint({0, 0}, *p, linkage::kArmOQ, linkage::kLinkPQ, kPi);
    EXPECT_NEAR(TraceX(sample.s, kPi), sample.b, 1e-12);
    EXPECT_NEAR(TraceY(OutputAngle(*q, kPi), sample.s), sample.y, 0.005) << "s = " << sample.s;
  }
}

class TraceRunTest : public ::testing::Test {
 protected:
  ScriptedHost host{2400, 1440};
  testing::RecordingSurface recorder{&host.surface()};
  DrelmWheel window{recorder, host};
};

TEST_F(TraceRunTest, NineTicksInBlackAtStartUp) {
  window.StartUp();
  ASSERT_EQ(recorder.ops.size(), 10u);
  EXPECT_EQ(recorder.ops[0].Text(), "ForeColor(0)");
  const double expected[] = {-63, -31.58, -0.17, 31.25, 62.66, 94.08, 125.50, 156.91, 188.33};
  for (int k = 0; k < 9; ++k) {
    const testing::Op& tick = recorder.ops[1 + k];
    EXPECT_EQ(tick.name, "Line");
    EXPECT_FALSE(tick.has_colour) << "a tick takes the pen colour";
    EXPECT_NEAR(tick.args[0], expected[k], 0.005) << "tick " << k;
    EXPECT_EQ(tick.args[0], tick.args[2]);
    EXPECT_EQ(tick.args[1], 40);
    EXPECT_EQ(tick.args[3], 55);
  }
}

// Over more than a turn: nothing white is drawn in the band, the early points fall where they
// should, and no point is plotted left of the first tick.
TEST_F(TraceRunTest, TheBandIsNeverErased) {
  window.StartUp();
  int in_band_early = 0, below_early = 0, points = 0;
  for (int pass = 0; pass < linkage::kPassesPerTurn + 3000; ++pass) {
    recorder.ops.clear();
    window.Pass();
    const double s = window.motion().phase;
    for (const testing::Op& op : recorder.ops) {
      if (op.has_colour && op.colour == kWhite) {
        // A circle reaches its radius in horizontal units, 1.39 vertical units a unit, downward.
        const double reach = op.name == "Circle" ? op.args[2] * 1.39 : 0;
        const double lowest =
            op.name == "Circle" ? op.args[1] + reach : std::max(op.args[1], op.args[3]);
        ASSERT_LT(lowest, 39) << op.Text() << " at s = " << s;
      }
      if (op.name != "PSet") continue;
      ++points;
      const double b = op.args[0], y = op.args[1];
      ASSERT_GE(b, -63) << "s = " << s;
      if (pass < 2000 && s < -0.26) {
        ++below_early;
        ASSERT_GT(y, 541) << "s = " << s;
        ASSERT_LT(y, 548) << "s = " << s;
      }
      if (pass < 2000 && s > -0.25 && s < -0.15) {
        ++in_band_early;
        ASSERT_GT(b, 60.4);
        ASSERT_LT(b, 62.8);
        ASSERT_TRUE(y > 39 && y < 55) << y;
      }
      if (s > 0.01 && s < 6.02) {
        ASSERT_TRUE(y > 39.1 && y < 54.75) << "s = " << s << ", y = " << y;
      }
    }
  }
  EXPECT_EQ(points, linkage::kPassesPerTurn + 3000);
  EXPECT_GT(below_early, 1400);
  EXPECT_GT(in_band_early, 150);
}

TEST_F(TraceRunTest, TheGapWhereTheOutputAngleDropsByATurn) {
  window.StartUp();
  while (window.motion().phase < 0 || window.motion().phase < 6.05) window.Pass();
  recorder.ops.clear();
  window.Pass();
  for (const testing::Op& op : recorder.ops)
    if (op.name == "PSet") {
      EXPECT_NEAR(op.args[1], -458, 2);
    }
}

TEST_F(TraceRunTest, ThePictureKeepsTicksAndPointsAndShowsTheCursor) {
  window.StartUp();
  std::vector<std::pair<float, float>> samples;
  for (int pass = 0; pass < linkage::kPassesPerTurn + 2000; ++pass) {
    recorder.ops.clear();
    window.Pass();
    if (pass % 1500 == 700) {
      for (const testing::Op& op : recorder.ops)
        if (op.name == "PSet") samples.emplace_back(op.args[0], op.args[1]);
    }
  }
  const Canvas& canvas = host.canvas();
  // Every tick's column, its whole height, except where a trace point has landed on it.
  for (int k = 0; k < 9; ++k) {
    const PixelPoint top = WorldMapping().ToPixel(kFirstTickX + 10 * k * kPi, kTickTop);
    const PixelPoint bottom = WorldMapping().ToPixel(kFirstTickX + 10 * k * kPi, kTickBottom);
    const int column = static_cast<int>(top.x);
    int black = 0;
    for (int row = static_cast<int>(top.y); row <= static_cast<int>(bottom.y); ++row) {
      black += canvas.At(column, row) == PixelOf(kBlack);
    }
    EXPECT_GE(black, static_cast<int>(bottom.y) - static_cast<int>(top.y) - 2) << "tick " << k;
  }
  int red = 0;
  for (const auto& [b, y] : samples) {
    const PixelPoint p = WorldMapping().ToPixel(b, y);
    if (p.y < 0 || p.y >= canvas.height()) continue;  // the gap, far above the window
    red += canvas.At(static_cast<int>(p.x), static_cast<int>(p.y)) == PixelOf(kRed);
  }
  EXPECT_GE(red, 7);
  // The cursor cross at the current phase: its upright, in black.
  const double b = window.motion().trace_x;
  const PixelPoint upright = WorldMapping().ToPixel(b, kCursorMiddle - 1);
  EXPECT_EQ(canvas.At(static_cast<int>(upright.x), static_cast<int>(upright.y)), PixelOf(kBlack));
  const PixelPoint arm = WorldMapping().ToPixel(b + 1.5, kCursorMiddle);
  EXPECT_EQ(canvas.At(static_cast<int>(arm.x), static_cast<int>(arm.y)), PixelOf(kBlack));
  // Where the cursor was a thousand passes ago it is gone.
  const PixelPoint old =
      WorldMapping().ToPixel(b - 1000 * linkage::kPhaseStep * 20, kCursorMiddle - 1);
  EXPECT_EQ(canvas.At(static_cast<int>(old.x), static_cast<int>(old.y)), PixelOf(kWhite));
}

}  // namespace
}  // namespace drelm::trace
