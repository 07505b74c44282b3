#include "platform/wayland/wayland_connection.h"

#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/common/printable.h"

namespace drelm {
namespace {

// The display's name as the environment gives it, for messages.
std::string DisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return Printable(name != nullptr && *name != 0 ? name : "wayland-0");
}

}  // namespace

WaylandConnection::WaylandConnection() {
  errno = 0;
  display_ = wl_display_connect(nullptr);
  if (display_ == nullptr) throw NoWaylandDisplay(std::strerror(errno != 0 ? errno : ECONNREFUSED));
}

WaylandConnection::~WaylandConnection() {
  if (display_ != nullptr) wl_display_disconnect(display_);
}

void WaylandConnection::CheckAlive() const {
  const int error = wl_display_get_error(display_);
  if (error == 0) return;
  std::string why = std::strerror(error);
  if (error == EPROTO) {
    const wl_interface* interface = nullptr;
    const std::uint32_t code = wl_display_get_protocol_error(display_, &interface, nullptr);
    why += std::string(" (") + (interface != nullptr ? interface->name : "?") + " error " +
           std::to_string(code) + ")";
  }
  // Short of descriptors, libwayland cannot pass one on and drops the connection itself.
  if (error == EMFILE || error == ENFILE) {
    throw HostError("ran out of file descriptors on the Wayland display " + DisplayName() + ": " +
                    why);
  }
  throw HostError("lost the Wayland display " + DisplayName() + ": " + why);
}

void WaylandConnection::Dispatch(std::chrono::milliseconds longest) {
  CheckAlive();
  while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
  // What could not be sent now (the compositor's side full) goes with the next flush.
  if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(display_);
    CheckAlive();
    throw HostError("lost the Wayland display " + DisplayName() + ": " + std::strerror(errno));
  }
  pollfd connection{wl_display_get_fd(display_), POLLIN, 0};
  if (poll(&connection, 1, static_cast<int>(longest.count())) > 0) {
    wl_display_read_events(display_);
  } else {
    wl_display_cancel_read(display_);
  }
  wl_display_dispatch_pending(display_);
  CheckAlive();
}

void WaylandConnection::RoundTrip() {
  CheckAlive();
  wl_display_roundtrip(display_);
  CheckAlive();
}

}  // namespace drelm
