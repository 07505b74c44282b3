#pragma once

#include <SDL.h>

#include <vector>

namespace drelm {

// The character codes that an event types, in order, as the window's KeyPress expects them:
// Enter and keypad Enter 13, Esc 27, Backspace 8, Tab 9, Ctrl+letter 1 to 26, Ctrl+[ 27, Ctrl+\ 28,
// Ctrl+] 29, Ctrl+^ 30, Ctrl+_ 31, and printable text
// as its UTF-16 code units. Printable characters come only from text events and control
// characters only from key events, so no key press counts twice. Keys that type no character
// (arrows, function keys, modifiers alone) give nothing.
std::vector<int> CharacterCodes(const SDL_Event& event);

// The button and shift-state numbers of a mouse press (platform/common/mouse.h).
int MouseButtonCode(Uint8 sdl_button);
int ShiftStateCode(SDL_Keymod mod);

}  // namespace drelm
