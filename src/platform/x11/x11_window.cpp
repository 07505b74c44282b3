#include "platform/x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "app/caption.h"
#include "platform/common/host_error.h"
#include "platform/common/program_name.h"
#include "platform/x11/window_icon.h"
#include "platform/x11/x11_desktop.h"

namespace drelm {
namespace {

constexpr long kEventMask =
    ExposureMask | StructureNotifyMask | KeyPressMask | ButtonPressMask | FocusChangeMask;

void SetCaption(Display* display, Window window) {
  const auto* caption = reinterpret_cast<const unsigned char*>(kCaption);
  const int length = static_cast<int>(std::strlen(kCaption));
  XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, caption, length);
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace, caption, length);
}

// _NET_WM_ICON: the width, the height, then the pixels as 0xAARRGGBB, each in a long as Xlib
// hands 32-bit properties.
void SetIcon(Display* display, Window window) {
  const IconImage icon = WindowIcon();
  if (icon.argb.empty()) return;
  std::vector<long> data{icon.width, icon.height};
  data.insert(data.end(), icon.argb.begin(), icon.argb.end());
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_ICON", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<int>(data.size()));
}

void SetIdentity(Display* display, Window window) {
  XClassHint class_hint{const_cast<char*>(kProgramName), const_cast<char*>(kProgramName)};
  XSetClassHint(display, window, &class_hint);
  const long pid = getpid();
  XChangeProperty(display, window, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(display, window, &hints);
}

}  // namespace

Window OpenX11Window(Display* display, PixelSize size, X11Atoms& atoms) {
  const int screen = DefaultScreen(display);
  const std::optional<DesktopPoint> place = OpeningPlace(size, UsableArea(display));
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;  // the picture covers it: no flash of another colour
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = kEventMask;
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), place ? place->x : 0, place ? place->y : 0,
      static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 0, CopyFromParent,
      InputOutput, CopyFromParent, CWBackPixmap | CWBitGravity | CWEventMask, &attributes);
  if (window == 0) throw HostError("cannot create the window");
  SetCaption(display, window);
  SetIdentity(display, window);
  SetIcon(display, window);
  if (place) {
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = place->x;
    hints.y = place->y;
    XSetWMNormalHints(display, window, &hints);
  }
  atoms.protocols = XInternAtom(display, "WM_PROTOCOLS", False);
  atoms.delete_window = XInternAtom(display, "WM_DELETE_WINDOW", False);
  atoms.ping = XInternAtom(display, "_NET_WM_PING", False);
  Atom protocols[] = {atoms.delete_window, atoms.ping};
  XSetWMProtocols(display, window, protocols, 2);
  return window;
}

}  // namespace drelm
