#include "platform/x11/x11_message_box.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstring>

namespace drelm {
namespace {

constexpr int kMargin = 16;  // pixels about the text
constexpr long kEvents = ExposureMask | KeyPressMask | ButtonPressMask | StructureNotifyMask;

}  // namespace

void ShowX11MessageBox(Display* display, Window parent, const char* title,
                       const std::string& message) {
  XFontStruct* font = XLoadQueryFont(display, "fixed");
  if (font == nullptr) return;
  const int text_width = XTextWidth(font, message.data(), static_cast<int>(message.size()));
  const int line = font->ascent + font->descent;
  const int screen = DefaultScreen(display);
  const auto width =
      static_cast<unsigned>(std::min(text_width + 2 * kMargin, DisplayWidth(display, screen)));
  const auto height = static_cast<unsigned>(line + 2 * kMargin);
  const Window box =
      XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, width, height, 0,
                          BlackPixel(display, screen), WhitePixel(display, screen));
  XSetTransientForHint(display, box, parent);
  XStoreName(display, box, title);
  XChangeProperty(display, box, XInternAtom(display, "_NET_WM_NAME", False),
                  XInternAtom(display, "UTF8_STRING", False), 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(title),
                  static_cast<int>(std::strlen(title)));
  Atom close = XInternAtom(display, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display, box, &close, 1);
  XSelectInput(display, box, kEvents);
  XMapRaised(display, box);
  GC gc = XCreateGC(display, box, 0, nullptr);
  XSetFont(display, gc, font->fid);
  XSetForeground(display, gc, BlackPixel(display, screen));
  for (bool open = true; open;) {
    XEvent event;
    XNextEvent(display, &event);  // the program is ending: the main window's events can go
    if (event.xany.window != box) continue;
    switch (event.type) {
      case Expose:
        XDrawString(display, box, gc, kMargin, kMargin + font->ascent, message.data(),
                    static_cast<int>(message.size()));
        break;
      case KeyPress:
      case ButtonPress:
      case DestroyNotify:
      case ClientMessage:  // the close button
        open = false;
        break;
      default:
        break;
    }
  }
  XFreeGC(display, gc);
  XDestroyWindow(display, box);
  XFreeFont(display, font);
  XFlush(display);
}

}  // namespace drelm
