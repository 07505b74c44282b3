#pragma once

#include <X11/Xlib.h>

#include <vector>

namespace drelm {

// The keyboard through the desktop's input method, where there is one (XIM): dead keys, Compose
// and input methods type what they type in other programs. Without one, Xlib's own lookup. The
// input method is opened once the window shows its first picture: it reads the locale's Compose
// table, which takes longer than all else the window needs to open.
class X11Keyboard {
 public:
  X11Keyboard(Display* display, Window window) : display_(display), window_(window) {}
  ~X11Keyboard();
  X11Keyboard(const X11Keyboard&) = delete;
  X11Keyboard& operator=(const X11Keyboard&) = delete;

  // Opens the input method, once.
  void OpenInputMethod();
  // Whether the input method takes the event for itself (a dead key's first press, say): every
  // event goes here first.
  bool Filter(XEvent& event) const;
  // The character codes a key press types.
  std::vector<int> Codes(XKeyEvent& press) const;
  // The window gained or lost the keyboard.
  void Focus(bool in);

 private:
  Display* display_;
  Window window_;
  bool opened_ = false;
  bool focused_ = false;
  XIM method_ = nullptr;
  XIC context_ = nullptr;
};

}  // namespace drelm
