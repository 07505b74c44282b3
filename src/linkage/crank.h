#pragma once

#include "canvas/pen.h"
#include "canvas/point.h"

// The crank drive: a phase that grows every pass, and the crank pin K running round the wheel
// about the hub O at the world origin. With y growing downward, a growing phase turns K clockwise
// on screen.
namespace drelm::linkage {

inline constexpr double kWheelRadius = 36.24;  // distance O-K, world units
inline constexpr double kPhaseStep = 0.0005;   // radians a pass: a turn takes about 12,566 passes
inline constexpr double kStartPhase = -1.0;    // radians
inline constexpr long long kPassesPerTurn = 12566;     // 2 pi / kPhaseStep, to the whole pass below
inline constexpr long long kPassesToPhaseZero = 2000;  // -kStartPhase / kPhaseStep
inline constexpr double kHubInnerRadius = 2;           // world units
inline constexpr double kHubOuterRadius = 3;
inline constexpr double kHubCrossHalf = 5;  // half the length of each arm of the hub cross
inline constexpr double kPinRadius = 1;     // the small circle marking the crank pin

// The next phase: one step on, less a whole turn once it is strictly past 2*pi, so that after the
// first wrap it stays in (0, 2*pi].
double AdvancePhase(double phase, double pi);

// The crank pin at a phase.
Point CrankPin(double phase);

// The hub's two circles; drawn every pass, they mend erasures that crossed them.
void DrawHubCircles(Pen& pen);
// The hub cross, likewise drawn every pass.
void DrawHubCross(Pen& pen);
// Erases the crank pin and arm where they were and draws them at K.
void RedrawCrank(Pen& pen, Point previous_pin, Point pin);

}  // namespace drelm::linkage
