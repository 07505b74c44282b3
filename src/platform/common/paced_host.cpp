#include "platform/common/paced_host.h"

namespace drelm {

void PacedHost::DoEvents(WindowInput& window) {
  if (window.Paused()) {
    pacer_.Restart();
    ShowFrame();
    WaitForEvents(kPausedWait, window);
  } else {
    const Pacer::Step step = pacer_.AfterPass(Pacer::Clock::now());
    if (step.show) {
      // A key or a click waits at most a frame: what it does could not show sooner.
      HandOverEvents(window);
      ShowFrame();  // a pause among the events shows its last pass at once
    }
    if (!window.Paused()) WaitForPass(step.resume_at, window);
  }
  WaitUntilShown();
}

}  // namespace drelm
