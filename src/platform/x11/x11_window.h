#pragma once

#include <X11/Xlib.h>

#include "platform/common/window_area.h"

namespace drelm {

// The atoms the window's properties and protocols use.
struct X11Atoms {
  Atom protocols;      // WM_PROTOCOLS
  Atom delete_window;  // WM_DELETE_WINDOW: the frame's close button
  Atom ping;           // _NET_WM_PING: the window manager asking whether the program still runs
  Atom name;           // _NET_WM_NAME
  Atom utf8_string;    // UTF8_STRING
  Atom icon;           // _NET_WM_ICON
  Atom pid;            // _NET_WM_PID
  Atom workarea;       // _NET_WORKAREA
};

// The atoms, asked of the server all at once: one round trip.
X11Atoms InternAtoms(Display* display);

// Opens the program's window at `size` pixels on the display's default screen, not yet mapped:
// its caption (in UTF-8 too, runs of spaces kept), its class for the desktop's launcher, its icon,
// the close button's protocol, and where it opens (window_area.h's rule).
Window OpenX11Window(Display* display, PixelSize size, const X11Atoms& atoms);

}  // namespace drelm
