#pragma once

#include <wayland-client.h>

#include <chrono>
#include <string>

#include "platform/common/host_error.h"

namespace drelm {

// The compositor WAYLAND_DISPLAY names cannot be reached, or offers too little to show a window
// on: another display may be tried. Says why in the system's words.
class NoWaylandDisplay : public HostError {
 public:
  using HostError::HostError;
};

// The connection to the compositor, and the host's own reading of it: the compositor's events are
// read and handed to their listeners only here.
class WaylandConnection {
 public:
  // Connects to the compositor WAYLAND_DISPLAY names; throws NoWaylandDisplay when it cannot.
  WaylandConnection();
  ~WaylandConnection();
  WaylandConnection(const WaylandConnection&) = delete;
  WaylandConnection& operator=(const WaylandConnection&) = delete;

  wl_display* display() const { return display_; }
  // Sends what was asked, reads what came within `longest` (nothing: only what is there), and
  // hands it to the listeners. Throws HostError once the connection has failed.
  void Dispatch(std::chrono::milliseconds longest = std::chrono::milliseconds{0});
  // Waits for the compositor to answer everything asked so far, handing over what comes.
  void RoundTrip();
  // Throws HostError, "lost the Wayland display NAME: reason", once the connection has failed.
  void CheckAlive() const;

 private:
  wl_display* display_ = nullptr;
};

}  // namespace drelm
