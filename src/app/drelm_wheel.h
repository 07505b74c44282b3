#pragma once

#include "app/caption.h"
#include "app/character_codes.h"
#include "app/host.h"
#include "app/variant.h"
#include "canvas/pen.h"
#include "canvas/point.h"
#include "canvas/surface.h"

namespace drelm {

// The program's only window: a crank on a wheel, two dyads hanging off it and the trace of the
// output joint below. Activate starts the animation and never returns; the key and mouse handlers
// run inside the event pump that each pass calls at its end.
class DrelmWheel final : public WindowInput {
 public:
  DrelmWheel(Surface& surface, Host& host) : pen_(surface), host_(host) {}

  // Where the joint solver leaves its point; between passes, joint P.
  Variant x;
  Variant y;
  // 0 (or empty) while running, 1 while paused.
  Variant stoop;
  Variant pi;

  // Runs the start-up and then passes forever; the program ends from inside a handler.
  [[noreturn]] void Activate();
  // Esc clears the picture and ends the program; Enter pauses or resumes; nothing else counts.
  void KeyPress(int key_ascii) override;
  // Any button, anywhere, ends the program at once, without clearing.
  [[noreturn]] void MouseDown(int button, int shift, float x, float y) override;
  // Whether stoop holds the animation.
  bool Paused() const override { return stoop.Value() != 0; }

  // Places a joint at distance r1 from (x1, y1) and r2 from (x2, y2), writing it into x and y.
  // When the two circles do not meet, x and y keep what they held.
  void LocateJoint(double x1, double y1, double x2, double y2, double r1, double r2);

  // Activate's two halves, for a host that steps the animation a pass at a time.
  void StartUp();
  void Pass();

  // The animation's own state, kept for the life of the program. Positions of the pass before
  // are (0, 0) in the first pass.
  struct Motion {
    double phase = 0;
    Point pivot;  // fixed pivot A
    Point pin;    // crank pin K
    Point previous_pin;
    Point previous_p;
    Point q;  // output joint Q; P lives in x and y
    Point previous_q;
    Point p;             // P, kept while x and y hold Q
    double trace_x = 0;  // where the trace and its cursor stand
    double previous_trace_x = 0;
  };
  const Motion& motion() const { return motion_; }

 private:
  // The steps of a pass, in their order.
  void PlaceFixedPivot();
  void AdvancePhase();
  void RememberPositions();
  void PlaceCrankPin();
  void DrawHubAndPivot();
  void SolveFirstJoint();
  void RedrawFirstDyad();
  void RedrawCrank();
  void SolveSecondJoint();
  void PlotTrace();
  void RedrawSecondDyad();
  void RunEventPump();

  // The point the joint solver left in x and y.
  Point SolvedPoint() const { return {x.Value(), y.Value()}; }

  Pen pen_;
  Host& host_;
  Motion motion_;
};

}  // namespace drelm
