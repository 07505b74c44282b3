#pragma once

#include "app/host.h"
#include "canvas/world.h"

namespace drelm {

// The numbers a mouse press is handed over with, as Windows gives them: the button, and the
// shift keys held, added together.
inline constexpr int kNoButton = 0;  // a button beyond the three
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kShiftHeld = 1;
inline constexpr int kCtrlHeld = 2;
inline constexpr int kAltHeld = 4;

// Hands a press of `button` at pixel `at` of the client area to the window, the pointer in
// world units; the window ends the program there.
inline void PressMouse(WindowInput& window, const WorldMapping& mapping, int button, int shift,
                       PixelPoint at) {
  const PixelPoint world = mapping.ToWorld(at.x, at.y);
  window.MouseDown(button, shift, static_cast<float>(world.x), static_cast<float>(world.y));
}

}  // namespace drelm
