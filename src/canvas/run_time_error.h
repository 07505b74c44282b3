#pragma once

#include <stdexcept>
#include <string>

namespace drelm {

// A failed drawing operation or an arithmetic fault. It ends the program with
// "Run-time error: " and this message.
class RunTimeError : public std::runtime_error {
 public:
  explicit RunTimeError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace drelm
