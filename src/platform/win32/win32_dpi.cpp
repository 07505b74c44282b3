#include "platform/win32/win32_dpi.h"

namespace drelm::win32 {
namespace {

// A function of a system DLL, or null where this Windows lacks it. The DLL stays loaded.
template <typename Function>
Function Lookup(const wchar_t* dll, const char* name) {
  HMODULE module = GetModuleHandleW(dll);
  if (module == nullptr) module = LoadLibraryExW(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module == nullptr) return nullptr;
  // Through the type that stands for any function, as GetProcAddress's own result does.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// Windows 10 1607.
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
// Windows 8.1, shcore.dll; MDT_EFFECTIVE_DPI is 0.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kEffectiveDpi = 0;

}  // namespace

UINT SystemDpi() {
  static const auto get_dpi_for_system =
      Lookup<GetDpiForSystemFunction>(L"user32.dll", "GetDpiForSystem");
  if (get_dpi_for_system != nullptr) return get_dpi_for_system();
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT WindowDpi(HWND window) {
  static const auto get_dpi_for_window =
      Lookup<GetDpiForWindowFunction>(L"user32.dll", "GetDpiForWindow");
  if (get_dpi_for_window != nullptr) return get_dpi_for_window(window);
  // LOAD_LIBRARY_SEARCH_SYSTEM32 keeps a shcore.dll beside the program from being loaded.
  static const auto get_dpi_for_monitor =
      Lookup<GetDpiForMonitorFunction>(L"shcore.dll", "GetDpiForMonitor");
  UINT x = 0, y = 0;
  if (get_dpi_for_monitor != nullptr &&
      SUCCEEDED(get_dpi_for_monitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST),
                                    kEffectiveDpi, &x, &y))) {
    return x;
  }
  return 0;
}

SIZE FrameSize(SIZE client, DWORD style, UINT dpi) {
  static const auto adjust_for_dpi =
      Lookup<AdjustWindowRectExForDpiFunction>(L"user32.dll", "AdjustWindowRectExForDpi");
  RECT frame{0, 0, client.cx, client.cy};
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&frame, style, FALSE, 0, dpi);
  } else {
    AdjustWindowRectEx(&frame, style, FALSE, 0);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace drelm::win32
