#pragma once

#include "canvas/colour.h"

namespace drelm {

// What a drawing operation reports: success, or a short reason for its failure.
class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(nullptr); }
  static Status Fail(const char* why) { return Status(why); }
  bool ok() const { return why_ == nullptr; }
  const char* why() const { return why_ ? why_ : ""; }

 private:
  explicit Status(const char* why) : why_(why) {}
  const char* why_;
};

// The drawing operations the picture is made of, in world coordinates handed over in single
// precision. Drawing replaces the pixels under a shape (no blending), so drawing a shape again in
// white erases it. Shapes off the drawing area are clipped without error; a coordinate or radius
// that is not a finite number, a negative radius or a value that names no colour fails.
class Surface {
 public:
  virtual ~Surface() = default;
  // A solid one-pixel segment, both ends included, in the pen colour.
  virtual Status Line(float x1, float y1, float x2, float y2) = 0;
  virtual Status Line(float x1, float y1, float x2, float y2, Colour colour) = 0;
  // A one-pixel outline, not filled, round on screen.
  virtual Status Circle(float x, float y, float radius, Colour colour) = 0;
  // The one pixel at (x, y), in the pen colour.
  virtual Status PSet(float x, float y) = 0;
  // Fills everything with the background colour.
  virtual Status Cls() = 0;
  virtual Status SetForeColor(Colour colour) = 0;
};

}  // namespace drelm
