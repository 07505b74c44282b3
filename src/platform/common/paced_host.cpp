#include "platform/common/paced_host.h"

#include "app/drelm_wheel.h"

namespace drelm {

void PacedHost::DoEvents(DrelmWheel& window) {
  if (window.stoop.Value() != 0) {
    pacer_.Restart();
    SendChanges();
    WaitForEvents(kPausedWait, window);
  } else {
    const Pacer::Step step = pacer_.AfterPass(Pacer::Clock::now());
    if (step.show) {
      // A key or a click waits at most a frame: what it does could not show sooner.
      DispatchEvents(window);
      SendChanges();  // a pause among the events shows its last pass at once
    }
    if (window.stoop.Value() == 0) WaitForPass(step.resume_at, window);
  }
  Settle();
}

}  // namespace drelm
