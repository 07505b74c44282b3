#pragma once

#include <memory>

#include "platform/common/window_area.h"
#include "platform/sdl/screen.h"

namespace drelm {

class SdlWindow;

// The cheapest way of showing that this window's display offers, for a canvas of `canvas`
// pixels. Throws HostError when there is none.
std::unique_ptr<Screen> OpenScreen(const SdlWindow& window, PixelSize canvas);

}  // namespace drelm
