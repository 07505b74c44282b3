// drelm-wheel.exe: the animated linkage in a window of its own, on Windows.
#include <windows.h>

#include <memory>
#include <string>

#include "platform/common/run_window.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_host.h"

namespace {

constexpr wchar_t kProgram[] = L"drelm-wheel";

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::unique_ptr<drelm::Win32Host> host;
  const drelm::Ending ending = drelm::RunWindow(host);
  // A GUI program has no console: a failure is said in one message box.
  if (ending.failed()) {
    const std::wstring text = drelm::Wide(ending.message);
    if (host) {
      host->ShowError(kProgram, text);
    } else {
      MessageBoxW(nullptr, text.c_str(), kProgram, MB_OK | MB_ICONERROR);
    }
  }
  ExitProcess(static_cast<UINT>(ending.status()));
}
