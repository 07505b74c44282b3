#pragma once

// Xlib stays in the X11 host's files: its macros (None, Status, Bool) collide with ordinary C++
// names.
#include <X11/Xlib.h>

#include <optional>
#include <string>

#include "platform/common/window_area.h"

namespace drelm {

// Opens the X display DISPLAY names; throws HostError, "cannot open the display DISPLAY=...: why"
// in the system's words where it gives them, when it cannot.
Display* OpenXDisplay();

// The dots an inch an X11 desktop asks programs to draw at: its Xft.dpi resource, which GNOME,
// KDE and Xfce set from their scale, held to the scales the program draws at, as the server
// gave it to this connection when it opened. Nothing when the resource is not set, or it is no
// positive number.
std::optional<double> XftDpi(Display* display);

// The part of the screen windows are given, without the desktop's panels (`workarea`, the atom
// _NET_WORKAREA), or the whole screen where the desktop does not say.
PixelRect UsableArea(Display* display, Atom workarea);

// Makes an X protocol error (the window destroyed under the program, say) or a lost display end
// the program with one line, "PROGRAM: ...", and status 1, instead of Xlib's several.
void InstallXErrorHandlers(const char* program);

}  // namespace drelm
