#pragma once

#include <string>

namespace drelm {

// The system's words ("Too many open files") when the process cannot have the few more file
// descriptors a display's connection and SDL's video need; empty when it can. Asked once
// something has failed, so that the program blames the shortage and not the display.
std::string DescriptorShortage();

}  // namespace drelm
