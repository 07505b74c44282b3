#include "platform/web/web_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "canvas/canvas.h"

namespace drelm {
namespace {

constexpr CssSize kDesktopRoom = {1366, 700};

// The picture's size on the page, in CSS pixels.
CssSize OnPage(const PictureLayout& layout) {
  return {layout.shown.width * layout.css_per_pixel, layout.shown.height * layout.css_per_pixel};
}

TEST(WebLayout, ADesktopKeepsThePhysicalSizeAtAnyZoomWithTheResolutionHeld) {
  for (const double ratio : {0.25, 1.0, 1.25, 2.0, 5.0, 10.0}) {
    const PictureLayout layout = LayOut({ratio, {1920, 1080}, kDesktopRoom, false});
    EXPECT_FALSE(layout.fitted) << ratio;
    EXPECT_GE(layout.dpi, kMinDpi) << ratio;
    EXPECT_LE(layout.dpi, kMaxDpi) << ratio;
    EXPECT_NEAR(OnPage(layout).width, 748, 1) << ratio;
    EXPECT_NEAR(OnPage(layout).height, 539, 1) << ratio;
  }
  // Zoomed in ten times, the canvas is the picture at 384 dots an inch: not the screen counted
  // in device pixels (19200 x 10800), nor an 8K screen's (3840 x 2160 here at 4 to a CSS pixel).
  const PictureLayout zoomed = LayOut({10, {1920, 1080}, kDesktopRoom, false});
  EXPECT_EQ(zoomed.canvas.width, 9600);
  EXPECT_EQ(zoomed.canvas.height, 5760);
  // At 100 % a 4K screen is covered, for a frame enlarged to all of it.
  const PictureLayout wide = LayOut({1, {3840, 2160}, kDesktopRoom, false});
  EXPECT_EQ(wide.canvas.width, 3840);
  EXPECT_EQ(wide.canvas.height, 2160);
}

TEST(WebLayout, PhonesAndTabletsFitTheWholeMechanismAtTheirOwnPixels) {
  struct Screen {
    double ratio;
    CssSize room;
    bool touch_only;
  };
  // Phones upright and sideways, narrow ones (280 and 320 CSS pixels wide, less the page's
  // margins, at ratios of 1, 1.75 and 2: below the desktop's scales), a tablet, and a small
  // desktop window with a mouse.
  for (const Screen& screen :
       {Screen{3, {372, 760}, true}, Screen{3, {826, 310}, true}, Screen{2.625, {394, 800}, true},
        Screen{2, {802, 1100}, true}, Screen{1, {700, 500}, false}, Screen{1, {262, 460}, true},
        Screen{2, {302, 480}, true}, Screen{1.75, {342, 700}, true}, Screen{2, {262, 600}, true}}) {
    const PictureLayout layout = LayOut({screen.ratio, {900, 900}, screen.room, screen.touch_only});
    SCOPED_TRACE(screen.room.width);
    EXPECT_TRUE(layout.fitted);
    EXPECT_EQ(layout.css_per_pixel, 1 / screen.ratio);  // a canvas pixel to a device pixel
    EXPECT_EQ(layout.dpi, std::round(layout.dpi));      // as drelm-wheel-snapshot draws it
    // All of what a 1280 x 640 window shows at 96 dots an inch, within the room...
    const WorldMapping mapping(layout.dpi);
    EXPECT_GE(layout.shown.width, mapping.TwipsToPixels(1280 * 15));
    EXPECT_GE(layout.shown.height, mapping.TwipsToPixels(640 * 15));
    EXPECT_LE(OnPage(layout).width + layout.css_grain, screen.room.width);
    EXPECT_LE(OnPage(layout).height + layout.css_grain, screen.room.height);
    // ...as large as fits: a dot an inch more would not...
    const WorldMapping larger(layout.dpi + 1);
    EXPECT_TRUE(
        larger.TwipsToPixels(1280 * 15) / screen.ratio > screen.room.width - 2 * layout.css_grain ||
        larger.TwipsToPixels(640 * 15) / screen.ratio > screen.room.height - 2 * layout.css_grain);
    // ...and in whole CSS pixels that are whole device pixels.
    const double grain_pixels = layout.css_grain * screen.ratio;
    EXPECT_EQ(grain_pixels, std::round(grain_pixels));
    EXPECT_EQ(layout.shown.width % static_cast<int>(grain_pixels), 0);
  }
  EXPECT_EQ(LayOut({2.625, {412, 915}, {394, 800}, true}).css_grain, 8);
}

// Every phone and tablet from 280 CSS pixels wide, at ratios from 1 to 4: the picture at the
// device's own pixels, within the room the page leaves it.
TEST(WebLayout, EveryPhoneFromTheNarrowestGetsItsOwnPixels) {
  for (const double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.625, 3.0, 3.5, 4.0}) {
    for (double width = 262; width <= 1024; width += 38) {
      const CssSize room = {width, width * 1.6};
      const PictureLayout layout = LayOut({ratio, {width + 18, width * 2}, room, true});
      SCOPED_TRACE(::testing::Message() << width << " at " << ratio);
      EXPECT_EQ(layout.css_per_pixel, 1 / ratio);
      EXPECT_GE(layout.dpi, kLeastFittingDpi);
      EXPECT_LE(OnPage(layout).width + layout.css_grain, room.width);
    }
  }
}

TEST(WebLayout, NoSensibleSizeFromTheBrowserStillGivesACanvas) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (const PageView& view : {PageView{nan, {nan, nan}, {nan, nan}, false},
                               PageView{0, {-5, 1e300}, {1e300, -1}, true}}) {
    const PictureLayout layout = LayOut(view);
    EXPECT_GE(layout.dpi, kLeastFittingDpi);
    EXPECT_LE(layout.dpi, kMaxDpi);
    EXPECT_GE(layout.shown.width, 1);
    EXPECT_LE(layout.shown.width, layout.canvas.width);
    EXPECT_LE(layout.canvas.width, kMaxCanvasSide);
  }
}

}  // namespace
}  // namespace drelm
