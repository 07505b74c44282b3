#include "icon/window_icon.h"

#include <cstdio>

namespace drelm {
namespace {

// The drawing on a grid of kDesign units a side, in pixel coordinates of a 64-pixel icon.
constexpr double kDesign = 64;

struct Shape {
  enum Kind { kLine, kCircle } kind;
  double a, b, c, d;  // a line's two ends, or a circle's centre and radius
  Rgb rgb;
};

constexpr Rgb kIconBlue = PixelOf(kBlue);
constexpr Rgb kIconRed = PixelOf(kRed);
constexpr Rgb kIconGreen = PixelOf(kGreen);

constexpr Shape kShapes[] = {
    {Shape::kCircle, 32, 32, 26, 0, kIconBlue},  // the wheel
    {Shape::kCircle, 32, 32, 4, 0, kIconBlue},   // the hub
    {Shape::kLine, 32, 32, 47, 53, kIconBlue},   // the crank
    {Shape::kLine, 47, 53, 56, 28, kIconRed},    // crank pin to the first joint
    {Shape::kLine, 38, 32, 56, 28, kIconRed},    // fixed pivot to the first joint
    {Shape::kLine, 32, 32, 22, 8, kIconGreen},   // hub to the output joint
    {Shape::kLine, 22, 8, 56, 28, kIconGreen},   // output joint to the first joint
    {Shape::kCircle, 47, 53, 2, 0, kIconBlue},   // crank pin
    {Shape::kCircle, 56, 28, 2, 0, kIconBlue},   // first joint
};

}  // namespace

Canvas DrawWindowIcon(int size) {
  Canvas icon(size, size);
  const double scale = size / kDesign;
  for (const Shape& s : kShapes) {
    if (s.kind == Shape::kLine) {
      icon.DrawLine(s.a * scale, s.b * scale, s.c * scale, s.d * scale, s.rgb);
    } else {
      icon.DrawCircle(s.a * scale, s.b * scale, s.c * scale, s.rgb);
    }
  }
  return icon;
}

std::string WindowIconSvg() {
  std::string svg =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"64\" "
      "viewBox=\"0 0 64 64\">\n"
      "  <rect width=\"64\" height=\"64\" fill=\"#ffffff\"/>\n";
  char element[160];
  for (const Shape& s : kShapes) {
    if (s.kind == Shape::kLine) {
      std::snprintf(element, sizeof element,
                    "  <line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"#%06X\"/>\n",
                    s.a + 0.5, s.b + 0.5, s.c + 0.5, s.d + 0.5, s.rgb.value);
    } else {
      std::snprintf(element, sizeof element,
                    "  <circle cx=\"%g\" cy=\"%g\" r=\"%g\" fill=\"none\" stroke=\"#%06X\"/>\n",
                    s.a + 0.5, s.b + 0.5, s.c, s.rgb.value);
    }
    svg += element;
  }
  return svg + "</svg>\n";
}

}  // namespace drelm
