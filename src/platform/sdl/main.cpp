// drelm-wheel: the animated linkage in a window of its own.
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "drelm_version.h"
#include "platform/common/run_window.h"
#include "platform/common/standard_output.h"
#include "platform/sdl/sdl_host.h"

namespace {

constexpr char kProgram[] = "drelm-wheel";

// The version the file carries, since the program takes no command line to ask it by:
// `readelf -p .drelm_version drelm-wheel`.
[[gnu::used, gnu::section(".drelm_version")]] const char kVersion[] = "drelm-wheel " DRELM_VERSION;

constexpr char kHelp[] =
    "drelm-wheel: an animated planar linkage. A crank turns on a wheel about a fixed hub, two\n"
    "two-link chains hang off it, and a band below traces how far the output joint's angle\n"
    "departs from the crank angle.\n"
    "\n"
    "  Enter             pause and resume\n"
    "  Esc               clear the window and quit\n"
    "  any mouse button  quit at once (a click that brings the window to the front too)\n"
    "\n"
    "The window opens on the upper left of the picture; enlarge it to see the rest.\n"
    "The program takes no other options. Manual: man drelm-wheel\n";

// Answers --help and --version, which a person may ask though the program takes no command line;
// every other argument is ignored. Returns the exit status, or -1 to go on to the window.
int AnswerCommandLine(int argc, char** argv) {
  if (argc < 2) return -1;
  const std::string first = argv[1];
  const char* text = nullptr;
  if (first == "--help" || first == "-h") text = kHelp;
  if (first == "--version") text = "drelm-wheel " DRELM_VERSION "\n";
  if (text == nullptr) return -1;
  return drelm::PrintOut(kProgram, text);
}

extern "C" void EndAtOnce(int) {
  _exit(0);
}

// SIGINT and SIGTERM end the program at once with status 0, as a quit request does, wherever it
// is: even inside a library that no longer returns. A signal the parent ignores stays ignored.
void EndOnQuitSignals() {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    struct sigaction old {};
    sigaction(signal_number, nullptr, &old);
    if (old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = EndAtOnce;
    sigemptyset(&action.sa_mask);
    sigaction(signal_number, &action, nullptr);
  }
}

// Ends the process at once, and the display takes the window down with it. SDL_Quit is not
// called: it may meet an X error for a wake-up event still on its way to the destroyed window,
// and that would add a second line to the one the program ends with.
[[noreturn]] void Leave(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerCommandLine(argc, argv); status >= 0) return status;
  EndOnQuitSignals();
  std::unique_ptr<drelm::SdlHost> host;
  const drelm::Ending ending = drelm::RunWindow(host);
  if (ending.failed()) {
    std::fprintf(stderr, "%s: %s\n", kProgram, ending.message.c_str());
    if (ending.kind == drelm::Ending::Kind::kRunTimeError && host) {
      host->ShowError(kProgram, ending.message);
    }
  }
  Leave(ending.status());
}
