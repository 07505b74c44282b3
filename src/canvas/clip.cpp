#include "canvas/clip.h"

#include <cmath>
#include <initializer_list>

namespace drelm {
namespace {

enum Outcode : unsigned { kInside = 0, kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

// Beyond this magnitude everything is scaled down by kScaleDown first, so that the differences
// and products below cannot overflow; powers of two scale exactly, there and back.
constexpr double kLargeMagnitude = 0x1p500;
constexpr int kScaleDown = -600;

// a*b - c*d with the rounding error of c*d put back, so that nearly equal products of huge values
// leave an accurate difference (Kahan). std::fma is correctly rounded everywhere.
double DifferenceOfProducts(double a, double b, double c, double d) {
  const double cd = c * d;
  const double error = std::fma(-c, d, cd);
  return std::fma(a, b, -cd) + error;
}

double Largest(std::initializer_list<double> values) {
  double largest = 0;
  for (double v : values) largest = std::fmax(largest, std::fabs(v));
  return largest;
}

bool ClipScaled(Segment& seg, double left, double top, double right, double bottom);

}  // namespace

bool ClipSegment(Segment& seg, double left, double top, double right, double bottom) {
  if (Largest({seg.x0, seg.y0, seg.x1, seg.y1, left, top, right, bottom}) <= kLargeMagnitude) {
    return ClipScaled(seg, left, top, right, bottom);
  }
  const auto down = [](double v) { return std::ldexp(v, kScaleDown); };
  Segment scaled{down(seg.x0), down(seg.y0), down(seg.x1), down(seg.y1)};
  if (!ClipScaled(scaled, down(left), down(top), down(right), down(bottom))) return false;
  const auto up = [](double v) { return std::ldexp(v, -kScaleDown); };
  seg = {up(scaled.x0), up(scaled.y0), up(scaled.x1), up(scaled.y1)};
  return true;
}

namespace {

bool ClipScaled(Segment& seg, double left, double top, double right, double bottom) {
  const auto code = [&](double x, double y) {
    unsigned c = kInside;
    if (x < left) c |= kLeft;
    if (x > right) c |= kRight;
    if (y < top) c |= kAbove;
    if (y > bottom) c |= kBelow;
    return c;
  };
  unsigned code0 = code(seg.x0, seg.y0);
  unsigned code1 = code(seg.x1, seg.y1);
  if ((code0 | code1) == kInside) return true;
  Segment out = seg;
  const double dx = seg.x1 - seg.x0;
  const double dy = seg.y1 - seg.y0;
  // The line through both ends: dy * x - dx * y = cross.
  const double cross = DifferenceOfProducts(seg.x0, seg.y1, seg.x1, seg.y0);
  // Each step puts one end on one edge; four are enough for any segment.
  for (int step = 0; step < 4; ++step) {
    if ((code0 | code1) == kInside) {
      seg = out;
      return true;
    }
    if ((code0 & code1) != 0) return false;  // both beyond the same edge
    const bool first = code0 != kInside;
    const unsigned c = first ? code0 : code1;
    double x, y;
    if (c & (kLeft | kRight)) {
      x = (c & kLeft) ? left : right;
      y = std::fma(dy, x, -cross) / dx;
    } else {
      y = (c & kAbove) ? top : bottom;
      x = std::fma(dx, y, cross) / dy;
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    // Rounding may leave the other coordinate a hair beyond the box edge it was cut to.
    if (first) {
      out.x0 = x, out.y0 = y, code0 = code(x, y);
    } else {
      out.x1 = x, out.y1 = y, code1 = code(x, y);
    }
  }
  if ((code0 | code1) != kInside) return false;
  seg = out;
  return true;
}

}  // namespace
}  // namespace drelm
