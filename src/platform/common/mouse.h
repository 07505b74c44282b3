#pragma once

#include "app/host.h"
#include "canvas/world.h"

namespace drelm {

// The numbers a mouse press is handed over with, as Windows gives them: the button, and the
// shift keys held, added together.
enum MouseButtonCode : int {
  kNoButton = 0,  // a button beyond the three
  kLeftButton = 1,
  kRightButton = 2,
  kMiddleButton = 4,
};
enum ShiftCode : int { kShiftHeld = 1, kCtrlHeld = 2, kAltHeld = 4 };

// Hands a press of `button` at pixel `at` of the client area to the window, the pointer in
// world units; the window ends the program there.
inline void PressMouse(WindowInput& window, const WorldMapping& mapping, int button, int shift,
                       PixelPoint at) {
  const PixelPoint world = mapping.ToWorld(at.x, at.y);
  window.MouseDown(button, shift, static_cast<float>(world.x), static_cast<float>(world.y));
}

}  // namespace drelm
