#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/drelm_wheel.h"
#include "platform/common/host_error.h"
#include "platform/sdl/descriptor_shortage.h"
#include "platform/sdl/sdl_error.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/window_icon.h"
#include "platform/sdl/x11_desktop.h"

namespace drelm {
namespace {

void SetIcon(SDL_Window* window) {
  IconImage icon = WindowIcon();
  if (SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(
          icon.argb.data(), icon.width, icon.height, 32,
          icon.width * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_ARGB8888)) {
    SDL_SetWindowIcon(window, view);
    SDL_FreeSurface(view);
  }
}

// Where the window opens: where the desktop puts it, unless it is larger than the display's
// usable area; then at that area's upper left, so that it shows the upper left of the picture and
// not the middle of a window centred beyond the screen's edges.
SDL_Point StartPosition(int width, int height) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && (width > usable.w || height > usable.h)) {
    return {usable.x, usable.y};
  }
  return {SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED};
}

}  // namespace

SdlWindow::SdlWindow(const SdlVideo& video) {
  // On X11 the window opens hidden: the desktop's scale is read over the connection SDL opened,
  // and the window is sized at it before it shows.
  constexpr Uint32 kFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  const Uint32 shown = video.wayland() ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
  const WorldMapping standard(kStandardDpi);
  handle_ = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                             standard.StartWidth(), standard.StartHeight(), kFlags | shown);
  if (handle_ == nullptr) {
    // SDL names the step that failed (on Wayland, EGL's); a shortage of descriptors is why.
    const std::string shortage = DescriptorShortage();
    throw HostError(shortage.empty() ? SdlError("cannot create the window")
                                     : "cannot create the window: " + shortage);
  }
  SetIcon(handle_);
  double dpi = kStandardDpi;
  const NativeWindow opened = native();
  if (const auto* x11 = std::get_if<X11Window>(&opened)) {
    dpi = XftDpi(x11->display).value_or(kStandardDpi);
    const WorldMapping pixels(dpi);
    SDL_SetWindowSize(handle_, pixels.StartWidth(), pixels.StartHeight());
    const SDL_Point at = StartPosition(pixels.StartWidth(), pixels.StartHeight());
    if (at.x != SDL_WINDOWPOS_UNDEFINED) SDL_SetWindowPosition(handle_, at.x, at.y);
  }
  SDL_ShowWindow(handle_);  // shown in any case, whatever SDL could tell of it
  mapping_ = WorldMapping(dpi * PixelsPerPoint());
}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(handle_);
}

PixelSize SdlWindow::Pixels() const {
  PixelSize size;
  SDL_GetWindowSizeInPixels(handle_, &size.width, &size.height);
  return size;
}

PixelSize SdlWindow::PixelsNow() const {
  const NativeWindow now = native();
  if (const auto* x11 = std::get_if<X11Window>(&now)) {
    return ServerWindowSize(x11->display, x11->window);
  }
  return Pixels();
}

double SdlWindow::PixelsPerPoint() const {
  int points = 0, height = 0;
  SDL_GetWindowSize(handle_, &points, &height);
  const int pixels = Pixels().width;
  return points > 0 && pixels > 0 ? static_cast<double>(pixels) / points : 1.0;
}

PixelSize SdlWindow::LargestDisplay() const {
  const double scale = PixelsPerPoint();
  PixelSize largest;
  const int displays = SDL_GetNumVideoDisplays();
  for (int i = 0; i < displays; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      largest.width = std::max(largest.width, static_cast<int>(std::ceil(bounds.w * scale)));
      largest.height = std::max(largest.height, static_cast<int>(std::ceil(bounds.h * scale)));
    }
  }
  return largest;
}

}  // namespace drelm
