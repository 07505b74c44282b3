#include "linkage/joint_solver.h"

#include <cmath>

namespace drelm::linkage {
namespace {

// The direction from c1 to c2, in (-pi/2, 3pi/2); straight down or up when they share an x.
double Direction(double dx, double dy, double pi) {
  if (dx == 0) return dy > 0 ? pi / 2 : -pi / 2;
  const double theta = std::atan(dy / dx);
  return dx < 0 ? pi + theta : theta;
}

}  // namespace

std::optional<Point> SolveJoint(Point c1, Point c2, double r1, double r2, double pi) {
  const double dx = c2.x - c1.x;
  const double dy = c2.y - c1.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  // Heron: the squared area of the triangle; below zero no such triangle exists.
  const double p = (d + r1 + r2) * 0.5;
  const double q = (p - d) * p * (p - r1) * (p - r2);
  if (q < 0) return std::nullopt;
  const double area = std::sqrt(q);
  const double h = (area * 2) / d;
  const double theta = Direction(dx, dy, pi);
  // From each centre to the foot of the height, along the line of centres.
  const double a1 = std::sqrt(std::fabs(r1 * r1 - h * h));
  const double a2 = std::sqrt(std::fabs(r2 * r2 - h * h));
  double alpha = a1 != 0 ? std::atan(h / a1) : pi / 2;
  // The foot lies beyond c1, on the far side from c2: the angle at c1 is obtuse.
  if (a2 > d) alpha = pi - alpha;
  const double phi = theta - alpha;
  return Point{c1.x + r1 * std::cos(phi), c1.y + r1 * std::sin(phi)};
}

}  // namespace drelm::linkage
