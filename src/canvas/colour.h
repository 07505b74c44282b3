#pragma once

#include <cstdint>
#include <optional>

namespace drelm {

// A colour as the drawing code names it: 0x00BBGGRR, or a system colour reference marked by the
// top bit (0x80000000 plus the system colour's index).
struct Colour {
  std::uint32_t value;
  friend constexpr bool operator==(Colour, Colour) = default;
};

// A pixel as the canvas stores it: 0x00RRGGBB, the byte order a 32-bit display surface expects.
// A type of its own, so that the two byte orders cannot be swapped unnoticed.
struct Rgb {
  std::uint32_t value;
  friend constexpr bool operator==(Rgb, Rgb) = default;
  constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value >> 16); }
  constexpr std::uint8_t green() const { return static_cast<std::uint8_t>(value >> 8); }
  constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>(value); }
};

// The colours the picture uses, the one table every drawing of it takes them from.
inline constexpr Colour kBlack{0x000000};
inline constexpr Colour kRed{0x0000FF};
inline constexpr Colour kGreen{0x00C000};  // red 0, green 192, blue 0
inline constexpr Colour kBlue{0xFF0000};
inline constexpr Colour kWhite{0xFFFFFF};
inline constexpr Colour kBackground = kWhite;
// System colour 18, the text on buttons; black in the standard scheme, which is the one we use.
inline constexpr Colour kButtonText{0x80000012};

namespace colour_detail {
inline constexpr std::uint32_t kSystemColourFlag = 0x80000000;
inline constexpr std::uint32_t kButtonTextIndex = kButtonText.value & ~kSystemColourFlag;
inline constexpr Rgb kButtonTextRgb{0x000000};
}  // namespace colour_detail

// The pixel value of a colour, or nothing when the value names no colour (stray high bits, or a
// system colour the program does not know).
constexpr std::optional<Rgb> ResolveColour(Colour colour) {
  using namespace colour_detail;
  if ((colour.value & kSystemColourFlag) != 0) {
    if ((colour.value & ~kSystemColourFlag) == kButtonTextIndex) return kButtonTextRgb;
    return std::nullopt;
  }
  if ((colour.value & 0xFF000000) != 0) return std::nullopt;
  const std::uint32_t red = colour.value & 0xFF;
  const std::uint32_t green = (colour.value >> 8) & 0xFF;
  const std::uint32_t blue = (colour.value >> 16) & 0xFF;
  return Rgb{(red << 16) | (green << 8) | blue};
}

// The pixel value of one of the colours above.
constexpr Rgb PixelOf(Colour colour) {
  return ResolveColour(colour).value();
}

}  // namespace drelm
