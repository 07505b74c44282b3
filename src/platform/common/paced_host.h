#pragma once

#include <chrono>

#include "app/host.h"
#include "platform/common/pacer.h"

namespace drelm {

// The event pump of a window host, the same on every window system. While the animation runs,
// the end of a pass costs a clock read; once a frame the window system's events are handed to
// the window and what changed is shown, then the pump waits until the next pass is due. While
// the window is paused it waits for events, never spinning. A host supplies the operations
// below, on its own window system.
class PacedHost : public Host {
 public:
  PacedHost() = default;
  // A host owns its window and the picture's pixels: it is never copied.
  PacedHost(const PacedHost&) = delete;
  PacedHost& operator=(const PacedHost&) = delete;

  void DoEvents(WindowInput& window) final;
  // Shows what changed, and returns once the screen has it (the last picture, as the program ends).
  void ShowFrameAndWait() {
    ShowFrame();
    WaitUntilShown();
  }

 protected:
  // While paused the pump waits for events no longer than this at a time.
  static constexpr std::chrono::milliseconds kPausedWait{100};

  // Hands the window system's pending events to the window.
  virtual void HandOverEvents(WindowInput& window) = 0;
  // Shows what changed since the last showing.
  virtual void ShowFrame() = 0;
  // Waits until the next pass is due. A host may hand over events that come meanwhile, and
  // return early when one pauses the window.
  virtual void WaitForPass(Pacer::Time due, WindowInput& window) = 0;
  // Waits up to `longest` for an event, and hands over any that came.
  virtual void WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) = 0;
  // Returns once the screen has read what was shown: the passes that follow write the canvas.
  virtual void WaitUntilShown() {}

 private:
  Pacer pacer_;
};

}  // namespace drelm
