// Xlib stays in this file and x11_desktop.cpp: its macros (None, Status, Bool) collide with
// ordinary C++ names.
#include "platform/sdl/x11_shm_screen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <vector>

namespace drelm {
namespace {

bool g_refused = false;

int NoteRefusal(Display*, XErrorEvent*) {
  g_refused = true;
  return 0;
}

// Attaches the segment, and waits for the server's answer: a server on another machine refuses
// it. Meanwhile an X error is no fault of the program's.
bool Attach(Display* display, XShmSegmentInfo& segment) {
  XSync(display, False);
  g_refused = false;
  const auto previous = XSetErrorHandler(NoteRefusal);
  XShmAttach(display, &segment);
  XSync(display, False);
  XSetErrorHandler(previous);
  return !g_refused;
}

// Whether the server reads pixels laid out as the canvas holds them: 0x00RRGGBB in 32 bits, in
// this machine's byte order, a channel a byte (a TrueColor visual, or a DirectColor one with
// the ramps servers give them).
bool SameLayout(const XWindowAttributes& attributes, const XImage& image, Display* display) {
  const Visual* visual = attributes.visual;
  constexpr int kOwnOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
  return attributes.depth == 24 &&
         (visual->c_class == TrueColor || visual->c_class == DirectColor) &&
         visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 &&
         visual->blue_mask == 0x0000FF && image.bits_per_pixel == 32 &&
         image.bytes_per_line == image.width * 4 && ImageByteOrder(display) == kOwnOrder;
}

// Puts changed rectangles of the shared canvas on the window. A frame is not waited for: the
// server says when it has read it (a completion event), and the pump sleeps until the next
// frame meanwhile; only then may the passes write the pixels again.
class X11ShmScreen final : public Screen {
 public:
  explicit X11ShmScreen(SDL_Window* window) : sdl_window_(window) {}
  ~X11ShmScreen() override {
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    if (attached_) {
      XShmDetach(display_, &segment_);
      XSync(display_, False);
    }
    if (image_ != nullptr) {
      image_->data = nullptr;  // the segment is not Xlib's to free
      XDestroyImage(image_);
    }
    if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
  }
  X11ShmScreen(const X11ShmScreen&) = delete;
  X11ShmScreen& operator=(const X11ShmScreen&) = delete;

  // Makes the shared memory for a canvas of `canvas` pixels; false where it cannot be had.
  bool Open(PixelSize canvas) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(sdl_window_, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
      return false;
    }
    display_ = info.info.x11.display;
    window_ = info.info.x11.window;
    XWindowAttributes attributes;
    if (XShmQueryExtension(display_) != True ||
        XGetWindowAttributes(display_, window_, &attributes) == 0) {
      return false;
    }
    image_ =
        XShmCreateImage(display_, attributes.visual, 24, ZPixmap, nullptr, &segment_,
                        static_cast<unsigned>(canvas.width), static_cast<unsigned>(canvas.height));
    if (image_ == nullptr || !SameLayout(attributes, *image_, display_)) return false;
    const std::size_t bytes =
        static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(canvas.height);
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return false;
    void* memory = shmat(segment_.shmid, nullptr, 0);
    // Marked for removal at once: it goes when both sides let go, however the program ends.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) return false;
    segment_.shmaddr = static_cast<char*>(memory);
    segment_.readOnly = True;
    image_->data = segment_.shmaddr;
    attached_ = Attach(display_, segment_);
    if (!attached_) return false;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    completion_ = XShmGetEventBase(display_) + ShmCompletion;
    return gc_ != nullptr;
  }

  Rgb* CanvasMemory() override { return reinterpret_cast<Rgb*>(segment_.shmaddr); }

  PixelSize WindowPixels() const override {
    PixelSize size;
    SDL_GetWindowSizeInPixels(sdl_window_, &size.width, &size.height);
    return size;
  }

  void Show(const Canvas& canvas, std::span<const PixelRect> changed) override {
    Settle();
    const PixelSize shown = ShownArea(canvas);
    shown_.clear();
    for (const PixelRect& rect : changed) {
      const PixelRect within = Within(rect, shown.width, shown.height);
      if (!within.Empty()) shown_.push_back(within);
    }
    for (std::size_t i = 0; i < shown_.size(); ++i) Put(shown_[i], i + 1 == shown_.size());
    outstanding_ = !shown_.empty();
    XFlush(display_);
  }

  void Repaint(const Canvas& canvas) override {
    Settle();
    const PixelSize window = WindowPixels();
    if (window.width > canvas.width() || window.height > canvas.height()) {
      XSetForeground(display_, gc_, kBeyondCanvas.value);
      XFillRectangle(display_, window_, gc_, 0, 0, static_cast<unsigned>(window.width),
                     static_cast<unsigned>(window.height));
    }
    const PixelSize shown = ShownArea(canvas);
    const PixelRect all{0, 0, shown.width, shown.height};
    if (!all.Empty()) Put(all, false);
    XSync(display_, False);
  }

  void Settle() override {
    if (!outstanding_) return;
    outstanding_ = false;
    // Normally the completion came long ago. SDL's pump may have taken it with the window's
    // events, and then a round trip makes sure.
    XEvent event;
    if (XCheckTypedEvent(display_, completion_, &event) != True) XSync(display_, False);
  }

 private:
  // The part of the window the canvas covers.
  PixelSize ShownArea(const Canvas& canvas) const {
    const PixelSize window = WindowPixels();
    return {std::min(window.width, canvas.width()), std::min(window.height, canvas.height())};
  }

  // Asks the server to copy a rectangle of the canvas to the same place in the window, and to
  // say when it has when `tell`.
  void Put(const PixelRect& rect, bool tell) {
    XShmPutImage(display_, window_, gc_, image_, rect.x, rect.y, rect.x, rect.y,
                 static_cast<unsigned>(rect.w), static_cast<unsigned>(rect.h), tell ? True : False);
  }

  SDL_Window* sdl_window_;
  Display* display_ = nullptr;
  Window window_ = 0;
  XShmSegmentInfo segment_{};
  XImage* image_ = nullptr;  // the canvas, as the server sees it
  bool attached_ = false;
  GC gc_ = nullptr;
  int completion_ = 0;            // the completion event's type
  bool outstanding_ = false;      // a frame put whose completion is not yet seen
  std::vector<PixelRect> shown_;  // kept between frames, so a frame allocates nothing
};

}  // namespace

std::unique_ptr<Screen> OpenX11ShmScreen(SDL_Window* window, PixelSize canvas) {
  auto screen = std::make_unique<X11ShmScreen>(window);
  if (!screen->Open(canvas)) return nullptr;
  return screen;
}

}  // namespace drelm
