// drelm-wheel.exe: the animated linkage in a window of its own, on Windows.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/common/program_name.h"
#include "platform/common/run_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_host.h"

namespace {

std::unique_ptr<drelm::WindowHost> OpenHost() {
  return std::make_unique<drelm::Win32Host>();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::unique_ptr<drelm::WindowHost> host;
  const drelm::Ending ending = drelm::RunWindow(host, OpenHost);
  // A GUI program has no console: a failure is said in one message box.
  if (ending.failed()) {
    if (host) {
      host->ShowError(ending.message);
    } else {
      MessageBoxW(nullptr, drelm::Wide(ending.message).c_str(),
                  drelm::Wide(drelm::kProgramName).c_str(), MB_OK | MB_ICONERROR);
    }
  }
  ExitProcess(static_cast<UINT>(ending.status()));
}
