#pragma once

#include <X11/Xlib.h>

#include <string>

namespace drelm {

// Shows `message` in a small window of its own over `parent`, titled `title`, until the user
// closes it, presses a key or clicks in it.
void ShowX11MessageBox(Display* display, Window parent, const char* title,
                       const std::string& message);

}  // namespace drelm
