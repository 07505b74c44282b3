#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "canvas/world.h"
#include "linkage/crank.h"

namespace drelm::snapshot {

inline constexpr std::int64_t kMaxPasses = 1'000'000'000;
inline constexpr int kMaxImageSide = 8192;      // pixels a side of a picture written
inline constexpr double kMaxSeconds = 60;       // of recording
inline constexpr int kMaxFramesPerSecond = 50;  // browsers slow down shorter GIF delays
inline constexpr int kDefaultFramesPerSecond = 25;

// By default, one whole turn of the crank past phase 0 (the phase starts at -1), in a picture that
// holds the whole mechanism and the trace with its cursor.
inline constexpr std::int64_t kDefaultPasses =
    linkage::kPassesToPhaseZero + linkage::kPassesPerTurn;
inline constexpr int kDefaultWidth = 1280;  // pixels at 96 dots an inch
inline constexpr int kDefaultHeight = 640;

// A side of the default picture at a scale.
constexpr int ScaledSide(int pixels_at_standard, double dpi) {
  return static_cast<int>(pixels_at_standard * dpi / kStandardDpi);
}

struct Options {
  std::int64_t passes = kDefaultPasses;
  int width = kDefaultWidth;  // grown with `dpi`, unless --size says otherwise
  int height = kDefaultHeight;
  double dpi = kStandardDpi;  // the desktop's dots an inch the picture is drawn at
  std::string out;            // a PNG of the picture after the passes
  std::string gif;            // or a recording that starts after them
  std::optional<double> seconds;
  int fps = kDefaultFramesPerSecond;
  bool help = false;
  bool version = false;
};

// The options of a command line, or the one-line reason it is not one.
std::variant<Options, std::string> ParseOptions(int argc, const char* const* argv);

extern const char kUsage[];

}  // namespace drelm::snapshot
