#include "canvas/clip.h"

#include <cmath>

namespace drelm {
namespace {

enum Outcode : unsigned { kInside = 0, kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8 };

// a*b - c*d with the rounding error of c*d put back, so that nearly equal products of huge values
// leave an accurate difference (Kahan).
long double DifferenceOfProducts(long double a, long double b, long double c, long double d) {
  const long double cd = c * d;
  const long double error = std::fmal(-c, d, cd);
  return std::fmal(a, b, -cd) + error;
}

}  // namespace

bool ClipSegment(Segment& seg, long double left, long double top, long double right,
                 long double bottom) {
  const auto code = [&](long double x, long double y) {
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
  const long double dx = seg.x1 - seg.x0;
  const long double dy = seg.y1 - seg.y0;
  // The line through both ends: dy * x - dx * y = cross.
  const long double cross = DifferenceOfProducts(seg.x0, seg.y1, seg.x1, seg.y0);
  // Each step puts one end on one edge; four are enough for any segment.
  for (int step = 0; step < 4; ++step) {
    if ((code0 | code1) == kInside) {
      seg = out;
      return true;
    }
    if ((code0 & code1) != 0) return false;  // both beyond the same edge
    const bool first = code0 != kInside;
    const unsigned c = first ? code0 : code1;
    long double x, y;
    if (c & (kLeft | kRight)) {
      x = (c & kLeft) ? left : right;
      y = std::fmal(dy, x, -cross) / dx;
    } else {
      y = (c & kAbove) ? top : bottom;
      x = std::fmal(dx, y, cross) / dy;
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

}  // namespace drelm
