// drelm-wheel-snapshot: the picture after a number of passes, as a PNG file.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <variant>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "platform/offscreen_host.h"
#include "snapshot/options.h"
#include "snapshot/png_file.h"

namespace {

// As large as the window host's canvas, so the picture is the same wherever it is looked at.
constexpr int kCanvasWidth = 2400;
constexpr int kCanvasHeight = 1440;

}  // namespace

int main(int argc, char** argv) {
  using namespace drelm;
  const auto parsed = snapshot::ParseOptions(argc, argv);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "drelm-wheel-snapshot: %s\n", error->c_str());
    return 2;
  }
  const auto& options = std::get<snapshot::Options>(parsed);
  if (options.help) {
    std::fputs(snapshot::kUsage, stdout);
    return 0;
  }
  try {
    OffscreenHost host(std::max(kCanvasWidth, options.width),
                       std::max(kCanvasHeight, options.height));
    DrelmWheel window(host.surface(), host);
    window.StartUp();
    for (std::int64_t i = 0; i < options.passes; ++i) window.Pass();
    snapshot::WritePng(host.canvas(), options.width, options.height, options.out);
  } catch (const RunTimeError& error) {
    std::fprintf(stderr, "drelm-wheel-snapshot: Run-time error: %s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "drelm-wheel-snapshot: %s\n", error.what());
    return 1;
  }
  return 0;
}
