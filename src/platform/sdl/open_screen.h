#pragma once

#include <memory>

#include "platform/common/window_area.h"
#include "platform/sdl/native_window.h"
#include "platform/sdl/screen.h"

struct SDL_Window;

namespace drelm {

// The cheapest way of showing that this window's display offers, for a canvas of `canvas`
// pixels. Throws HostError when there is none.
std::unique_ptr<Screen> OpenScreen(SDL_Window* window, const NativeWindow& native,
                                   PixelSize canvas);

}  // namespace drelm
