#pragma once

#include <memory>

#include "app/drelm_wheel.h"
#include "platform/common/ending.h"
#include "platform/common/window_host.h"

namespace drelm {

// Opens a window host with `open`, runs the window on it until the program ends, and then shows
// the last picture of a window that ended as the user asked (Esc's cleared one). Tells how it
// ended; `host` holds as much of the host as was made, for reporting a failure over it.
template <typename Open>
Ending RunWindow(std::unique_ptr<WindowHost>& host, Open&& open) {
  Ending ending = RunUntilEnd([&] {
                    host = open();
                    DrelmWheel window(host->surface(), *host);
                    window.Activate();
                  }).value_or(Ending{});
  if (!ending.failed() && host)
    ending = RunUntilEnd([&] { host->ShowFrameAndWait(); }).value_or(ending);
  return ending;
}

}  // namespace drelm
