#pragma once

// The world coordinate system the picture is drawn in, and where it lands on the window.
// The top-left corner of the client area is the world point (kWorldLeft, kWorldTop); x grows to
// the right and y downward. A horizontal unit is 139 twips, a vertical one 100 twips, at 15 twips
// a pixel (96 dots an inch). The mapping never changes: a larger window shows more of the world
// to the right and below.
namespace drelm {

inline constexpr double kWorldLeft = -70.0;  // world x at the client area's left edge
inline constexpr double kWorldTop = -40.0;   // world y at the client area's top edge
inline constexpr double kTwipsPerUnitX = 139.0;
inline constexpr double kTwipsPerUnitY = 100.0;
inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double kPixelsPerUnitX = kTwipsPerUnitX / kTwipsPerPixel;  // about 9.2667
inline constexpr double kPixelsPerUnitY = kTwipsPerUnitY / kTwipsPerPixel;  // about 6.6667

// The client area when the window opens: 11220 x 8085 twips.
inline constexpr int kStartWidthPx = 748;
inline constexpr int kStartHeightPx = 539;

// The whole picture, through the last tick of the trace at x = 188.3, fits in this many pixels:
// the least a canvas holds, so that a window enlarged after start-up shows what was drawn.
inline constexpr int kPictureWidthPx = 2400;
inline constexpr int kPictureHeightPx = 1440;

struct PixelPoint {
  double x;
  double y;
};

// Continuous pixel coordinates of a world point; pixel (i, j) covers [i, i+1) x [j, j+1).
constexpr PixelPoint WorldToPixel(double x, double y) {
  return {(x - kWorldLeft) * kPixelsPerUnitX, (y - kWorldTop) * kPixelsPerUnitY};
}

// The world point at a pixel position, for reporting where the pointer is.
constexpr PixelPoint PixelToWorld(double px, double py) {
  return {px / kPixelsPerUnitX + kWorldLeft, py / kPixelsPerUnitY + kWorldTop};
}

// Circles are round on screen, so a radius is measured in horizontal units.
constexpr double RadiusToPixels(double r) {
  return r * kPixelsPerUnitX;
}

}  // namespace drelm
