#pragma once

#include "canvas/canvas.h"
#include "canvas/surface.h"
#include "canvas/world.h"

namespace drelm {

// The drawing operations on a pixel canvas, through the world mapping at the canvas's resolution.
class WorldCanvas final : public Surface {
 public:
  explicit WorldCanvas(Canvas& canvas, WorldMapping mapping = WorldMapping())
      : canvas_(canvas), mapping_(mapping) {}

  Status Line(float x1, float y1, float x2, float y2) override;
  Status Line(float x1, float y1, float x2, float y2, Colour colour) override;
  Status Circle(float x, float y, float radius, Colour colour) override;
  Status PSet(float x, float y) override;
  Status Cls() override;
  Status SetForeColor(Colour colour) override;

  Canvas& canvas() { return canvas_; }
  const WorldMapping& mapping() const { return mapping_; }

 private:
  Status DrawLine(float x1, float y1, float x2, float y2, Rgb rgb);

  Canvas& canvas_;
  WorldMapping mapping_;
  Rgb pen_ = PixelOf(kBlack);  // until the program sets it
};

}  // namespace drelm
