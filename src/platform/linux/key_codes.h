#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a key typed, as X11 and xkbcommon (Wayland) tell it, in the character codes the window's
// KeyPress takes (app/character_codes.h). Both number keys by the same keysyms.
namespace drelm {

struct KeyStroke {
  std::uint32_t keysym = 0;  // the key's symbol with Shift applied
  std::string text;          // what it typed, in UTF-8, after the input method or compose
  bool ctrl = false;
};

// Enter, Esc, Backspace and Tab type their codes (with Ctrl: app/character_codes.h), Ctrl with a
// letter or the punctuation after Z its control character, and any other key the printable text
// it typed; a key that types nothing (an arrow, Shift alone, a dead key's first press) gives none.
std::vector<int> CharacterCodes(const KeyStroke& stroke);

}  // namespace drelm
