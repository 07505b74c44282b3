#include "platform/linux/key_codes.h"

#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

namespace drelm {
namespace {

using Codes = std::vector<int>;

Codes Press(std::uint32_t keysym, const char* text = "", bool ctrl = false) {
  return CharacterCodes({keysym, text, ctrl});
}

TEST(KeyCodes, ControlKeysComeFromTheirSymbols) {
  EXPECT_EQ(Press(XKB_KEY_Return, "\r"), Codes{13});
  EXPECT_EQ(Press(XKB_KEY_KP_Enter, "\r"), Codes{13});
  EXPECT_EQ(Press(XKB_KEY_Escape, "\x1b"), Codes{27});
  EXPECT_EQ(Press(XKB_KEY_BackSpace, "\b"), Codes{8});
  EXPECT_EQ(Press(XKB_KEY_ISO_Left_Tab), Codes{9});  // Shift+Tab
  EXPECT_EQ(Press(XKB_KEY_a, "\x01", true), Codes{1});
  EXPECT_EQ(Press(XKB_KEY_Z, "\x1a", true), Codes{26});  // with Shift too
  EXPECT_EQ(Press(XKB_KEY_m, "\r", true), Codes{13});    // Ctrl+M types a return
  EXPECT_EQ(Press(XKB_KEY_Return, "\r", true), Codes{10});
  // The punctuation after Z, with Ctrl, as Windows types it: Ctrl+[ is Esc.
  EXPECT_EQ(Press(XKB_KEY_bracketleft, "\x1b", true), Codes{27});
  EXPECT_EQ(Press(XKB_KEY_backslash, "", true), Codes{28});
  EXPECT_EQ(Press(XKB_KEY_bracketright, "", true), Codes{29});
  EXPECT_EQ(Press(XKB_KEY_asciicircum, "", true), Codes{30});  // Ctrl+Shift+6
  EXPECT_EQ(Press(XKB_KEY_underscore, "", true), Codes{31});   // Ctrl+Shift+minus
  EXPECT_EQ(Press(XKB_KEY_6, "6", true), Codes{});
  EXPECT_EQ(Press(XKB_KEY_eacute, "\xc3\xa9", true), Codes{});
}

TEST(KeyCodes, PrintableCharactersComeFromTheTextTyped) {
  EXPECT_EQ(Press(XKB_KEY_a, "a"), Codes{'a'});
  EXPECT_EQ(Press(XKB_KEY_space, " "), Codes{' '});
  EXPECT_EQ(Press(XKB_KEY_eacute, "\xc3\xa9"), Codes{0xE9});  // é, from a dead key or Compose
  EXPECT_EQ(Press(XKB_KEY_EuroSign, "\xe2\x82\xac"), Codes{0x20AC});
  EXPECT_EQ(Press(0x100'1F642, "\xf0\x9f\x99\x82"), (Codes{0xD83D, 0xDE42}));  // as UTF-16
  EXPECT_EQ(Press(XKB_KEY_b,
                  "\xff"
                  "b\xc3"),
            Codes{'b'});                              // malformed bytes are skipped
  EXPECT_EQ(Press(XKB_KEY_Delete, "\x7f"), Codes{});  // control characters only from keys
}

TEST(KeyCodes, KeysThatTypeNothingGiveNothing) {
  for (std::uint32_t keysym :
       {XKB_KEY_Left, XKB_KEY_Up, XKB_KEY_F1, XKB_KEY_F12, XKB_KEY_Shift_L, XKB_KEY_Control_R,
        XKB_KEY_Alt_L, XKB_KEY_Caps_Lock, XKB_KEY_Home, XKB_KEY_dead_acute, XKB_KEY_NoSymbol}) {
    EXPECT_EQ(Press(keysym), Codes{}) << keysym;
  }
}

}  // namespace
}  // namespace drelm
