#include "platform/linux/display_choice.h"

#include "platform/common/host_error.h"
#include "platform/common/printable.h"

namespace drelm {

std::optional<std::string> WaylandSocketPath(const DisplayEnvironment& environment) {
  const std::string& name = environment.wayland_display;
  if (name.empty()) return std::nullopt;
  if (name.front() == '/') return name;
  if (environment.runtime_dir.empty()) return std::nullopt;
  return environment.runtime_dir + "/" + name;
}

DisplayChoice ChooseDisplays(const DisplayEnvironment& environment, bool wayland_socket_there) {
  const DisplayChoice choice{wayland_socket_there, !environment.x_display.empty()};
  if (choice.wayland || choice.x11) return choice;
  if (!environment.wayland_display.empty()) {
    throw HostError("no display: WAYLAND_DISPLAY=" + Printable(environment.wayland_display) +
                    " names no Wayland socket, and DISPLAY is not set");
  }
  throw HostError("no display: DISPLAY is not set (nor WAYLAND_DISPLAY)");
}

}  // namespace drelm
