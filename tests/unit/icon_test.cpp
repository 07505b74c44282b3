#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "canvas/colour.h"
#include "platform/x11/window_icon.h"

namespace drelm {
namespace {

// The icon's one source draws in the picture's colours and nothing else.
TEST(Icon, TheSvgDrawsInThePicturesColours) {
  std::ifstream file(DRELM_ICON_SVG);
  ASSERT_TRUE(file) << DRELM_ICON_SVG;
  std::stringstream text;
  text << file.rdbuf();
  const std::string svg = text.str();
  int colours = 0;
  const std::regex hex("#([0-9a-fA-F]{6})");
  for (std::sregex_iterator it(svg.begin(), svg.end(), hex), end; it != end; ++it, ++colours) {
    const Rgb rgb{static_cast<std::uint32_t>(std::stoul((*it)[1].str(), nullptr, 16))};
    EXPECT_TRUE(rgb == PixelOf(kBlue) || rgb == PixelOf(kRed) || rgb == PixelOf(kGreen))
        << (*it)[0].str() << " is not one of the picture's colours";
  }
  EXPECT_GE(colours, 3);
}

// The window's icon, rendered from it at build time: its size, a transparent corner, and the
// wheel's blue where the wheel is.
TEST(Icon, TheWindowCarriesItsRendering) {
  const IconImage icon = WindowIcon();
  ASSERT_EQ(icon.width, kWindowIconSize);
  ASSERT_EQ(icon.height, kWindowIconSize);
  EXPECT_EQ(icon.argb[0] >> 24, 0u);
  const std::uint32_t hub = icon.argb[33 * kWindowIconSize + 29];
  EXPECT_EQ(hub, 0xFF000000u | PixelOf(kBlue).value);
}

}  // namespace
}  // namespace drelm
