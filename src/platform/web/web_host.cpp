#include "platform/web/web_host.h"

#include <algorithm>
#include <cmath>

#include "platform/common/host_error.h"
#include "platform/common/pixel_format.h"
#include "platform/web/web_page.h"

namespace drelm {
namespace {

// A pixel as the page's ImageData holds it: R, G, B and A bytes in memory, opaque.
const PixelConverter& PageRgba() {
  static const PixelConverter converter(
      PixelLayout{0x0000FF, 0x00FF00, 0xFF0000, 4, false, 0xFF000000});
  return converter;
}

HostError NoContext() {
  return HostError("cannot draw on the page's canvas: the browser gave it no 2D context");
}

}  // namespace

WebHost::WebHost(const PictureLayout& layout)
    : WindowHost(Pacer::kMaxFrameLag),
      layout_(layout),
      mapping_(layout.dpi),
      canvas_(std::make_unique<Canvas>(layout.canvas.width, layout.canvas.height)),
      surface_(std::make_unique<WorldCanvas>(*canvas_, mapping_)),
      shown_(layout.shown) {
  page::SetPictureSize(shown_, layout_);
  Repaint();
}

void WebHost::BeginFrame() {
  frame_time_ = Pacer::Clock::now();
  in_frame_ = true;
  pass_due_ = true;
}

void WebHost::EndFrame() {
  in_frame_ = false;
  ShowFrameAndWait();
  Flush();
}

void WebHost::WaitForPass(Pacer::Time due, WindowInput&) {
  pass_due_ = due <= frame_time_ && Pacer::Clock::now() - frame_time_ < kFrameBudget;
}

void WebHost::ShowRects(std::span<const PixelRect> changed) {
  Stage(changed);
}

// A whole picture is mostly background: the page fills it in one call, and only the part of each
// band of rows that holds ink is turned and put.
void WebHost::ShowAll() {
  Flush();
  const PixelRect all{0, 0, shown_.width, shown_.height};
  if (!page::Fill(all, canvas_->Decode(StoredPixel{0}).value)) throw NoContext();
  const int rows = BandImageRows(shown_.width);
  std::vector<PixelRect> inked;
  for (int top = 0; top < shown_.height; top += rows) {
    const PixelRect ink =
        canvas_->InkBounds({0, top, shown_.width, std::min(rows, shown_.height - top)});
    if (!ink.Empty()) inked.push_back(ink);
  }
  Stage(inked);
}

void WebHost::Resize(double css_width, double css_height) {
  const auto pixels = [this](double css, int most) {
    return std::clamp(static_cast<int>(std::lround(css / layout_.css_per_pixel)), 1, most);
  };
  shown_ = {pixels(css_width, canvas_->width()), pixels(css_height, canvas_->height())};
  page::SetPictureSize(shown_, layout_);
  Repaint();
}

void WebHost::Stage(std::span<const PixelRect> rects) {
  const auto width = static_cast<std::size_t>(shown_.width);
  const int rows = std::min(BandImageRows(shown_.width), shown_.height);
  if (shown_.width != image_size_.width || rows != image_size_.height) {
    Flush();
    rgba_.assign(width * static_cast<std::size_t>(rows), 0);
    image_size_ = {shown_.width, rows};
    space_ = BandImageSpace(shown_.width, rows);
  }
  space_.Place(
      rects,
      [&](const PixelRect& band, ImagePlace place) {
        PageRgba().Convert(*canvas_, band,
                           reinterpret_cast<std::uint8_t*>(
                               rgba_.data() + static_cast<std::size_t>(place.row) * width +
                               static_cast<std::size_t>(place.x)),
                           width * sizeof(std::uint32_t));
        staged_.push_back({band, place});
      },
      [this] { Flush(); });
  if (!in_frame_) Flush();
}

void WebHost::Flush() {
  if (staged_.empty()) return;
  if (!page::Put(rgba_.data(), image_size_, staged_)) throw NoContext();
  staged_.clear();
  space_.Empty();
}

void WebHost::ShowError(const std::string& message) {
  page::LogError("drelm-wheel: " + message);
  page::SetState("error", message + ".");
}

}  // namespace drelm
