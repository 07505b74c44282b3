#pragma once

#include "canvas/pen.h"
#include "canvas/point.h"
#include "linkage/crank.h"

// The two dyads the crank drives. The first joins the fixed side pivot A and the crank pin K at
// joint P; the second joins the hub O and joint P at joint Q, which runs on the wheel's circle
// and is the mechanism's output.
namespace drelm::linkage {

inline constexpr double kPivotDistance = 11.07;  // O-A, world units
inline constexpr short kPivotAngle = 0;          // radians, a whole number: A lies on the +x axis
inline constexpr short kLinkAP = 30;             // world units
inline constexpr double kLinkKP = 23.15;
inline constexpr double kArmOQ = kWheelRadius;  // Q runs on the wheel's circle
inline constexpr double kLinkPQ = 23.15;
inline constexpr double kJointRadius = kPinRadius;  // A, P and Q are marked like the crank pin

// The fixed pivot, computed from its distance and angle about the hub.
Point FixedPivot();

// The fixed pivot's circle; it is never erased, so later erasures may cut it until the next pass.
void DrawFixedPivot(Pen& pen, Point a);

// Erases links A-P, K-P and joint P where they were and draws them where they are.
void RedrawFirstDyad(Pen& pen, Point a, Point previous_p, Point p, Point previous_pin, Point pin);

// Erases link P-Q, arm O-Q and joint Q where they were and draws them where they are.
void RedrawSecondDyad(Pen& pen, Point previous_p, Point previous_q, Point p, Point q);

}  // namespace drelm::linkage
