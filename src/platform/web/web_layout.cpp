#include "platform/web/web_layout.h"

#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "platform/common/desktop_scale.h"

namespace drelm {
namespace {

// What a phone or a tablet is shown: the area a 1280 x 640 window shows at the standard scale,
// the whole mechanism and its trace.
constexpr double kWholeWidthTwips = 1280 * kTwipsPerInch / kStandardDpi;
constexpr double kWholeHeightTwips = 640 * kTwipsPerInch / kStandardDpi;

// The whole dots an inch at which `twips` take no more than `pixels`.
double DpiToFit(double pixels, double twips) {
  return std::floor(pixels * kTwipsPerInch / twips);
}

// The fewest whole CSS pixels that are whole device pixels at `ratio` device pixels to one, in
// device pixels: 1 at a ratio of 1, 3 at 3, 21 at 2.625 (8 CSS pixels); 1 where none is near.
int PixelGrain(double ratio) {
  constexpr int kMostCss = 64;
  for (int css = 1; css <= kMostCss; ++css) {
    const double pixels = css * ratio;
    if (std::abs(pixels - std::round(pixels)) < 1e-6) return static_cast<int>(std::round(pixels));
  }
  return 1;
}

// `pixels` made up to a whole number of `grain`.
int UpTo(int pixels, int grain) {
  return (pixels + grain - 1) / grain * grain;
}

// A length the browser gave, or none where it gave no sensible one.
double Length(double css) {
  return std::isfinite(css) && css > 0 ? css : 0;
}

// Whole pixels that cover `css` CSS pixels at `pixels_per_css` to one, no more than a canvas has.
int Covering(double css, double pixels_per_css) {
  return static_cast<int>(std::min(std::ceil(css * pixels_per_css), double{kMaxCanvasSide}));
}

}  // namespace

PictureLayout LayOut(const PageView& view) {
  const double ratio = Length(view.ratio) > 0 ? view.ratio : 1;
  const CssSize room = {Length(view.room.width), Length(view.room.height)};
  // Zoomed in, the screen spans fewer CSS pixels than the browser says it has (it counts them
  // unzoomed), and no screen has more device pixels than an 8K one.
  constexpr CssSize kMostDevicePixels = {7680, 4320};
  const CssSize screen = {
      std::max(std::min(Length(view.screen.width), kMostDevicePixels.width / ratio), room.width),
      std::max(std::min(Length(view.screen.height), kMostDevicePixels.height / ratio),
               room.height)};
  PictureLayout layout;
  const WorldMapping standard;
  layout.fitted =
      view.touch_only || room.width < standard.StartWidth() || room.height < standard.StartHeight();
  if (layout.fitted) {
    // One canvas pixel to a device pixel, at the scale that fits the whole in the room: that
    // less a grain, for the picture to start on one and to span whole ones.
    const int grain = PixelGrain(ratio);
    layout.css_grain = grain / ratio;
    const double fit =
        std::min(DpiToFit((room.width - layout.css_grain) * ratio - grain, kWholeWidthTwips),
                 DpiToFit((room.height - layout.css_grain) * ratio - grain, kWholeHeightTwips));
    layout.dpi = std::clamp(fit, double{kLeastFittingDpi}, double{kMaxDpi});
    layout.css_per_pixel = 1 / ratio;
    const WorldMapping mapping(layout.dpi);
    layout.shown = {UpTo(mapping.TwipsToPixels(kWholeWidthTwips), grain),
                    UpTo(mapping.TwipsToPixels(kWholeHeightTwips), grain)};
  } else {
    // The window's physical size at any zoom: the resolution is held, the size is not.
    layout.dpi = HeldDpi(kStandardDpi * ratio);
    layout.css_per_pixel = kStandardDpi / layout.dpi;
    const WorldMapping mapping(layout.dpi);
    layout.shown = {mapping.StartWidth(), mapping.StartHeight()};
  }
  // Enough canvas for a frame as large as the screen, or the room where that is larger, at the
  // resolution drawn, not at the device's: zoomed far in, that is far fewer pixels.
  const double pixels_per_css = 1 / layout.css_per_pixel;
  layout.canvas = CanvasFor(WorldMapping(layout.dpi), {Covering(screen.width, pixels_per_css),
                                                       Covering(screen.height, pixels_per_css)});
  layout.shown = {std::min(layout.shown.width, layout.canvas.width),
                  std::min(layout.shown.height, layout.canvas.height)};
  return layout;
}

}  // namespace drelm
