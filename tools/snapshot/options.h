#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace drelm::snapshot {

inline constexpr std::int64_t kMaxPasses = 1'000'000'000;
inline constexpr int kMaxSide = 8192;  // pixels

struct Options {
  std::int64_t passes = 0;
  int width = 748;
  int height = 539;
  std::string out;
  bool help = false;
};

// The options of a command line, or the one-line reason it is not one.
std::variant<Options, std::string> ParseOptions(int argc, const char* const* argv);

extern const char kUsage[];

}  // namespace drelm::snapshot
