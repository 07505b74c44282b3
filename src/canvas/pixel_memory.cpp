#include "canvas/pixel_memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__unix__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#include <unistd.h>
#define DRELM_GIVES_PAGES_BACK 1
#endif

namespace drelm {

// calloc takes large blocks as fresh mappings of the system's, already zero, and does not write
// them (glibc, Windows' heap; a browser's memory grows zeroed).
PixelMemory::PixelMemory(std::size_t count)
    : bytes_(static_cast<std::uint8_t*>(std::calloc(count, 1))), count_(count) {
  if (bytes_ == nullptr) throw std::bad_alloc();
}

PixelMemory::~PixelMemory() {
  std::free(bytes_);
}

void PixelMemory::Zero() {
  std::uint8_t* begin = bytes_;
  std::uint8_t* end = begin + count_;
#ifdef DRELM_GIVES_PAGES_BACK
  // The whole pages within, handed back: zero again, and costing nothing until next written. The
  // partial pages at either end are ours alone to write.
  const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
  auto* first = reinterpret_cast<std::uint8_t*>(
      (reinterpret_cast<std::uintptr_t>(begin) + page - 1) / page * page);
  auto* last = reinterpret_cast<std::uint8_t*>(reinterpret_cast<std::uintptr_t>(end) / page * page);
  if (first < last && madvise(first, static_cast<std::size_t>(last - first), MADV_DONTNEED) == 0) {
    std::memset(begin, 0, static_cast<std::size_t>(first - begin));
    std::memset(last, 0, static_cast<std::size_t>(end - last));
    return;
  }
#endif
  std::memset(begin, 0, static_cast<std::size_t>(end - begin));
}

}  // namespace drelm
