#include "platform/common/offscreen_host.h"

#include "app/drelm_wheel.h"
#include "app/program_end.h"

namespace drelm {

void OffscreenHost::DoEvents(DrelmWheel& window) {
  ++calls_;
  if (end_at_ != 0 && calls_ >= end_at_) End();
  const auto batch = script_.find(calls_);
  if (batch != script_.end()) {
    for (const ScriptedEvent& event : batch->second) {
      if (event.kind == ScriptedEvent::Kind::kKey) {
        window.KeyPress(event.code);
      } else {
        window.MouseDown(1, 0, 0, 0);
      }
    }
  }
  const bool more = script_.upper_bound(calls_) != script_.end() || end_at_ > calls_;
  if (window.stoop.Value() != 0 && !more) End();
}

}  // namespace drelm
