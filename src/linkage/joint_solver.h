#pragma once

#include <optional>

#include "canvas/point.h"

namespace drelm::linkage {

// The joint held at distance r1 from centre c1 and r2 from centre c2: one of the two crossings of
// those circles, or nothing when they do not meet.
//
// The triangle c1, c2, joint has sides d, r1 and r2. Its height h over the side d comes from
// Heron's formula; the angle at c1 between the line of centres and the joint is atan(h / a1),
// where a1 is the distance from c1 to the foot of the height. The joint is reached by turning
// from the direction c1 -> c2 by minus that angle: against the world's sense of angles, which,
// with y growing downward, is counter-clockwise on screen.
//
// Coincident centres with equal radii give not-a-number (zero over zero); the caller treats a
// non-finite point as the arithmetic fault it is.
std::optional<Point> SolveJoint(Point c1, Point c2, double r1, double r2, double pi);

}  // namespace drelm::linkage
