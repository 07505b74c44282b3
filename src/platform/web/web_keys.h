#pragma once

#include <vector>

namespace drelm {

// What a browser's key press types, as the window's KeyPress takes it, from the event's `key`
// ("Enter", "Escape", "a", "é") and the modifiers held.
struct BrowserKey {
  std::vector<int> codes;
  // Whether the page keeps the browser's own use of the key (Space and Backspace scrolling):
  // Tab, and keys with Ctrl or Meta, stay the browser's (Tab moves the focus, Ctrl+R reloads).
  bool taken = false;
};
BrowserKey KeyCodesOf(const char* key, bool ctrl, bool alt, bool meta);

}  // namespace drelm
