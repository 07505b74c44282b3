#include "platform/sdl/sdl_screen.h"

#include <SDL.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/common/host_error.h"

namespace drelm {
namespace {

// What the window shows beyond the canvas, if it is larger still: the background.
constexpr Rgb kBeyond = PixelOf(kBackground);

std::string SdlError(const std::string& what) {
  return what + ": " + SDL_GetError();
}

SDL_Rect ToSdl(const PixelRect& rect) {
  return {rect.x, rect.y, rect.w, rect.h};
}

// The part of `rect` inside a width x height area; empty when none.
SDL_Rect Within(const PixelRect& rect, int width, int height) {
  const SDL_Rect area = ToSdl(rect);
  const SDL_Rect bounds{0, 0, width, height};
  SDL_Rect inside{0, 0, 0, 0};
  SDL_IntersectRect(&area, &bounds, &inside);
  return inside;
}

// X11's own framebuffer, shared memory where it can: a changed rectangle costs a fraction of a
// millisecond, many times less than a software renderer's frame.
class FramebufferScreen final : public Screen {
 public:
  FramebufferScreen(SDL_Window* window, const Canvas& canvas) : window_(window) {
    // SDL only reads these pixels: the canvas is the source of every blit.
    auto* pixels = const_cast<Rgb*>(canvas.Row(0));
    view_ = SDL_CreateRGBSurfaceWithFormatFrom(pixels, canvas.width(), canvas.height(), 32,
                                               canvas.width() * static_cast<int>(sizeof(Rgb)),
                                               SDL_PIXELFORMAT_RGB888);
    if (view_ == nullptr) throw HostError(SdlError("cannot share the canvas with SDL"));
  }
  ~FramebufferScreen() override { SDL_FreeSurface(view_); }
  FramebufferScreen(const FramebufferScreen&) = delete;
  FramebufferScreen& operator=(const FramebufferScreen&) = delete;

  void PixelSize(int& width, int& height) const override {
    SDL_GetWindowSizeInPixels(window_, &width, &height);
  }

  void Show(const Canvas&, const std::vector<PixelRect>& rects) override {
    SDL_Surface* screen = Surface();
    shown_.clear();
    for (const PixelRect& rect : rects) {
      SDL_Rect shown = Within(rect, screen->w, screen->h);
      if (SDL_RectEmpty(&shown)) continue;
      SDL_Rect target = shown;
      // The blit converts to the window's own format: 16 bits, 24, or whatever the display has.
      SDL_BlitSurface(view_, &shown, screen, &target);
      shown_.push_back(shown);
    }
    if (shown_.empty()) return;
    if (SDL_UpdateWindowSurfaceRects(window_, shown_.data(), static_cast<int>(shown_.size())) !=
        0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

  void ShowAll(const Canvas& canvas) override {
    SDL_Surface* screen = Surface();
    SDL_FillRect(screen, nullptr,
                 SDL_MapRGB(screen->format, kBeyond.red(), kBeyond.green(), kBeyond.blue()));
    SDL_Rect all{0, 0, canvas.width(), canvas.height()};
    SDL_BlitSurface(view_, &all, screen, &all);
    if (SDL_UpdateWindowSurface(window_) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

 private:
  // The window's surface, made again by SDL after a resize.
  SDL_Surface* Surface() const {
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (screen == nullptr) throw HostError(SdlError("the window has no surface to draw on"));
    return screen;
  }

  SDL_Window* window_;
  SDL_Surface* view_ = nullptr;
  std::vector<SDL_Rect> shown_;  // kept between frames, so a frame allocates nothing
};

// A streaming texture as large as the window's pixels, each changed rectangle copied into it and
// the whole texture drawn and presented. On Wayland this is the only way SDL shows a picture at
// the output's full resolution.
class TextureScreen final : public Screen {
 public:
  explicit TextureScreen(SDL_Window* window) {
    renderer_ = SDL_CreateRenderer(window, -1, 0);
    if (renderer_ == nullptr) throw HostError(SdlError("no renderer for the window"));
  }
  ~TextureScreen() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
  TextureScreen(const TextureScreen&) = delete;
  TextureScreen& operator=(const TextureScreen&) = delete;

  void PixelSize(int& width, int& height) const override {
    if (SDL_GetRendererOutputSize(renderer_, &width, &height) != 0) {
      throw HostError(SdlError("cannot read the window's size"));
    }
  }

  void Show(const Canvas& canvas, const std::vector<PixelRect>& rects) override {
    if (!Fit(canvas)) {
      for (const PixelRect& rect : rects) Upload(canvas, Within(rect, width_, height_));
    }
    Present();
  }

  void ShowAll(const Canvas& canvas) override {
    if (!Fit(canvas)) Upload(canvas, SDL_Rect{0, 0, width_, height_});
    Present();
  }

 private:
  // Makes the texture the size of the window's pixels (no larger than the canvas), filled from
  // the canvas; false when it already was.
  bool Fit(const Canvas& canvas) {
    int width = 0;
    int height = 0;
    PixelSize(width, height);
    output_width_ = width;
    output_height_ = height;
    width = std::clamp(width, 1, canvas.width());
    height = std::clamp(height, 1, canvas.height());
    if (texture_ != nullptr && width == width_ && height == height_) return false;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (texture_ == nullptr) throw HostError(SdlError("cannot make a texture for the picture"));
    width_ = width;
    height_ = height;
    Upload(canvas, SDL_Rect{0, 0, width_, height_});
    return true;
  }

  void Upload(const Canvas& canvas, const SDL_Rect& area) {
    if (SDL_RectEmpty(&area)) return;
    if (SDL_UpdateTexture(texture_, &area, canvas.Row(area.y) + area.x,
                          canvas.width() * static_cast<int>(sizeof(Rgb))) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

  void Present() {
    // Only a window larger than the canvas has anything beyond the texture to clear.
    if (width_ < output_width_ || height_ < output_height_) {
      SDL_SetRenderDrawColor(renderer_, kBeyond.red(), kBeyond.green(), kBeyond.blue(),
                             SDL_ALPHA_OPAQUE);
      SDL_RenderClear(renderer_);
    }
    const SDL_Rect all{0, 0, width_, height_};
    if (SDL_RenderCopy(renderer_, texture_, &all, &all) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
    SDL_RenderPresent(renderer_);
  }

  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;  // the texture's
  int height_ = 0;
  int output_width_ = 0;  // the window's pixels
  int output_height_ = 0;
};

}  // namespace

std::unique_ptr<Screen> OpenScreen(SDL_Window* window, const Canvas& canvas, bool try_framebuffer) {
  std::string framebuffer_error;
  if (try_framebuffer) {
    if (SDL_GetWindowSurface(window) != nullptr) {
      return std::make_unique<FramebufferScreen>(window, canvas);
    }
    framebuffer_error = SdlError("no framebuffer") + "; ";
  }
  try {
    return std::make_unique<TextureScreen>(window);
  } catch (const HostError& error) {
    throw HostError("cannot show the picture: " + framebuffer_error + error.what());
  }
}

}  // namespace drelm
