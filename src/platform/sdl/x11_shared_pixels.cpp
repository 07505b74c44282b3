// Xlib stays in this file and x11_desktop.cpp: its macros (None, Status, Bool) collide with
// ordinary C++ names.
#include "platform/sdl/x11_shared_pixels.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>

#include "platform/common/host_error.h"

namespace drelm {

struct X11SharedPixels::State {
  SDL_Window* sdl_window = nullptr;
  Display* display = nullptr;
  Window window = 0;
  XShmSegmentInfo segment{};
  XImage* image = nullptr;  // the canvas, as the server sees it
  bool attached = false;
  GC gc = nullptr;

  ~State() {
    if (gc != nullptr) XFreeGC(display, gc);
    if (attached) {
      XShmDetach(display, &segment);
      XSync(display, False);
    }
    if (image != nullptr) {
      image->data = nullptr;  // the segment is not Xlib's to free
      XDestroyImage(image);
    }
    if (segment.shmaddr != nullptr) shmdt(segment.shmaddr);
  }
};

namespace {

// What the window beyond the canvas shows, if it is larger still: the background.
constexpr Rgb kBeyond = PixelOf(kBackground);

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
class SharedScreen final : public Screen {
 public:
  explicit SharedScreen(X11SharedPixels::State& state)
      : state_(state), completion_(XShmGetEventBase(state.display) + ShmCompletion) {}

  void PixelSize(int& width, int& height) const override {
    SDL_GetWindowSizeInPixels(state_.sdl_window, &width, &height);
  }

  void Show(const Canvas& canvas, const std::vector<PixelRect>& rects) override {
    Settle();
    int width = 0;
    int height = 0;
    PixelSize(width, height);
    width = std::min(width, canvas.width());
    height = std::min(height, canvas.height());
    shown_.clear();
    for (const PixelRect& rect : rects) {
      const PixelRect within = Within(rect, width, height);
      if (!within.Empty()) shown_.push_back(within);
    }
    for (std::size_t i = 0; i < shown_.size(); ++i) Put(shown_[i], i + 1 == shown_.size());
    outstanding_ = !shown_.empty();
    XFlush(state_.display);
  }

  void ShowAll(const Canvas& canvas) override {
    Settle();
    int width = 0;
    int height = 0;
    PixelSize(width, height);
    if (width > canvas.width() || height > canvas.height()) {
      XSetForeground(state_.display, state_.gc, kBeyond.value);
      XFillRectangle(state_.display, state_.window, state_.gc, 0, 0, static_cast<unsigned>(width),
                     static_cast<unsigned>(height));
    }
    const PixelRect all = Within(PixelRect{0, 0, canvas.width(), canvas.height()}, width, height);
    if (!all.Empty()) Put(all, false);
    XSync(state_.display, False);
  }

  void Settle() override {
    if (!outstanding_) return;
    outstanding_ = false;
    // Normally the completion came long ago. SDL's pump may have taken it with the window's
    // events, and then a round trip makes sure.
    XEvent event;
    if (XCheckTypedEvent(state_.display, completion_, &event) != True) {
      XSync(state_.display, False);
    }
  }

 private:
  // The part of `rect` within width x height.
  static PixelRect Within(const PixelRect& rect, int width, int height) {
    const int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
    const int x1 = std::min(rect.x + rect.w, width), y1 = std::min(rect.y + rect.h, height);
    return {x0, y0, x1 - x0, y1 - y0};
  }

  // Asks the server to copy a rectangle of the canvas to the same place in the window, and to
  // say when it has when `tell`.
  void Put(const PixelRect& rect, bool tell) {
    XShmPutImage(state_.display, state_.window, state_.gc, state_.image, rect.x, rect.y, rect.x,
                 rect.y, static_cast<unsigned>(rect.w), static_cast<unsigned>(rect.h),
                 tell ? True : False);
  }

  X11SharedPixels::State& state_;
  const int completion_;          // the completion event's type
  bool outstanding_ = false;      // a frame put whose completion is not yet seen
  std::vector<PixelRect> shown_;  // kept between frames, so a frame allocates nothing
};

}  // namespace

std::unique_ptr<X11SharedPixels> X11SharedPixels::Open(SDL_Window* window, int width, int height) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return nullptr;
  }
  auto state = std::make_unique<State>();
  state->sdl_window = window;
  state->display = info.info.x11.display;
  state->window = info.info.x11.window;
  XWindowAttributes attributes;
  if (XShmQueryExtension(state->display) != True ||
      XGetWindowAttributes(state->display, state->window, &attributes) == 0) {
    return nullptr;
  }
  state->image =
      XShmCreateImage(state->display, attributes.visual, 24, ZPixmap, nullptr, &state->segment,
                      static_cast<unsigned>(width), static_cast<unsigned>(height));
  if (state->image == nullptr || !SameLayout(attributes, *state->image, state->display)) {
    return nullptr;
  }
  const std::size_t bytes =
      static_cast<std::size_t>(state->image->bytes_per_line) * static_cast<std::size_t>(height);
  state->segment.shmid = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (state->segment.shmid < 0) return nullptr;
  void* memory = shmat(state->segment.shmid, nullptr, 0);
  // Marked for removal at once: it goes when both sides let go, however the program ends.
  shmctl(state->segment.shmid, IPC_RMID, nullptr);
  if (memory == reinterpret_cast<void*>(-1)) return nullptr;
  state->segment.shmaddr = static_cast<char*>(memory);
  state->segment.readOnly = True;
  state->image->data = state->segment.shmaddr;
  state->attached = Attach(state->display, state->segment);
  if (!state->attached) return nullptr;
  state->gc = XCreateGC(state->display, state->window, 0, nullptr);
  if (state->gc == nullptr) return nullptr;
  return std::unique_ptr<X11SharedPixels>(new X11SharedPixels(std::move(state)));
}

X11SharedPixels::X11SharedPixels(std::unique_ptr<State> state) : state_(std::move(state)) {}

X11SharedPixels::~X11SharedPixels() = default;

Rgb* X11SharedPixels::memory() const {
  return reinterpret_cast<Rgb*>(state_->segment.shmaddr);
}

std::unique_ptr<Screen> X11SharedPixels::OpenScreen() {
  return std::make_unique<SharedScreen>(*state_);
}

}  // namespace drelm
