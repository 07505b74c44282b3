#include "platform/common/standard_output.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace drelm {

void SayFailure(const char* program, std::string_view what) {
  std::fprintf(stderr, "%s: %.*s\n", program, static_cast<int>(what.size()), what.data());
  std::fflush(stderr);
}

int PrintOut(const char* program, const char* text) {
  if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
    SayFailure(program, std::string("cannot write to standard output: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}

}  // namespace drelm
