// drelm-wheel: the animated linkage in a window of its own.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "drelm_version.h"
#include "platform/sdl/sdl_host.h"

namespace {

constexpr char kProgram[] = "drelm-wheel";

// The version the file carries, since the program takes no command line to ask it by:
// `readelf -p .drelm_version drelm-wheel`.
[[gnu::used, gnu::section(".drelm_version")]] const char kVersion[] = "drelm-wheel " DRELM_VERSION;

// Ends the process at once, and the display takes the window down with it. SDL_Quit is not
// called: it may meet an X error for a wake-up event still on its way to the destroyed window,
// and that would add a second line to the one the program ends with.
[[noreturn]] void Leave(int status) {
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int main() {
  std::unique_ptr<drelm::SdlHost> host;
  try {
    host = std::make_unique<drelm::SdlHost>();
    drelm::DrelmWheel window(host->surface(), *host);
    window.Activate();
  } catch (const drelm::ProgramEnded&) {
    if (host) host->ShowChanges();
    Leave(0);
  } catch (const drelm::RunTimeError& error) {
    const std::string message = std::string("Run-time error: ") + error.what();
    std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
    if (host) host->ShowError(kProgram, message);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "%s: out of memory\n", kProgram);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", kProgram, error.what());
  }
  Leave(1);
}
