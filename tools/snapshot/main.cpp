// drelm-wheel-snapshot: the picture after a number of passes as a PNG, or the motion from there
// on as an animated GIF.
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <variant>

#include "drelm_version.h"
#include "files/atomic_file.h"
#include "platform/common/ending.h"
#include "platform/common/standard_output.h"
#include "snapshot/options.h"
#include "snapshot/recording.h"

namespace {

constexpr char kProgram[] = "drelm-wheel-snapshot";

int Run(int argc, char** argv) {
  using namespace drelm;
  const auto parsed = snapshot::ParseOptions(argc, argv);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error->c_str());
    return 2;
  }
  const auto& options = std::get<snapshot::Options>(parsed);
  if (options.help) return PrintOut(kProgram, snapshot::kUsage);
  if (options.version) return PrintOut(kProgram, "drelm-wheel-snapshot " DRELM_VERSION "\n");
  const bool to_stdout = options.out == "-" || options.gif == "-";
  if (to_stdout && isatty(STDOUT_FILENO) == 1) {
    std::fprintf(stderr, "%s: standard output is a terminal; redirect it or give a file name\n",
                 kProgram);
    return 2;
  }
  files::InstallFileSignalHandlers();
  if (options.gif.empty()) {
    snapshot::WriteSnapshot(options);
  } else {
    snapshot::WriteRecording(options);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (...) {
    // In the words the window ends with: "Run-time error: ...", "out of memory", the reason.
    const drelm::Ending ending = drelm::EndingOf(std::current_exception());
    std::fprintf(stderr, "%s: %s\n", kProgram, ending.message.c_str());
  }
  return 1;
}
