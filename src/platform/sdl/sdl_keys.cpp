#include "platform/sdl/sdl_keys.h"

#include "app/character_codes.h"
#include "platform/common/mouse.h"

namespace drelm {
namespace {

std::vector<int> KeyDownCodes(const SDL_KeyboardEvent& key) {
  const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
  switch (key.keysym.sym) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return {ctrl ? kCharLineFeed : kCharEnter};
    case SDLK_ESCAPE:
      return {kCharEsc};
    case SDLK_BACKSPACE:
      return {ctrl ? kCharDelete : kCharBackspace};
    case SDLK_TAB:
      return {kCharTab};
    default:
      break;
  }
  if (!ctrl) return {};
  // Ctrl+letter types a control character and no text.
  if (key.keysym.sym >= SDLK_a && key.keysym.sym <= SDLK_z) {
    return {ControlLetter(static_cast<char>(key.keysym.sym))};
  }
  // So do the keys after Z in the character table, as Windows types them: Ctrl+[ is Esc.
  const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  switch (key.keysym.sym) {
    case SDLK_LEFTBRACKET:
      return {kCharEsc};
    case SDLK_BACKSLASH:
      return {kCharFileSeparator};
    case SDLK_RIGHTBRACKET:
      return {kCharGroupSeparator};
    case SDLK_CARET:
      return {kCharRecordSeparator};
    case SDLK_6:  // ^ on the 6 key
      return shift ? std::vector<int>{kCharRecordSeparator} : std::vector<int>{};
    case SDLK_UNDERSCORE:
      return {kCharUnitSeparator};
    case SDLK_MINUS:  // _ on the minus key
      return shift ? std::vector<int>{kCharUnitSeparator} : std::vector<int>{};
    default:
      return {};
  }
}

// Decodes UTF-8; a malformed sequence is skipped a byte at a time.
std::vector<int> TextCodes(const char* text) {
  std::vector<int> codes;
  const auto* s = reinterpret_cast<const unsigned char*>(text);
  while (*s != 0) {
    unsigned cp = 0;
    int extra = 0;
    if (*s < 0x80) {
      cp = *s;
    } else if ((*s & 0xE0) == 0xC0) {
      cp = *s & 0x1F;
      extra = 1;
    } else if ((*s & 0xF0) == 0xE0) {
      cp = *s & 0x0F;
      extra = 2;
    } else if ((*s & 0xF8) == 0xF0) {
      cp = *s & 0x07;
      extra = 3;
    } else {
      ++s;
      continue;
    }
    int i = 1;
    for (; i <= extra && (s[i] & 0xC0) == 0x80; ++i) cp = (cp << 6) | (s[i] & 0x3F);
    if (i <= extra) {
      ++s;
      continue;
    }
    s += extra + 1;
    if (cp < kCharFirstPrintable || cp == kCharDelete)
      continue;  // control characters come from keys
    if (cp >= 0x10000) {
      cp -= 0x10000;
      codes.push_back(static_cast<int>(0xD800 + (cp >> 10)));
      codes.push_back(static_cast<int>(0xDC00 + (cp & 0x3FF)));
    } else {
      codes.push_back(static_cast<int>(cp));
    }
  }
  return codes;
}

}  // namespace

std::vector<int> CharacterCodes(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) return KeyDownCodes(event.key);
  if (event.type == SDL_TEXTINPUT) return TextCodes(event.text.text);
  return {};
}

int MouseButtonCode(Uint8 sdl_button) {
  switch (sdl_button) {
    case SDL_BUTTON_LEFT:
      return kLeftButton;
    case SDL_BUTTON_RIGHT:
      return kRightButton;
    case SDL_BUTTON_MIDDLE:
      return kMiddleButton;
    default:
      return kNoButton;
  }
}

int ShiftStateCode(SDL_Keymod mod) {
  return ((mod & KMOD_SHIFT) ? kShiftHeld : 0) | ((mod & KMOD_CTRL) ? kCtrlHeld : 0) |
         ((mod & KMOD_ALT) ? kAltHeld : 0);
}

}  // namespace drelm
