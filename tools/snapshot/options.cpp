#include "snapshot/options.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "platform/common/printable.h"

namespace drelm::snapshot {

const char kUsage[] =
    "usage: drelm-wheel-snapshot [--passes N] [--size WxH] [--dpi D] --out FILE.png\n"
    "       drelm-wheel-snapshot [--passes N] [--size WxH] [--dpi D] --gif FILE.gif [--seconds S]\n"
    "                            [--fps F]\n"
    "Runs the start-up and exactly N animation passes off-screen, as the window would but\n"
    "without pacing, and writes the top-left WxH pixels of the picture to FILE.png as an RGB PNG.\n"
    "By default N is 14566, one whole turn of the crank past phase 0, and WxH is 1280x640, which\n"
    "holds the whole mechanism and the trace with its cursor (at most 8192 a side). The picture\n"
    "is drawn at D dots an inch (default 96, from 16 to 384, fractions too, as a web page's\n"
    "data-dpi says), as on a desktop at that scale; the default size grows with it.\n"
    "With --gif, records from there on an animated GIF of S seconds (default: one turn of the\n"
    "crank, about 2.5 s; at most 60) at F frames a second (default 25, at most 50), at the\n"
    "window's own pace of 5000 passes a second, looping.\n"
    "FILE may be - for standard output (not a terminal). Options may also be given as\n"
    "--name=value.\n"
    "  --help      this text\n"
    "  --version   the version\n";

namespace {

// Numbers are written in digits alone: no sign, neither + nor - (not even -0).
bool StartsWithDigit(std::string_view text) {
  return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

// A whole decimal number, all of the text, within [low, high].
bool ParseNumber(std::string_view text, std::int64_t low, std::int64_t high, std::int64_t& out) {
  if (!StartsWithDigit(text)) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end && out >= low && out <= high;
}

// A decimal number, all of the text, within [low, high].
bool ParseDecimal(std::string_view text, double low, double high, double& out) {
  if (!StartsWithDigit(text)) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, out, std::chars_format::fixed);
  return ec == std::errc() && ptr == end && out >= low && out <= high;
}

// A decimal number, all of the text, in (0, high].
bool ParsePositive(std::string_view text, double high, double& out) {
  return ParseDecimal(text, 0, high, out) && out > 0;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view end = text.substr(text.size() - suffix.size());
  for (std::size_t i = 0; i < suffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(end[i])) != suffix[i]) return false;
  }
  return true;
}

}  // namespace

std::variant<Options, std::string> ParseOptions(int argc, const char* const* argv) {
  Options options;
  bool have_out = false;
  bool have_gif = false;
  bool have_fps = false;
  bool have_size = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    // --name=value is --name value.
    std::optional<std::string_view> inline_value;
    if (arg.substr(0, 2) == "--" && arg.find('=') != std::string_view::npos) {
      inline_value = arg.substr(arg.find('=') + 1);
      arg = arg.substr(0, arg.find('='));
    }
    if (inline_value && (arg == "--help" || arg == "--version")) {
      return Printable(arg) + " takes no value";
    }
    if (arg == "--help" || arg == "-h") {
      options.help = true;
      return options;
    }
    if (arg == "--version") {
      options.version = true;
      return options;
    }
    if (arg != "--passes" && arg != "--size" && arg != "--out" && arg != "--gif" &&
        arg != "--seconds" && arg != "--fps" && arg != "--dpi") {
      return "unknown option '" + Printable(arg) + "' (see --help)";
    }
    if (!inline_value && i + 1 >= argc) return Printable(arg) + " needs a value";
    const std::string_view value = inline_value ? *inline_value : std::string_view(argv[++i]);
    if (arg == "--passes") {
      if (!ParseNumber(value, 0, kMaxPasses, options.passes)) {
        return "--passes takes a whole number from 0 to " + std::to_string(kMaxPasses) + ", not '" +
               Printable(value) + "'";
      }
    } else if (arg == "--size") {
      const auto x = value.find('x');
      std::int64_t w = 0;
      std::int64_t h = 0;
      if (x == std::string_view::npos || !ParseNumber(value.substr(0, x), 1, kMaxImageSide, w) ||
          !ParseNumber(value.substr(x + 1), 1, kMaxImageSide, h)) {
        return "--size takes WxH with each side from 1 to " + std::to_string(kMaxImageSide) +
               ", not '" + Printable(value) + "'";
      }
      options.width = static_cast<int>(w);
      options.height = static_cast<int>(h);
      have_size = true;
    } else if (arg == "--dpi") {
      if (!ParseDecimal(value, kLeastFittingDpi, kMaxDpi, options.dpi)) {
        return "--dpi takes a number from " + std::to_string(kLeastFittingDpi) + " to " +
               std::to_string(kMaxDpi) + ", not '" + Printable(value) + "'";
      }
    } else if (arg == "--seconds") {
      double seconds = 0;
      if (!ParsePositive(value, kMaxSeconds, seconds)) {
        return "--seconds takes a number above 0 and at most " +
               std::to_string(static_cast<int>(kMaxSeconds)) + ", not '" + Printable(value) + "'";
      }
      options.seconds = seconds;
    } else if (arg == "--fps") {
      std::int64_t fps = 0;
      if (!ParseNumber(value, 1, kMaxFramesPerSecond, fps)) {
        return "--fps takes a whole number from 1 to " + std::to_string(kMaxFramesPerSecond) +
               ", not '" + Printable(value) + "'";
      }
      options.fps = static_cast<int>(fps);
      have_fps = true;
    } else {
      if (value.empty()) return Printable(arg) + " needs a file name";
      const bool png = arg == "--out";
      if (value != "-" && !EndsWithNoCase(value, png ? ".png" : ".gif")) {
        return std::string(png ? "--out writes a PNG: give FILE.png"
                               : "--gif writes a GIF: give FILE.gif") +
               " (or - for standard output), not '" + Printable(value) + "'";
      }
      (png ? options.out : options.gif) = value;
      (png ? have_out : have_gif) = true;
    }
  }
  if (have_out && have_gif) return "give --out or --gif, not both";
  if (!have_out && !have_gif) return "no --out FILE.png or --gif FILE.gif given (see --help)";
  if (!have_gif && (options.seconds || have_fps)) return "--seconds and --fps go with --gif";
  if (!have_size) {
    options.width = ScaledSide(kDefaultWidth, options.dpi);
    options.height = ScaledSide(kDefaultHeight, options.dpi);
  }
  return options;
}

}  // namespace drelm::snapshot
