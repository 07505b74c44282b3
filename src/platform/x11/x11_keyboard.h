#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace drelm {

// The keyboard through the desktop's input method, where there is one (XIM): dead keys, Compose
// and input methods type what they type in other programs. Without one, Xlib's own lookup.
class X11Keyboard {
 public:
  X11Keyboard(Display* display, Window window);
  ~X11Keyboard();
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // Whether the input method takes the event for itself (a dead key's first press, say): every
  // event goes here first.
  bool Filter(XEvent& event) const;
  // The character codes a key press types.
  std::vector<int> Codes(XKeyEvent& press) const;
  // The window gained or lost the keyboard.
  void Focus(bool in) const;

 private:
  XIM method_ = nullptr;
  XIC context_ = nullptr;
};

}  // namespace drelm
