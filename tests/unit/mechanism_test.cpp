// The whole mechanism, pass by pass, on the off-screen host.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "canvas/world.h"
#include "linkage/dyads.h"
#include "platform/offscreen/scripted_host.h"
#include "support/recording_surface.h"

namespace drelm {
namespace {

using namespace linkage;

constexpr double kRounding = 1e-9;  // world units

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// The reflection of k in the line through the origin and p.
Point Mirror(Point k, Point p) {
  const double t = (k.x * p.x + k.y * p.y) / (p.x * p.x + p.y * p.y);
  return {2 * t * p.x - k.x, 2 * t * p.y - k.y};
}

class MechanismTest : public ::testing::Test {
 protected:
  ScriptedHost host{2400, 1440};
  DrelmWheel window{host.surface(), host};
};

TEST_F(MechanismTest, EveryLinkKeepsItsLengthThroughAWholeTurnAndMore) {
  window.StartUp();
  double min_kq = 1e9, max_kq = 0, min_px = 1e9, max_px = -1e9;
  for (int pass = 0; pass < linkage::kPassesPerTurn + 2500; ++pass) {
    window.Pass();
    const auto& l = window.motion();
    const Point p{window.x.Value(), window.y.Value()};
    ASSERT_NEAR(p.x, l.p.x, 0) << "between passes x and y hold P";
    ASSERT_NEAR(p.y, l.p.y, 0);
    ASSERT_NEAR(Distance(p, l.pivot), kLinkAP, kRounding) << "pass " << pass;
    ASSERT_NEAR(Distance(p, l.pin), kLinkKP, kRounding) << "pass " << pass;
    ASSERT_NEAR(Distance(l.q, {0, 0}), kArmOQ, kRounding) << "pass " << pass;
    ASSERT_NEAR(Distance(l.q, p), kLinkPQ, kRounding) << "pass " << pass;
    const Point mirror = Mirror(l.pin, p);
    ASSERT_NEAR(Distance(mirror, l.q), 0, kRounding) << "Q is not K mirrored in O-P, pass " << pass;
    const double kq = Distance(l.pin, l.q);
    min_kq = std::min(min_kq, kq), max_kq = std::max(max_kq, kq);
    min_px = std::min(min_px, p.x), max_px = std::max(max_px, p.x);
  }
  EXPECT_NEAR(min_kq, 40.7, 0.05);
  EXPECT_NEAR(max_kq, 46.3, 0.05);
  EXPECT_NEAR(min_px, -18.93, 0.005);
  EXPECT_NEAR(max_px, 41.07, 0.005);
}

TEST_F(MechanismTest, ThePivotLiesOnThePositiveXAxis) {
  EXPECT_EQ(FixedPivot().x, 11.07);
  EXPECT_EQ(FixedPivot().y, 0);
}

TEST_F(MechanismTest, ReachesTheSamplePositionsOnTheWay) {
  window.StartUp();
  // The phase reaches 1, 3 and 5 after 4000, 8000 and 12000 passes, give or take rounding.
  for (const int passes : {4000, 8000, 12000}) {
    while (host.calls() < passes) window.Pass();
    const auto& l = window.motion();
    EXPECT_NEAR(l.phase, -1 + passes * kPhaseStep, 1e-9);
    const Point expected_q = passes == 4000   ? Point{35.37, -7.91}
                             : passes == 8000 ? Point{-5.02, 35.89}
                                              : Point{-31.80, -17.38};
    EXPECT_NEAR(l.q.x, expected_q.x, 0.005) << passes;
    EXPECT_NEAR(l.q.y, expected_q.y, 0.005) << passes;
  }
}

TEST(MechanismOps, TheFirstPassErasesAtTheOrigin) {
  ScriptedHost host(2400, 1440);
  testing::RecordingSurface recorder(&host.surface());
  DrelmWheel window(recorder, host);
  window.StartUp();
  recorder.ops.clear();
  window.Pass();
  const std::vector<std::string> expected = {
      "Circle(0.00,0.00,2.00;FF0000)",        // the hub
      "Circle(0.00,0.00,3.00;FF0000)",        //
      "Circle(11.07,0.00,1.00;FF)",           // the fixed pivot A
      "Line(0.00,-5.00,0.00,5.00;FF0000)",    // the hub cross
      "Line(-5.00,0.00,5.00,0.00;FF0000)",    //
      "Line(11.07,0.00,0.00,0.00;FFFFFF)",    // A to the empty previous P
      "Line(11.07,0.00,-3.19,-26.39;FF)",     // A-P
      "Circle(0.00,0.00,1.00;FFFFFF)",        // previous P
      "Circle(-3.19,-26.39,1.00;FF0000)",     // P
      "Line(0.00,0.00,0.00,0.00;FFFFFF)",     // previous K to previous P
      "Line(19.60,-30.49,-3.19,-26.39;FF)",   // K-P
      "Circle(0.00,0.00,1.00;FFFFFF)",        // previous K
      "Circle(19.60,-30.49,1.00;FF0000)",     // K
      "Line(0.00,0.00,0.00,0.00;FFFFFF)",     // the crank arm, before
      "Line(0.00,0.00,19.60,-30.49;FF0000)",  // and now
      "ForeColor(FF)",                        // the trace's pen
      "PSet(45.67,542.00)",                   // far below the band; b wrapped by 40 pi
      "Line(0.00,38.00,0.00,34.00;FFFFFF)",   // the cursor, erased at the empty previous b
      "Line(45.67,38.00,45.67,34.00;80000012)",
      "Line(-2.00,36.00,2.00,36.00;FFFFFF)",
      "Line(43.67,36.00,47.67,36.00;80000012)",
      "Line(0.00,0.00,0.00,0.00;FFFFFF)",       // previous P to previous Q
      "Line(-3.19,-26.39,-26.29,-24.94;C000)",  // P-Q
      "Line(0.00,0.00,0.00,0.00;FFFFFF)",       // O to previous Q
      "Line(0.00,0.00,-26.29,-24.94;C000)",     // O-Q
      "Circle(0.00,0.00,1.00;FFFFFF)",          // previous Q
      "Circle(-26.29,-24.94,1.00;FF0000)",      // Q
  };
  EXPECT_EQ(recorder.Texts(), expected);
}

// Every white operation of a pass draws again a shape the pass before drew in colour.
TEST(MechanismOps, EachPassErasesWhatThePassBeforeDrew) {
  ScriptedHost host(2400, 1440);
  testing::RecordingSurface recorder(&host.surface());
  DrelmWheel window(recorder, host);
  window.StartUp();
  for (int pass = 0; pass < 5000; ++pass) {
    recorder.ops.clear();
    window.Pass();
    if (pass % 997 != 0) continue;
    const std::vector<testing::Op> before = recorder.ops;
    recorder.ops.clear();
    window.Pass();
    ++pass;
    int erasures = 0;
    for (const testing::Op& op : recorder.ops) {
      if (!op.has_colour || op.colour != kWhite) continue;
      ++erasures;
      const bool drawn_before = std::any_of(before.begin(), before.end(), [&](const auto& b) {
        return b.name == op.name && b.args == op.args && b.colour != kWhite;
      });
      EXPECT_TRUE(drawn_before) << op.Text() << " at pass " << pass;
    }
    EXPECT_EQ(erasures, 10);
  }
}

TEST(MechanismFaults, CoincidentCentresAreARunTimeError) {
  ScriptedHost host(100, 100);
  DrelmWheel window(host.surface(), host);
  window.StartUp();
  try {
    window.LocateJoint(3, 4, 3, 4, 2, 2);
    FAIL() << "no error";
  } catch (const RunTimeError& error) {
    EXPECT_STREQ(error.what(),
                 "LocateJoint: arithmetic fault: no finite joint for centres (3, 4) and (3, 4), "
                 "radii 2 and 2");
  }
  EXPECT_TRUE(window.x.IsEmpty());
}

TEST(MechanismFaults, CirclesThatDoNotMeetLeaveXAndYAsTheyWere) {
  ScriptedHost host(100, 100);
  DrelmWheel window(host.surface(), host);
  window.StartUp();
  window.LocateJoint(0, 0, 8, 0, 5, 5);
  EXPECT_NEAR(window.y.Value(), -3, 1e-12);
  window.LocateJoint(0, 0, 100, 0, 5, 5);
  EXPECT_NEAR(window.x.Value(), 4, 1e-12);
  EXPECT_NEAR(window.y.Value(), -3, 1e-12);
}

// The pixels of a circle of radius 1 about a world point: how many have the colour.
double ShareOfCircle(const Canvas& canvas, Point centre, Rgb rgb) {
  Canvas probe(canvas.width(), canvas.height());
  const PixelPoint c = WorldMapping().ToPixel(centre.x, centre.y);
  probe.DrawCircle(c.x, c.y, WorldMapping().RadiusToPixels(kJointRadius), PixelOf(kBlack));
  int total = 0, hits = 0;
  for (int y = std::max(0, static_cast<int>(c.y) - 12); y < static_cast<int>(c.y) + 12; ++y)
    for (int x = std::max(0, static_cast<int>(c.x) - 12); x < static_cast<int>(c.x) + 12; ++x)
      if (probe.At(x, y) == PixelOf(kBlack)) ++total, hits += canvas.At(x, y) == rgb;
  return total ? static_cast<double>(hits) / total : 0;
}

// Whether the pixel at a world point, or one next to it, has the colour.
bool NearPixel(const Canvas& canvas, Point at, Rgb rgb) {
  const PixelPoint p = WorldMapping().ToPixel(at.x, at.y);
  for (int dy = -1; dy <= 1; ++dy)
    for (int dx = -1; dx <= 1; ++dx)
      if (canvas.At(static_cast<int>(p.x) + dx, static_cast<int>(p.y) + dy) == rgb) return true;
  return false;
}

Point Mid(Point a, Point b) {
  return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

TEST_F(MechanismTest, ThePictureShowsTheLinkageWhereTheSolverPutsIt) {
  window.StartUp();
  for (int pass = 0; pass < 3000; ++pass) window.Pass();
  const DrelmWheel::Motion earlier = window.motion();
  for (int pass = 0; pass < 4000; ++pass) window.Pass();
  const auto& l = window.motion();
  const Canvas& canvas = host.canvas();
  constexpr Rgb kPixelBlue = PixelOf(kBlue), kPixelRed = PixelOf(kRed),
                kPixelGreen = PixelOf(kGreen);
  EXPECT_GT(ShareOfCircle(canvas, l.p, kPixelBlue), 0.8);
  EXPECT_GT(ShareOfCircle(canvas, l.q, kPixelBlue), 0.8);
  EXPECT_GT(ShareOfCircle(canvas, l.pin, kPixelBlue), 0.8);
  EXPECT_GT(ShareOfCircle(canvas, l.pivot, kPixelRed), 0.6);
  EXPECT_TRUE(NearPixel(canvas, Mid(l.pivot, l.p), kPixelRed)) << "link A-P";
  EXPECT_TRUE(NearPixel(canvas, Mid(l.pin, l.p), kPixelRed)) << "link K-P";
  EXPECT_TRUE(NearPixel(canvas, Mid(l.p, l.q), kPixelGreen)) << "link P-Q";
  EXPECT_TRUE(NearPixel(canvas, Mid({0, 0}, l.q), kPixelGreen)) << "arm O-Q";
  EXPECT_TRUE(NearPixel(canvas, Mid({0, 0}, l.pin), kPixelBlue)) << "crank arm";
  // Where the joints were 4000 passes ago nothing is left but white.
  EXPECT_GT(ShareOfCircle(canvas, earlier.p, PixelOf(kWhite)), 0.9);
  EXPECT_GT(ShareOfCircle(canvas, earlier.q, PixelOf(kWhite)), 0.9);
  EXPECT_FALSE(NearPixel(canvas, Mid(earlier.p, earlier.q), kPixelGreen));
}

}  // namespace
}  // namespace drelm
