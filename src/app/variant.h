#pragma once

#include <optional>

namespace drelm {

// A public member's value: a number that starts empty; an empty value counts as 0 in arithmetic
// and in comparisons.
class Variant {
 public:
  Variant() = default;
  Variant(double value)
      : value_(value) {}  // NOLINT(google-explicit-constructor): assigned like a number

  bool IsEmpty() const { return !value_.has_value(); }
  double Value() const { return value_.value_or(0.0); }

 private:
  std::optional<double> value_;
};

}  // namespace drelm
