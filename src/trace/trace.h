#pragma once

#include "canvas/pen.h"
#include "canvas/point.h"

// The output trace: in a band below the mechanism, one point a pass whose x follows the crank's
// phase s and whose y follows how far the output angle F of joint Q departs from s; a row of axis
// ticks; and a small cursor cross riding above the band at the current phase.
namespace drelm::trace {

// Horizontally: 20 world units a radian of phase, phase 0 at x = -60.
inline constexpr double kUnitsPerRadianX = 20;
inline constexpr double kPhaseZeroX = -60;
// A point further left than this belongs a whole turn (40 pi units) further right.
inline constexpr double kLeftmostX = -63;
// Vertically: 80 world units a radian of F - s, and F - s = 0 at y = 150, so the values the
// trace mostly takes, -1.39 to -1.19 radians, fall between y = 39 and 55.
inline constexpr double kUnitsPerRadianY = 80;
inline constexpr double kDeviationZeroY = 150;

// Tick k stands at x = kFirstTickX + 10 k pi, three units left of phase k pi / 2 on the trace.
inline constexpr double kFirstTickX = -63;
inline constexpr double kTickTop = 40;
inline constexpr double kTickBottom = 55;

// The cursor cross: 4 units tall and 4 wide, centred on (b, 36), just above the band.
inline constexpr double kCursorTop = 34;
inline constexpr double kCursorBottom = 38;
inline constexpr double kCursorMiddle = 36;
inline constexpr double kCursorHalfWidth = 2;

// The angle of q about the hub, in (-pi/2, 3pi/2]; on the vertical axis pi/2 below the hub and
// 3pi/2 above it (the hub itself included).
double OutputAngle(Point q, double pi);

// Where the trace stands for a phase; the first passes' negative phases wrap to the right.
double TraceX(double phase, double pi);

// The height of the trace point for an output angle at a phase.
double TraceY(double output_angle, double phase);

// The ticks, at every quarter turn from 0 to 4 pi, in the pen colour. The step is added each
// time, and the ninth sum lands on 4 pi exactly, so the last tick is drawn.
void DrawTicks(Pen& pen, double pi);

// Sets the pen to red and plots the trace point for output joint q at a phase; returns where the
// trace stands, for the cursor.
double PlotPoint(Pen& pen, Point q, double phase, double pi);
// Erases the cursor cross at the previous x and draws it at the new one.
void MoveCursor(Pen& pen, double previous_x, double x);

}  // namespace drelm::trace
