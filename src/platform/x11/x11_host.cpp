#include "platform/x11/x11_host.h"

#include <poll.h>

#include <thread>

#include "app/program_end.h"
#include "platform/common/host_error.h"
#include "platform/common/mouse.h"
#include "platform/common/program_name.h"
#include "platform/x11/x11_desktop.h"
#include "platform/x11/x11_keyboard.h"
#include "platform/x11/x11_message_box.h"
#include "platform/x11/x11_picture.h"
#include "platform/x11/x11_window.h"

// Xlib's name for a key press's event is the window's handler's name too.
constexpr int kKeyPressEvent = KeyPress;
#undef KeyPress

namespace drelm {
namespace {

// The pointer buttons X numbers 4 to 7 are a wheel's turns, no press.
constexpr unsigned kFirstWheelButton = 4, kLastWheelButton = 7;

int ButtonCode(unsigned button) {
  switch (button) {
    case Button1:
      return kLeftButton;
    case Button2:
      return kMiddleButton;
    case Button3:
      return kRightButton;
    default:
      return kNoButton;
  }
}

int ShiftStateOf(unsigned state) {
  return ((state & ShiftMask) ? kShiftHeld : 0) | ((state & ControlMask) ? kCtrlHeld : 0) |
         ((state & Mod1Mask) ? kAltHeld : 0);
}

}  // namespace

X11Host::X11Host() {
  display_ = OpenXDisplay();
  InstallXErrorHandlers(kProgramName);
  const int screen = DefaultScreen(display_);
  mapping_ = WorldMapping(XftDpi(display_).value_or(kStandardDpi));
  size_ = {mapping_.StartWidth(), mapping_.StartHeight()};
  atoms_ = std::make_unique<X11Atoms>(InternAtoms(display_));
  window_ = OpenX11Window(display_, size_, *atoms_);
  keyboard_ = std::make_unique<X11Keyboard>(display_, window_);
  // The whole screen, all of its monitors: the largest a window can be shown at.
  const PixelSize largest{DisplayWidth(display_, screen), DisplayHeight(display_, screen)};
  const PixelSize canvas = CanvasFor(mapping_, largest);
  picture_ = std::make_unique<X11Picture>(display_, window_);
  canvas_ = std::make_unique<Canvas>(canvas.width, canvas.height);
  surface_ = std::make_unique<WorldCanvas>(*canvas_, mapping_);
  XMapWindow(display_, window_);
  XFlush(display_);
}

X11Host::~X11Host() {
  surface_.reset();
  canvas_.reset();
  picture_.reset();
  keyboard_.reset();
  if (display_ != nullptr) XCloseDisplay(display_);
}

void X11Host::HandOverEvents(WindowInput& window) {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    HandOver(event, window);
  }
  if (exposed_) {
    exposed_ = false;
    Repaint();
  }
  if (mapped_) keyboard_->OpenInputMethod();  // once the first picture is on its way
}

void X11Host::HandOver(XEvent& event, WindowInput& window) {
  if (keyboard_->Filter(event)) return;
  if (picture_->IsCompletion(event)) {
    picture_->Completed();
    return;
  }
  switch (event.type) {
    case Expose:
      if (event.xexpose.count == 0) exposed_ = true;
      break;
    case ConfigureNotify:
      if (event.xconfigure.width != size_.width || event.xconfigure.height != size_.height) {
        size_ = {event.xconfigure.width, event.xconfigure.height};
        exposed_ = true;
      }
      break;
    case MapNotify:
      mapped_ = true;
      exposed_ = true;
      break;
    case UnmapNotify:
      mapped_ = false;
      break;
    case DestroyNotify:
      throw HostError("the window was destroyed under the program");
    case FocusIn:
    case FocusOut:
      keyboard_->Focus(event.type == FocusIn);
      break;
    case MappingNotify:
      XRefreshKeyboardMapping(&event.xmapping);
      break;
    case ClientMessage:
      if (event.xclient.message_type != atoms_->protocols) break;
      if (static_cast<Atom>(event.xclient.data.l[0]) == atoms_->delete_window) End();
      if (static_cast<Atom>(event.xclient.data.l[0]) == atoms_->ping) {
        // Answered to the root window: the program still runs.
        event.xclient.window = DefaultRootWindow(display_);
        XSendEvent(display_, event.xclient.window, False,
                   SubstructureNotifyMask | SubstructureRedirectMask, &event);
      }
      break;
    case kKeyPressEvent:
      for (int code : keyboard_->Codes(event.xkey)) window.KeyPress(code);
      break;
    case ButtonPress:
      if (event.xbutton.button >= kFirstWheelButton && event.xbutton.button <= kLastWheelButton)
        break;
      PressMouse(window, mapping_, ButtonCode(event.xbutton.button),
                 ShiftStateOf(event.xbutton.state),
                 {static_cast<double>(event.xbutton.x), static_cast<double>(event.xbutton.y)});
      break;
    default:
      break;
  }
}

void X11Host::WaitForPass(Pacer::Time due, WindowInput&) {
  // Not watching the display: a frame's sleep is one wake-up, where waiting on the connection
  // costs several of its reads. Events wait for the next frame.
  std::this_thread::sleep_until(due);
}

void X11Host::WaitForEvents(std::chrono::milliseconds longest, WindowInput& window) {
  XFlush(display_);
  if (XPending(display_) == 0) {
    pollfd connection{ConnectionNumber(display_), POLLIN, 0};
    poll(&connection, 1, static_cast<int>(longest.count()));
  }
  HandOverEvents(window);
}

void X11Host::ShowRects(std::span<const PixelRect> changed) {
  picture_->Put(*canvas_, changed, ShownArea(size_, {canvas_->width(), canvas_->height()}));
}

void X11Host::ShowAll() {
  picture_->PutAll(*canvas_, size_);
}

void X11Host::WaitUntilShown() {
  picture_->WaitUntilRead();
}

void X11Host::SetClientSize(PixelSize size) {
  XResizeWindow(display_, window_, static_cast<unsigned>(size.width),
                static_cast<unsigned>(size.height));
  // Shown once the window is on screen: its map waited for here, the other events left queued.
  for (XEvent event; !mapped_;) {
    XWindowEvent(display_, window_, StructureNotifyMask, &event);
    mapped_ = event.type == MapNotify;
  }
  XSync(display_, False);
  size_ = size;
  Repaint();
}

void X11Host::ShowError(const std::string& message) {
  ShowX11MessageBox(display_, window_, kProgramName, message);
}

}  // namespace drelm
