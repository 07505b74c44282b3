#include "platform/web/web_keys.h"

#include <cstring>
#include <string_view>

#include "platform/common/typed_keys.h"

namespace drelm {
namespace {

struct NamedKey {
  std::string_view name;
  EditingKey key;
};
constexpr NamedKey kEditingKeys[] = {{"Enter", EditingKey::kEnter},
                                     {"Escape", EditingKey::kEscape},
                                     {"Backspace", EditingKey::kBackspace},
                                     {"Tab", EditingKey::kTab}};

// The one character `key` names, or nothing when it names a key ("ArrowLeft", "Shift", "F1").
bool OneCharacter(const char* key, char32_t& character) {
  const auto* s = reinterpret_cast<const unsigned char*>(key);
  const std::size_t length = std::strlen(key);
  const std::size_t expected = s[0] < 0x80             ? 1
                               : (s[0] & 0xE0) == 0xC0 ? 2
                               : (s[0] & 0xF0) == 0xE0 ? 3
                                                       : 4;
  if (length == 0 || length != expected) return false;
  character = s[0] < 0x80 ? s[0] : 0x80;  // beyond ASCII, no control character anyway
  return true;
}

}  // namespace

BrowserKey KeyCodesOf(const char* key, bool ctrl, bool alt, bool meta) {
  if (meta) return {};
  for (const NamedKey& named : kEditingKeys) {
    // Tab still moves the focus on, as anywhere on a page.
    if (named.name == key)
      return {{EditingKeyCode(named.key, ctrl)}, named.key != EditingKey::kTab};
  }
  char32_t character = 0;
  if (!OneCharacter(key, character)) return {};
  // Ctrl with a character types its control character; with Alt too (AltGr), the character.
  if (ctrl && !alt) {
    if (const auto code = ControlCode(character)) return {{*code}, false};
    return {};
  }
  return {PrintableCodes(key), !ctrl};
}

}  // namespace drelm
