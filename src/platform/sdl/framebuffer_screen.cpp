#include "platform/sdl/framebuffer_screen.h"

#include <SDL.h>

#include <vector>

#include "platform/common/host_error.h"
#include "platform/sdl/sdl_error.h"
#include "platform/sdl/sdl_window.h"

namespace drelm {
namespace {

SDL_Rect ToSdl(const PixelRect& rect) {
  return {rect.x, rect.y, rect.w, rect.h};
}

// X11's own framebuffer, shared memory where it can: a changed rectangle costs a fraction of a
// millisecond, many times less than a software renderer's frame.
class FramebufferScreen final : public Screen {
 public:
  explicit FramebufferScreen(const SdlWindow& window) : window_(window) {}
  ~FramebufferScreen() override {
    if (view_ != nullptr) SDL_FreeSurface(view_);
  }
  FramebufferScreen(const FramebufferScreen&) = delete;
  FramebufferScreen& operator=(const FramebufferScreen&) = delete;

  void Present(const Canvas& canvas, std::span<const PixelRect> changed) override {
    SDL_Surface* screen = Surface();
    if (screen == nullptr) return;
    SDL_Surface* view = View(canvas);
    shown_.clear();
    for (const PixelRect& rect : changed) {
      SDL_Rect shown = ToSdl(rect);
      SDL_Rect target = shown;
      // The blit converts to the window's own format: 16 bits, 24, or whatever the display has.
      SDL_BlitSurface(view, &shown, screen, &target);
      shown_.push_back(shown);
    }
    if (SDL_UpdateWindowSurfaceRects(window_.handle(), shown_.data(),
                                     static_cast<int>(shown_.size())) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

  void PresentAll(const Canvas& canvas) override {
    SDL_Surface* screen = Surface();
    if (screen == nullptr) return;
    SDL_FillRect(screen, nullptr,
                 SDL_MapRGB(screen->format, kBeyondCanvas.red(), kBeyondCanvas.green(),
                            kBeyondCanvas.blue()));
    SDL_Rect all{0, 0, canvas.width(), canvas.height()};
    SDL_BlitSurface(View(canvas), &all, screen, &all);
    if (SDL_UpdateWindowSurface(window_.handle()) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

 private:
  // The window's surface, made again by SDL after a resize; nothing while the window is too
  // large to have one.
  SDL_Surface* Surface() const {
    if (TooLargeForABuffer(window_.Pixels())) return nullptr;
    SDL_Surface* screen = SDL_GetWindowSurface(window_.handle());
    if (screen == nullptr) throw HostError(SdlError("the window has no surface to draw on"));
    return screen;
  }

  // The canvas as an SDL surface, the source of every blit; SDL only reads its pixels.
  SDL_Surface* View(const Canvas& canvas) {
    if (view_ != nullptr) return view_;
    auto* pixels = const_cast<Rgb*>(canvas.Row(0));
    view_ = SDL_CreateRGBSurfaceWithFormatFrom(pixels, canvas.width(), canvas.height(), 32,
                                               canvas.width() * static_cast<int>(sizeof(Rgb)),
                                               SDL_PIXELFORMAT_RGB888);
    if (view_ == nullptr) throw HostError(SdlError("cannot share the canvas with SDL"));
    return view_;
  }

  const SdlWindow& window_;
  SDL_Surface* view_ = nullptr;
  std::vector<SDL_Rect> shown_;  // kept between frames, so a frame allocates nothing
};

}  // namespace

std::unique_ptr<Screen> OpenFramebufferScreen(const SdlWindow& window, std::string& why_not) {
  if (SDL_GetWindowSurface(window.handle()) == nullptr) {
    why_not = SdlError("no framebuffer");
    return nullptr;
  }
  return std::make_unique<FramebufferScreen>(window);
}

}  // namespace drelm
