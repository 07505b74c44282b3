#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/sdl/native_window.h"

struct wl_display;

namespace drelm {

// Why the compositor WAYLAND_DISPLAY names cannot be reached, in the system's words; empty when it
// can.
std::string WaylandUnreachable();

// The Wayland display SDL's window is on, watched for its loss: once the connection has failed,
// nothing may call into SDL again, whose Wayland code (libdecor's among it) would spin on a
// failed connection with events still queued.
class WaylandDisplay {
 public:
  // The display of a window; nothing when the window is not a Wayland one.
  static std::unique_ptr<WaylandDisplay> Of(const NativeWindow& window);

  wl_display* display() const { return display_; }
  // Throws HostError, "lost the Wayland display NAME: reason", once the connection has failed.
  void CheckAlive() const;
  // Waits up to `longest` for the compositor to send something, reading none of it.
  void Wait(std::chrono::milliseconds longest) const;

 private:
  explicit WaylandDisplay(wl_display* display) : display_(display) {}
  wl_display* display_;
};

}  // namespace drelm
