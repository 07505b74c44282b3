#pragma once

#include <map>
#include <vector>

#include "app/host.h"
#include "canvas/canvas.h"
#include "canvas/world_canvas.h"

namespace drelm {

// One event handed to the window by a scripted pump call.
struct ScriptedEvent {
  enum class Kind { kKey, kMouseDown };
  Kind kind;
  int code;  // the character code of a key
};

inline ScriptedEvent KeyEvent(int code) {
  return {ScriptedEvent::Kind::kKey, code};
}
inline ScriptedEvent ClickEvent() {
  return {ScriptedEvent::Kind::kMouseDown, 0};
}

// The window without a window: the same start-up and passes on a canvas in memory, with an event
// pump that plays a script instead of waiting for a user. It never waits. Ending the program
// hands control back to whoever started it (ProgramEnded).
class ScriptedHost final : public Host {
 public:
  ScriptedHost(int width, int height, WorldMapping mapping = WorldMapping())
      : canvas_(width, height), surface_(canvas_, mapping) {
    canvas_.TrackChanges(false);  // nothing is shown, so nothing needs to know what changed
  }

  Canvas& canvas() { return canvas_; }
  WorldCanvas& surface() { return surface_; }

  // Events to hand over in pump call number `call`, counted from 1.
  void At(int call, std::vector<ScriptedEvent> events) { script_[call] = std::move(events); }
  // Ends the program at the start of pump call number `call`, as a user leaving would.
  void EndAt(int call) { end_at_ = call; }
  int calls() const { return calls_; }

  // Plays this call's events. A paused window with nothing more in the script would wait
  // forever; the program ends instead.
  void DoEvents(WindowInput& window) override;

 private:
  Canvas canvas_;
  WorldCanvas surface_;
  std::map<int, std::vector<ScriptedEvent>> script_;
  int end_at_ = 0;
  int calls_ = 0;
};

}  // namespace drelm
