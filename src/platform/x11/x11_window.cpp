#include "platform/x11/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <cstring>
#include <iterator>
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

void SetCaption(Display* display, Window window, const X11Atoms& atoms) {
  const auto* caption = reinterpret_cast<const unsigned char*>(kCaption);
  const int length = static_cast<int>(std::strlen(kCaption));
  XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace, caption, length);
  XChangeProperty(display, window, atoms.name, atoms.utf8_string, 8, PropModeReplace, caption,
                  length);
}

// _NET_WM_ICON: the width, the height, then the pixels as 0xAARRGGBB, each in a long as Xlib
// hands 32-bit properties.
void SetIcon(Display* display, Window window, const X11Atoms& atoms) {
  const IconImage icon = WindowIcon();
  if (icon.argb.empty()) return;
  std::vector<long> data{icon.width, icon.height};
  data.insert(data.end(), icon.argb.begin(), icon.argb.end());
  XChangeProperty(display, window, atoms.icon, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<int>(data.size()));
}

void SetIdentity(Display* display, Window window, const X11Atoms& atoms) {
  XClassHint class_hint{const_cast<char*>(kProgramName), const_cast<char*>(kProgramName)};
  XSetClassHint(display, window, &class_hint);
  const long pid = getpid();
  XChangeProperty(display, window, atoms.pid, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&pid), 1);
  XWMHints hints{};
  hints.flags = InputHint | StateHint;
  hints.input = True;
  hints.initial_state = NormalState;
  XSetWMHints(display, window, &hints);
}

}  // namespace

X11Atoms InternAtoms(Display* display) {
  char* names[] = {const_cast<char*>("WM_PROTOCOLS"), const_cast<char*>("WM_DELETE_WINDOW"),
                   const_cast<char*>("_NET_WM_PING"), const_cast<char*>("_NET_WM_NAME"),
                   const_cast<char*>("UTF8_STRING"),  const_cast<char*>("_NET_WM_ICON"),
                   const_cast<char*>("_NET_WM_PID"),  const_cast<char*>("_NET_WORKAREA")};
  Atom atoms[std::size(names)] = {};
  XInternAtoms(display, names, static_cast<int>(std::size(names)), False, atoms);
  return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4], atoms[5], atoms[6], atoms[7]};
}

Window OpenX11Window(Display* display, PixelSize size, const X11Atoms& atoms) {
  const int screen = DefaultScreen(display);
  const std::optional<DesktopPoint> place = OpeningPlace(size, UsableArea(display, atoms.workarea));
  XSetWindowAttributes attributes{};
  attributes.background_pixmap = None;  // the picture covers it: no flash of another colour
  attributes.bit_gravity = NorthWestGravity;
  attributes.event_mask = kEventMask;
  const Window window = XCreateWindow(
      display, RootWindow(display, screen), place ? place->x : 0, place ? place->y : 0,
      static_cast<unsigned>(size.width), static_cast<unsigned>(size.height), 0, CopyFromParent,
      InputOutput, CopyFromParent, CWBackPixmap | CWBitGravity | CWEventMask, &attributes);
  if (window == 0) throw HostError("cannot create the window");
  SetCaption(display, window, atoms);
  SetIdentity(display, window, atoms);
  SetIcon(display, window, atoms);
  if (place) {
    XSizeHints hints{};
    hints.flags = USPosition | PPosition;
    hints.x = place->x;
    hints.y = place->y;
    XSetWMNormalHints(display, window, &hints);
  }
  Atom protocols[] = {atoms.delete_window, atoms.ping};
  XSetWMProtocols(display, window, protocols, 2);
  return window;
}

}  // namespace drelm
