#include "platform/linux/key_codes.h"

#include <optional>

#include "platform/common/typed_keys.h"

namespace drelm {
namespace {

// The keysyms of the keys that type a control character of their own.
constexpr std::uint32_t kReturn = 0xff0d, kKeypadEnter = 0xff8d, kEscape = 0xff1b,
                        kBackSpace = 0xff08, kTab = 0xff09, kLeftTab = 0xfe20;  // Shift+Tab
// Keysyms from space to tilde are the ASCII characters themselves.
constexpr std::uint32_t kFirstAscii = 0x20, kLastAscii = 0x7e;

std::optional<EditingKey> EditingKeyOf(std::uint32_t keysym) {
  switch (keysym) {
    case kReturn:
    case kKeypadEnter:
      return EditingKey::kEnter;
    case kEscape:
      return EditingKey::kEscape;
    case kBackSpace:
      return EditingKey::kBackspace;
    case kTab:
    case kLeftTab:
      return EditingKey::kTab;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::vector<int> CharacterCodes(const KeyStroke& stroke) {
  if (const auto key = EditingKeyOf(stroke.keysym)) return {EditingKeyCode(*key, stroke.ctrl)};
  if (stroke.ctrl) {
    // Ctrl types a control character and no text.
    if (stroke.keysym < kFirstAscii || stroke.keysym > kLastAscii) return {};
    if (const auto code = ControlCode(static_cast<char32_t>(stroke.keysym))) return {*code};
    return {};
  }
  return PrintableCodes(stroke.text.c_str());
}

}  // namespace drelm
