#include "platform/web/web_page.h"

#include <emscripten/emscripten.h>

namespace drelm::page {
namespace {

// The JavaScript as JavaScript: clang-format would part its => and === into C++ tokens.
// clang-format off
EM_JS(double, JsDevicePixelRatio, (), { return window.devicePixelRatio || 1; });
EM_JS(int, JsScreenWidth, (), { return screen.width | 0; });
EM_JS(int, JsScreenHeight, (), { return screen.height | 0; });

EM_JS(void, JsSetPictureSize,
      (int width, int height, int largest_width, int largest_height, double ratio), {
        const picture = document.getElementById('picture');
        const frame = document.getElementById('frame');
        if (picture.width != width) picture.width = width;
        if (picture.height != height) picture.height = height;
        picture.style.width = (width / ratio) + 'px';
        picture.style.height = (height / ratio) + 'px';
        frame.style.maxWidth = (largest_width / ratio) + 'px';
        frame.style.maxHeight = (largest_height / ratio) + 'px';
        if (!frame.style.width) {
          frame.style.width = (width / ratio) + 'px';
          frame.style.height = (height / ratio) + 'px';
        }
      });

EM_JS(int, JsPut, (const void* rgba, int x, int y, int w, int h), {
  const picture = document.getElementById('picture');
  const context = picture.getContext('2d');
  if (!context) return 0;
  const bytes = new Uint8ClampedArray(HEAPU8.buffer, rgba, w * h * 4);
  context.putImageData(new ImageData(bytes, w, h), x, y);
  return 1;
});

EM_JS(void, JsSetPasses, (double passes),
      { document.getElementById('picture').dataset.passes = String(passes); });

EM_JS(void, JsSetState, (const char* state, const char* line), {
  document.body.dataset.state = UTF8ToString(state);
  document.getElementById('status').textContent = UTF8ToString(line);
});

EM_JS(void, JsWatchFrame, (), {
  const picture = document.getElementById('picture');
  picture.addEventListener(
      'contextmenu', (event) => {
        const state = document.body.dataset.state;
        if (state === 'running' || state === 'paused') event.preventDefault();
      });
  new ResizeObserver((entries) => {
    const box = entries[entries.length - 1].contentRect;
    Module['_drelm_resize'](box.width, box.height);
  }).observe(document.getElementById('frame'));
  picture.focus();
});

EM_JS(void, JsLogError, (const char* line), { console.error(UTF8ToString(line)); });

// clang-format on

}  // namespace

double DevicePixelRatio() {
  return JsDevicePixelRatio();
}

PixelSize ScreenSize() {
  return {JsScreenWidth(), JsScreenHeight()};
}

void SetPictureSize(PixelSize pixels, PixelSize largest, double ratio) {
  JsSetPictureSize(pixels.width, pixels.height, largest.width, largest.height, ratio);
}

bool Put(const std::uint32_t* rgba, int x, int y, int w, int h) {
  return JsPut(rgba, x, y, w, h) != 0;
}

void SetPasses(long long passes) {
  JsSetPasses(static_cast<double>(passes));
}

void SetState(const char* state, const std::string& line) {
  JsSetState(state, line.c_str());
}

void WatchFrame() {
  JsWatchFrame();
}

void LogError(const std::string& line) {
  JsLogError(line.c_str());
}

}  // namespace drelm::page
