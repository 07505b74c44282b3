#pragma once

namespace drelm {

struct Segment {
  double x0, y0, x1, y1;
};

// Cuts a segment to the box [left, right] x [top, bottom], in a bounded number of steps. Returns
// false, leaving the segment as it was, when none of it is inside. An end moved onto an edge lies
// exactly on it, and its other coordinate comes from the line's implicit equation, computed with
// compensated products, so ends that are astronomically far away still give the right crossing.
// Plain doubles throughout, with exact power-of-two scaling for ends near the limit of the type:
// the same crossings on every platform and compiler.
bool ClipSegment(Segment& seg, double left, double top, double right, double bottom);

}  // namespace drelm
