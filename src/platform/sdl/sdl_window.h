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
  // The window as X11 or Wayland knows it.
  const NativeWindow& native() const { return native_; }
  // The world mapping at the window's scale.
  const WorldMapping& mapping() const { return mapping_; }
  // The window's size in pixels now.
  PixelSize Pixels() const;
  // Pixels a point now: more than 1 on a scaled Wayland output, where SDL gives sizes and the
  // pointer in points; 1 on X11.
  double PixelsPerPoint() const;
  // The largest display, in the window's pixels.
  PixelSize LargestDisplay() const;

 private:
  SDL_Window* handle_ = nullptr;
  NativeWindow native_;
  WorldMapping mapping_;
};

}  // namespace drelm
