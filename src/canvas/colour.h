#pragma once

#include <cstdint>
#include <optional>

namespace drelm {

// A colour as the drawing code names it: 0x00BBGGRR, or a system colour reference marked by the
// top bit (0x80000000 plus the system colour's index).
using Colour = std::uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kRed = 0x0000FF;
inline constexpr Colour kGreen = 0x00C000;  // red 0, green 192, blue 0
inline constexpr Colour kBlue = 0xFF0000;
inline constexpr Colour kWhite = 0xFFFFFF;
inline constexpr Colour kBackground = kWhite;
// System colour 18, the text on buttons; black in the standard scheme, which is the one we use.
inline constexpr Colour kButtonText = 0x80000012;

// A pixel as the canvas stores it: 0x00RRGGBB, the byte order a 32-bit display surface expects.
using Rgb = std::uint32_t;

// The pixel value of a colour, or nothing when the value names no colour (stray high bits, or a
// system colour the program does not know).
std::optional<Rgb> ResolveColour(Colour colour);

}  // namespace drelm
