#pragma once

#include <cairo.h>

#include "canvas/surface.h"

namespace drelm::bench {

// The drawing operations through cairo, the library a programmer would otherwise reach for:
// the same world mapping, shapes and colours, one-pixel strokes with antialiasing off, on an
// image in memory. A peer to measure our own rasterizer against.
class CairoSurface final : public Surface {
 public:
  CairoSurface(int width, int height);
  ~CairoSurface() override;
  CairoSurface(const CairoSurface&) = delete;
  CairoSurface& operator=(const CairoSurface&) = delete;

  Status Line(float x1, float y1, float x2, float y2) override;
  Status Line(float x1, float y1, float x2, float y2, Colour colour) override;
  Status Circle(float x, float y, float radius, Colour colour) override;
  Status PSet(float x, float y) override;
  Status Cls() override;
  Status SetForeColor(Colour colour) override;

 private:
  Status Stroke(float x1, float y1, float x2, float y2, Rgb rgb);
  void Source(Rgb rgb);

  cairo_surface_t* surface_;
  cairo_t* cr_;
  Rgb pen_ = PixelOf(kBlack);
};

}  // namespace drelm::bench
