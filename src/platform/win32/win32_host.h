#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/window_host.h"

// Win32's types, declared here so that whoever includes the host does not take in windows.h and
// its macros.
struct HWND__;
typedef HWND__* HWND;

namespace drelm {

// The window on Windows, through Win32 itself: drawn at the monitor's dots an inch, its canvas as
// large as the whole desktop, all of it shown again on WM_PAINT (window_host.h says the rest).
// What the window procedure receives is queued and handed to the window's handlers after
// DispatchMessage returns, so no exception ever unwinds through the system's frames.
class Win32Host final : public WindowHost {
 public:
  Win32Host();
  ~Win32Host() override;

  Canvas& canvas() override { return canvas_; }
  WorldCanvas& surface() override { return surface_; }
  void ShowError(const std::string& message) override;

  // What the window procedure saw, for the pump to act on.
  struct Event {
    enum class Kind { kKey, kMouseDown, kClose, kFailed } kind;
    int code = 0;  // the character code, or the button
    int shift = 0;
    int x = 0;
    int y = 0;
  };
  // Called by the window procedure only.
  void Queue(const Event& event) { events_.push_back(event); }
  // Shows the whole client area again, on WM_PAINT.
  void Paint();

 private:
  // The pump's operations on Win32. Handing over events: every message Windows holds is
  // dispatched, then what they queued is acted on. Waiting for the next pass: messages that
  // come meanwhile are handed over, and a pause ends the wait.
  void HandOverEvents(WindowInput& window) override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  PixelSize ClientArea() const override;
  void ShowRects(std::span<const PixelRect> changed) override;
  void ShowAll() override;
  void WaitUntilShown() override {}  // GDI has copied the pixels when StretchDIBits returns
  // Copies a rectangle of the canvas to the same place in the client area.
  void Blit(const PixelRect& rect);

  double dpi_;
  WorldMapping mapping_;
  Canvas canvas_;
  WorldCanvas surface_;
  HWND window_ = nullptr;
  std::deque<Event> events_;
  std::vector<std::uint8_t> scratch_;  // a rectangle of the picture as GDI takes it
  std::string paint_error_;
};

}  // namespace drelm
