#include "platform/sdl/open_screen.h"

#include <string>

#include "platform/common/host_error.h"
#include "platform/sdl/framebuffer_screen.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/texture_screen.h"
#include "platform/sdl/wayland_shm_screen.h"
#include "platform/sdl/x11_image_screen.h"

namespace drelm {

// On X11 at 24 bits: the server's own image of the canvas, in memory shared with it or sent to
// it (a display on another machine); at 16 bits, SDL's plain framebuffer. Wayland, and 30-bit X
// screens whose framebuffer SDL refuses: a renderer's texture at the window's full resolution.
// On Wayland, first: shared-memory buffers handed to the compositor, where it offers what they
// need.
std::unique_ptr<Screen> OpenScreen(const SdlWindow& window, PixelSize canvas) {
  std::string framebuffer_error;
  const NativeWindow native = window.native();
  if (const auto* wayland = std::get_if<WaylandWindow>(&native)) {
    if (auto shared = OpenWaylandShmScreen(window, *wayland)) return shared;
  } else {
    if (const auto* x11 = std::get_if<X11Window>(&native)) {
      if (auto image = OpenX11ImageScreen(window, *x11, canvas)) return image;
    }
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
