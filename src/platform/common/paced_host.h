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
  void DoEvents(DrelmWheel& window) final;

 protected:
  // While paused the pump waits for events no longer than this at a time.
  static constexpr std::chrono::milliseconds kPausedWait{100};

  // Hands the window system's pending events to the window.
  virtual void DispatchEvents(DrelmWheel& window) = 0;
  // Sends what changed since the last showing to the screen.
  virtual void SendChanges() = 0;
  // Waits until the next pass is due. A host may hand over events that come meanwhile, and
  // return early when one pauses the window.
  virtual void WaitForPass(Pacer::Time due, DrelmWheel& window) = 0;
  // Waits up to `longest` for an event, and hands over any that came.
  virtual void WaitForEvents(std::chrono::milliseconds longest, DrelmWheel& window) = 0;
  // Returns once the screen has read what was sent: the passes that follow write the canvas.
  virtual void Settle() {}

 private:
  Pacer pacer_;
};

}  // namespace drelm
