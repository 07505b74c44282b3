#include "platform/offscreen/scripted_host.h"

#include "app/program_end.h"
#include "platform/common/mouse.h"

namespace drelm {

void ScriptedHost::DoEvents(WindowInput& window) {
  ++calls_;
  if (end_at_ != 0 && calls_ >= end_at_) End();
  const auto batch = script_.find(calls_);
  if (batch != script_.end()) {
    for (const ScriptedEvent& event : batch->second) {
      if (event.kind == ScriptedEvent::Kind::kKey) {
        window.KeyPress(event.code);
      } else {
        window.MouseDown(kLeftButton, 0, 0, 0);
      }
    }
  }
  const bool more = script_.upper_bound(calls_) != script_.end() || end_at_ > calls_;
  if (window.Paused() && !more) End();
}

}  // namespace drelm
