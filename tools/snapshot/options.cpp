#include "snapshot/options.h"

#include <charconv>
#include <string_view>

namespace drelm::snapshot {

const char kUsage[] =
    "usage: drelm-wheel-snapshot [--passes N] [--size WxH] --out FILE.png\n"
    "Runs the start-up and exactly N animation passes (default 0) off-screen, as the window\n"
    "would but without pacing, and writes the top-left WxH pixels of the picture (default\n"
    "748x539, at most 8192 a side) to FILE.png as an RGB PNG.\n";

namespace {

// A whole decimal number, all of the text, within [low, high].
bool ParseNumber(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && out >= low && out <= high;
}

}  // namespace

std::variant<Options, std::string> ParseOptions(int argc, const char* const* argv) {
  Options options;
  bool have_out = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    if (arg != "--passes" && arg != "--size" && arg != "--out") {
      return "unknown option '" + std::string(arg) + "' (see --help)";
    }
    if (i + 1 >= argc) return std::string(arg) + " needs a value";
    const std::string_view value = argv[++i];
    if (arg == "--passes") {
      if (!ParseNumber(value, 0, kMaxPasses, options.passes)) {
        return "--passes takes a whole number from 0 to " + std::to_string(kMaxPasses) + ", not '" +
               std::string(value) + "'";
      }
    } else if (arg == "--size") {
      const auto x = value.find('x');
      std::int64_t w = 0;
      std::int64_t h = 0;
      if (x == std::string_view::npos || !ParseNumber(value.substr(0, x), 1, kMaxSide, w) ||
          !ParseNumber(value.substr(x + 1), 1, kMaxSide, h)) {
        return "--size takes WxH with each side from 1 to " + std::to_string(kMaxSide) + ", not '" +
               std::string(value) + "'";
      }
      options.width = static_cast<int>(w);
      options.height = static_cast<int>(h);
    } else {
      if (value.empty()) return "--out needs a file name";
      options.out = value;
      have_out = true;
    }
  }
  if (!have_out) return "no --out FILE.png given (see --help)";
  return options;
}

}  // namespace drelm::snapshot
