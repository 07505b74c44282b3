// drelm-wheel in a web page: the same window, stepped a frame at a time by the browser.
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <memory>
#include <optional>
#include <string>

#include "app/character_codes.h"
#include "app/drelm_wheel.h"
#include "platform/common/ending.h"
#include "platform/common/mouse.h"
#include "platform/web/web_host.h"
#include "platform/web/web_keys.h"
#include "platform/web/web_page.h"

namespace {

using drelm::Ending;

constexpr char kEndedLine[] = "The animation has ended; reloading the page starts it again.";
constexpr char kTapLine[] = "Tap the picture to stop or start it.";
constexpr char kPausedTapLine[] = "Paused: tap the picture to go on.";
constexpr char kPausedKeyLine[] = "Paused: press Enter to go on.";

// The window and its host, for as long as the page runs it.
struct Page {
  drelm::WebHost host{drelm::LayOut(drelm::page::View())};
  drelm::DrelmWheel window{host.surface(), host};
  // The lines under the picture while it runs and while it is paused: how to steer it where no
  // key is at hand, and how to go on.
  bool touch = drelm::page::TouchScreen();
  std::string steering = touch ? kTapLine : "";
  std::string paused = touch ? kPausedTapLine : kPausedKeyLine;
  long frame = 0;        // the frame asked for, or 0
  long long passes = 0;  // run, for <canvas data-passes>
  bool over = false;
};
std::unique_ptr<Page> g_page;

EM_BOOL OnFrame(double, void*);
EM_BOOL OnKey(int, const EmscriptenKeyboardEvent* event, void*);

void Listen(bool on) {
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_DOCUMENT, nullptr, false,
                                  on ? OnKey : nullptr);
}

// Nothing runs any more: no frame is asked for, no event listened to.
void Halt(Page& page) {
  page.over = true;
  if (page.frame != 0) emscripten_cancel_animation_frame(page.frame);
  page.frame = 0;
  Listen(false);
}

// The end, after which nothing runs. The window's own end shows its last picture (Esc's cleared
// one) first.
void Finish(Ending ending) {
  if (Page* page = g_page.get()) {
    Halt(*page);
    if (!ending.failed()) {
      ending = drelm::RunUntilEnd([&] { page->host.EndFrame(); }).value_or(ending);
      drelm::page::SetPasses(page->passes);
    }
  }
  // A reload starts it again after its own end; after a failure, it would fail again.
  if (ending.failed()) {
    drelm::page::LogError("drelm-wheel: " + ending.message);
    drelm::page::SetState("error", ending.message + ".");
  } else {
    drelm::page::SetState("ended", kEndedLine);
  }
}

// Runs what may end the program, and finishes the page when it does.
template <typename Body>
void Guarded(Body&& body) {
  if (const std::optional<Ending> ending = drelm::RunUntilEnd(body)) Finish(*ending);
}

// A paused window is held: no frames are asked for until Enter resumes it, and the schedule of
// the passes then starts again from there.
void FollowPause() {
  Page& page = *g_page;
  if (page.over) return;
  if (page.window.Paused()) {
    if (page.frame != 0) emscripten_cancel_animation_frame(page.frame);
    page.frame = 0;
    drelm::page::SetState("paused", page.paused);
  } else {
    if (page.frame == 0) {
      page.host.Restart();
      page.frame = emscripten_request_animation_frame(OnFrame, nullptr);
    }
    drelm::page::SetState("running", page.steering);
  }
}

EM_BOOL OnFrame(double, void*) {
  Page& page = *g_page;
  page.frame = 0;
  if (page.over || page.window.Paused()) return EM_FALSE;
  Guarded([&] {
    page.host.BeginFrame();
    do {
      ++page.passes;
      page.window.Pass();
    } while (page.host.PassDue());
    page.host.EndFrame();
    drelm::page::SetPasses(page.passes);
  });
  if (!page.over) page.frame = emscripten_request_animation_frame(OnFrame, nullptr);
  return EM_FALSE;
}

// A key or a click comes between passes: the pass before has ended with its pump and nothing of
// the next has begun, so it is handed over as that pump would have.
EM_BOOL OnKey(int, const EmscriptenKeyboardEvent* event, void*) {
  const drelm::BrowserKey key =
      drelm::KeyCodesOf(event->key, event->ctrlKey, event->altKey, event->metaKey);
  if (key.codes.empty()) return EM_FALSE;
  Guarded([&] {
    for (const int code : key.codes) g_page->window.KeyPress(code);
  });
  FollowPause();
  return key.taken ? EM_TRUE : EM_FALSE;
}

int ButtonCode(int button) {
  switch (button) {
    case 0:
      return drelm::kLeftButton;
    case 1:
      return drelm::kMiddleButton;
    case 2:
      return drelm::kRightButton;
    default:
      return drelm::kNoButton;
  }
}

}  // namespace

// The page's frame around the picture was made `width` x `height` CSS pixels.
extern "C" EMSCRIPTEN_KEEPALIVE void drelm_resize(double width, double height) {
  if (!g_page || g_page->over) return;
  Guarded([&] { g_page->host.Resize(width, height); });
}

// A mouse's or a pen's `button` (0 left, 1 middle, 2 right) went down at pixel (x, y) of the
// picture, with the shift keys held added up as the window counts them (kShiftHeld, kCtrlHeld,
// kAltHeld): the window ends there.
extern "C" EMSCRIPTEN_KEEPALIVE void drelm_mouse_down(int button, int shift, double x, double y) {
  if (!g_page || g_page->over) return;
  Guarded([&] {
    drelm::PressMouse(g_page->window, g_page->host.mapping(), ButtonCode(button), shift, {x, y});
  });
}

// The page's own script failed outside the program (the page says what failed): nothing runs
// any more.
extern "C" EMSCRIPTEN_KEEPALIVE void drelm_halt() {
  if (g_page && !g_page->over) Halt(*g_page);
}

// A finger tapped the picture: it stops or starts the animation as Enter does.
extern "C" EMSCRIPTEN_KEEPALIVE void drelm_tap() {
  if (!g_page || g_page->over) return;
  Guarded([] { g_page->window.KeyPress(drelm::kCharEnter); });
  FollowPause();
}

int main() {
  Guarded([] {
    g_page = std::make_unique<Page>();
    g_page->window.StartUp();
  });
  if (!g_page || g_page->over) return 1;  // the page says why
  drelm::page::SetPasses(0);
  Listen(true);
  drelm::page::Watch(g_page->host.fitted());
  FollowPause();
  return 0;
}
