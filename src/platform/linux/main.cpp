// drelm-wheel: the animated linkage in a window of its own, on a Wayland or an X11 desktop.
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "drelm_version.h"
#include "platform/common/host_error.h"
#include "platform/common/printable.h"
#include "platform/common/program_name.h"
#include "platform/common/run_window.h"
#include "platform/common/standard_output.h"
#include "platform/linux/descriptor_shortage.h"
#include "platform/linux/display_choice.h"
#include "platform/wayland/wayland_host.h"
#include "platform/x11/x11_host.h"

namespace {

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
  return drelm::PrintOut(drelm::kProgramName, text);
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

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? "" : value;
}

bool IsSocket(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The window on the desktop's own window system: Wayland where its socket is there, else (or
// where its compositor cannot be reached) X11.
std::unique_ptr<drelm::WindowHost> OpenHost() {
  const drelm::DisplayEnvironment environment{Variable("WAYLAND_DISPLAY"),
                                              Variable("XDG_RUNTIME_DIR"), Variable("DISPLAY")};
  const std::optional<std::string> socket = drelm::WaylandSocketPath(environment);
  const drelm::DisplayChoice choice =
      drelm::ChooseDisplays(environment, socket && IsSocket(*socket));
  if (choice.wayland) {
    const std::string name = "WAYLAND_DISPLAY=" + drelm::Printable(environment.wayland_display);
    // Short of descriptors, libwayland would say on stderr what of its failed before the program.
    if (const std::string shortage = drelm::DescriptorShortage(); !shortage.empty()) {
      throw drelm::HostError("cannot open the Wayland display " + name + ": " + shortage);
    }
    try {
      return std::make_unique<drelm::WaylandHost>();
    } catch (const drelm::NoWaylandDisplay& error) {
      if (!choice.x11) {
        throw drelm::HostError("cannot open the Wayland display " + name + ": " + error.what());
      }
    }
  }
  return std::make_unique<drelm::X11Host>();
}

// Ends the process at once, and the display takes the window down with it.
[[noreturn]] void Leave(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (const int status = AnswerCommandLine(argc, argv); status >= 0) return status;
  EndOnQuitSignals();
  // The program talks to nothing but its display. With no session bus, a library's use of D-Bus
  // (libdecor's for the desktop's cursor) would have libdbus start one, which outlives the program.
  if (Variable("DBUS_SESSION_BUS_ADDRESS").empty())
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  std::unique_ptr<drelm::WindowHost> host;
  const drelm::Ending ending = drelm::RunWindow(host, OpenHost);
  if (ending.failed()) {
    drelm::SayFailure(drelm::kProgramName, ending.message);
    if (ending.kind == drelm::Ending::Kind::kRunTimeError && host) host->ShowError(ending.message);
  }
  Leave(ending.status());
}
