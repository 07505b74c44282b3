#include "canvas/world_canvas.h"

#include <cmath>

namespace drelm {
namespace {

constexpr const char* kNotFinite = "a coordinate is not a finite number";
constexpr const char* kBadRadius = "the radius is negative or not a finite number";
constexpr const char* kBadColour = "the value names no colour";

bool Finite(float a, float b) {
  return std::isfinite(a) && std::isfinite(b);
}

}  // namespace

Status WorldCanvas::Line(float x1, float y1, float x2, float y2) {
  return DrawLine(x1, y1, x2, y2, pen_);
}

Status WorldCanvas::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const auto rgb = ResolveColour(colour);
  if (!rgb) return Status::Fail(kBadColour);
  return DrawLine(x1, y1, x2, y2, *rgb);
}

Status WorldCanvas::DrawLine(float x1, float y1, float x2, float y2, Rgb rgb) {
  if (!Finite(x1, y1) || !Finite(x2, y2)) return Status::Fail(kNotFinite);
  const PixelPoint a = mapping_.ToPixel(x1, y1);
  const PixelPoint b = mapping_.ToPixel(x2, y2);
  canvas_.DrawLine(a.x, a.y, b.x, b.y, rgb);
  return Status::Ok();
}

Status WorldCanvas::Circle(float x, float y, float radius, Colour colour) {
  if (!Finite(x, y)) return Status::Fail(kNotFinite);
  if (!std::isfinite(radius) || radius < 0) return Status::Fail(kBadRadius);
  const auto rgb = ResolveColour(colour);
  if (!rgb) return Status::Fail(kBadColour);
  const PixelPoint c = mapping_.ToPixel(x, y);
  canvas_.DrawCircle(c.x, c.y, mapping_.RadiusToPixels(radius), *rgb);
  return Status::Ok();
}

Status WorldCanvas::PSet(float x, float y) {
  if (!Finite(x, y)) return Status::Fail(kNotFinite);
  const PixelPoint p = mapping_.ToPixel(x, y);
  canvas_.Plot(p.x, p.y, pen_);
  return Status::Ok();
}

Status WorldCanvas::Cls() {
  canvas_.Fill(*ResolveColour(kBackground));
  return Status::Ok();
}

Status WorldCanvas::SetForeColor(Colour colour) {
  const auto rgb = ResolveColour(colour);
  if (!rgb) return Status::Fail(kBadColour);
  pen_ = *rgb;
  return Status::Ok();
}

}  // namespace drelm
