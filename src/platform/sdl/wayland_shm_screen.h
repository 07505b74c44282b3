#pragma once

#include <memory>

#include "platform/sdl/native_window.h"
#include "platform/sdl/screen.h"

namespace drelm {

class SdlWindow;

// The canvas handed to a Wayland compositor in shared-memory buffers (wl_shm) on a surface of
// our own above SDL's (a sub-surface that takes no input, so the pointer still reaches SDL's
// window), each frame damaging only the rectangles that changed, and only when the compositor
// asks for a frame. Nothing when the compositor lacks what this needs (wl_compositor 4,
// wl_subcompositor, wl_shm).
std::unique_ptr<Screen> OpenWaylandShmScreen(const SdlWindow& window, const WaylandWindow& native);

}  // namespace drelm
