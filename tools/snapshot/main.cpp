// drelm-wheel-snapshot: the picture after a number of passes as a PNG, or the motion from there
// on as an animated GIF.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <variant>

#include "canvas/run_time_error.h"
#include "drelm_version.h"
#include "files/atomic_file.h"
#include "snapshot/options.h"
#include "snapshot/recording.h"

namespace {

constexpr char kProgram[] = "drelm-wheel-snapshot";

// Writes text to standard output, and says so when it could not: a full disk or a closed pipe
// is a failure like any other.
int PrintOut(const char* text) {
  if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", kProgram,
                 std::strerror(errno));
    return 1;
  }
  return 0;
}

int Run(int argc, char** argv) {
  using namespace drelm;
  const auto parsed = snapshot::ParseOptions(argc, argv);
  if (const auto* error = std::get_if<std::string>(&parsed)) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error->c_str());
    return 2;
  }
  const auto& options = std::get<snapshot::Options>(parsed);
  if (options.help) return PrintOut(snapshot::kUsage);
  if (options.version) return PrintOut("drelm-wheel-snapshot " DRELM_VERSION "\n");
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
  } catch (const drelm::RunTimeError& error) {
    std::fprintf(stderr, "%s: Run-time error: %s\n", kProgram, error.what());
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", kProgram);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
  } catch (...) {
    std::fprintf(stderr, "%s: an unexpected error\n", kProgram);
  }
  return 1;
}
