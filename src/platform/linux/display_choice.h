#pragma once

#include <optional>
#include <string>

namespace drelm {

// What the environment names of the desktop's displays.
struct DisplayEnvironment {
  std::string wayland_display;  // WAYLAND_DISPLAY
  std::string runtime_dir;      // XDG_RUNTIME_DIR, where a WAYLAND_DISPLAY that is no path lies
  std::string x_display;        // DISPLAY
};

// The window systems to try, in this order.
struct DisplayChoice {
  bool wayland = false;  // native Wayland, first: it draws at the output's own resolution
  bool x11 = false;      // X11, alone or where Wayland cannot be had
};

// The socket WAYLAND_DISPLAY names: itself when it is a path, else in XDG_RUNTIME_DIR; nothing
// when neither tells, where libwayland would complain on stderr of its own accord.
std::optional<std::string> WaylandSocketPath(const DisplayEnvironment& environment);

// The window systems to try: Wayland where its socket is there, X11 where DISPLAY is set; only
// those, since a library sent to another would complain on stderr. Throws HostError, "no
// display: ...", when there is neither.
DisplayChoice ChooseDisplays(const DisplayEnvironment& environment, bool wayland_socket_there);

}  // namespace drelm
