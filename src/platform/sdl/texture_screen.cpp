#include "platform/sdl/texture_screen.h"

#include <SDL.h>

#include <algorithm>

#include "platform/common/host_error.h"
#include "platform/sdl/sdl_error.h"
#include "platform/sdl/sdl_window.h"

namespace drelm {
namespace {

class TextureScreen final : public Screen {
 public:
  explicit TextureScreen(const SdlWindow& window) : window_(window) {
    renderer_ = SDL_CreateRenderer(window.handle(), -1, 0);
    if (renderer_ == nullptr) throw HostError(SdlError("no renderer for the window"));
  }
  ~TextureScreen() override {
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    SDL_DestroyRenderer(renderer_);
  }
  TextureScreen(const TextureScreen&) = delete;
  TextureScreen& operator=(const TextureScreen&) = delete;

  void Present(const Canvas& canvas, std::span<const PixelRect> changed) override {
    if (!Fit(canvas)) {
      for (const PixelRect& rect : changed) Upload(canvas, rect);
    }
    Render();
  }

  void PresentAll(const Canvas& canvas) override {
    if (!Fit(canvas)) Upload(canvas, PixelRect{0, 0, width_, height_});
    Render();
  }

 private:
  // Makes the texture the size of the window's pixels (no larger than the canvas), filled from
  // the canvas; false when it already was.
  bool Fit(const Canvas& canvas) {
    const PixelSize output = window_.Pixels();
    output_ = output;
    const int width = std::clamp(output.width, 1, canvas.width());
    const int height = std::clamp(output.height, 1, canvas.height());
    if (texture_ != nullptr && width == width_ && height == height_) return false;
    if (texture_ != nullptr) SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    if (texture_ == nullptr) throw HostError(SdlError("cannot make a texture for the picture"));
    width_ = width;
    height_ = height;
    Upload(canvas, PixelRect{0, 0, width_, height_});
    return true;
  }

  void Upload(const Canvas& canvas, const PixelRect& area) {
    if (area.Empty()) return;
    const SDL_Rect rect{area.x, area.y, area.w, area.h};
    if (SDL_UpdateTexture(texture_, &rect, canvas.Row(area.y) + area.x,
                          canvas.width() * static_cast<int>(sizeof(Rgb))) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
  }

  // The texture on the window, and the background where the window is larger than it. A
  // renderer that draws in software (Mesa's llvmpipe) sizes its buffer by what the X server says
  // as it draws: a window made too large since the pump last read the display would have it
  // draw into a buffer it could not make, and crash.
  void Render() {
    if (TooLargeForABuffer(output_) || TooLargeForABuffer(window_.PixelsNow())) return;
    // Only a window larger than the canvas has anything beyond the texture to clear.
    if (width_ < output_.width || height_ < output_.height) {
      SDL_SetRenderDrawColor(renderer_, kBeyondCanvas.red(), kBeyondCanvas.green(),
                             kBeyondCanvas.blue(), SDL_ALPHA_OPAQUE);
      SDL_RenderClear(renderer_);
    }
    const SDL_Rect all{0, 0, width_, height_};
    if (SDL_RenderCopy(renderer_, texture_, &all, &all) != 0) {
      throw HostError(SdlError("cannot show the picture"));
    }
    SDL_RenderPresent(renderer_);
  }

  const SdlWindow& window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0;  // the texture's
  int height_ = 0;
  PixelSize output_;  // the window's pixels
};

}  // namespace

std::unique_ptr<Screen> OpenTextureScreen(const SdlWindow& window) {
  return std::make_unique<TextureScreen>(window);
}

}  // namespace drelm
