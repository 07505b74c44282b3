#pragma once

namespace drelm {

// Thrown to end the program at once: nothing more of the current pass runs. Whoever started the
// window catches it and ends the process (the window host) or takes control back (the off-screen
// host).
struct ProgramEnded {};

[[noreturn]] inline void End() {
  throw ProgramEnded{};
}

}  // namespace drelm
