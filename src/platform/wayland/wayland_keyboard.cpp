#include "platform/wayland/wayland_keyboard.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/common/mouse.h"
#include "platform/linux/key_codes.h"

namespace drelm {
namespace {

// evdev numbers keys 8 below X's and xkbcommon's.
constexpr std::uint32_t kEvdevOffset = 8;
// A compositor that asks for more repeats a second than this is held to it.
constexpr std::int32_t kMostRepeatsPerSecond = 1000;

// The locale whose compose table applies: as the C library would choose it.
const char* ComposeLocale() {
  for (const char* name : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != 0) return value;
  }
  return "C";
}

}  // namespace

WaylandKeyboard::WaylandKeyboard() : context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

void WaylandKeyboard::LoadCompose() {
  if (compose_loaded_ || context_ == nullptr) return;
  compose_loaded_ = true;
  compose_table_ =
      xkb_compose_table_new_from_locale(context_, ComposeLocale(), XKB_COMPOSE_COMPILE_NO_FLAGS);
  if (compose_table_ != nullptr) {
    compose_ = xkb_compose_state_new(compose_table_, XKB_COMPOSE_STATE_NO_FLAGS);
  }
}

WaylandKeyboard::~WaylandKeyboard() {
  xkb_compose_state_unref(compose_);
  xkb_compose_table_unref(compose_table_);
  xkb_state_unref(state_);
  xkb_keymap_unref(keymap_);
  xkb_context_unref(context_);
}

bool WaylandKeyboard::SetKeymap(int fd, std::uint32_t size) {
  void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (text == MAP_FAILED || context_ == nullptr) return false;
  xkb_keymap* keymap =
      xkb_keymap_new_from_string(context_, static_cast<const char*>(text),
                                 XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
  munmap(text, size);
  if (keymap == nullptr) return false;
  xkb_state* state = xkb_state_new(keymap);
  if (state == nullptr) {
    xkb_keymap_unref(keymap);
    return false;
  }
  xkb_state_unref(state_);
  xkb_keymap_unref(keymap_);
  keymap_ = keymap;
  state_ = state;
  return true;
}

void WaylandKeyboard::SetModifiers(std::uint32_t depressed, std::uint32_t latched,
                                   std::uint32_t locked, std::uint32_t group) {
  if (state_ != nullptr) xkb_state_update_mask(state_, depressed, latched, locked, 0, 0, group);
}

void WaylandKeyboard::SetRepeat(std::int32_t per_second, std::int32_t delay_ms) {
  if (per_second <= 0) {
    repeat_every_ = Clock::duration::zero();  // no repeating
    repeating_ = false;
    return;
  }
  repeat_every_ =
      std::chrono::microseconds(1'000'000 / std::min(per_second, kMostRepeatsPerSecond));
  repeat_after_ = std::chrono::milliseconds(std::max(delay_ms, 0));
}

std::vector<int> WaylandKeyboard::Press(std::uint32_t key, Clock::time_point now) {
  if (state_ == nullptr) return {};
  LoadCompose();
  const xkb_keycode_t code = key + kEvdevOffset;
  repeating_ = repeat_every_ != Clock::duration::zero() && xkb_keymap_key_repeats(keymap_, code);
  repeat_key_ = key;
  next_repeat_ = now + repeat_after_;
  return Codes(key);
}

void WaylandKeyboard::Release(std::uint32_t key) {
  if (key == repeat_key_) repeating_ = false;
}

std::vector<int> WaylandKeyboard::Repeats(Clock::time_point now) {
  std::vector<int> codes;
  while (repeating_ && next_repeat_ <= now) {
    const std::vector<int> more = Codes(repeat_key_);
    codes.insert(codes.end(), more.begin(), more.end());
    next_repeat_ += repeat_every_;
  }
  return codes;
}

std::vector<int> WaylandKeyboard::Codes(std::uint32_t key) {
  const xkb_keycode_t code = key + kEvdevOffset;
  KeyStroke stroke;
  stroke.keysym = xkb_state_key_get_one_sym(state_, code);
  stroke.ctrl =
      xkb_state_mod_name_is_active(state_, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
  if (compose_ != nullptr &&
      xkb_compose_state_feed(compose_, stroke.keysym) == XKB_COMPOSE_FEED_ACCEPTED) {
    switch (xkb_compose_state_get_status(compose_)) {
      case XKB_COMPOSE_COMPOSING:  // a dead key, or Compose: what follows decides
        return {};
      case XKB_COMPOSE_CANCELLED:  // a sequence that composes nothing types nothing
        xkb_compose_state_reset(compose_);
        return {};
      case XKB_COMPOSE_COMPOSED: {
        char text[64];
        xkb_compose_state_get_utf8(compose_, text, sizeof text);
        stroke.keysym = xkb_compose_state_get_one_sym(compose_);
        stroke.text = text;
        xkb_compose_state_reset(compose_);
        return CharacterCodes(stroke);
      }
      case XKB_COMPOSE_NOTHING:
        break;
    }
  }
  char text[64];
  xkb_state_key_get_utf8(state_, code, text, sizeof text);
  stroke.text = text;
  return CharacterCodes(stroke);
}

int WaylandKeyboard::ShiftState() const {
  if (state_ == nullptr) return 0;
  const auto active = [&](const char* name) {
    return xkb_state_mod_name_is_active(state_, name, XKB_STATE_MODS_EFFECTIVE) > 0;
  };
  return (active(XKB_MOD_NAME_SHIFT) ? kShiftHeld : 0) |
         (active(XKB_MOD_NAME_CTRL) ? kCtrlHeld : 0) | (active(XKB_MOD_NAME_ALT) ? kAltHeld : 0);
}

}  // namespace drelm
