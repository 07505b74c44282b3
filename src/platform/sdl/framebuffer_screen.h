#pragma once

#include <memory>
#include <string>

#include "platform/sdl/screen.h"

namespace drelm {

class SdlWindow;

// SDL's plain framebuffer for the window (X11 at 16 and 24 bits), each changed rectangle blitted
// into it in the window's own pixel format. Nothing, with SDL's reason in `why_not`, where SDL
// has none for this window.
std::unique_ptr<Screen> OpenFramebufferScreen(const SdlWindow& window, std::string& why_not);

}  // namespace drelm
