#include "platform/web/web_keys.h"

#include <gtest/gtest.h>

namespace drelm {
namespace {

using Codes = std::vector<int>;

TEST(BrowserKeys, TypeWhatTheWindowsKeysType) {
  EXPECT_EQ(KeyCodesOf("Enter", false, false, false).codes, Codes{13});
  EXPECT_EQ(KeyCodesOf("Enter", true, false, false).codes, Codes{10});
  EXPECT_EQ(KeyCodesOf("Escape", false, false, false).codes, Codes{27});
  EXPECT_EQ(KeyCodesOf("[", true, false, false).codes, Codes{27});  // Ctrl+[ types Esc
  EXPECT_EQ(KeyCodesOf("M", true, false, false).codes, Codes{13});  // so does Ctrl+Shift+M Enter
  EXPECT_EQ(KeyCodesOf("a", false, false, false).codes, Codes{'a'});
  EXPECT_EQ(KeyCodesOf("\xc3\xa9", false, false, false).codes, Codes{0xE9});  // é
  EXPECT_EQ(KeyCodesOf("\xf0\x9f\x99\x82", false, false, false).codes,        // as UTF-16
            (Codes{0xD83D, 0xDE42}));
  EXPECT_EQ(KeyCodesOf("@", true, true, false).codes, Codes{'@'});  // AltGr types the character
}

TEST(BrowserKeys, KeysThatTypeNothingAndTheBrowsersOwnAreLeftAlone) {
  for (const char* key : {"ArrowLeft", "Shift", "F1", "Dead", "Unidentified", ""}) {
    const BrowserKey typed = KeyCodesOf(key, false, false, false);
    EXPECT_TRUE(typed.codes.empty()) << key;
    EXPECT_FALSE(typed.taken) << key;
  }
  EXPECT_TRUE(KeyCodesOf("r", false, false, true).codes.empty());  // Cmd+R reloads
  const BrowserKey reload = KeyCodesOf("r", true, false, false);   // Ctrl+R types 18, and reloads
  EXPECT_EQ(reload.codes, Codes{18});
  EXPECT_FALSE(reload.taken);
  EXPECT_FALSE(KeyCodesOf("Tab", false, false, false).taken);  // the focus can leave the page
  EXPECT_TRUE(KeyCodesOf(" ", false, false, false).taken);     // the page does not scroll
}

}  // namespace
}  // namespace drelm
