#pragma once

#include "canvas/colour.h"
#include "canvas/point.h"
#include "canvas/surface.h"

namespace drelm {

// The drawing operations as the computing code calls them: with double-precision values that it
// converts to single precision at the call, testing every result. A value too large for single
// precision, or any failed operation, raises a RunTimeError that names the operation.
class Pen {
 public:
  explicit Pen(Surface& surface) : surface_(surface) {}

  void Line(Point a, Point b);
  void Line(Point a, Point b, Colour colour);
  void Circle(Point centre, double radius, Colour colour);
  void PSet(Point p);
  void Cls();
  void SetForeColor(Colour colour);

 private:
  Surface& surface_;
};

// The single-precision value of a double, or a RunTimeError naming `what` when it does not fit.
float ToSingle(double value, const char* what);

}  // namespace drelm
