#include "canvas/pen.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "canvas/run_time_error.h"

namespace drelm {
namespace {

void Check(Status status, const char* operation) {
  if (!status.ok()) throw RunTimeError(std::string(operation) + ": " + status.why());
}

}  // namespace

float ToSingle(double value, const char* what) {
  // A NaN passes on to the drawing operation, which refuses it; only the finite values that
  // single precision cannot hold overflow here.
  if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    throw RunTimeError(std::string(what) + ": overflow: " + text +
                       " does not fit in single precision");
  }
  return static_cast<float>(value);
}

void Pen::Line(Point a, Point b) {
  Check(surface_.Line(ToSingle(a.x, "Line"), ToSingle(a.y, "Line"), ToSingle(b.x, "Line"),
                      ToSingle(b.y, "Line")),
        "Line");
}

void Pen::Line(Point a, Point b, Colour colour) {
  Check(surface_.Line(ToSingle(a.x, "Line"), ToSingle(a.y, "Line"), ToSingle(b.x, "Line"),
                      ToSingle(b.y, "Line"), colour),
        "Line");
}

void Pen::Circle(Point centre, double radius, Colour colour) {
  Check(surface_.Circle(ToSingle(centre.x, "Circle"), ToSingle(centre.y, "Circle"),
                        ToSingle(radius, "Circle"), colour),
        "Circle");
}

void Pen::PSet(Point p) {
  Check(surface_.PSet(ToSingle(p.x, "PSet"), ToSingle(p.y, "PSet")), "PSet");
}

void Pen::Cls() {
  Check(surface_.Cls(), "Cls");
}

void Pen::SetForeColor(Colour colour) {
  Check(surface_.SetForeColor(colour), "ForeColor");
}

}  // namespace drelm
