#include "platform/sdl/wayland_shm_screen.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/host_error.h"
#include "platform/sdl/sdl_window.h"

namespace drelm {
namespace {

constexpr std::uint32_t kCompositorVersion = 4;  // damage_buffer
// The unused byte of an XRGB8888 pixel, set: some compositors pass it on as alpha.
constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kBytesPerPixel = 4;
// Buffers in the pool at most: one the compositor shows, one on its way, one being drawn.
constexpr std::size_t kMostBuffers = 3;
// Rectangles kept for a buffer or a frame beyond which the whole of it is done instead.
constexpr std::size_t kMostRects = 256;

// A buffer of the window's pixels in memory shared with the compositor. While the compositor
// holds it (from its commit to its release) it is not written.
struct Buffer {
  wl_buffer* buffer = nullptr;
  wl_buffer* for_parent = nullptr;  // the same pixels, for SDL's surface, where it is given one
  std::uint32_t* pixels = nullptr;
  std::size_t bytes = 0;
  PixelSize size;
  bool held = false;             // by the compositor
  bool orphan = false;           // of a size gone by: destroyed on its release
  bool whole = true;             // every pixel is out of date
  std::vector<PixelRect> stale;  // else what changed since it was last drawn

  ~Buffer() {
    if (buffer != nullptr) wl_buffer_destroy(buffer);
    if (for_parent != nullptr) wl_buffer_destroy(for_parent);
    if (pixels != nullptr) munmap(pixels, bytes);
  }
  void Stale(const PixelRect& rect) {
    if (whole) return;
    if (stale.size() == kMostRects) {
      whole = true;
      stale.clear();
    } else {
      stale.push_back(rect);
    }
  }
};

[[noreturn]] void Fail(const std::string& what) {
  throw HostError("cannot show the picture: " + what + ": " + std::strerror(errno));
}

class WaylandShmScreen final : public Screen {
 public:
  WaylandShmScreen(const SdlWindow& window, const WaylandWindow& native)
      : window_(window), display_(native.display), parent_(native.surface) {}
  ~WaylandShmScreen() override {
    if (frame_ != nullptr) wl_callback_destroy(frame_);
    buffers_.clear();
    if (subsurface_ != nullptr) wl_subsurface_destroy(subsurface_);
    if (surface_ != nullptr) wl_surface_destroy(surface_);
    if (shm_ != nullptr) wl_shm_destroy(shm_);
    if (subcompositor_ != nullptr) wl_subcompositor_destroy(subcompositor_);
    if (compositor_ != nullptr) wl_compositor_destroy(compositor_);
    if (registry_ != nullptr) wl_registry_destroy(registry_);
    if (wrapper_ != nullptr) wl_proxy_wrapper_destroy(wrapper_);
    if (queue_ != nullptr) wl_event_queue_destroy(queue_);
  }
  WaylandShmScreen(const WaylandShmScreen&) = delete;
  WaylandShmScreen& operator=(const WaylandShmScreen&) = delete;

  // Finds what the compositor offers, on a queue of our own that SDL's pump never dispatches;
  // false where something this needs is missing.
  bool Open() {
    queue_ = wl_display_create_queue(display_);
    wrapper_ = static_cast<wl_display*>(wl_proxy_create_wrapper(display_));
    if (queue_ == nullptr || wrapper_ == nullptr) return false;
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper_), queue_);
    registry_ = wl_display_get_registry(wrapper_);
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    if (wl_display_roundtrip_queue(display_, queue_) < 0) return false;
    if (compositor_ == nullptr || subcompositor_ == nullptr || shm_ == nullptr) return false;

    surface_ = wl_compositor_create_surface(compositor_);
    subsurface_ = wl_subcompositor_get_subsurface(subcompositor_, surface_, parent_);
    if (surface_ == nullptr || subsurface_ == nullptr) return false;
    // Its own commits show at once, and the pointer passes through it to SDL's window.
    wl_subsurface_set_desync(subsurface_);
    wl_subsurface_set_position(subsurface_, 0, 0);
    wl_region* nowhere = wl_compositor_create_region(compositor_);
    wl_surface_set_input_region(surface_, nowhere);
    wl_region_destroy(nowhere);
    return true;
  }

  void Present(const Canvas& canvas, std::span<const PixelRect> changed) override {
    // The buffers are the window's size: at a new one, all of it goes in buffers of that size.
    const PixelSize size = window_.Pixels();
    if (size.width != size_.width || size.height != size_.height) {
      PresentAll(canvas);
      return;
    }
    Dispatch();
    for (const PixelRect& rect : changed) {
      for (auto& buffer : buffers_) buffer->Stale(rect);
      if (unshown_.size() == kMostRects) unshown_whole_ = true;
      if (!unshown_whole_) unshown_.push_back(rect);
    }
    // The compositor asks for the next frame when it has shown the last: until then what
    // changed waits, and a window it does not show is sent nothing.
    if (frame_ != nullptr || (unshown_.empty() && !unshown_whole_)) return;
    Commit(canvas);
  }

  // The compositor keeps what it was given: all of it goes again only at a new size. SDL's own
  // surface is committed each time, with a buffer: SDL leaves that to the program when the
  // compositor configures the window, and a surface without a buffer is not mapped.
  void PresentAll(const Canvas& canvas) override {
    Dispatch();
    const PixelSize size = window_.Pixels();
    if (size.width <= 0 || size.height <= 0) return;
    const bool resized = size.width != size_.width || size.height != size_.height;
    if (resized) Resize(size);
    wl_surface_attach(parent_, parent_buffer_, 0, 0);
    if (resized) wl_surface_damage_buffer(parent_, 0, 0, size.width, size.height);
    wl_surface_commit(parent_);
    if (!resized) {
      wl_display_flush(display_);
      return;
    }
    for (auto& buffer : buffers_) buffer->whole = true;
    unshown_.clear();
    unshown_whole_ = true;
    // All of it at once, whether or not the compositor has asked for a frame.
    if (frame_ != nullptr) {
      wl_callback_destroy(frame_);
      frame_ = nullptr;
    }
    Commit(canvas);
  }

 private:
  // Hands over what the compositor said to our objects (releases, frame callbacks); SDL's pump
  // has read it from the connection. Buffers of a size gone by go once the compositor has let
  // them go.
  void Dispatch() {
    wl_display_dispatch_queue_pending(display_, queue_);
    std::erase_if(buffers_, [](const auto& buffer) { return buffer->orphan && !buffer->held; });
  }

  // Buffers of the window's new size. SDL's own surface, wholly under the opaque sub-surface and
  // never seen, is given the first of them too, rather than memory of its own.
  void Resize(PixelSize size) {
    size_ = size;
    const int scale = std::max(1, static_cast<int>(window_.PixelsPerPoint()));
    wl_surface_set_buffer_scale(surface_, scale);
    wl_region* opaque = wl_compositor_create_region(compositor_);
    wl_region_add(opaque, 0, 0, size.width / scale, size.height / scale);
    wl_surface_set_opaque_region(surface_, opaque);
    wl_region_destroy(opaque);
    for (auto& buffer : buffers_) buffer->orphan = true;
    buffers_.push_back(MakeBuffer(size, true));
    parent_buffer_ = buffers_.back()->for_parent;
  }

  // Draws what changed into a buffer the compositor does not hold, and commits it with the
  // rectangles that changed since the last commit as its damage.
  void Commit(const Canvas& canvas) {
    Buffer* buffer = FreeBuffer();
    if (buffer == nullptr) return;  // all held: the next frame
    if (buffer->whole) {
      Draw(canvas, *buffer, {0, 0, size_.width, size_.height});
    } else {
      for (const PixelRect& rect : buffer->stale) Draw(canvas, *buffer, rect);
    }
    buffer->whole = false;
    buffer->stale.clear();
    wl_surface_attach(surface_, buffer->buffer, 0, 0);
    if (unshown_whole_) {
      wl_surface_damage_buffer(surface_, 0, 0, size_.width, size_.height);
    } else {
      for (const PixelRect& rect : unshown_) {
        wl_surface_damage_buffer(surface_, rect.x, rect.y, rect.w, rect.h);
      }
    }
    unshown_.clear();
    unshown_whole_ = false;
    frame_ = wl_surface_frame(surface_);
    wl_callback_add_listener(frame_, &kFrameListener, this);
    wl_surface_commit(surface_);
    buffer->held = true;
    wl_display_flush(display_);
  }

  Buffer* FreeBuffer() {
    for (auto& buffer : buffers_) {
      if (!buffer->held && !buffer->orphan) return buffer.get();
    }
    const auto current = std::count_if(buffers_.begin(), buffers_.end(),
                                       [](const auto& buffer) { return !buffer->orphan; });
    if (static_cast<std::size_t>(current) >= kMostBuffers) return nullptr;
    buffers_.push_back(MakeBuffer(size_, false));
    return buffers_.back().get();
  }

  // A buffer of `size`, and a second view of its pixels for SDL's surface when `for_parent`.
  std::unique_ptr<Buffer> MakeBuffer(PixelSize size, bool for_parent) {
    auto made = std::make_unique<Buffer>();
    made->size = size;
    const auto stride = static_cast<std::size_t>(size.width) * kBytesPerPixel;
    made->bytes = stride * static_cast<std::size_t>(size.height);
    const int fd = memfd_create("drelm-wheel", MFD_CLOEXEC);
    if (fd < 0) Fail("no shared memory for the window");
    if (ftruncate(fd, static_cast<off_t>(made->bytes)) != 0) {
      close(fd);
      Fail("no shared memory of " + std::to_string(made->bytes) + " bytes");
    }
    void* memory = mmap(nullptr, made->bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (memory == MAP_FAILED) {
      close(fd);
      Fail("cannot map the window's shared memory");
    }
    made->pixels = static_cast<std::uint32_t*>(memory);
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<std::int32_t>(made->bytes));
    const auto view = [&] {
      return wl_shm_pool_create_buffer(pool, 0, size.width, size.height,
                                       static_cast<std::int32_t>(stride), WL_SHM_FORMAT_XRGB8888);
    };
    made->buffer = view();
    wl_buffer_add_listener(made->buffer, &kBufferListener, made.get());
    if (for_parent) made->for_parent = view();
    wl_shm_pool_destroy(pool);
    close(fd);
    return made;
  }

  // Copies a rectangle of the canvas into a buffer; beyond the canvas, the background.
  static void Draw(const Canvas& canvas, Buffer& buffer, const PixelRect& rect) {
    constexpr std::uint32_t kBeyond = kOpaque | kBeyondCanvas.value;
    const int canvas_right = std::min(rect.x + rect.w, canvas.width());
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
      std::uint32_t* out = buffer.pixels + static_cast<std::size_t>(y) * buffer.size.width;
      int x = rect.x;
      if (y < canvas.height()) {
        const Rgb* row = canvas.Row(y);
        for (; x < canvas_right; ++x) out[x] = kOpaque | row[x].value;
      }
      std::fill(out + x, out + rect.x + rect.w, kBeyond);
    }
  }

  static void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                       std::uint32_t version) {
    auto* self = static_cast<WaylandShmScreen*>(data);
    const std::string_view which = interface;
    if (which == wl_compositor_interface.name && version >= kCompositorVersion) {
      self->compositor_ = static_cast<wl_compositor*>(
          wl_registry_bind(registry, name, &wl_compositor_interface, kCompositorVersion));
    } else if (which == wl_subcompositor_interface.name) {
      self->subcompositor_ = static_cast<wl_subcompositor*>(
          wl_registry_bind(registry, name, &wl_subcompositor_interface, 1));
    } else if (which == wl_shm_interface.name) {
      self->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    }
  }
  static void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
  static constexpr wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

  static void OnFrame(void* data, wl_callback* callback, std::uint32_t) {
    auto* self = static_cast<WaylandShmScreen*>(data);
    wl_callback_destroy(callback);
    if (self->frame_ == callback) self->frame_ = nullptr;
  }
  static constexpr wl_callback_listener kFrameListener{OnFrame};

  static void OnRelease(void* data, wl_buffer*) { static_cast<Buffer*>(data)->held = false; }
  static constexpr wl_buffer_listener kBufferListener{OnRelease};

  const SdlWindow& window_;
  wl_display* display_ = nullptr;
  wl_surface* parent_ = nullptr;  // SDL's
  wl_event_queue* queue_ = nullptr;
  wl_display* wrapper_ = nullptr;  // the display, its requests' answers on our queue
  wl_registry* registry_ = nullptr;
  wl_compositor* compositor_ = nullptr;
  wl_subcompositor* subcompositor_ = nullptr;
  wl_shm* shm_ = nullptr;
  wl_surface* surface_ = nullptr;
  wl_subsurface* subsurface_ = nullptr;
  wl_callback* frame_ = nullptr;  // asked for, not yet come
  std::vector<std::unique_ptr<Buffer>> buffers_;
  wl_buffer* parent_buffer_ = nullptr;  // SDL's surface's, one of buffers_' views
  PixelSize size_;                      // the buffers', the window's pixels
  std::vector<PixelRect> unshown_;      // changed since the last commit
  bool unshown_whole_ = false;
};

}  // namespace

std::unique_ptr<Screen> OpenWaylandShmScreen(const SdlWindow& window, const WaylandWindow& native) {
  auto screen = std::make_unique<WaylandShmScreen>(window, native);
  if (!screen->Open()) return nullptr;
  return screen;
}

}  // namespace drelm
