#pragma once

#include <X11/Xlib.h>

#include "platform/common/window_area.h"

namespace drelm {

// The atoms the window's protocols use.
struct X11Atoms {
  Atom protocols;      // WM_PROTOCOLS
  Atom delete_window;  // WM_DELETE_WINDOW: the frame's close button
  Atom ping;           // _NET_WM_PING: the window manager asking whether the program still runs
};

// Opens the program's window at `size` pixels on the display's default screen, not yet mapped:
// its caption (in UTF-8 too, runs of spaces kept), its class for the desktop's launcher, its icon,
// the close button's protocol, and where it opens (window_area.h's rule).
Window OpenX11Window(Display* display, PixelSize size, X11Atoms& atoms);

}  // namespace drelm
