// Xlib stays in this file: its macros (None, Status, Bool) collide with ordinary C++ names.
#include "platform/x11_dpi.h"

#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cmath>
#include <cstdlib>

#include "canvas/world.h"

namespace drelm {

std::optional<double> XftDpi() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return std::nullopt;
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
      if (end != value.addr && std::isfinite(parsed) && parsed >= kMinDpi && parsed <= kMaxDpi) {
        dpi = parsed;
      }
    }
    if (database != nullptr) XrmDestroyDatabase(database);
  }
  XCloseDisplay(display);
  return dpi;
}

}  // namespace drelm
