#pragma once

#include <string>

namespace drelm {

// The system's words ("Too many open files") when the process cannot have the few more file
// descriptors a display's connection and the window's shared memory need; empty when it can.
std::string DescriptorShortage();

}  // namespace drelm
