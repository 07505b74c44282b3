#include "platform/sdl/sdl_keys.h"

#include <gtest/gtest.h>

#include <cstring>

namespace drelm {
namespace {

using Codes = std::vector<int>;

SDL_Event KeyDown(SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = sym;
  event.key.keysym.mod = mod;
  event.key.repeat = repeat;
  return event;
}

SDL_Event Text(const char* text) {
  SDL_Event event{};
  event.type = SDL_TEXTINPUT;
  std::strncpy(event.text.text, text, sizeof event.text.text - 1);
  return event;
}

TEST(KeyCodes, ControlKeysComeFromKeyEvents) {
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_RETURN)), Codes{13});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_KP_ENTER)), Codes{13});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_ESCAPE)), Codes{27});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_BACKSPACE)), Codes{8});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_TAB, KMOD_LSHIFT)), Codes{9});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_a, KMOD_LCTRL)), Codes{1});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_z, KMOD_RCTRL)), Codes{26});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_m, KMOD_LCTRL)), Codes{13});  // Ctrl+M types a return
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_RETURN, KMOD_LCTRL)), Codes{10});
  // The punctuation after Z, with Ctrl, as Windows types it: Ctrl+[ is Esc.
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_LEFTBRACKET, KMOD_LCTRL)), Codes{27});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_BACKSLASH, KMOD_LCTRL)), Codes{28});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_RIGHTBRACKET, KMOD_RCTRL)), Codes{29});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_6, KMOD_LCTRL | KMOD_LSHIFT)), Codes{30});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_MINUS, KMOD_LCTRL | KMOD_LSHIFT)), Codes{31});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_6, KMOD_LCTRL)), Codes{});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_LEFTBRACKET)), Codes{});
}

TEST(KeyCodes, AutoRepeatRepeats) {
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_RETURN, KMOD_NONE, 1)), Codes{13});
}

TEST(KeyCodes, PrintableCharactersComeOnlyFromText) {
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_a)), Codes{});
  EXPECT_EQ(CharacterCodes(KeyDown(SDLK_SPACE)), Codes{});
  EXPECT_EQ(CharacterCodes(Text("a")), Codes{'a'});
  EXPECT_EQ(CharacterCodes(Text(" Q")), (Codes{' ', 'Q'}));
  EXPECT_EQ(CharacterCodes(Text("\xc3\xa9")), Codes{0xE9});                      // é
  EXPECT_EQ(CharacterCodes(Text("\xe2\x82\xac")), Codes{0x20AC});                // €
  EXPECT_EQ(CharacterCodes(Text("\xf0\x9f\x99\x82")), (Codes{0xD83D, 0xDE42}));  // as UTF-16
  EXPECT_EQ(CharacterCodes(Text("\xff"
                                "b\xc3")),
            Codes{'b'});                           // malformed bytes are skipped
  EXPECT_EQ(CharacterCodes(Text("\r")), Codes{});  // control characters only from keys
}

TEST(KeyCodes, KeysThatTypeNothingGiveNothing) {
  for (SDL_Keycode sym : {SDLK_LEFT, SDLK_UP, SDLK_F1, SDLK_F12, SDLK_LSHIFT, SDLK_RCTRL, SDLK_LALT,
                          SDLK_CAPSLOCK, SDLK_HOME, SDLK_DELETE}) {
    EXPECT_EQ(CharacterCodes(KeyDown(sym)), Codes{}) << SDL_GetKeyName(sym);
  }
  SDL_Event up = KeyDown(SDLK_RETURN);
  up.type = SDL_KEYUP;
  EXPECT_EQ(CharacterCodes(up), Codes{});
}

TEST(KeyCodes, MouseNumbers) {
  EXPECT_EQ(MouseButtonCode(SDL_BUTTON_LEFT), 1);
  EXPECT_EQ(MouseButtonCode(SDL_BUTTON_RIGHT), 2);
  EXPECT_EQ(MouseButtonCode(SDL_BUTTON_MIDDLE), 4);
  EXPECT_EQ(ShiftStateCode(static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RALT)), 5);
}

}  // namespace
}  // namespace drelm
