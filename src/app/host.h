#pragma once

namespace drelm {

class DrelmWheel;

// What the window needs of the platform besides its drawing surface: the event pump.
class Host {
 public:
  virtual ~Host() = default;
  // Hands every pending event to the window's handlers, then returns. A handler may end the
  // program from inside it. A host may wait here: to hold the animation to its pace, and while the
  // window is paused, until something happens.
  virtual void DoEvents(DrelmWheel& window) = 0;
};

}  // namespace drelm
