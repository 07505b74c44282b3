#pragma once

#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "canvas/canvas.h"
#include "platform/common/window_area.h"

namespace drelm {

struct WaylandBuffer;

// The window's pixels in buffers of memory shared with the compositor, the window's size each: a
// buffer the compositor holds (from its commit to its release) is not written; another is drawn
// in, only where it is out of date, and committed with the rectangles that changed as its damage.
// The compositor asks for the next frame when it has shown the last: until then what changed waits.
class WaylandBuffers {
 public:
  WaylandBuffers(wl_display* display, wl_shm* shm, wl_surface* surface);
  ~WaylandBuffers();
  WaylandBuffers(const WaylandBuffers&) = delete;
  WaylandBuffers& operator=(const WaylandBuffers&) = delete;

  PixelSize size() const { return size_; }
  // Commits all of the window, at `size` pixels, now.
  void ShowAll(const Canvas& canvas, PixelSize size);
  // Commits these rectangles, within the window, once the compositor has asked for a frame.
  void Show(const Canvas& canvas, std::span<const PixelRect> changed);
  // Commits what waits for a frame, where the compositor has asked for one meanwhile.
  void ShowWaiting(const Canvas& canvas);
  // Forgets buffers of a size gone by once the compositor has let them go.
  void Tidy();

 private:
  void Commit(const Canvas& canvas);
  WaylandBuffer* FreeBuffer();
  std::unique_ptr<WaylandBuffer> MakeBuffer(PixelSize size);
  static void OnFrame(void* data, wl_callback* callback, std::uint32_t time);

  wl_display* display_;
  wl_shm* shm_;
  wl_surface* surface_;
  wl_callback* frame_ = nullptr;  // asked for, not yet come
  std::vector<std::unique_ptr<WaylandBuffer>> buffers_;
  PixelSize size_;                  // the buffers', the window's pixels
  std::vector<PixelRect> unshown_;  // changed since the last commit
  bool unshown_whole_ = false;
};

}  // namespace drelm
