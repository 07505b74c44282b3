#pragma once

#include <memory>

#include "platform/sdl/native_window.h"
#include "platform/sdl/screen.h"

namespace drelm {

class SdlWindow;

// The canvas put on an X11 window as the X server's own image, where the server lays out pixels
// as the canvas does (24-bit screens): drawn in memory shared with the server (MIT-SHM), which
// reads what changed straight from the canvas, or, where the server cannot share memory (a
// display on another machine, no MIT-SHM), sent to it, the changed rectangles only. No buffer
// the size of the window: any size of window shows. Nothing when its screen lays out pixels
// otherwise.
std::unique_ptr<Screen> OpenX11ImageScreen(const SdlWindow& window, const X11Window& native,
                                           PixelSize canvas);

}  // namespace drelm
