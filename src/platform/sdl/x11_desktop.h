#pragma once

#include <optional>
#include <string>

#include "platform/common/window_area.h"

struct _XDisplay;

namespace drelm {

// The dots an inch an X11 desktop asks programs to draw at: its Xft.dpi resource, which GNOME,
// KDE and Xfce set from their scale, held to the scales the program draws at, as the server
// gave it to this connection when it opened. Nothing when the resource is not set, or it is no
// positive number.
std::optional<double> XftDpi(_XDisplay* display);

// The size the X server gives a window this moment, asked of it (a round trip); nothing when it
// cannot tell.
PixelSize ServerWindowSize(_XDisplay* display, unsigned long window);

// Why the X display DISPLAY names cannot be opened, in the system's words where it gives them;
// empty when it can.
std::string XDisplayUnreachable();

// Makes an X protocol error (the window destroyed under the program, say) or a lost display end
// the program with one line, "PROGRAM: ...", and status 1, instead of Xlib's several.
void InstallXErrorHandlers(const char* program);

}  // namespace drelm
