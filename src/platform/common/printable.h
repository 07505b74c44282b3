#pragma once

#include <string>
#include <string_view>

namespace drelm {

// Text from outside (an option's value, a path, an environment variable) fit to stand in a
// one-line message: control characters and backslashes written as escapes (\n, \t, \\, \x1b).
std::string Printable(std::string_view text);

}  // namespace drelm
