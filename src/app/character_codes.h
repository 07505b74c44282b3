#pragma once

// The character codes the window's KeyPress is given, as Windows types them: one home for every
// host's key translation and for the handler itself.
namespace drelm {

inline constexpr int kCharBackspace = 8;
inline constexpr int kCharTab = 9;
inline constexpr int kCharLineFeed = 10;         // Ctrl+Enter
inline constexpr int kCharEnter = 13;            // also Ctrl+M
inline constexpr int kCharEsc = 27;              // also Ctrl+[
inline constexpr int kCharFileSeparator = 28;    // Ctrl+backslash
inline constexpr int kCharGroupSeparator = 29;   // Ctrl+]
inline constexpr int kCharRecordSeparator = 30;  // Ctrl+^
inline constexpr int kCharUnitSeparator = 31;    // Ctrl+_
inline constexpr int kCharFirstPrintable = 32;
inline constexpr int kCharDelete = 127;  // Ctrl+Backspace

// The control character Ctrl types with a letter: Ctrl+A 1 to Ctrl+Z 26.
constexpr int ControlLetter(char lower_case_letter) {
  return lower_case_letter - 'a' + 1;
}

}  // namespace drelm
