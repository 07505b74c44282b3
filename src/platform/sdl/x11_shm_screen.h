#pragma once

#include <memory>

#include "platform/sdl/screen.h"

struct SDL_Window;

namespace drelm {

// The canvas drawn in memory shared with the X server (MIT-SHM): the server reads what changed
// straight from the canvas, with no copy on the program's side. Nothing when the window is not
// on X11, or its display lies on another machine, has no MIT-SHM, or lays out pixels otherwise
// than the canvas.
std::unique_ptr<Screen> OpenX11ShmScreen(SDL_Window* window, PixelSize canvas);

}  // namespace drelm
