#pragma once

#include <optional>
#include <vector>

// What keys type, as the window's KeyPress takes it (app/character_codes.h), the same for every
// window system: each host names the key, and these give its character codes.
namespace drelm {

// The keys that type a control character of their own.
enum class EditingKey { kEnter, kEscape, kBackspace, kTab };

// The code an editing key types: Enter 13 (10 with Ctrl), Esc 27, Backspace 8 (127 with Ctrl),
// Tab 9.
int EditingKeyCode(EditingKey key, bool ctrl);

// The control character Ctrl types with a character, as typed with Shift applied: Ctrl+A to
// Ctrl+Z 1 to 26 in either case, then as Windows types them Ctrl+[ 27 (Esc), Ctrl+\ 28, Ctrl+] 29,
// Ctrl+^ 30, Ctrl+_ 31. Nothing for any other character.
std::optional<int> ControlCode(char32_t typed);

// Printable text in UTF-8 as the UTF-16 code units it types. Control characters, which come from
// keys, and malformed bytes, a byte at a time, are left out.
std::vector<int> PrintableCodes(const char* utf8);

}  // namespace drelm
