#pragma once

#include "canvas/world.h"
#include "platform/common/window_area.h"
#include "platform/sdl/native_window.h"

struct SDL_Window;

namespace drelm {

class SdlVideo;

// The program's window, opened at the desktop's scale with its caption and icon. An X11 desktop
// tells its scale through Xft.dpi, and the window is sized in pixels at it; a Wayland window is
// sized in points, and the output's scale gives it more pixels than points.
class SdlWindow {
 public:
  explicit SdlWindow(const SdlVideo& video);
  ~SdlWindow();
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  SDL_Window* handle() const { return handle_; }
  // The window as X11 or Wayland knows it now. Asked of SDL each time, never kept: SDL makes the
  // X11 window anew when a renderer needs OpenGL on it.
  NativeWindow native() const { return NativeWindowOf(handle_); }
  // The world mapping at the window's scale.
  const WorldMapping& mapping() const { return mapping_; }
  // The window's size in pixels, as SDL's pump last read it.
  PixelSize Pixels() const;
  // The window's size in pixels as its display has it this moment: on X11 asked of the server
  // (a round trip), where Pixels() follows a resize once the pump has read it.
  PixelSize PixelsNow() const;
  // Pixels a point now: more than 1 on a scaled Wayland output, where SDL gives sizes and the
  // pointer in points; 1 on X11.
  double PixelsPerPoint() const;
  // The largest display, in the window's pixels.
  PixelSize LargestDisplay() const;

 private:
  SDL_Window* handle_ = nullptr;
  WorldMapping mapping_;
};

}  // namespace drelm
