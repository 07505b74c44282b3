#include "linkage/joint_solver.h"

#include <gtest/gtest.h>

#include <cmath>

#include "linkage/crank.h"
#include "linkage/dyads.h"
#include "support/pi.h"

namespace drelm::linkage {
namespace {

using drelm::testing::kPi;

double Distance(Point a, Point b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

TEST(JointSolver, TouchingCirclesGiveThePointStraightTowardsTheOtherCentre) {
  const auto joint = SolveJoint({1, 2}, {11, 2}, 4, 6, kPi);
  ASSERT_TRUE(joint.has_value());
  EXPECT_NEAR(joint->x, 5, 1e-12);
  EXPECT_NEAR(joint->y, 2, 1e-12);
  const auto diagonal = SolveJoint({0, 0}, {3, 4}, 2, 3, kPi);
  ASSERT_TRUE(diagonal.has_value());
  EXPECT_NEAR(diagonal->x, 1.2, 1e-12);
  EXPECT_NEAR(diagonal->y, 1.6, 1e-12);
}

TEST(JointSolver, CirclesThatDoNotMeetGiveNothing) {
  EXPECT_FALSE(SolveJoint({0, 0}, {10, 0}, 4, 5.9, kPi));        // too far apart
  EXPECT_FALSE(SolveJoint({0, 0}, {1, 0}, 10, 2, kPi));          // one inside the other
  EXPECT_FALSE(SolveJoint({0, 0}, {0, 0}, 3, 2, kPi));           // concentric, unequal
  EXPECT_FALSE(SolveJoint({0, 0}, {-50, 0}, kLinkAP, 19, kPi));  // to the left, too far
}

// Both crossings, at the right distances, and the one chosen turns from c1 -> c2 by minus the
// angle at c1: counter-clockwise on screen, so up (negative y) when c2 lies to the right.
TEST(JointSolver, ChoosesTheCrossingAgainstTheSenseOfAngles) {
  const auto right = SolveJoint({0, 0}, {8, 0}, 5, 5, kPi);
  ASSERT_TRUE(right.has_value());
  EXPECT_NEAR(right->x, 4, 1e-12);
  EXPECT_NEAR(right->y, -3, 1e-12);
  // Centre 2 to the left: pi is added to the direction, and the turn lands below.
  const auto left = SolveJoint({0, 0}, {-8, 0}, 5, 5, kPi);
  ASSERT_TRUE(left.has_value());
  EXPECT_NEAR(left->x, -4, 1e-12);
  EXPECT_NEAR(left->y, 3, 1e-12);
}

TEST(JointSolver, SameXBothWays) {
  const auto down = SolveJoint({2, 0}, {2, 8}, 5, 5, kPi);  // theta = pi/2
  ASSERT_TRUE(down.has_value());
  EXPECT_NEAR(down->x, 5, 1e-12);
  EXPECT_NEAR(down->y, 4, 1e-12);
  const auto up = SolveJoint({2, 0}, {2, -8}, 5, 5, kPi);  // theta = -pi/2
  ASSERT_TRUE(up.has_value());
  EXPECT_NEAR(up->x, -1, 1e-12);
  EXPECT_NEAR(up->y, -4, 1e-12);
}

TEST(JointSolver, AnObtuseAngleAtTheFirstCentre) {
  // The foot of the height lies behind c1: a2 > d.
  const auto joint = SolveJoint({0, 0}, {2, 0}, 3, 4.5, kPi);
  ASSERT_TRUE(joint.has_value());
  EXPECT_NEAR(Distance(*joint, {0, 0}), 3, 1e-12);
  EXPECT_NEAR(Distance(*joint, {2, 0}), 4.5, 1e-12);
  EXPECT_LT(joint->x, 0);
  EXPECT_LT(joint->y, 0);
}

TEST(JointSolver, SwappingTheCentresGivesTheOtherCrossing) {
  const Point a = FixedPivot();
  for (double s = 0.1; s < 6.3; s += 0.5) {
    const Point k = CrankPin(s);
    const auto p = SolveJoint(a, k, kLinkAP, kLinkKP, kPi);
    const auto other = SolveJoint(k, a, kLinkKP, kLinkAP, kPi);
    ASSERT_TRUE(p && other);
    EXPECT_GT(Distance(*p, *other), 1) << "s = " << s;
    EXPECT_NEAR(Distance(*other, a), kLinkAP, 1e-9);
    EXPECT_NEAR(Distance(*other, k), kLinkKP, 1e-9);
  }
}

TEST(JointSolver, CoincidentEqualCirclesAreNotANumber) {
  const auto joint = SolveJoint({1, 1}, {1, 1}, 2, 2, kPi);
  ASSERT_TRUE(joint.has_value());
  EXPECT_TRUE(std::isnan(joint->x));
}

TEST(JointSolver, TheSamplePositionsOfTheMechanism) {
  struct Sample {
    double s, kx, ky, px, py, qx, qy;
  };
  const Sample samples[] = {{1, 19.58, 30.49, 36.94, 15.18, 35.37, -7.91},
                            {3, -35.88, 5.11, -14.93, 14.97, -5.02, 35.89},
                            {5, 10.28, -34.75, -9.15, -22.16, -31.80, -17.38}};
  for (const Sample& sample : samples) {
    const Point k = CrankPin(sample.s);
    const auto p = SolveJoint(FixedPivot(), k, kLinkAP, kLinkKP, kPi);
    ASSERT_TRUE(p.has_value());
    const auto q = SolveJoint({0, 0}, *p, kArmOQ, kLinkPQ, kPi);
    ASSERT_TRUE(q.has_value());
    EXPECT_NEAR(k.x, sample.kx, 0.005) << "s = " << sample.s;
    EXPECT_NEAR(k.y, sample.ky, 0.005) << "s = " << sample.s;
    EXPECT_NEAR(p->x, sample.px, 0.005) << "s = " << sample.s;
    EXPECT_NEAR(p->y, sample.py, 0.005) << "s = " << sample.s;
    EXPECT_NEAR(q->x, sample.qx, 0.005) << "s = " << sample.s;
    EXPECT_NEAR(q->y, sample.qy, 0.005) << "s = " << sample.s;
  }
}

}  // namespace
}  // namespace drelm::linkage
