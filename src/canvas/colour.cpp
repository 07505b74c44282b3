#include "canvas/colour.h"

namespace drelm {
namespace {

constexpr Colour kSystemColourFlag = 0x80000000;
constexpr Colour kButtonTextIndex = kButtonText & ~kSystemColourFlag;
constexpr Rgb kButtonTextRgb = 0x000000;

}  // namespace

std::optional<Rgb> ResolveColour(Colour colour) {
  if ((colour & kSystemColourFlag) != 0) {
    if ((colour & ~kSystemColourFlag) == kButtonTextIndex) return kButtonTextRgb;
    return std::nullopt;
  }
  if ((colour & 0xFF000000) != 0) return std::nullopt;
  const Rgb red = colour & 0xFF;
  const Rgb green = (colour >> 8) & 0xFF;
  const Rgb blue = (colour >> 16) & 0xFF;
  return (red << 16) | (green << 8) | blue;
}

}  // namespace drelm
