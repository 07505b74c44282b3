#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "canvas/surface.h"

namespace drelm::testing {

// One drawing operation as it was called.
struct Op {
  std::string name;  // Line, Circle, PSet, Cls, ForeColor
  std::vector<float> args;
  bool has_colour = false;
  Colour colour = kBlack;

  // As "Line(0,-5,0,5;FF0000)", coordinates to two decimals.
  std::string Text() const {
    std::string text = name + "(";
    char buf[32];
    for (std::size_t i = 0; i < args.size(); ++i) {
      std::snprintf(buf, sizeof buf, "%s%.2f", i ? "," : "", static_cast<double>(args[i]));
      text += buf;
    }
    if (has_colour) {
      std::snprintf(buf, sizeof buf, "%s%X", args.empty() ? "" : ";", colour.value);
      text += buf;
    }
    return text + ")";
  }
};

// Records every operation, then hands it on to another surface when there is one.
class RecordingSurface final : public Surface {
 public:
  explicit RecordingSurface(Surface* next = nullptr) : next_(next) {}

  std::vector<Op> ops;

  Status Line(float x1, float y1, float x2, float y2) override {
    ops.push_back({"Line", {x1, y1, x2, y2}});
    return next_ ? next_->Line(x1, y1, x2, y2) : Status::Ok();
  }
  Status Line(float x1, float y1, float x2, float y2, Colour colour) override {
    ops.push_back({"Line", {x1, y1, x2, y2}, true, colour});
    return next_ ? next_->Line(x1, y1, x2, y2, colour) : Status::Ok();
  }
  Status Circle(float x, float y, float radius, Colour colour) override {
    ops.push_back({"Circle", {x, y, radius}, true, colour});
    return next_ ? next_->Circle(x, y, radius, colour) : Status::Ok();
  }
  Status PSet(float x, float y) override {
    ops.push_back({"PSet", {x, y}});
    return next_ ? next_->PSet(x, y) : Status::Ok();
  }
  Status Cls() override {
    ops.push_back({"Cls", {}});
    return next_ ? next_->Cls() : Status::Ok();
  }
  Status SetForeColor(Colour colour) override {
    ops.push_back({"ForeColor", {}, true, colour});
    return next_ ? next_->SetForeColor(colour) : Status::Ok();
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Op& op : ops) texts.push_back(op.Text());
    return texts;
  }

 private:
  Surface* next_;
};

}  // namespace drelm::testing
