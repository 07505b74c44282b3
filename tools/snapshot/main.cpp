// drelm-wheel-snapshot: the picture after a number of passes as a PNG, or the motion from there
// on as an animated GIF.
#include <cstdio>
#include <exception>
#include <variant>

#include "canvas/run_time_error.h"
#include "snapshot/options.h"
#include "snapshot/recording.h"

#ifndef DRELM_VERSION
#error "DRELM_VERSION must be defined by the build"
#endif

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
  if (options.version) {
    std::printf("drelm-wheel-snapshot %s\n", DRELM_VERSION);
    return 0;
  }
  try {
    if (options.gif.empty()) {
      snapshot::WriteSnapshot(options);
    } else {
      snapshot::WriteRecording(options);
    }
  } catch (const RunTimeError& error) {
    std::fprintf(stderr, "drelm-wheel-snapshot: Run-time error: %s\n", error.what());
    return 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "drelm-wheel-snapshot: %s\n", error.what());
    return 1;
  }
  return 0;
}
