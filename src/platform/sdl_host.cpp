#include "platform/sdl_host.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/world.h"
#include "platform/key_codes.h"
#include "platform/window_icon.h"

namespace drelm {
namespace {

// While paused the pump sleeps in waits no longer than this, in milliseconds.
constexpr int kPausedWaitMs = 100;
// Between frames the passes run in a burst of well under a millisecond. Reading the display's
// connection costs more than a pass, so within a burst the pump hands over the events already
// read and reads the display again only after this long.
constexpr std::chrono::milliseconds kDisplayReadInterval{1};

std::string SdlError(const char* what) {
  return std::string(what) + ": " + SDL_GetError();
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != 0;
}

bool HasWayland() {
  return IsSet("WAYLAND_DISPLAY");
}

bool HasDisplayVariable() {
  return IsSet("DISPLAY") || HasWayland();
}

// The size of the largest display, so that a window enlarged to it still shows canvas.
std::pair<int, int> CanvasSize() {
  int width = kPictureWidthPx;
  int height = kPictureHeightPx;
  const int displays = SDL_GetNumVideoDisplays();
  for (int i = 0; i < displays; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      width = std::max(width, bounds.w);
      height = std::max(height, bounds.h);
    }
  }
  return {width, height};
}

Canvas MakeCanvas() {
  const auto [width, height] = CanvasSize();
  return Canvas(width, height);
}

SDL_Surface* ViewOf(const Canvas& canvas) {
  // SDL only reads these pixels (the canvas is the source of every blit).
  auto* pixels = const_cast<Rgb*>(canvas.Row(0));
  return SDL_CreateRGBSurfaceWithFormatFrom(pixels, canvas.width(), canvas.height(), 32,
                                            canvas.width() * static_cast<int>(sizeof(Rgb)),
                                            SDL_PIXELFORMAT_RGB888);
}

}  // namespace

SdlHost::Video::Video() {
  if (!HasDisplayVariable()) {
    throw HostError("no display: DISPLAY is not set (nor WAYLAND_DISPLAY)");
  }
  // The plain X11 framebuffer shows a CPU-drawn picture several times faster than SDL's
  // OpenGL-backed one, which under a software renderer costs more than the animation itself.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Only the window systems named in the environment: a failing X display must not send SDL on
  // to try Wayland, whose library complains on stderr of its own accord.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, HasWayland() ? "wayland,x11" : "x11");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    const char* display = std::getenv("DISPLAY");
    throw HostError(std::string("cannot open the display DISPLAY=") + (display ? display : "") +
                    ": " + SDL_GetError());
  }
  // Without a display SDL falls back to drivers whose windows nobody sees and nobody can close.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr || std::strcmp(driver, "offscreen") == 0 ||
      std::strcmp(driver, "dummy") == 0) {
    SDL_Quit();
    throw HostError(std::string("no display: SDL chose the '") + (driver ? driver : "none") +
                    "' video driver; check DISPLAY");
  }
}

SdlHost::Video::~Video() {
  SDL_Quit();
}

SdlHost::SdlHost() : canvas_(MakeCanvas()), surface_(canvas_) {
  window_ =
      SDL_CreateWindow(kCaption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, kStartWidthPx,
                       kStartHeightPx, SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN);
  if (window_ == nullptr) throw HostError(SdlError("cannot create the window"));
  canvas_view_ = ViewOf(canvas_);
  if (canvas_view_ == nullptr) {
    SDL_DestroyWindow(window_);
    throw HostError(SdlError("cannot share the canvas with SDL"));
  }
  Canvas icon = DrawWindowIcon();
  if (SDL_Surface* icon_view = ViewOf(icon)) {
    SDL_SetWindowIcon(window_, icon_view);
    SDL_FreeSurface(icon_view);
  }
  RepaintAll();
}

SdlHost::~SdlHost() {
  SDL_FreeSurface(canvas_view_);
  SDL_DestroyWindow(window_);
}

void SdlHost::DoEvents(DrelmWheel& window) {
  if (window.stoop.Value() != 0) {
    // The hold of a paused window: sleep until something happens.
    pacer_.Restart();
    ShowChanges();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, kPausedWaitMs) == 1) Dispatch(event, window);
    DispatchPending(window);
    return;
  }
  const Pacer::Time now = Pacer::Clock::now();
  const bool read = now - last_read_ >= kDisplayReadInterval;
  if (read) last_read_ = now;
  DispatchPending(window, read);
  if (window.stoop.Value() != 0) {
    ShowChanges();  // a pause shows its last pass at once
    return;
  }
  const Pacer::Step step = pacer_.AfterPass(now);
  if (step.show) ShowChanges();
  WaitUntil(step.resume_at, window);
}

void SdlHost::WaitUntil(Pacer::Time until, DrelmWheel& window) {
  for (;;) {
    const auto left = until - Pacer::Clock::now();
    if (left <= Pacer::Clock::duration::zero()) return;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(ms)) == 1) {
      Dispatch(event, window);
      DispatchPending(window);
      if (window.stoop.Value() != 0) return;
    }
  }
}

void SdlHost::DispatchPending(DrelmWheel& window, bool read_display) {
  if (read_display) SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    Dispatch(event, window);
  }
}

void SdlHost::Dispatch(const SDL_Event& event, DrelmWheel& window) {
  switch (event.type) {
    case SDL_QUIT:  // SIGINT, SIGTERM, or the last window closed
      End();
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          End();
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          RepaintAll();
          break;
        default:
          break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_TEXTINPUT:
      for (int code : CharacterCodes(event)) window.KeyPress(code);
      break;
    case SDL_MOUSEBUTTONDOWN: {
      const PixelPoint at = PixelToWorld(event.button.x, event.button.y);
      window.MouseDown(MouseButtonCode(event.button.button), ShiftStateCode(SDL_GetModState()),
                       static_cast<float>(at.x), static_cast<float>(at.y));
    }
    default:
      break;
  }
}

void SdlHost::ShowChanges() {
  const PixelRect dirty = canvas_.TakeDirty();
  if (!dirty.Empty()) ShowRect(dirty);
}

void SdlHost::RepaintAll() {
  canvas_.TakeDirty();
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (screen == nullptr) return;  // minimized or going away: the next expose repaints
  // Beyond the canvas, if the window is larger still, the background shows.
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0xFF, 0xFF, 0xFF));
  SDL_Rect all{0, 0, canvas_.width(), canvas_.height()};
  SDL_BlitSurface(canvas_view_, &all, screen, &all);
  SDL_UpdateWindowSurface(window_);
}

void SdlHost::ShowRect(const PixelRect& rect) {
  SDL_Surface* screen = SDL_GetWindowSurface(window_);
  if (screen == nullptr) return;
  SDL_Rect area{rect.x, rect.y, rect.w, rect.h};
  SDL_Rect target = area;
  SDL_BlitSurface(canvas_view_, &area, screen, &target);
  // Only the part inside the window goes to the screen.
  SDL_Rect visible{0, 0, screen->w, screen->h};
  SDL_Rect shown;
  if (SDL_IntersectRect(&area, &visible, &shown) == SDL_TRUE) {
    SDL_UpdateWindowSurfaceRects(window_, &shown, 1);
  }
}

void SdlHost::SetClientSize(int width, int height) {
  SDL_SetWindowSize(window_, width, height);
  SDL_PumpEvents();
  RepaintAll();
}

void SdlHost::ShowError(const std::string& title, const std::string& message) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_);
}

}  // namespace drelm
