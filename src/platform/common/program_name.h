#pragma once

namespace drelm {

// The program's name: the start of its one-line messages, the class and app id its window carries
// (docks match it to the desktop entry's StartupWMClass), its message boxes' title.
inline constexpr char kProgramName[] = "drelm-wheel";

}  // namespace drelm
