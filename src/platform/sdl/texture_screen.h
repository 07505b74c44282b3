#pragma once

#include <memory>

#include "platform/sdl/screen.h"

namespace drelm {

class SdlWindow;

// A renderer's streaming texture as large as the window's pixels: each changed rectangle copied
// into it, the whole texture drawn and presented. On Wayland it is the way SDL itself offers to
// show a picture at the output's full resolution. Throws HostError when SDL has no renderer.
std::unique_ptr<Screen> OpenTextureScreen(const SdlWindow& window);

}  // namespace drelm
