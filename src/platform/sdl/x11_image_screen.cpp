// Xlib stays in this file and x11_desktop.cpp: its macros (None, Status, Bool) collide with
// ordinary C++ names.
#include "platform/sdl/x11_image_screen.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <vector>

#include "platform/sdl/sdl_window.h"

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

// Puts changed rectangles of the canvas on the window. Shared with the server, a frame is not
// waited for: the server says when it has read it (a completion event), and the pump sleeps
// until the next frame meanwhile; only then may the passes write the pixels again. Sent, the
// pixels are written into the request at once.
class X11ImageScreen final : public Screen {
 public:
  X11ImageScreen(const SdlWindow& window, const X11Window& native)
      : sdl_window_(window), display_(native.display), window_(native.window) {}
  ~X11ImageScreen() override {
    if (gc_ != nullptr) XFreeGC(display_, gc_);
    Unshare();
    if (image_ != nullptr) {
      image_->data = nullptr;  // the pixels are not Xlib's to free
      XDestroyImage(image_);
    }
  }
  X11ImageScreen(const X11ImageScreen&) = delete;
  X11ImageScreen& operator=(const X11ImageScreen&) = delete;

  // Makes the image for a canvas of `canvas` pixels, shared where it can be; false where the
  // window's screen lays out pixels otherwise.
  bool Open(PixelSize canvas) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, window_, &attributes) == 0) return false;
    gc_ = XCreateGC(display_, window_, 0, nullptr);
    if (gc_ == nullptr) return false;
    if (XShmQueryExtension(display_) == True && Share(attributes, canvas)) return true;
    return Send(attributes, canvas);
  }

  Rgb* CanvasMemory() override {
    return shared_ ? reinterpret_cast<Rgb*>(segment_.shmaddr) : own_.data();
  }

  void Present(const Canvas&, std::span<const PixelRect> changed) override {
    WaitUntilRead();
    for (std::size_t i = 0; i < changed.size(); ++i) Put(changed[i], i + 1 == changed.size());
    outstanding_ = shared_ && !changed.empty();
    XFlush(display_);
  }

  void PresentAll(const Canvas& canvas) override {
    WaitUntilRead();
    const PixelSize window = sdl_window_.Pixels();
    if (window.width > canvas.width() || window.height > canvas.height()) {
      XSetForeground(display_, gc_, kBeyondCanvas.value);
      XFillRectangle(display_, window_, gc_, 0, 0, static_cast<unsigned>(window.width),
                     static_cast<unsigned>(window.height));
    }
    const PixelSize shown = ShownArea(window, {canvas.width(), canvas.height()});
    const PixelRect all{0, 0, shown.width, shown.height};
    if (!all.Empty()) Put(all, false);
    XSync(display_, False);
  }

  void WaitUntilRead() override {
    if (!outstanding_) return;
    outstanding_ = false;
    // Normally the completion came long ago. SDL's pump may have taken it with the window's
    // events, and then a round trip makes sure.
    XEvent event;
    if (XCheckTypedEvent(display_, completion_, &event) != True) XSync(display_, False);
  }

 private:
  // The image in memory shared with the server; false, with nothing of it kept, where the server
  // cannot share it (it lies on another machine) or lays out pixels otherwise.
  bool Share(const XWindowAttributes& attributes, PixelSize canvas) {
    image_ =
        XShmCreateImage(display_, attributes.visual, 24, ZPixmap, nullptr, &segment_,
                        static_cast<unsigned>(canvas.width), static_cast<unsigned>(canvas.height));
    if (image_ == nullptr || !SameLayout(attributes, *image_, display_)) return Unshare();
    const std::size_t bytes =
        static_cast<std::size_t>(image_->bytes_per_line) * static_cast<std::size_t>(canvas.height);
    segment_.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (segment_.shmid < 0) return Unshare();
    void* memory = shmat(segment_.shmid, nullptr, 0);
    // Marked for removal at once: it goes when both sides let go, however the program ends.
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    if (memory == reinterpret_cast<void*>(-1)) return Unshare();
    segment_.shmaddr = static_cast<char*>(memory);
    segment_.readOnly = True;
    image_->data = segment_.shmaddr;
    attached_ = Attach(display_, segment_);
    if (!attached_) return Unshare();
    completion_ = XShmGetEventBase(display_) + ShmCompletion;
    shared_ = true;
    return true;
  }

  // Lets go of what sharing made; false.
  bool Unshare() {
    if (attached_) {
      XShmDetach(display_, &segment_);
      XSync(display_, False);
      attached_ = false;
    }
    if (image_ != nullptr) {
      image_->data = nullptr;
      XDestroyImage(image_);
      image_ = nullptr;
    }
    if (segment_.shmaddr != nullptr) shmdt(segment_.shmaddr);
    segment_ = {};
    shared_ = false;
    return false;
  }

  // The image in the program's own memory, sent to the server a changed rectangle at a time.
  bool Send(const XWindowAttributes& attributes, PixelSize canvas) {
    image_ = XCreateImage(display_, attributes.visual, 24, ZPixmap, 0, nullptr,
                          static_cast<unsigned>(canvas.width), static_cast<unsigned>(canvas.height),
                          32, 0);
    if (image_ == nullptr || !SameLayout(attributes, *image_, display_)) return false;
    own_.assign(static_cast<std::size_t>(canvas.width) * static_cast<std::size_t>(canvas.height),
                Rgb{0});
    image_->data = reinterpret_cast<char*>(own_.data());
    return true;
  }

  // Asks the server to copy a rectangle of the canvas to the same place in the window, and, when
  // shared, to say when it has when `tell`.
  void Put(const PixelRect& rect, bool tell) {
    const auto w = static_cast<unsigned>(rect.w), h = static_cast<unsigned>(rect.h);
    if (shared_) {
      XShmPutImage(display_, window_, gc_, image_, rect.x, rect.y, rect.x, rect.y, w, h,
                   tell ? True : False);
    } else {
      XPutImage(display_, window_, gc_, image_, rect.x, rect.y, rect.x, rect.y, w, h);
    }
  }

  const SdlWindow& sdl_window_;
  Display* display_;
  Window window_;
  GC gc_ = nullptr;
  XImage* image_ = nullptr;  // the canvas, as the server sees it
  XShmSegmentInfo segment_{};
  bool attached_ = false;
  bool shared_ = false;       // the image in shared memory, else in own_
  std::vector<Rgb> own_;      // the canvas's pixels where they are sent
  int completion_ = 0;        // the completion event's type
  bool outstanding_ = false;  // a frame put whose completion is not yet seen
};

}  // namespace

std::unique_ptr<Screen> OpenX11ImageScreen(const SdlWindow& window, const X11Window& native,
                                           PixelSize canvas) {
  auto screen = std::make_unique<X11ImageScreen>(window, native);
  if (!screen->Open(canvas)) return nullptr;
  return screen;
}

}  // namespace drelm
