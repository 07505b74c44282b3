#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// The dots an inch Windows gives a program, on every Windows from 7 on. The functions of later
// Windows are looked up when the program runs, so that it starts where they are missing: the
// window's own DPI from Windows 10 1607 on, its monitor's from 8.1 on, the system's on 7.
namespace drelm::win32 {

// The DPI of the desktop the program starts on.
UINT SystemDpi();
// The DPI of the monitor `window` is on, or 0 where Windows cannot tell one monitor's from the
// system's (7 and 8).
UINT WindowDpi(HWND window);
// The outer size of a window of `style` whose client area is `client`, with the frame's metrics at
// `dpi` where Windows has them for any DPI, else at the system's.
SIZE FrameSize(SIZE client, DWORD style, UINT dpi);

}  // namespace drelm::win32
