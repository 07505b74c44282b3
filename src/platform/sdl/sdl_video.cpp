#include "platform/sdl/sdl_video.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/host_error.h"
#include "platform/common/printable.h"
#include "platform/sdl/descriptor_shortage.h"
#include "platform/sdl/video_driver.h"
#include "platform/sdl/wayland_display.h"
#include "platform/sdl/x11_desktop.h"

namespace drelm {
namespace {

// The desktop entry's name: docks match the running window to the launcher by it (the X11
// WM_CLASS, the Wayland app_id).
constexpr char kAppName[] = "drelm-wheel";

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

DisplayEnvironment ReadEnvironment() {
  return {Variable("WAYLAND_DISPLAY"), Variable("XDG_RUNTIME_DIR"), Variable("DISPLAY")};
}

bool IsSocket(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// "cannot open the display DISPLAY=...: why", naming the last display tried.
std::string CannotOpen(const DriverChoice& tried, const DisplayEnvironment& environment,
                       const std::string& why) {
  if (tried.x11) {
    return "cannot open the display DISPLAY=" + Printable(environment.x_display) + ": " + why;
  }
  return "cannot open the Wayland display WAYLAND_DISPLAY=" +
         Printable(environment.wayland_display) + ": " + why;
}

// Why SDL could open none of the displays it tried, in the system's words: SDL itself only says
// the driver is not available.
std::string WhyNoDisplay(const DriverChoice& tried) {
  std::string why = tried.x11 ? XDisplayUnreachable() : WaylandUnreachable();
  if (why.empty()) why = DescriptorShortage();
  return why.empty() ? SDL_GetError() : why;
}

}  // namespace

SdlVideo::SdlVideo() {
  const DisplayEnvironment environment = ReadEnvironment();
  const std::optional<std::string> socket = WaylandSocketPath(environment);
  const DriverChoice drivers = ChooseDrivers(environment, socket && IsSocket(*socket));
  // Short of descriptors, Wayland's libraries (libwayland, libdecor, EGL) each say on stderr what
  // of theirs failed before SDL does; the program says it once, before them.
  if (const std::string shortage = drivers.wayland ? DescriptorShortage() : ""; !shortage.empty()) {
    throw HostError(CannotOpen({.wayland = true}, environment, shortage));
  }
  // The program talks to nothing but its display. With no session bus, SDL's use of D-Bus (the
  // screensaver, input methods) would have libdbus start one, which outlives the program.
  if (Variable("DBUS_SESSION_BUS_ADDRESS").empty()) {
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.Hint().c_str());
  SDL_SetHint("SDL_VIDEO_X11_WMCLASS", kAppName);
  SDL_SetHint("SDL_VIDEO_WAYLAND_WMCLASS", kAppName);
  // The program's own handlers end it on SIGINT and SIGTERM (main.cpp), wherever it is.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    throw HostError(CannotOpen(drivers, environment, WhyNoDisplay(drivers)));
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
