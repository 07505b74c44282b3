#include "platform/wayland/wayland_buffers.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/common/host_error.h"
#include "platform/common/pixel_format.h"

namespace drelm {
namespace {

constexpr std::size_t kBytesPerPixel = 4;

// XRGB8888, its unused byte set: some compositors pass it on as alpha.
const PixelConverter& Xrgb() {
  static const PixelConverter converter(
      PixelLayout{0xFF0000, 0x00FF00, 0x0000FF, kBytesPerPixel, false, 0xFF000000});
  return converter;
}
// Buffers of a size at most: one the compositor shows, one on its way, one being drawn.
constexpr std::size_t kMostBuffers = 3;
// Rectangles kept for a buffer or a frame beyond which the whole of it is done instead.
constexpr std::size_t kMostRects = 256;

[[noreturn]] void Fail(const std::string& what) {
  throw HostError("cannot show the picture: " + what + ": " + std::strerror(errno));
}

}  // namespace

struct WaylandBuffer {
  wl_buffer* buffer = nullptr;
  std::uint32_t* pixels = nullptr;
  std::size_t bytes = 0;
  PixelSize size;
  bool held = false;             // by the compositor
  bool orphan = false;           // of a size gone by: destroyed on its release
  bool whole = true;             // every pixel is out of date
  std::vector<PixelRect> stale;  // else what changed since it was last drawn

  ~WaylandBuffer() {
    if (buffer != nullptr) wl_buffer_destroy(buffer);
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
  // Copies a rectangle of the canvas in; beyond the canvas, the background.
  void Draw(const Canvas& canvas, const PixelRect& rect) {
    const std::size_t stride = static_cast<std::size_t>(size.width) * kBytesPerPixel;
    const int canvas_right = std::min(rect.x + rect.w, canvas.width());
    const int canvas_bottom = std::min(rect.y + rect.h, canvas.height());
    if (rect.x < canvas_right && rect.y < canvas_bottom) {
      Xrgb().Convert(
          canvas, {rect.x, rect.y, canvas_right - rect.x, canvas_bottom - rect.y},
          reinterpret_cast<std::uint8_t*>(
              pixels + static_cast<std::size_t>(rect.y) * static_cast<std::size_t>(size.width) +
              static_cast<std::size_t>(rect.x)),
          stride);
    }
    const std::uint32_t beyond = Xrgb().Word(kBeyondCanvas);
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
      std::uint32_t* out =
          pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width);
      const int from = y < canvas_bottom ? std::max(rect.x, canvas_right) : rect.x;
      std::fill(out + from, out + rect.x + rect.w, beyond);
    }
  }

  static void OnRelease(void* data, wl_buffer*) { static_cast<WaylandBuffer*>(data)->held = false; }
  static constexpr wl_buffer_listener kListener{OnRelease};
};

WaylandBuffers::WaylandBuffers(wl_display* display, wl_shm* shm, wl_surface* surface)
    : display_(display), shm_(shm), surface_(surface) {}

WaylandBuffers::~WaylandBuffers() {
  if (frame_ != nullptr) wl_callback_destroy(frame_);
}

void WaylandBuffers::Tidy() {
  std::erase_if(buffers_, [](const auto& buffer) { return buffer->orphan && !buffer->held; });
}

void WaylandBuffers::ShowAll(const Canvas& canvas, PixelSize size) {
  // Too large for a buffer whose size is counted in 32 bits: nothing, until it is smaller again.
  if (size.width <= 0 || size.height <= 0 || TooLargeForABuffer(size)) return;
  if (size.width != size_.width || size.height != size_.height) {
    size_ = size;
    for (auto& buffer : buffers_) buffer->orphan = true;
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

void WaylandBuffers::Show(const Canvas& canvas, std::span<const PixelRect> changed) {
  for (const PixelRect& rect : changed) {
    for (auto& buffer : buffers_) buffer->Stale(rect);
    if (unshown_.size() == kMostRects) unshown_whole_ = true;
    if (!unshown_whole_) unshown_.push_back(rect);
  }
  ShowWaiting(canvas);
}

void WaylandBuffers::ShowWaiting(const Canvas& canvas) {
  if (frame_ != nullptr || (unshown_.empty() && !unshown_whole_) || size_.width <= 0) return;
  Commit(canvas);
}

void WaylandBuffers::Commit(const Canvas& canvas) {
  WaylandBuffer* buffer = FreeBuffer();
  if (buffer == nullptr) return;  // all held: the next frame
  if (buffer->whole) {
    buffer->Draw(canvas, {0, 0, size_.width, size_.height});
  } else {
    for (const PixelRect& rect : buffer->stale) buffer->Draw(canvas, rect);
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
  static constexpr wl_callback_listener kFrameListener{OnFrame};
  wl_callback_add_listener(frame_, &kFrameListener, this);
  wl_surface_commit(surface_);
  buffer->held = true;
  wl_display_flush(display_);
}

void WaylandBuffers::OnFrame(void* data, wl_callback* callback, std::uint32_t) {
  auto* self = static_cast<WaylandBuffers*>(data);
  wl_callback_destroy(callback);
  if (self->frame_ == callback) self->frame_ = nullptr;
}

WaylandBuffer* WaylandBuffers::FreeBuffer() {
  for (auto& buffer : buffers_) {
    if (!buffer->held && !buffer->orphan) return buffer.get();
  }
  const auto current = std::count_if(buffers_.begin(), buffers_.end(),
                                     [](const auto& buffer) { return !buffer->orphan; });
  if (static_cast<std::size_t>(current) >= kMostBuffers) return nullptr;
  buffers_.push_back(MakeBuffer(size_));
  return buffers_.back().get();
}

std::unique_ptr<WaylandBuffer> WaylandBuffers::MakeBuffer(PixelSize size) {
  auto made = std::make_unique<WaylandBuffer>();
  made->size = size;
  const std::size_t stride = static_cast<std::size_t>(size.width) * kBytesPerPixel;
  made->bytes = stride * static_cast<std::size_t>(size.height);
  const int fd = memfd_create("drelm-wheel", MFD_CLOEXEC);
  if (fd < 0) Fail("no shared memory for the window");
  if (ftruncate(fd, static_cast<off_t>(made->bytes)) != 0) {
    close(fd);
    Fail("no shared memory of " + std::to_string(made->bytes) + " bytes");
  }
  // A buffer is first drawn whole: its pages are made in one call, not a fault at a time.
  void* memory =
      mmap(nullptr, made->bytes, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, fd, 0);
  if (memory == MAP_FAILED) {
    close(fd);
    Fail("cannot map the window's shared memory");
  }
  made->pixels = static_cast<std::uint32_t*>(memory);
  // TooLargeForABuffer keeps the byte count within the 32 bits the protocol counts it in.
  wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<std::int32_t>(made->bytes));
  made->buffer = wl_shm_pool_create_buffer(
      pool, 0, size.width, size.height, static_cast<std::int32_t>(stride), WL_SHM_FORMAT_XRGB8888);
  wl_buffer_add_listener(made->buffer, &WaylandBuffer::kListener, made.get());
  wl_shm_pool_destroy(pool);
  close(fd);
  return made;
}

}  // namespace drelm
