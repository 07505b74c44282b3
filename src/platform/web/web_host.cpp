#include "platform/web/web_host.h"

#include <algorithm>
#include <cmath>

#include "platform/common/host_error.h"
#include "platform/web/web_page.h"

namespace drelm {
namespace {

// A pixel as the page's ImageData holds it: R, G, B and A bytes in memory, opaque.
constexpr std::uint32_t PageRgba(Rgb pixel) {
  constexpr std::uint32_t kOpaque = 0xFF000000;
  const std::uint32_t v = pixel.value;  // 0x00RRGGBB
  return kOpaque | ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

}  // namespace

WebHost::WebHost(const PictureLayout& layout)
    : layout_(layout),
      mapping_(layout.dpi),
      canvas_(std::make_unique<Canvas>(layout.canvas.width, layout.canvas.height)),
      surface_(std::make_unique<WorldCanvas>(*canvas_, mapping_)),
      shown_(layout.shown) {
  page::SetPictureSize(shown_, layout_);
  Repaint();
}

void WebHost::DoEvents(WindowInput&) {
  ++passes_;
  pass_due_ = pacer_.AfterPass(frame_time_).resume_at <= frame_time_ &&
              Pacer::Clock::now() - frame_time_ < kFrameBudget;
}

void WebHost::ShowFrame() {
  std::vector<PixelRect> changed = canvas_->TakeDirtyRects();
  KeepWithin(changed, shown_);
  for (const PixelRect& rect : changed) Put(rect);
  page::SetPasses(passes_);
}

void WebHost::Resize(double css_width, double css_height) {
  const auto pixels = [this](double css, int most) {
    return std::clamp(static_cast<int>(std::lround(css / layout_.css_per_pixel)), 1, most);
  };
  shown_ = {pixels(css_width, canvas_->width()), pixels(css_height, canvas_->height())};
  page::SetPictureSize(shown_, layout_);
  Repaint();
}

void WebHost::Repaint() {
  canvas_->TakeDirtyRects();  // all of it is shown
  Put({0, 0, shown_.width, shown_.height});
  page::SetPasses(passes_);
}

void WebHost::Put(const PixelRect& rect) {
  rgba_.resize(static_cast<std::size_t>(rect.w) * static_cast<std::size_t>(rect.h));
  std::uint32_t* out = rgba_.data();
  for (int y = rect.y; y < rect.y + rect.h; ++y) {
    const Rgb* row = canvas_->Row(y) + rect.x;
    out = std::transform(row, row + rect.w, out, PageRgba);
  }
  if (!page::Put(rgba_.data(), rect.x, rect.y, rect.w, rect.h)) {
    throw HostError("cannot draw on the page's canvas: the browser gave it no 2D context");
  }
}

}  // namespace drelm
