#include "platform/win32/win32_host.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

// After windows.h, which they build on.
#include <mmsystem.h>  // timeBeginPeriod
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <cstring>

#include "app/caption.h"
#include "app/program_end.h"
#include "platform/common/desktop_scale.h"
#include "platform/common/host_error.h"
#include "platform/common/mouse.h"
#include "platform/common/program_name.h"
#include "platform/common/window_area.h"
#include "platform/win32/wide.h"
#include "platform/win32/win32_dpi.h"

namespace drelm {
namespace {

constexpr wchar_t kClassName[] = L"DrelmWheel";
constexpr int kIconResource = 1;  // the application's icon, in the program's resources
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
// The waits' resolution: the passes are held to the clock a fraction of a frame apart.
constexpr UINT kTimerResolutionMs = 1;

std::string LastError(const char* what) {
  return std::string(what) + ": Windows error " + std::to_string(GetLastError());
}

// The dots an inch of the desktop the window opens on.
// The picture is drawn at it, held to the scales the program draws at.
double DesktopDpi() {
  return HeldDpi(win32::SystemDpi());
}

// Where the window opens (window_area.h's rule), in the work area: the desktop without the taskbar.
POINT StartPosition(SIZE frame) {
  RECT work;
  if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) == 0)
    return {CW_USEDEFAULT, CW_USEDEFAULT};
  const PixelRect usable{work.left, work.top, work.right - work.left, work.bottom - work.top};
  if (const auto place = OpeningPlace({frame.cx, frame.cy}, usable)) return {place->x, place->y};
  return {CW_USEDEFAULT, CW_USEDEFAULT};
}

// The canvas for the whole desktop, every monitor.
Canvas MakeCanvas(const WorldMapping& mapping) {
  const PixelSize size = CanvasFor(
      mapping, {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
  return Canvas(size.width, size.height);
}

Win32Host* HostOf(HWND window) {
  return reinterpret_cast<Win32Host*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

int ShiftState(WPARAM keys) {
  return ((keys & MK_SHIFT) ? kShiftHeld : 0) | ((keys & MK_CONTROL) ? kCtrlHeld : 0) |
         ((GetKeyState(VK_MENU) < 0) ? kAltHeld : 0);
}

// The window procedure: it only queues what the program's handlers are to see, and paints.
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  Win32Host* host = HostOf(window);
  if (host == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  using Kind = Win32Host::Event::Kind;
  const auto mouse = [&](int button) {
    host->Queue(
        {Kind::kMouseDown, button, ShiftState(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)});
    return 0;
  };
  switch (message) {
    case WM_CHAR:  // the character codes typed, auto-repeat included
      for (LPARAM i = 0; i < std::max<LPARAM>(1, lparam & 0xFFFF); ++i) {
        host->Queue({Kind::kKey, static_cast<int>(wparam)});
      }
      return 0;
    case WM_LBUTTONDOWN:
      return mouse(kLeftButton);
    case WM_RBUTTONDOWN:
      return mouse(kRightButton);
    case WM_MBUTTONDOWN:
      return mouse(kMiddleButton);
    case WM_XBUTTONDOWN:
      mouse(kNoButton);
      return TRUE;
    case WM_CLOSE:  // ends the program as End does; the window is not destroyed here
      host->Queue({Kind::kClose});
      return 0;
    case WM_PAINT:
      host->Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers everything
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

}  // namespace

Win32Host::Win32Host()
    : dpi_(DesktopDpi()),
      mapping_(dpi_),
      canvas_(MakeCanvas(mapping_)),
      surface_(canvas_, mapping_) {
  timeBeginPeriod(kTimerResolutionMs);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = CS_HREDRAW | CS_VREDRAW;
  window_class.lpfnWndProc = WindowProcedure;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(kIconResource));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
  window_class.lpszClassName = kClassName;
  if (RegisterClassExW(&window_class) == 0)
    throw HostError(LastError("cannot register the window"));
  // The frame has the metrics of the window's own DPI, whatever the picture is drawn at.
  const SIZE client{mapping_.StartWidth(), mapping_.StartHeight()};
  const UINT system_dpi = win32::SystemDpi();
  const SIZE frame = win32::FrameSize(client, kStyle, system_dpi);
  const POINT at = StartPosition(frame);
  window_ = CreateWindowExW(0, kClassName, Wide(kCaption).c_str(), kStyle, at.x, at.y, frame.cx,
                            frame.cy, nullptr, nullptr, instance, this);
  if (window_ == nullptr) throw HostError(LastError("cannot create the window"));
  // On a monitor of another DPI than the system's, the frame is sized again with that one.
  if (const UINT window_dpi = win32::WindowDpi(window_);
      window_dpi != 0 && window_dpi != system_dpi) {
    const SIZE resized = win32::FrameSize(client, kStyle, window_dpi);
    SetWindowPos(window_, nullptr, 0, 0, resized.cx, resized.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ShowWindow(window_, SW_SHOWNORMAL);
  UpdateWindow(window_);
}

Win32Host::~Win32Host() {
  if (window_ != nullptr) DestroyWindow(window_);
  timeEndPeriod(kTimerResolutionMs);
}

void Win32Host::WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(longest.count()), QS_ALLINPUT);
  HandOverEvents(window);
}

void Win32Host::WaitForPass(Pacer::Time due, WindowInput& window) {
  for (;;) {
    const auto left = due - Pacer::Clock::now();
    if (left <= Pacer::Clock::duration::zero()) return;
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(ms), QS_ALLINPUT) ==
        WAIT_OBJECT_0) {
      HandOverEvents(window);
      if (window.Paused()) return;
    }
  }
}

void Win32Host::HandOverEvents(WindowInput& window) {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // Out of the window procedure now: the handlers may end the program.
  while (!events_.empty()) {
    const Event event = events_.front();
    events_.pop_front();
    switch (event.kind) {
      case Event::Kind::kKey:
        window.KeyPress(event.code);
        break;
      case Event::Kind::kMouseDown:
        PressMouse(window, mapping_, event.code, event.shift, {1.0 * event.x, 1.0 * event.y});
        break;
      case Event::Kind::kClose:
        End();
      case Event::Kind::kFailed:
        throw HostError(paint_error_);
    }
  }
}

PixelSize Win32Host::ClientArea() const {
  if (IsIconic(window_)) return {};  // nobody sees a minimized window; it is painted on restore
  RECT client;
  if (GetClientRect(window_, &client) == 0) return {};
  return {client.right, client.bottom};
}

void Win32Host::ShowRects(std::span<const PixelRect> changed) {
  for (const PixelRect& rect : changed) Blit(rect);
}

void Win32Host::ShowAll() {
  const PixelSize client = ClientArea();
  const PixelSize shown = ShownArea(client, {canvas_.width(), canvas_.height()});
  if (client.width > shown.width || client.height > shown.height) {
    HDC device = GetDC(window_);
    if (device == nullptr) throw HostError(LastError("cannot show the picture"));
    HBRUSH beyond =
        CreateSolidBrush(RGB(kBeyondCanvas.red(), kBeyondCanvas.green(), kBeyondCanvas.blue()));
    const RECT right{shown.width, 0, client.width, client.height};
    const RECT below{0, shown.height, shown.width, client.height};
    FillRect(device, &right, beyond);
    FillRect(device, &below, beyond);
    DeleteObject(beyond);
    ReleaseDC(window_, device);
  }
  if (shown.width > 0 && shown.height > 0) Blit({0, 0, shown.width, shown.height});
}

void Win32Host::Blit(const PixelRect& rect) {
  HDC device = GetDC(window_);
  if (device == nullptr) throw HostError(LastError("cannot show the picture"));
  // The rectangle's pixels as an 8-bit DIB of their own, rows a multiple of 4 bytes long, whose
  // colour table is the canvas's: GDI takes a pixel's number as the canvas holds it.
  const std::size_t stride = (static_cast<std::size_t>(rect.w) + 3) & ~std::size_t{3};
  scratch_.resize(stride * static_cast<std::size_t>(rect.h));
  for (int y = 0; y < rect.h; ++y) {
    std::uint8_t* row = scratch_.data() + static_cast<std::size_t>(y) * stride;
    canvas_.ForEachRun(rect.y + y, rect.x, rect.x + rect.w,
                       [row, &rect](int x, const StoredPixel* in, int count) {
                         std::memcpy(row + (x - rect.x), in, static_cast<std::size_t>(count));
                       });
  }
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colours[kMaxCanvasColours];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = rect.w;
  info.header.biHeight = -rect.h;  // rows top down, as the canvas holds them
  info.header.biPlanes = 1;
  info.header.biBitCount = 8;
  info.header.biCompression = BI_RGB;
  info.header.biClrUsed = static_cast<DWORD>(canvas_.colour_count());
  for (int i = 0; i < canvas_.colour_count(); ++i) {
    const Rgb rgb = canvas_.Decode({static_cast<std::uint8_t>(i)});
    info.colours[i] = {static_cast<BYTE>(rgb.blue()), static_cast<BYTE>(rgb.green()),
                       static_cast<BYTE>(rgb.red()), 0};
  }
  const int shown =
      StretchDIBits(device, rect.x, rect.y, rect.w, rect.h, 0, 0, rect.w, rect.h, scratch_.data(),
                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
  ReleaseDC(window_, device);
  if (shown == 0) throw HostError(LastError("cannot show the picture"));
}

void Win32Host::Paint() {
  PAINTSTRUCT paint;
  BeginPaint(window_, &paint);
  EndPaint(window_, &paint);
  // All of the client area, whatever was asked: painting cannot fail loudly here.
  try {
    Repaint();
  } catch (const HostError& error) {
    // Never through the window procedure: the pump raises it once DispatchMessage has returned.
    paint_error_ = error.what();
    Queue({Event::Kind::kFailed});
  }
}

void Win32Host::ShowError(const std::string& message) {
  MessageBoxW(window_, Wide(message).c_str(), Wide(kProgramName).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace drelm
