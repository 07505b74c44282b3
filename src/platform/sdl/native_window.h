#pragma once

#include <variant>

struct SDL_Window;
struct _XDisplay;
struct wl_display;
struct wl_surface;

namespace drelm {

// SDL's window as its own window system knows it, asked of SDL once: what the ways of showing
// that talk to the display themselves need, and the watch on a Wayland connection.
struct X11Window {
  _XDisplay* display;    // Xlib's Display
  unsigned long window;  // Xlib's Window
};
struct WaylandWindow {
  wl_display* display;
  wl_surface* surface;
};
// Neither where SDL cannot tell.
using NativeWindow = std::variant<std::monostate, X11Window, WaylandWindow>;

// The only place SDL is asked (SDL_GetWindowWMInfo): SDL_syswm.h brings in the window systems'
// headers, and their macros stay in that one file.
NativeWindow NativeWindowOf(SDL_Window* window);

}  // namespace drelm
