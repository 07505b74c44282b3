#include "app/drelm_wheel.h"

#include <cmath>
#include <cstdio>
#include <string>

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
  pi = 4 * std::atan(1.0);
  pen_.SetForeColor(kBlack);
  trace::DrawTicks(pen_, pi.Value());
  loop_.phase = linkage::kStartPhase;
}

void DrelmWheel::Pass() {
  using namespace linkage;
  Loop& l = loop_;
  l.pivot = FixedPivot();
  l.phase = AdvancePhase(l.phase, pi.Value());
  l.previous_pin = l.pin;
  l.previous_p = Member();
  l.previous_q = l.q;
  l.pin = CrankPin(l.phase);
  // The hub and the fixed pivot are drawn every pass, mending what erasures cut of them.
  DrawHubCircles(pen_);
  DrawFixedPivot(pen_, l.pivot);
  DrawHubCross(pen_);

  LocateJoint(l.pivot.x, l.pivot.y, l.pin.x, l.pin.y, kLinkAP, kLinkKP);
  RedrawFirstDyad(pen_, l.pivot, l.previous_p, Member(), l.previous_pin, l.pin);
  RedrawCrank(pen_, l.previous_pin, l.pin);

  // Q is solved into x and y too; where the circles do not meet, P serves as Q.
  l.p = Member();
  LocateJoint(0, 0, l.p.x, l.p.y, kArmOQ, kLinkPQ);

  // The trace: how far the output angle departs from the crank angle.
  const double output_angle = trace::OutputAngle(Member(), pi.Value());
  pen_.SetForeColor(kRed);
  l.previous_trace_x = l.trace_x;
  l.trace_x = trace::TraceX(l.phase, pi.Value());
  pen_.PSet({l.trace_x, trace::TraceY(output_angle, l.phase)});
  trace::MoveCursor(pen_, l.previous_trace_x, l.trace_x);

  l.q = Member();
  x = l.p.x;
  y = l.p.y;
  RedrawSecondDyad(pen_, l.previous_p, l.previous_q, l.p, l.q);

  // The pump runs at least once a pass, and keeps running while the animation is paused.
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
  if (key_ascii == kKeyEsc) {
    pen_.Cls();
    End();
  }
  if (key_ascii == kKeyEnter) stoop = (static_cast<int>(stoop.Value()) + 1) % 2;
}

void DrelmWheel::MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {
  End();
}

}  // namespace drelm
