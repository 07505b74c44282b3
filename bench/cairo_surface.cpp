#include "cairo_surface.h"

#include <cmath>
#include <numbers>

#include "canvas/world.h"

namespace drelm::bench {
namespace {

constexpr double kTurn = 2 * std::numbers::pi;

bool Finite(float a, float b) {
  return std::isfinite(a) && std::isfinite(b);
}

// The centre of the pixel that holds a world point, where a one-pixel stroke covers one pixel.
PixelPoint Centre(float x, float y) {
  const PixelPoint p = WorldMapping().ToPixel(x, y);
  return {std::floor(p.x) + 0.5, std::floor(p.y) + 0.5};
}

}  // namespace

CairoSurface::CairoSurface(int width, int height)
    : surface_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height)),
      cr_(cairo_create(surface_)) {
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
  cairo_set_line_width(cr_, 1);
  Source(PixelOf(kBackground));
  cairo_paint(cr_);
}

CairoSurface::~CairoSurface() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void CairoSurface::Source(Rgb rgb) {
  constexpr double kLevels = 255.0;
  cairo_set_source_rgb(cr_, rgb.red() / kLevels, rgb.green() / kLevels, rgb.blue() / kLevels);
}

Status CairoSurface::Stroke(float x1, float y1, float x2, float y2, Rgb rgb) {
  if (!Finite(x1, y1) || !Finite(x2, y2)) return Status::Fail("not finite");
  const PixelPoint a = Centre(x1, y1), b = Centre(x2, y2);
  Source(rgb);
  cairo_move_to(cr_, a.x, a.y);
  cairo_line_to(cr_, b.x, b.y);
  cairo_stroke(cr_);
  return Status::Ok();
}

Status CairoSurface::Line(float x1, float y1, float x2, float y2) {
  return Stroke(x1, y1, x2, y2, pen_);
}

Status CairoSurface::Line(float x1, float y1, float x2, float y2, Colour colour) {
  const auto rgb = ResolveColour(colour);
  if (!rgb) return Status::Fail("no colour");
  return Stroke(x1, y1, x2, y2, *rgb);
}

Status CairoSurface::Circle(float x, float y, float radius, Colour colour) {
  const auto rgb = ResolveColour(colour);
  if (!Finite(x, y) || !std::isfinite(radius) || radius < 0 || !rgb) return Status::Fail("bad");
  const PixelPoint c = Centre(x, y);
  Source(*rgb);
  cairo_new_sub_path(cr_);
  cairo_arc(cr_, c.x, c.y, WorldMapping().RadiusToPixels(radius), 0, kTurn);
  cairo_stroke(cr_);
  return Status::Ok();
}

Status CairoSurface::PSet(float x, float y) {
  if (!Finite(x, y)) return Status::Fail("not finite");
  const PixelPoint p = WorldMapping().ToPixel(x, y);
  Source(pen_);
  cairo_rectangle(cr_, std::floor(p.x), std::floor(p.y), 1, 1);
  cairo_fill(cr_);
  return Status::Ok();
}

Status CairoSurface::Cls() {
  Source(PixelOf(kBackground));
  cairo_paint(cr_);
  return Status::Ok();
}

Status CairoSurface::SetForeColor(Colour colour) {
  const auto rgb = ResolveColour(colour);
  if (!rgb) return Status::Fail("no colour");
  pen_ = *rgb;
  return Status::Ok();
}

}  // namespace drelm::bench
