// drelm-wheel: the animated linkage in a window of its own.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "platform/sdl_host.h"

#ifndef DRELM_VERSION
#error "DRELM_VERSION must be defined by the build"
#endif

// The version the file carries, since the program takes no command line to ask it by:
// `readelf -p .drelm_version drelm-wheel`.
[[gnu::used, gnu::section(".drelm_version")]] static const char kVersion[] =
    "drelm-wheel " DRELM_VERSION;

int main() {
  std::unique_ptr<drelm::SdlHost> host;
  try {
    host = std::make_unique<drelm::SdlHost>();
    drelm::DrelmWheel window(host->surface(), *host);
    window.Activate();
  } catch (const drelm::ProgramEnded&) {
    if (host) host->ShowChanges();
    // The process ends at once, and the display takes the window down with it. SDL_Quit is not
    // called: it may meet an X error for a wake-up event still on its way to the destroyed
    // window, and Xlib's handler for that ends the process with status 1.
    std::fflush(nullptr);
    std::_Exit(0);
  } catch (const drelm::RunTimeError& error) {
    const std::string message = std::string("Run-time error: ") + error.what();
    std::fprintf(stderr, "drelm-wheel: %s\n", message.c_str());
    if (host) host->ShowError("drelm-wheel", message);
    return 1;
  } catch (const drelm::HostError& error) {
    std::fprintf(stderr, "drelm-wheel: %s\n", error.what());
    return 1;
  }
}
