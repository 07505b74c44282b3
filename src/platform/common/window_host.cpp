#include "platform/common/window_host.h"

#include <vector>

namespace drelm {

void WindowHost::DoEvents(WindowInput& window) {
  if (window.Paused()) {
    pacer_.Restart();
    ShowFrame();
    WaitForEvents(kPausedWait, window);
  } else {
    const Pacer::Step step = pacer_.AfterPass(Now());
    if (step.show) {
      // A key or a click waits at most a frame: what it does could not show sooner.
      HandOverEvents(window);
      ShowFrame();  // a pause among the events shows its last pass at once
    }
    if (!window.Paused()) WaitForPass(step.resume_at, window);
  }
  WaitUntilShown();
}

void WindowHost::ShowFrameAndWait() {
  ShowFrame();
  WaitUntilShown();
}

void WindowHost::ShowFrame() {
  // A window nobody can see is sent nothing; what changed meanwhile shows when it comes back,
  // which shows all of it.
  const PixelSize area = ClientArea();
  if (area.width <= 0 || area.height <= 0) return;
  std::vector<PixelRect> changed = canvas().TakeDirtyRects();
  KeepWithin(changed, ShownArea(area, {canvas().width(), canvas().height()}));
  if (!changed.empty()) ShowRects(changed);
}

void WindowHost::Repaint() {
  const PixelSize area = ClientArea();
  if (area.width <= 0 || area.height <= 0) return;
  canvas().TakeDirtyRects();  // all of it is shown
  ShowAll();
}

}  // namespace drelm
