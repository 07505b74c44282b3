#include "platform/sdl/wayland_display.h"

#include <poll.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/common/host_error.h"
#include "platform/common/printable.h"

namespace drelm {
namespace {

// The display's name as the environment gives it, for messages.
std::string DisplayName() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  return Printable(name != nullptr && *name != 0 ? name : "wayland-0");
}

}  // namespace

std::string WaylandUnreachable() {
  errno = 0;
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return std::strerror(errno != 0 ? errno : ECONNREFUSED);
  wl_display_disconnect(display);
  return {};
}

std::unique_ptr<WaylandDisplay> WaylandDisplay::Of(const NativeWindow& window) {
  const auto* wayland = std::get_if<WaylandWindow>(&window);
  if (wayland == nullptr) return nullptr;
  return std::unique_ptr<WaylandDisplay>(new WaylandDisplay(wayland->display));
}

void WaylandDisplay::CheckAlive() const {
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

void WaylandDisplay::Wait(std::chrono::milliseconds longest) const {
  wl_display_flush(display_);
  pollfd connection{wl_display_get_fd(display_), POLLIN, 0};
  poll(&connection, 1, static_cast<int>(longest.count()));
}

}  // namespace drelm
