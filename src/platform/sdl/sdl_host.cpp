#include "platform/sdl/sdl_host.h"

#include <SDL.h>

#include <thread>

#include "app/program_end.h"
#include "platform/common/mouse.h"
#include "platform/sdl/open_screen.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_video.h"
#include "platform/sdl/sdl_window.h"
#include "platform/sdl/wayland_display.h"

namespace drelm {

SdlHost::SdlHost() {
  video_ = std::make_unique<SdlVideo>();
  window_ = std::make_unique<SdlWindow>(*video_);
  wayland_ = WaylandDisplay::Of(window_->native());
  const PixelSize size = CanvasFor(window_->mapping(), window_->LargestDisplay());
  screen_ = OpenScreen(*window_, size);
  // In the memory the display reads the picture from, where the screen has it.
  if (Rgb* memory = screen_->CanvasMemory()) {
    canvas_ = std::make_unique<Canvas>(size.width, size.height, memory);
  } else {
    canvas_ = std::make_unique<Canvas>(size.width, size.height);
  }
  surface_ = std::make_unique<WorldCanvas>(*canvas_, window_->mapping());
  Repaint();
}

SdlHost::~SdlHost() = default;

void SdlHost::WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) {
  if (wayland_) {
    // Waited for on the connection itself: SDL's own wait goes on pumping a failed one.
    CheckDisplay();
    if (!SDL_HasEvents(SDL_FIRSTEVENT, SDL_LASTEVENT)) wayland_->Wait(longest);
    HandOverEvents(window);
    return;
  }
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, static_cast<int>(longest.count())) == 1) {
    HandOver(event, window);
  }
  HandOverEvents(window);
}

void SdlHost::WaitForPass(Pacer::Time due, WindowInput&) {
  // Neither reading the display nor watching it: a frame's sleep is one wake-up, where waiting
  // on the display's connection costs several of its reads.
  std::this_thread::sleep_until(due);
}

void SdlHost::WaitUntilShown() {
  screen_->WaitUntilRead();
}

void SdlHost::HandOverEvents(WindowInput& window) {
  CheckDisplay();
  // This read of the display's connection is also what brings the Wayland screen its frame
  // callbacks and buffer releases: they wait on its own queue until it shows the next frame.
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1) {
    HandOver(event, window);
  }
}

void SdlHost::HandOver(const SDL_Event& event, WindowInput& window) {
  switch (event.type) {
    case SDL_QUIT:  // the last window closed, or a lost display, which is no quit of the user's
      CheckDisplay();
      End();
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          End();
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
          Repaint();
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
      const double scale = window_->PixelsPerPoint();
      PressMouse(window, window_->mapping(), MouseButtonCode(event.button.button),
                 ShiftStateCode(SDL_GetModState()),
                 {event.button.x * scale, event.button.y * scale});
      break;
    }
    default:
      break;
  }
}

bool SdlHost::Visible() const {
  return (SDL_GetWindowFlags(window_->handle()) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0;
}

void SdlHost::CheckDisplay() const {
  if (wayland_) wayland_->CheckAlive();
}

void SdlHost::ShowFrame() {
  CheckDisplay();
  // A window nobody can see is sent nothing; what changed meanwhile shows when it comes back.
  if (!Visible()) return;
  std::vector<PixelRect> changed = canvas_->TakeDirtyRects();
  KeepWithin(changed, ShownArea(window_->Pixels(), {canvas_->width(), canvas_->height()}));
  if (!changed.empty()) screen_->Present(*canvas_, changed);
}

void SdlHost::Repaint() {
  CheckDisplay();
  if (!Visible()) return;
  canvas_->TakeDirtyRects();  // all of it is shown
  screen_->PresentAll(*canvas_);
}

void SdlHost::SetClientSize(int width, int height) {
  SDL_SetWindowSize(window_->handle(), width, height);
  SDL_PumpEvents();
  Repaint();
}

void SdlHost::ShowError(const std::string& title, const std::string& message) {
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(),
                           window_ ? window_->handle() : nullptr);
}

}  // namespace drelm
