#include "app/drelm_wheel.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "app/pi.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "linkage/crank.h"
#include "linkage/dyads.h"
#include "linkage/joint_solver.h"
#include "trace/trace.h"

namespace drelm {

void DrelmWheel::Activate() {
  StartUp();
  for (;;) Pass();
}

void DrelmWheel::StartUp() {
  pi = ComputePi();
  pen_.SetForeColor(kBlack);
  trace::DrawTicks(pen_, pi.Value());
  motion_.phase = linkage::kStartPhase;
}

void DrelmWheel::Pass() {
  PlaceFixedPivot();
  AdvancePhase();
  RememberPositions();
  PlaceCrankPin();
  DrawHubAndPivot();
  SolveFirstJoint();
  RedrawFirstDyad();
  RedrawCrank();
  SolveSecondJoint();
  PlotTrace();
  RedrawSecondDyad();
  RunEventPump();
}

// The fixed pivot A, computed anew each pass from its distance and angle; it never moves.
void DrelmWheel::PlaceFixedPivot() {
  motion_.pivot = linkage::FixedPivot();
}

// The crank turns one step; past a whole turn it starts the next.
void DrelmWheel::AdvancePhase() {
  motion_.phase = linkage::AdvancePhase(motion_.phase, pi.Value());
}

// Where K, P and Q stood, so that they can be erased there.
void DrelmWheel::RememberPositions() {
  motion_.previous_pin = motion_.pin;
  motion_.previous_p = SolvedPoint();
  motion_.previous_q = motion_.q;
}

void DrelmWheel::PlaceCrankPin() {
  motion_.pin = linkage::CrankPin(motion_.phase);
}

// The hub and the fixed pivot, drawn every pass: they mend what erasures cut of them.
void DrelmWheel::DrawHubAndPivot() {
  linkage::DrawHubCircles(pen_);
  linkage::DrawFixedPivot(pen_, motion_.pivot);
  linkage::DrawHubCross(pen_);
}

// P, at its links' lengths from A and K, into x and y.
void DrelmWheel::SolveFirstJoint() {
  LocateJoint(motion_.pivot.x, motion_.pivot.y, motion_.pin.x, motion_.pin.y, linkage::kLinkAP,
              linkage::kLinkKP);
}

void DrelmWheel::RedrawFirstDyad() {
  linkage::RedrawFirstDyad(pen_, motion_.pivot, motion_.previous_p, SolvedPoint(),
                           motion_.previous_pin, motion_.pin);
}

void DrelmWheel::RedrawCrank() {
  linkage::RedrawCrank(pen_, motion_.previous_pin, motion_.pin);
}

// Q, at its links' lengths from the hub and P, into x and y, with P kept aside. Where the
// circles do not meet, P serves as Q.
void DrelmWheel::SolveSecondJoint() {
  motion_.p = SolvedPoint();
  LocateJoint(0, 0, motion_.p.x, motion_.p.y, linkage::kArmOQ, linkage::kLinkPQ);
}

// How far the output angle departs from the crank angle, one point a pass, and the cursor.
void DrelmWheel::PlotTrace() {
  motion_.previous_trace_x = motion_.trace_x;
  motion_.trace_x = trace::PlotPoint(pen_, SolvedPoint(), motion_.phase, pi.Value());
  trace::MoveCursor(pen_, motion_.previous_trace_x, motion_.trace_x);
}

// Q is kept and x and y hold P again before the second dyad is redrawn.
void DrelmWheel::RedrawSecondDyad() {
  motion_.q = SolvedPoint();
  x = motion_.p.x;
  y = motion_.p.y;
  linkage::RedrawSecondDyad(pen_, motion_.previous_p, motion_.previous_q, motion_.p, motion_.q);
}

// The pump runs at least once a pass, and keeps running while the animation is paused.
void DrelmWheel::RunEventPump() {
  host_.DoEvents(*this);
  while (stoop.Value() != 0) host_.DoEvents(*this);
}

void DrelmWheel::LocateJoint(double x1, double y1, double x2, double y2, double r1, double r2) {
  const auto joint = linkage::SolveJoint({x1, y1}, {x2, y2}, r1, r2, pi.Value());
  if (!joint) return;  // the joint keeps its last place when the circles do not meet
  if (!std::isfinite(joint->x) || !std::isfinite(joint->y)) {
    char where[160];
    std::snprintf(where, sizeof where, "(%g, %g) and (%g, %g), radii %g and %g", x1, y1, x2, y2, r1,
                  r2);
    throw RunTimeError(std::string("LocateJoint: arithmetic fault: no finite joint for centres ") +
                       where);
  }
  x = joint->x;
  y = joint->y;
}

void DrelmWheel::KeyPress(int key_ascii) {
  if (key_ascii == kCharEsc) {
    pen_.Cls();
    End();
  }
  if (key_ascii == kCharEnter) stoop = (static_cast<int>(stoop.Value()) + 1) % 2;
}

void DrelmWheel::MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
  End();
}

}  // namespace drelm
