#pragma once

#include <stdexcept>
#include <string>

namespace drelm {

// The window could not be had, or its picture cannot be shown: no display, a display the host
// cannot draw on, or the system refused. The program ends with the one line it carries.
class HostError : public std::runtime_error {
 public:
  explicit HostError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace drelm
