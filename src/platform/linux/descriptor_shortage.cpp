#include "platform/linux/descriptor_shortage.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace drelm {

std::string DescriptorShortage() {
  // Wayland needs the most, measured: beside the display's connection, libdecor's title bar and
  // a buffer's shared memory with the copy libwayland sends it through. One fewer, and libwayland
  // fails in lines of its own.
  constexpr int kDescriptorsNeeded = 5;
  int made[kDescriptorsNeeded];
  int count = 0;
  int error = 0;
  for (; count < kDescriptorsNeeded; ++count) {
    made[count] = dup(STDERR_FILENO);
    if (made[count] < 0) {
      error = errno;
      break;
    }
  }
  for (int i = 0; i < count; ++i) close(made[i]);
  return error == EMFILE || error == ENFILE ? std::strerror(error) : "";
}

}  // namespace drelm
