#include "platform/sdl/sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "app/drelm_wheel.h"
#include "platform/common/host_error.h"
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

PixelSize PixelsOf(SDL_Window* window) {
  PixelSize size;
  SDL_GetWindowSizeInPixels(window, &size.width, &size.height);
  return size;
}

SdlWindow::SdlWindow(const SdlVideo& video) {
  constexpr Uint32 kFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
  const double dpi = video.wayland() ? kStandardDpi : XftDpi().value_or(kStandardDpi);
  const WorldMapping points(dpi);
  const SDL_Point at = StartPosition(points.StartWidth(), points.StartHeight());
  handle_ =
      SDL_CreateWindow(kCaption, at.x, at.y, points.StartWidth(), points.StartHeight(), kFlags);
  if (handle_ == nullptr) throw HostError(SdlError("cannot create the window"));
  native_ = NativeWindowOf(handle_);
  mapping_ = points;
  if (video.wayland()) {
    int point_width = 0, pixel_width = 0, height = 0;
    SDL_GetWindowSize(handle_, &point_width, &height);
    SDL_GetWindowSizeInPixels(handle_, &pixel_width, &height);
    if (point_width > 0 && pixel_width > 0) {
      mapping_ = WorldMapping(kStandardDpi * pixel_width / point_width);
      pixels_per_point_ = mapping_.dpi() / kStandardDpi;
    }
  }
  SetIcon(handle_);
}

SdlWindow::~SdlWindow() {
  SDL_DestroyWindow(handle_);
}

PixelSize SdlWindow::LargestDisplay() const {
  PixelSize largest;
  const int displays = SDL_GetNumVideoDisplays();
  for (int i = 0; i < displays; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      largest.width =
          std::max(largest.width, static_cast<int>(std::ceil(bounds.w * pixels_per_point_)));
      largest.height =
          std::max(largest.height, static_cast<int>(std::ceil(bounds.h * pixels_per_point_)));
    }
  }
  return largest;
}

}  // namespace drelm
