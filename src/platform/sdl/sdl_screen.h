#pragma once

#include <memory>
#include <vector>

#include "canvas/canvas.h"

struct SDL_Window;

namespace drelm {

// Puts the canvas on the window: the part that changed, or all of it. Failing to show is an
// error (HostError), never a silent blank window.
class Screen {
 public:
  virtual ~Screen() = default;
  // The window's pixels, which on a scaled Wayland desktop are more than its size in points.
  virtual void PixelSize(int& width, int& height) const = 0;
  // Shows the parts of the canvas in these rectangles. A display that reads the canvas itself
  // may go on reading it until Settle.
  virtual void Show(const Canvas& canvas, const std::vector<PixelRect>& rects) = 0;
  virtual void ShowAll(const Canvas& canvas) = 0;
  // Returns once the display has read what was shown: the canvas may then be drawn on again.
  virtual void Settle() {}
};

// The fastest way this window's display offers: the plain framebuffer where SDL has one for the
// window (X11 at 16 and 24 bits), else a renderer with a streaming texture at the window's full
// resolution (Wayland, 30-bit X11 screens). Throws HostError when neither can be had.
std::unique_ptr<Screen> OpenScreen(SDL_Window* window, const Canvas& canvas, bool try_framebuffer);

}  // namespace drelm
