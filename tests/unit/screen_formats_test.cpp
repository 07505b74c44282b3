// How the hosts turn the canvas into a screen's pixels and a desktop's scale into pixels: X11's
// visuals of 15, 16 and 30 bits, Wayland's whole and fractional scales.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/common/pixel_format.h"
#include "platform/wayland/wayland_scale.h"

namespace drelm {
namespace {

TEST(PixelConverter, ChannelsKeepBlackAndFullIntensity) {
  const PixelConverter rgb565({0xF800, 0x07E0, 0x001F, 2, false});
  EXPECT_EQ(rgb565.Word(Rgb{0xFFFFFF}), 0xFFFFu);
  EXPECT_EQ(rgb565.Word(Rgb{0x000000}), 0u);
  EXPECT_EQ(rgb565.Word(Rgb{0xFF0000}), 0xF800u);
  EXPECT_EQ(rgb565.Word(Rgb{0x0000FF}), 0x001Fu);
  const PixelConverter rgb555({0x7C00, 0x03E0, 0x001F, 2, false});
  EXPECT_EQ(rgb555.Word(Rgb{0x00FF00}), 0x03E0u);
  const PixelConverter rgb30({0x3FF00000, 0x000FFC00, 0x000003FF, 4, false});
  EXPECT_EQ(rgb30.Word(Rgb{0xFFFFFF}), 0x3FFFFFFFu);
  EXPECT_EQ(rgb30.Word(Rgb{0x800000}), 0x20200000u);  // 0x80 widened to 0x202
  const PixelConverter bgr({0x0000FF, 0x00FF00, 0xFF0000, 4, false});
  EXPECT_EQ(bgr.Word(Rgb{0x123456}), 0x563412u);
}

TEST(PixelConverter, WritesOnlyTheRectangleInTheScreensByteOrder) {
  Canvas canvas(4, 3);
  canvas.Fill(Rgb{0xFF0000});
  std::vector<std::uint8_t> image(4 * 3 * 2, 0xAB);
  const PixelConverter swapped({0xF800, 0x07E0, 0x001F, 2, true});
  swapped.Convert(canvas, {1, 1, 2, 1}, image.data() + 2 * 8 + 2, 8);  // at the third row's second
  for (std::size_t i = 0; i < image.size(); ++i) {
    const bool inside = i >= 18 && i < 22;
    EXPECT_EQ(image[i], inside ? (i % 2 == 0 ? 0xF8 : 0x00) : 0xAB) << i;
  }
  // Four bytes a pixel, mostly background (taken eight pixels at a time) with ink here and there,
  // across a strip's edge, into a wider image: each pixel its own word, nothing beside written.
  Canvas wide(300, 2);
  for (const int x : {3, 10, 255, 256, 263, 270, 291}) wide.Plot(x, x % 2, Rgb{0x00C000});
  const PixelConverter xrgb({0xFF0000, 0x00FF00, 0x0000FF, 4, false, 0xFF000000});
  constexpr int kImageWidth = 300;
  std::vector<std::uint32_t> words(kImageWidth * 2, 0xABABABAB);
  const PixelRect rect{2, 0, 290, 2};
  xrgb.Convert(wide, rect, reinterpret_cast<std::uint8_t*>(words.data() + 5), kImageWidth * 4);
  for (int y = 0; y < 2; ++y) {
    for (int i = 0; i < kImageWidth; ++i) {
      const int x = i - 5 + rect.x;
      const bool inside = x >= rect.x && x < rect.x + rect.w;
      EXPECT_EQ(words[static_cast<std::size_t>(y * kImageWidth + i)],
                inside ? xrgb.Word(wide.At(x, y)) : 0xABABABABu)
          << x << "," << y;
    }
  }
  EXPECT_EQ(xrgb.Word(Rgb{0x00C000}), 0xFF00C000u);
  EXPECT_FALSE((PixelLayout{0xF0F0, 0x0F00, 0x000F, 2, false}.Valid()));  // a broken run
  EXPECT_FALSE((PixelLayout{0xFF0000, 0xFF00, 0xFF, 2, false}.Valid()));  // beyond the word
}

TEST(WaylandScale, FractionalScalesDrawAtTheirOwnDotsAnInch) {
  EXPECT_EQ(DpiOf(HeldScale({150})), 120);                   // 125 %
  EXPECT_EQ(DpiOf(HeldScale({180})), 144);                   // 150 %
  EXPECT_EQ(DpiOf(HeldScale({210})), 168);                   // 175 %
  EXPECT_EQ(DpiOf(HeldScale(WaylandScale::Whole(5))), 384);  // held, as on every host
  EXPECT_EQ(DpiOf(HeldScale({30})), 48);
  EXPECT_EQ(DpiOf(HeldScale({0})), 96);
  // One canvas pixel to one pixel of the screen: a 748 x 539 point window at 150 %.
  const PixelSize pixels = PixelsOf({748, 539}, {180});
  EXPECT_EQ(pixels.width, 1122);
  EXPECT_EQ(pixels.height, 809);  // 808.5, rounded away from zero
  const PixelSize logical = LogicalOf({1496, 1078}, WaylandScale::Whole(2));
  EXPECT_EQ(logical.width, 748);
  EXPECT_EQ(logical.height, 539);
  EXPECT_DOUBLE_EQ(PixelOf(10.5, {150}), 13.125);
}

}  // namespace
}  // namespace drelm
