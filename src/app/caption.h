#pragma once

namespace drelm {

// The window's caption, runs of spaces and all.
inline constexpr char kCaption[] =
    "          Tolvane    Quenmark          Enter: Stop / Start          ESC to Quit";

}  // namespace drelm
