#include "platform/common/typed_keys.h"

#include "app/character_codes.h"

namespace drelm {

int EditingKeyCode(EditingKey key, bool ctrl) {
  switch (key) {
    case EditingKey::kEnter:
      return ctrl ? kCharLineFeed : kCharEnter;
    case EditingKey::kEscape:
      return kCharEsc;
    case EditingKey::kBackspace:
      return ctrl ? kCharDelete : kCharBackspace;
    case EditingKey::kTab:
      break;
  }
  return kCharTab;
}

std::optional<int> ControlCode(char32_t typed) {
  if (typed >= 'a' && typed <= 'z') return ControlLetter(static_cast<char>(typed));
  if (typed >= 'A' && typed <= 'Z') return ControlLetter(static_cast<char>(typed - 'A' + 'a'));
  switch (typed) {
    case '[':
      return kCharEsc;
    case '\\':
      return kCharFileSeparator;
    case ']':
      return kCharGroupSeparator;
    case '^':
      return kCharRecordSeparator;
    case '_':
      return kCharUnitSeparator;
    default:
      return std::nullopt;
  }
}

std::vector<int> PrintableCodes(const char* utf8) {
  std::vector<int> codes;
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
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
    if (cp < kCharFirstPrintable || cp == kCharDelete) continue;  // control characters
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

}  // namespace drelm
