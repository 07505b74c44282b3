#include "platform/x11/x11_keyboard.h"

#include <X11/Xlocale.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <clocale>
#include <string>

#include "platform/linux/key_codes.h"

namespace drelm {

void X11Keyboard::OpenInputMethod() {
  if (opened_) return;
  opened_ = true;
  Display* display = display_;
  Window window = window_;
  // The input method is chosen by the user's locale; the program's own stays as it was, so that
  // its messages do not change.
  const char* current = std::setlocale(LC_CTYPE, nullptr);
  const std::string kept = current != nullptr ? current : "C";
  if (std::setlocale(LC_CTYPE, "") != nullptr && XSupportsLocale()) {
    XSetLocaleModifiers("");
    method_ = XOpenIM(display, nullptr, nullptr, nullptr);
  }
  if (method_ != nullptr) {
    context_ = XCreateIC(method_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                         XNClientWindow, window, XNFocusWindow, window, nullptr);
    if (context_ == nullptr) {
      XCloseIM(method_);
      method_ = nullptr;
    }
  }
  std::setlocale(LC_CTYPE, kept.c_str());
  if (context_ != nullptr) {
    // The events the input method needs of the window, beside the program's own.
    long wanted = 0;
    XGetICValues(context_, XNFilterEvents, &wanted, nullptr);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    XSelectInput(display, window, attributes.your_event_mask | wanted);
    Focus(focused_);
  }
}

X11Keyboard::~X11Keyboard() {
  if (context_ != nullptr) XDestroyIC(context_);
  if (method_ != nullptr) XCloseIM(method_);
}

bool X11Keyboard::Filter(XEvent& event) const {
  return XFilterEvent(&event, None) == True;
}

void X11Keyboard::Focus(bool in) {
  focused_ = in;
  if (context_ == nullptr) return;
  if (in) {
    XSetICFocus(context_);
  } else {
    XUnsetICFocus(context_);
  }
}

std::vector<int> X11Keyboard::Codes(XKeyEvent& press) const {
  KeyStroke stroke;
  stroke.ctrl = (press.state & ControlMask) != 0;
  char text[64];
  KeySym keysym = NoSymbol;
  int length = 0;
  if (context_ != nullptr) {
    Status status = 0;
    length = Xutf8LookupString(context_, &press, text, sizeof text - 1, &keysym, &status);
    if (status == XBufferOverflow) {
      std::string longer(static_cast<std::size_t>(length) + 1, '\0');
      length = Xutf8LookupString(context_, &press, longer.data(), static_cast<int>(longer.size()),
                                 &keysym, &status);
      stroke.text.assign(longer.data(), static_cast<std::size_t>(std::max(length, 0)));
      length = 0;
    } else if (status != XLookupChars && status != XLookupBoth) {
      length = 0;
    }
    if (status != XLookupKeySym && status != XLookupBoth) keysym = NoSymbol;
  } else {
    // Xlib's own lookup types Latin-1; as UTF-8 for the same path.
    length = XLookupString(&press, text, sizeof text - 1, &keysym, nullptr);
    std::string utf8;
    for (int i = 0; i < length; ++i) {
      const auto byte = static_cast<unsigned char>(text[i]);
      if (byte < 0x80) {
        utf8 += static_cast<char>(byte);
      } else {
        utf8 += static_cast<char>(0xC0 | (byte >> 6));
        utf8 += static_cast<char>(0x80 | (byte & 0x3F));
      }
    }
    stroke.text = utf8;
    length = 0;
  }
  if (length > 0) stroke.text.assign(text, static_cast<std::size_t>(length));
  stroke.keysym = static_cast<std::uint32_t>(keysym);
  return CharacterCodes(stroke);
}

}  // namespace drelm
