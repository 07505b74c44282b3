#include "platform/sdl/sdl_video.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/host_error.h"
#include "platform/common/printable.h"
#include "platform/sdl/wayland_display.h"
#include "platform/sdl/x11_desktop.h"

namespace drelm {
namespace {

// The desktop entry's name: docks match the running window to the launcher by it (the X11
// WM_CLASS, the Wayland app_id).
constexpr char kAppName[] = "drelm-wheel";

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != 0;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

// Whether WAYLAND_DISPLAY names a compositor's socket that is there. Only then is Wayland tried:
// libwayland complains on stderr of its own accord about one that is not.
bool HasWayland() {
  const std::string name = Variable("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  const std::string runtime = Variable("XDG_RUNTIME_DIR");
  if (name.front() != '/' && runtime.empty()) return false;
  const std::string path = name.front() == '/' ? name : runtime + "/" + name;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// Why the process cannot have the few file descriptors SDL's video needs beside the display's
// connection (its event and wake-up descriptors), when it cannot; empty when it can.
std::string DescriptorShortage() {
  constexpr int kDescriptorsSdlNeeds = 4;
  int made[kDescriptorsSdlNeeds];
  int count = 0;
  int error = 0;
  for (; count < kDescriptorsSdlNeeds; ++count) {
    made[count] = dup(STDERR_FILENO);
    if (made[count] < 0) {
      error = errno;
      break;
    }
  }
  for (int i = 0; i < count; ++i) close(made[i]);
  return error == EMFILE || error == ENFILE ? std::strerror(error) : "";
}

}  // namespace

SdlVideo::SdlVideo() {
  bool has_wayland = HasWayland();
  // A socket that is there may have no compositor behind it; then X11, if there is one.
  if (has_wayland) {
    if (const std::string why = WaylandUnreachable(); !why.empty()) {
      if (!IsSet("DISPLAY")) {
        throw HostError("cannot open the Wayland display WAYLAND_DISPLAY=" +
                        Printable(Variable("WAYLAND_DISPLAY")) + ": " + why);
      }
      has_wayland = false;
    }
  }
  if (!has_wayland && !IsSet("DISPLAY")) {
    if (IsSet("WAYLAND_DISPLAY")) {
      throw HostError("no display: WAYLAND_DISPLAY=" + Printable(Variable("WAYLAND_DISPLAY")) +
                      " names no Wayland socket, and DISPLAY is not set");
    }
    throw HostError("no display: DISPLAY is not set (nor WAYLAND_DISPLAY)");
  }
  // The program talks to nothing but its display. With no session bus, SDL's use of D-Bus (the
  // screensaver, input methods) would have libdbus start one, which outlives the program.
  if (!IsSet("DBUS_SESSION_BUS_ADDRESS")) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  // Native Wayland in a Wayland session: there the picture can be drawn at the output's own
  // resolution, where XWayland would enlarge a blurred one. Only the window systems named in the
  // environment: a failing X display must not send SDL on to try Wayland, whose library
  // complains on stderr of its own accord.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, has_wayland ? "wayland,x11" : "x11");
  SDL_SetHint("SDL_VIDEO_X11_WMCLASS", kAppName);
  SDL_SetHint("SDL_VIDEO_WAYLAND_WMCLASS", kAppName);
  // The program's own handlers end it on SIGINT and SIGTERM (main.cpp), wherever it is.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    // SDL only says the driver is not available; the system says why.
    std::string why = has_wayland ? WaylandUnreachable() : XDisplayUnreachable();
    if (why.empty()) why = DescriptorShortage();
    throw HostError("cannot open the display DISPLAY=" + Printable(Variable("DISPLAY")) + ": " +
                    (why.empty() ? SDL_GetError() : why));
  }
  // Without a display SDL falls back to drivers whose windows nobody sees and nobody can close.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr ||
      (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)) {
    SDL_Quit();
    throw HostError(std::string("no display: SDL chose the '") + (driver ? driver : "none") +
                    "' video driver; check DISPLAY");
  }
  wayland_ = std::strcmp(driver, "wayland") == 0;
  if (!wayland_) InstallXErrorHandlers(kAppName);
  // On X11 the plain framebuffer shows a CPU-drawn picture several times faster than SDL's
  // OpenGL-backed one, which under a software renderer costs more than the animation itself.
  if (!wayland_) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

SdlVideo::~SdlVideo() {
  SDL_Quit();
}

}  // namespace drelm
