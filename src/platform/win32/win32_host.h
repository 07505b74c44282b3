#pragma once

#include <deque>
#include <string>

#include "canvas/canvas.h"
#include "canvas/world.h"
#include "canvas/world_canvas.h"
#include "platform/common/paced_host.h"

// Win32's types, declared here so that whoever includes the host does not take in windows.h and
// its macros.
struct HWND__;
typedef HWND__* HWND;

namespace drelm {

// The window on Windows, through Win32 itself. As the SDL host: it holds the picture in a canvas
// of its own, drawn at the monitor's dots an inch and at least as large as the whole desktop, and
// shows it (the changed squares at the display's pace, all of it on WM_PAINT); its pump holds the
// passes to the wall clock and waits for messages, without spinning, while the window is paused.
// What the window procedure receives is queued and handed to the window's handlers after
// DispatchMessage returns, so no exception ever unwinds through the system's frames.
class Win32Host final : public PacedHost {
 public:
  Win32Host();
  ~Win32Host() override;

  WorldCanvas& surface() { return surface_; }
  // Shows a message box over the window, for an error that ends the program.
  void ShowError(const std::wstring& title, const std::wstring& message);

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
  void Repaint();

 private:
  // The pump's operations on Win32. Handing over events: every message Windows holds is
  // dispatched, then what they queued is acted on. Waiting for the next pass: messages that
  // come meanwhile are handed over, and a pause ends the wait.
  void HandOverEvents(WindowInput& window) override;
  void ShowFrame() override;
  void WaitForPass(Pacer::Time due, WindowInput& window) override;
  void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) override;
  // Copies a rectangle of the canvas to the same place in the client area.
  void Blit(const PixelRect& rect);

  double dpi_;
  WorldMapping mapping_;
  Canvas canvas_;
  WorldCanvas surface_;
  HWND window_ = nullptr;
  std::deque<Event> events_;
  std::string paint_error_;
};

}  // namespace drelm
