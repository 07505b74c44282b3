#pragma once

namespace drelm {

// What a host sees of the window: where it hands over what the user does, and whether the
// animation is paused. A host needs no more of the window than this, so a test or another host
// can stand in for it.
class WindowInput {
 public:
  virtual ~WindowInput() = default;
  // A typed character's code (Enter 13, Esc 27). Esc ends the program from inside this call.
  virtual void KeyPress(int key_ascii) = 0;
  // A mouse button went down: the button and shift-state codes, the pointer in world units. It
  // ends the program.
  [[noreturn]] virtual void MouseDown(int button, int shift, float x, float y) = 0;
  virtual bool Paused() const = 0;
};

// What the window needs of the platform besides its drawing surface: the event pump.
class Host {
 public:
  virtual ~Host() = default;
  // Hands every pending event to the window's handlers, then returns. A handler may end the
  // program from inside it. A host may wait here: to hold the animation to its pace, and while the
  // window is paused, until something happens.
  virtual void DoEvents(WindowInput& window) = 0;
};

}  // namespace drelm
