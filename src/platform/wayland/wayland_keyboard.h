#pragma once

#include <xkbcommon/xkbcommon-compose.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdint>
#include <vector>

namespace drelm {

// The keyboard as the compositor describes it (its keymap and modifiers), through xkbcommon, with
// the locale's compose table, so that dead keys and Compose type what they type in other
// programs. The compositor does not repeat a held key: this does, at the pace it asks.
class WaylandKeyboard {
 public:
  using Clock = std::chrono::steady_clock;

  WaylandKeyboard();
  ~WaylandKeyboard();
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

  // The keymap the compositor sends, in a file `size` bytes long; false when it cannot be read.
  bool SetKeymap(int fd, std::uint32_t size);
  void SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                    std::uint32_t group);
  void SetRepeat(std::int32_t per_second, std::int32_t delay_ms);
  // A key (evdev's number) went down at `now`: the character codes it types.
  std::vector<int> Press(std::uint32_t key, Clock::time_point now);
  void Release(std::uint32_t key);
  // The window lost the keyboard: nothing is held.
  void Leave() { repeating_ = false; }
  // The codes of the repeats of a held key due by `now`.
  std::vector<int> Repeats(Clock::time_point now);
  // The shift state, as the window's MouseDown takes it (platform/common/mouse.h).
  int ShiftState() const;

 private:
  std::vector<int> Codes(std::uint32_t key);
  // The locale's compose table, read at the first key: it takes a while, and a window shows its
  // picture first.
  void LoadCompose();

  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  xkb_state* state_ = nullptr;
  xkb_compose_table* compose_table_ = nullptr;
  xkb_compose_state* compose_ = nullptr;
  bool compose_loaded_ = false;
  Clock::duration repeat_every_ = std::chrono::milliseconds(40);
  Clock::duration repeat_after_ = std::chrono::milliseconds(400);
  bool repeating_ = false;
  std::uint32_t repeat_key_ = 0;
  Clock::time_point next_repeat_{};
};

}  // namespace drelm
