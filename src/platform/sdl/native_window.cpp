#include "platform/sdl/native_window.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace drelm {

NativeWindow NativeWindowOf(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE) return {};
  switch (info.subsystem) {
    case SDL_SYSWM_X11:
      return X11Window{info.info.x11.display, info.info.x11.window};
    case SDL_SYSWM_WAYLAND:
      return WaylandWindow{info.info.wl.display, info.info.wl.surface};
    default:
      return {};
  }
}

}  // namespace drelm
