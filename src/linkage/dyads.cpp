#include "linkage/dyads.h"

#include <cmath>

namespace drelm::linkage {

Point FixedPivot() {
  return {kPivotDistance * std::cos(kPivotAngle), kPivotDistance * std::sin(kPivotAngle)};
}

void DrawFixedPivot(Pen& pen, Point a) {
  pen.Circle(a, kJointRadius, kRed);
}

void RedrawFirstDyad(Pen& pen, Point a, Point previous_p, Point p, Point previous_pin, Point pin) {
  pen.Line(a, previous_p, kWhite);
  pen.Line(a, p, kRed);
  pen.Circle(previous_p, kJointRadius, kWhite);
  pen.Circle(p, kJointRadius, kBlue);
  pen.Line(previous_pin, previous_p, kWhite);
  pen.Line(pin, p, kRed);
}

void RedrawSecondDyad(Pen& pen, Point previous_p, Point previous_q, Point p, Point q) {
  pen.Line(previous_p, previous_q, kWhite);
  pen.Line(p, q, kGreen);
  pen.Line({0, 0}, previous_q, kWhite);
  pen.Line({0, 0}, q, kGreen);
  pen.Circle(previous_q, kJointRadius, kWhite);
  pen.Circle(q, kJointRadius, kBlue);
}

}  // namespace drelm::linkage
