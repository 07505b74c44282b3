#include "platform/x11/x11_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xresource.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/desktop_scale.h"
#include "platform/common/host_error.h"
#include "platform/common/printable.h"
#include "platform/common/standard_output.h"

namespace drelm {
namespace {

const char* g_program = "";

[[noreturn]] void EndOnXFault(const char* what) {
  SayFailure(g_program, what);
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

Display* OpenXDisplay() {
  errno = 0;
  if (Display* display = XOpenDisplay(nullptr)) return display;
  const char* name = std::getenv("DISPLAY");
  const std::string why = errno != 0 ? std::strerror(errno) : "no X server answers there";
  throw HostError("cannot open the display DISPLAY=" + Printable(name != nullptr ? name : "") +
                  ": " + why);
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

PixelRect UsableArea(Display* display, Atom workarea) {
  const int screen = DefaultScreen(display);
  PixelRect area{0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)};
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, RootWindow(display, screen), workarea, 0, 4, False, XA_CARDINAL,
                         &type, &format, &count, &after, &data) == Success &&
      type == XA_CARDINAL && format == 32 && count == 4) {
    const auto* values = reinterpret_cast<const long*>(data);  // format 32 comes as long
    area = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
            static_cast<int>(values[3])};
  }
  if (data != nullptr) XFree(data);
  return area;
}

}  // namespace drelm
