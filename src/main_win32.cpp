// drelm-wheel.exe: the animated linkage in a window of its own, on Windows.
#include <windows.h>

#include <exception>
#include <memory>
#include <new>
#include <string>

#include "app/drelm_wheel.h"
#include "app/program_end.h"
#include "canvas/run_time_error.h"
#include "platform/win32/win32_host.h"

namespace {

constexpr wchar_t kProgram[] = L"drelm-wheel";

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 1)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), length);
  wide.resize(wide.size() - 1);
  return wide;
}

// A GUI program has no console: a failure is said in one message box, and the status is 1.
[[noreturn]] void Fail(drelm::Win32Host* host, const std::string& message) {
  const std::wstring text = Wide(message);
  if (host != nullptr) {
    host->ShowError(kProgram, text);
  } else {
    MessageBoxW(nullptr, text.c_str(), kProgram, MB_OK | MB_ICONERROR);
  }
  ExitProcess(1);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::unique_ptr<drelm::Win32Host> host;
  try {
    host = std::make_unique<drelm::Win32Host>();
    drelm::DrelmWheel window(host->surface(), *host);
    window.Activate();
  } catch (const drelm::ProgramEnded&) {
    if (host) host->ShowChanges();
    ExitProcess(0);
  } catch (const drelm::RunTimeError& error) {
    Fail(host.get(), std::string("Run-time error: ") + error.what());
  } catch (const std::bad_alloc&) {
    Fail(host.get(), "out of memory");
  } catch (const std::exception& error) {
    Fail(host.get(), error.what());
  }
  return 1;
}
