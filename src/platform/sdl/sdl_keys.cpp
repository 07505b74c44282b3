#include "platform/sdl/sdl_keys.h"

#include "platform/common/mouse.h"
#include "platform/common/typed_keys.h"

namespace drelm {
namespace {

// The character a key with Ctrl types its control character from, on a US layout, as Windows
// reads it: the letters, and the punctuation after Z in the character table.
char32_t ControlledCharacter(SDL_Keycode sym, bool shift) {
  if (sym >= SDLK_a && sym <= SDLK_z) return static_cast<char32_t>(sym);
  switch (sym) {
    case SDLK_LEFTBRACKET:
    case SDLK_BACKSLASH:
    case SDLK_RIGHTBRACKET:
    case SDLK_CARET:
    case SDLK_UNDERSCORE:
      return static_cast<char32_t>(sym);
    case SDLK_6:  // ^ on the 6 key
      return shift ? U'^' : U'6';
    case SDLK_MINUS:  // _ on the minus key
      return shift ? U'_' : U'-';
    default:
      return 0;
  }
}

std::vector<int> KeyDownCodes(const SDL_KeyboardEvent& key) {
  const bool ctrl = (key.keysym.mod & KMOD_CTRL) != 0;
  switch (key.keysym.sym) {
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER:
      return {EditingKeyCode(EditingKey::kEnter, ctrl)};
    case SDLK_ESCAPE:
      return {EditingKeyCode(EditingKey::kEscape, ctrl)};
    case SDLK_BACKSPACE:
      return {EditingKeyCode(EditingKey::kBackspace, ctrl)};
    case SDLK_TAB:
      return {EditingKeyCode(EditingKey::kTab, ctrl)};
    default:
      break;
  }
  // Ctrl+letter types a control character and no text.
  if (!ctrl) return {};
  const bool shift = (key.keysym.mod & KMOD_SHIFT) != 0;
  if (const auto code = ControlCode(ControlledCharacter(key.keysym.sym, shift))) return {*code};
  return {};
}

}  // namespace

std::vector<int> CharacterCodes(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN) return KeyDownCodes(event.key);
  if (event.type == SDL_TEXTINPUT) return PrintableCodes(event.text.text);
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
