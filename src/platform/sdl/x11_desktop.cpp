// Xlib stays in this file: its macros (None, Status, Bool) collide with ordinary C++ names.
#include "platform/sdl/x11_desktop.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/desktop_scale.h"

namespace drelm {
namespace {

const char* g_program = "";

[[noreturn]] void EndOnXFault(const char* what) {
  std::fprintf(stderr, "%s: %s\n", g_program, what);
  std::fflush(stderr);
  _exit(1);
}

int OnXError(Display* display, XErrorEvent* event) {
  char text[160] = "";
  XGetErrorText(display, event->error_code, text, sizeof text);
  char what[256];
  std::snprintf(what, sizeof what, "X error: %s (request %d.%d, resource 0x%lx)", text,
                event->request_code, event->minor_code, event->resourceid);
  EndOnXFault(what);
}

int OnXIoError(Display* display) {
  char what[256];
  std::snprintf(what, sizeof what, "lost the display %s", DisplayString(display));
  EndOnXFault(what);
}

}  // namespace

std::string XDisplayUnreachable() {
  errno = 0;
  Display* display = XOpenDisplay(nullptr);
  if (display != nullptr) {
    XCloseDisplay(display);
    return {};
  }
  return errno != 0 ? std::strerror(errno) : "no X server answers there";
}

PixelSize ServerWindowSize(Display* display, Window window) {
  Window root = 0;
  int x = 0, y = 0;
  unsigned width = 0, height = 0, border = 0, depth = 0;
  if (XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) == 0)
    return {};
  return {static_cast<int>(width), static_cast<int>(height)};
}

void InstallXErrorHandlers(const char* program) {
  g_program = program;
  XSetErrorHandler(OnXError);
  XSetIOErrorHandler(OnXIoError);
}

std::optional<double> XftDpi(Display* display) {
  std::optional<double> dpi;
  if (const char* resources = XResourceManagerString(display)) {
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    if (database != nullptr && XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0 &&
        value.addr != nullptr) {
      char* end = nullptr;
      const double parsed = std::strtod(value.addr, &end);
      if (end != value.addr && std::isfinite(parsed) && parsed > 0) dpi = HeldDpi(parsed);
    }
    if (database != nullptr) XrmDestroyDatabase(database);
  }
  return dpi;
}

}  // namespace drelm
