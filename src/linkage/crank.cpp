#include "linkage/crank.h"

#include <cmath>

namespace drelm::linkage {

double AdvancePhase(double phase, double pi) {
  phase += kPhaseStep;
  if (phase > 2 * pi) phase -= 2 * pi;
  return phase;
}

Point CrankPin(double phase) {
  return {kWheelRadius * std::cos(phase), kWheelRadius * std::sin(phase)};
}

void DrawHubCircles(Pen& pen) {
  pen.Circle({0, 0}, kHubInnerRadius, kBlue);
  pen.Circle({0, 0}, kHubOuterRadius, kBlue);
}

void DrawHubCross(Pen& pen) {
  pen.Line({0, -kHubCrossHalf}, {0, kHubCrossHalf}, kBlue);
  pen.Line({-kHubCrossHalf, 0}, {kHubCrossHalf, 0}, kBlue);
}

void RedrawCrank(Pen& pen, Point previous_pin, Point pin) {
  pen.Circle(previous_pin, kPinRadius, kWhite);
  pen.Circle(pin, kPinRadius, kBlue);
  pen.Line({0, 0}, previous_pin, kWhite);
  pen.Line({0, 0}, pin, kBlue);
}

}  // namespace drelm::linkage
