#include "trace/trace.h"

#include <cmath>

namespace drelm::trace {

double OutputAngle(Point q, double pi) {
  if (q.x == 0) return q.y > 0 ? pi / 2 : 3 * pi / 2;
  const double f = std::atan(q.y / q.x);
  return q.x < 0 ? f + pi : f;
}

double TraceX(double phase, double pi) {
  const double b = kUnitsPerRadianX * phase + kPhaseZeroX;
  return b < kLeftmostX ? b + 2 * kUnitsPerRadianX * pi : b;
}

double TraceY(double output_angle, double phase) {
  return (output_angle - phase) * kUnitsPerRadianY + kDeviationZeroY;
}

void DrawTicks(Pen& pen, double pi) {
  const double step = pi / 2;
  for (double d = 0; d <= 4 * pi; d += step) {
    const double x = kUnitsPerRadianX * d + kFirstTickX;
    pen.Line({x, kTickTop}, {x, kTickBottom});
  }
}

double PlotPoint(Pen& pen, Point q, double phase, double pi) {
  const double output_angle = OutputAngle(q, pi);
  pen.SetForeColor(kRed);
  const double x = TraceX(phase, pi);
  pen.PSet({x, TraceY(output_angle, phase)});
  return x;
}

void MoveCursor(Pen& pen, double previous_x, double x) {
  pen.Line({previous_x, kCursorBottom}, {previous_x, kCursorTop}, kWhite);
  pen.Line({x, kCursorBottom}, {x, kCursorTop}, kButtonText);
  pen.Line({previous_x - kCursorHalfWidth, kCursorMiddle},
           {previous_x + kCursorHalfWidth, kCursorMiddle}, kWhite);
  pen.Line({x - kCursorHalfWidth, kCursorMiddle}, {x + kCursorHalfWidth, kCursorMiddle},
           kButtonText);
}

}  // namespace drelm::trace
