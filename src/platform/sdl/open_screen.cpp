#include "platform/sdl/open_screen.h"

#include <string>

#include "platform/common/host_error.h"
#include "platform/sdl/framebuffer_screen.h"
#include "platform/sdl/texture_screen.h"
#include "platform/sdl/x11_shm_screen.h"

namespace drelm {

// On X11: memory shared with the server (24-bit screens on this machine), else SDL's plain
// framebuffer (16 and 24 bits, displays on another machine). Wayland, and 30-bit X screens
// whose framebuffer SDL refuses: a renderer's texture at the window's full resolution.
std::unique_ptr<Screen> OpenScreen(SDL_Window* window, PixelSize canvas, bool wayland) {
  std::string framebuffer_error;
  if (!wayland) {
    if (auto shared = OpenX11ShmScreen(window, canvas)) return shared;
    if (auto framebuffer = OpenFramebufferScreen(window, framebuffer_error)) return framebuffer;
    framebuffer_error += "; ";
  }
  try {
    return OpenTextureScreen(window);
  } catch (const HostError& error) {
    throw HostError("cannot show the picture: " + framebuffer_error + error.what());
  }
}

}  // namespace drelm
