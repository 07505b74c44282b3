#include "platform/common/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace drelm {

int PrintOut(const char* program, const char* text) {
  if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", program,
                 std::strerror(errno));
    return 1;
  }
  return 0;
}

}  // namespace drelm
