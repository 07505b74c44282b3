#pragma once

#include <exception>
#include <optional>
#include <string>

namespace drelm {

// How the program ended: by the window's own end (Esc, a click, a quit request), or by a failure
// said in one line.
struct Ending {
  enum class Kind { kEnded, kRunTimeError, kFailed };
  Kind kind = Kind::kEnded;
  std::string message;  // "Run-time error: ...", "out of memory", or what the host could not do

  bool failed() const { return kind != Kind::kEnded; }
  int status() const { return failed() ? 1 : 0; }
};

// The ending an exception that left the window's run stands for.
Ending EndingOf(const std::exception_ptr& thrown);

// Runs `body`, in which the window may end the program; how it ended, or nothing when `body`
// returned without ending it.
template <typename Body>
std::optional<Ending> RunUntilEnd(Body&& body) {
  try {
    body();
  } catch (...) {
    return EndingOf(std::current_exception());
  }
  return std::nullopt;
}

}  // namespace drelm
