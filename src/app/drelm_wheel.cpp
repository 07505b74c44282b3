#include "app/drelm_wheel.h"

#include <cmath>

#include "app/program_end.h"
#include "linkage/crank.h"

namespace drelm {

void DrelmWheel::Activate() {
  StartUp();
  for (;;) Pass();
}

void DrelmWheel::StartUp() {
  pi = 4 * std::atan(1.0);
  pen_.SetForeColor(kBlack);
  loop_.phase = linkage::kStartPhase;
}

void DrelmWheel::Pass() {
  const double the_pi = pi.Value();
  loop_.phase = linkage::AdvancePhase(loop_.phase, the_pi);
  loop_.previous_pin = loop_.pin;
  loop_.pin = linkage::CrankPin(loop_.phase);
  linkage::DrawHubCircles(pen_);
  linkage::DrawHubCross(pen_);
  linkage::RedrawCrank(pen_, loop_.previous_pin, loop_.pin);

  // The pump runs at least once a pass, and keeps running while the animation is paused.
  host_.DoEvents(*this);
  while (stoop.Value() != 0) host_.DoEvents(*this);
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
