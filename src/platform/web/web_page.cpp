#include "platform/web/web_page.h"

#include <emscripten/emscripten.h>

namespace drelm::page {
namespace {

// The JavaScript as JavaScript: clang-format would part its => and === into C++ tokens.
// clang-format off
EM_JS(void, JsView, (double* out), {
  const body = document.body;
  const style = getComputedStyle(body);
  const frame = document.getElementById('frame');
  const margins = (a, b) => parseFloat(style[a]) + parseFloat(style[b]);
  // What the rest of the page takes beside an empty frame.
  const taken = body.getBoundingClientRect().height + margins('marginTop', 'marginBottom');
  const view = [
    window.devicePixelRatio || 1, screen.width, screen.height,
    document.documentElement.clientWidth - margins('marginLeft', 'marginRight') -
        (frame.offsetWidth - frame.clientWidth),
    document.documentElement.clientHeight - taken,
    matchMedia('(hover: none) and (pointer: coarse)').matches ? 1 : 0,
  ];
  view.forEach((value, i) => { HEAPF64[(out >> 3) + i] = value; });
});

EM_JS(int, JsTouchScreen, (), {
  return matchMedia('(any-pointer: coarse)').matches || navigator.maxTouchPoints > 0 ? 1 : 0;
});

EM_JS(void, JsSetPictureSize,
      (int width, int height, int largest_width, int largest_height, double css_per_pixel,
       int fitted, double css_grain, double dpi), {
        const picture = document.getElementById('picture');
        const frame = document.getElementById('frame');
        const css = (pixels) => (Math.round(pixels * css_per_pixel * 64) / 64) + 'px';
        if (picture.width != width) picture.width = width;
        if (picture.height != height) picture.height = height;
        picture.dataset.dpi = String(dpi);
        picture.style.width = css(width);
        if (fitted) {
          // Its height follows its width, should a turned screen leave less room than it had.
          frame.classList.add('fitted');
          picture.style.height = 'auto';
          // Moved on to start on a whole device pixel.
          const box = picture.getBoundingClientRect();
          const on = (at) => Math.ceil(at / css_grain - 1e-6) * css_grain - at;
          frame.style.marginLeft = on(box.left + scrollX) + 'px';
          frame.style.marginTop = on(box.top + scrollY) + 'px';
          return;
        }
        picture.style.height = css(height);
        frame.classList.add('enlargeable');
        frame.style.maxWidth = css(largest_width);
        frame.style.maxHeight = css(largest_height);
        if (!frame.style.width) {
          frame.style.width = css(width);
          frame.style.height = css(height);
        }
      });

// The picture's context and an ImageData over the image in the program's memory are made once,
// and again only when the image moves, changes its size or the memory grows; each rectangle is
// then put straight from that memory.
EM_JS(int, JsPut, (const void* rgba, int width, int height, const int* bands, int count), {
  let put = Module.drelmPut;
  if (!put || put.buffer !== HEAPU8.buffer || put.rgba !== rgba || put.width !== width ||
      put.height !== height) {
    const context = document.getElementById('picture').getContext('2d');
    if (!context) return 0;
    const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    put = Module.drelmPut = {buffer: HEAPU8.buffer, rgba, width, height, context,
                             image: new ImageData(bytes, width, height)};
  }
  for (let i = 0, at = bands >> 2; i < count; ++i, at += 6) {
    const x = HEAP32[at + 4], row = HEAP32[at + 5];
    put.context.putImageData(put.image, HEAP32[at] - x, HEAP32[at + 1] - row, x, row,
                             HEAP32[at + 2], HEAP32[at + 3]);
  }
  return 1;
});

EM_JS(int, JsFill, (int x, int y, int width, int height, int rgb), {
  const context = document.getElementById('picture').getContext('2d');
  if (!context) return 0;
  context.fillStyle = '#' + rgb.toString(16).padStart(6, '0');
  context.fillRect(x, y, width, height);
  return 1;
});

EM_JS(void, JsSetPasses, (double passes),
      { document.getElementById('picture').dataset.passes = String(passes); });

EM_JS(void, JsSetState, (const char* state, const char* line), {
  document.body.dataset.state = UTF8ToString(state);
  document.getElementById('status').textContent = UTF8ToString(line);
});

EM_JS(void, JsWatch, (int fitted), {
  const picture = document.getElementById('picture');
  const running = () => ['running', 'paused'].includes(document.body.dataset.state);
  picture.addEventListener('contextmenu', (event) => { if (running()) event.preventDefault(); });
  // An Enter that ends an input method's composition is the composition's, not the picture's.
  window.addEventListener('keydown', (event) => {
    if (event.isComposing || event.keyCode === 229) event.stopImmediatePropagation();
  }, true);

  // A mouse or a pen pressed on the picture is a mouse button; a finger is not. One finger that
  // comes up soon about where it went down, with no other meanwhile, is a tap; a swipe, a pinch
  // or a long press is the browser's.
  const kTapSlop = 10;       // CSS pixels a finger may wander in a tap
  const kTapLongest = 500;   // milliseconds a finger may stay down in a tap, as a browser's click
  const fingers = new Map();
  let tapping = false;
  picture.addEventListener('pointerdown', (event) => {
    if (event.pointerType !== 'touch') {
      const box = picture.getBoundingClientRect();
      const shift = (event.shiftKey ? 1 : 0) | (event.ctrlKey ? 2 : 0) | (event.altKey ? 4 : 0);
      Module['_drelm_mouse_down'](event.button, shift,
                                  (event.clientX - box.left) * picture.width / box.width,
                                  (event.clientY - box.top) * picture.height / box.height);
      return;
    }
    tapping = fingers.size === 0;
    fingers.set(event.pointerId, [event.clientX, event.clientY, event.timeStamp]);
  });
  picture.addEventListener('pointermove', (event) => {
    const at = fingers.get(event.pointerId);
    if (at && Math.hypot(event.clientX - at[0], event.clientY - at[1]) > kTapSlop) tapping = false;
  });
  picture.addEventListener('pointerup', (event) => {
    const at = fingers.get(event.pointerId);
    if (!at) return;
    fingers.delete(event.pointerId);
    const still = Math.hypot(event.clientX - at[0], event.clientY - at[1]) <= kTapSlop;
    const short = event.timeStamp - at[2] <= kTapLongest;
    if (tapping && still && short && fingers.size === 0) Module['_drelm_tap']();
    tapping = false;
  });
  picture.addEventListener('pointercancel', (event) => {
    fingers.delete(event.pointerId);
    tapping = false;
  });

  if (!fitted) {
    new ResizeObserver((entries) => {
      const box = entries[entries.length - 1].contentRect;
      Module['_drelm_resize'](box.width, box.height);
    }).observe(document.getElementById('frame'));
  }
  picture.focus();
});

EM_JS(void, JsLogError, (const char* line), { console.error(UTF8ToString(line)); });

// clang-format on

}  // namespace

PageView View() {
  double view[6] = {};
  JsView(view);
  return {view[0], {view[1], view[2]}, {view[3], view[4]}, view[5] != 0};
}

bool TouchScreen() {
  return JsTouchScreen() != 0;
}

void SetPictureSize(PixelSize pixels, const PictureLayout& layout) {
  JsSetPictureSize(pixels.width, pixels.height, layout.canvas.width, layout.canvas.height,
                   layout.css_per_pixel, layout.fitted ? 1 : 0, layout.css_grain, layout.dpi);
}

bool Put(const std::uint32_t* rgba, PixelSize size, std::span<const PageBand> bands) {
  static_assert(sizeof(PageBand) == 6 * sizeof(int), "bands are read as six ints");
  return JsPut(rgba, size.width, size.height, reinterpret_cast<const int*>(bands.data()),
               static_cast<int>(bands.size())) != 0;
}

bool Fill(PixelRect rect, std::uint32_t rgb) {
  return JsFill(rect.x, rect.y, rect.w, rect.h, static_cast<int>(rgb)) != 0;
}

void SetPasses(long long passes) {
  JsSetPasses(static_cast<double>(passes));
}

void SetState(const char* state, const std::string& line) {
  JsSetState(state, line.c_str());
}

void Watch(bool fitted) {
  JsWatch(fitted ? 1 : 0);
}

void LogError(const std::string& line) {
  JsLogError(line.c_str());
}

}  // namespace drelm::page
