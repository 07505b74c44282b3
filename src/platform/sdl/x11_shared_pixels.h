#pragma once

#include <memory>

#include "canvas/colour.h"
#include "platform/sdl/sdl_screen.h"

struct SDL_Window;

namespace drelm {

// A canvas's pixels in memory shared with the X server (MIT-SHM): the server reads what changed
// straight from the canvas, with no copy on the program's side.
class X11SharedPixels {
 public:
  // Shared memory for a width x height canvas shown in `window`, filled with nothing yet. Nothing
  // when the window is not on X11, or its display lies on another machine, has no MIT-SHM, or
  // lays out pixels otherwise than the canvas.
  static std::unique_ptr<X11SharedPixels> Open(SDL_Window* window, int width, int height);
  ~X11SharedPixels();
  X11SharedPixels(const X11SharedPixels&) = delete;
  X11SharedPixels& operator=(const X11SharedPixels&) = delete;

  Rgb* memory() const;
  // Shows the canvas drawn in this memory on the window.
  std::unique_ptr<Screen> OpenScreen();

  struct State;  // Xlib's handles, kept out of this header

 private:
  explicit X11SharedPixels(std::unique_ptr<State> state);
  std::unique_ptr<State> state_;
};

}  // namespace drelm
