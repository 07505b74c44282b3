#include "platform/sdl/sdl_host.h"

#include <SDL.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "icon/window_icon.h"
#include "platform/common/printable.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_screen.h"
#include "platform/sdl/x11_desktop.h"
#include "platform/sdl/x11_shared_pixels.h"

namespace drelm {
namespace {

// The desktop entry's name: docks match the running window to the launcher by it (the X11
// WM_CLASS, the Wayland app_id).
constexpr char kAppName[] = "drelm-wheel";

std::string SdlError(const char* what) {
  return std::string(what) + ": " + SDL_GetError();
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != 0;
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

// Whether WAYLAND_DISPLAY names a compositor's socket that is there. Only then is Wayland tried:
// libwayland complains on stderr of its own accord about one that is not.
bool HasWayland() {
  const std::string name = Variable("WAYLAND_DISPLAY");
  if (name.empty()) return false;
  const std::string runtime = Variable("XDG_RUNTIME_DIR");
  if (name.front() != '/' && runtime.empty()) return false;
  const std::string path = name.front() == '/' ? name : runtime + "/" + name;
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The whole picture at the window's scale, and at least the largest display, so that a window
// enlarged to any of them still shows canvas. Wayland gives displays in points, X11 in pixels.
SdlHost::CanvasSize SizeOfCanvas(const WorldMapping& mapping, double points_to_pixels) {
  SdlHost::CanvasSize size{mapping.PictureWidth(), mapping.PictureHeight()};
  const int displays = SDL_GetNumVideoDisplays();
  for (int i = 0; i < displays; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) {
      size.width = std::max(size.width, static_cast<int>(std::ceil(bounds.w * points_to_pixels)));
      size.height = std::max(size.height, static_cast<int>(std::ceil(bounds.h * points_to_pixels)));
    }
  }
  return size;
}

// In memory shared with the X server where it can be, else in the program's own.
Canvas MakeCanvas(SdlHost::CanvasSize size, const X11SharedPixels* shared) {
  if (shared != nullptr) return Canvas(size.width, size.height, shared->memory());
  return Canvas(size.width, size.height);
}

}  // namespace

SdlHost::Video::Video() {
  const bool has_wayland = HasWayland();
  if (!has_wayland && !IsSet("DISPLAY")) {
    if (IsSet("WAYLAND_DISPLAY")) {
      throw HostError("no display: WAYLAND_DISPLAY=" + Printable(Variable("WAYLAND_DISPLAY")) +
                      " names no Wayland socket, and DISPLAY is not set");
    }
    throw HostError("no display: DISPLAY is not set (nor WAYLAND_DISPLAY)");
  }
  // The program talks to nothing but its display. With no session bus, SDL's use of D-Bus (the
  // screensaver, input methods) would have libdbus start one, which outlives the program.
  if (!IsSet("DBUS_SESSION_BUS_ADDRESS")) setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  // Native Wayland in a Wayland session: there the picture can be drawn at the output's own
  // resolution, where XWayland would enlarge a blurred one. Only the window systems named in the
  // environment: a failing X display must not send SDL on to try Wayland, whose library
  // complains on stderr of its own accord.
  SDL_SetHint(SDL_HINT_VIDEODRIVER, has_wayland ? "wayland,x11" : "x11");
  SDL_SetHint("SDL_VIDEO_X11_WMCLASS", kAppName);
  SDL_SetHint("SDL_VIDEO_WAYLAND_WMCLASS", kAppName);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    throw HostError("cannot open the display DISPLAY=" + Printable(Variable("DISPLAY")) + ": " +
                    SDL_GetError());
  }
  // Without a display SDL falls back to drivers whose windows nobody sees and nobody can close.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr ||
      (std::strcmp(driver, "x11") != 0 && std::strcmp(driver, "wayland") != 0)) {
    SDL_Quit();
    throw HostError(std::string("no display: SDL chose the '") + (driver ? driver : "none") +
                    "' video driver; check DISPLAY");
  }
  wayland = std::strcmp(driver, "wayland") == 0;
  if (!wayland) InstallXErrorHandlers(kAppName);
  // On X11 the plain framebuffer shows a CPU-drawn picture several times faster than SDL's
  // OpenGL-backed one, which under a software renderer costs more than the animation itself.
  if (!wayland) SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

SdlHost::Video::~Video() {
  SDL_Quit();
}

SdlHost::Window::Window(const Video& video) {
  constexpr Uint32 kFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_SHOWN | SDL_WINDOW_ALLOW_HIGHDPI;
  // An X11 desktop tells its scale through Xft.dpi, and the window is sized in pixels at it. A
  // Wayland window is sized in points; the output's scale gives it more pixels than points.
  if (!video.wayland) dpi = XftDpi().value_or(kStandardDpi);
  const WorldMapping mapping(video.wayland ? kStandardDpi : dpi);
  handle = SDL_CreateWindow(kCaption, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                            mapping.StartWidth(), mapping.StartHeight(), kFlags);
  if (handle == nullptr) throw HostError(SdlError("cannot create the window"));
  if (video.wayland) {
    int points = 0;
    int pixels = 0;
    int height = 0;
    SDL_GetWindowSize(handle, &points, &height);
    SDL_GetWindowSizeInPixels(handle, &pixels, &height);
    if (points > 0 && pixels > 0) dpi = kStandardDpi * pixels / points;
  }
}

SdlHost::Window::~Window() {
  SDL_DestroyWindow(handle);
}

SdlHost::SdlHost()
    : window_(video_),
      mapping_(window_.dpi),
      canvas_size_(SizeOfCanvas(mapping_, video_.wayland ? window_.dpi / kStandardDpi : 1.0)),
      shared_(video_.wayland
                  ? nullptr
                  : X11SharedPixels::Open(window_.handle, canvas_size_.width, canvas_size_.height)),
      canvas_(MakeCanvas(canvas_size_, shared_.get())),
      surface_(canvas_, mapping_),
      screen_(shared_ != nullptr ? shared_->OpenScreen()
                                 : OpenScreen(window_.handle, canvas_, !video_.wayland)) {
  IconImage icon = WindowIcon();
  if (SDL_Surface* icon_view = SDL_CreateRGBSurfaceWithFormatFrom(
          icon.argb.data(), icon.width, icon.height, 32,
          icon.width * static_cast<int>(sizeof(std::uint32_t)), SDL_PIXELFORMAT_ARGB8888)) {
    SDL_SetWindowIcon(window_.handle, icon_view);
    SDL_FreeSurface(icon_view);
  }
  RepaintAll();
}

SdlHost::~SdlHost() = default;

void SdlHost::WaitForEvents(std::chrono::milliseconds longest, DrelmWheel& window) {
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, static_cast<int>(longest.count())) == 1) {
    Dispatch(event, window);
  }
  DispatchEvents(window);
}

void SdlHost::WaitForPass(Pacer::Time due, DrelmWheel&) {
  // Neither reading the display nor watching it: a frame's sleep is one wake-up, where waiting
  // on the display's connection costs several of its reads.
  std::this_thread::sleep_until(due);
}

void SdlHost::Settle() {
  screen_->Settle();
}

void SdlHost::DispatchEvents(DrelmWheel& window) {
  SDL_PumpEvents();
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
      // SDL gives the pointer in points; the mapping is in pixels.
      int points = 0;
      int pixels = 0;
      int height = 0;
      SDL_GetWindowSize(window_.handle, &points, &height);
      screen_->PixelSize(pixels, height);
      const double scale = points > 0 ? static_cast<double>(pixels) / points : 1.0;
      const PixelPoint at = mapping_.ToWorld(event.button.x * scale, event.button.y * scale);
      window.MouseDown(MouseButtonCode(event.button.button), ShiftStateCode(SDL_GetModState()),
                       static_cast<float>(at.x), static_cast<float>(at.y));
    }
    default:
      break;
  }
}

bool SdlHost::Visible() const {
  return (SDL_GetWindowFlags(window_.handle) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

void SdlHost::ShowChanges() {
  SendChanges();
  screen_->Settle();
}

void SdlHost::SendChanges() {
  // A window nobody can see is sent nothing; what changed meanwhile shows when it comes back.
  if (!Visible()) return;
  const std::vector<PixelRect> dirty = canvas_.TakeDirtyRects();
  if (!dirty.empty()) screen_->Show(canvas_, dirty);
}

void SdlHost::RepaintAll() {
  if (!Visible()) return;
  canvas_.TakeDirtyRects();  // all of it is shown
  screen_->ShowAll(canvas_);
}

void SdlHost::SetClientSize(int width, int height) {
  SDL_SetWindowSize(window_.handle, width, height);
  SDL_PumpEvents();
  RepaintAll();
}

void SdlHost::ShowError(const std::string& title, const std::string& message) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), window_.handle);
}

}  // namespace drelm
