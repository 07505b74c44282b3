#include "canvas/pixel_memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#if defined(__unix__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#include <unistd.h>
#define DRELM_GIVES_PAGES_BACK 1
#endif
#ifdef __EMSCRIPTEN__
#include <unistd.h>
#endif

namespace drelm {
namespace {

#ifdef __EMSCRIPTEN__
// A web page's memory grows zeroed and its break only ever rises (the allocator never trims), so
// the bytes past the break have never been written. calloc would write them all zero again, a
// page of ours at a time: 55 MB at the most dots an inch, a third of a second.
std::uint8_t* FreshZeroedBytes(std::size_t count) {
  if (count > static_cast<std::size_t>(INTPTR_MAX)) return nullptr;
  void* const bytes = sbrk(static_cast<intptr_t>(count));
  return bytes == reinterpret_cast<void*>(-1) ? nullptr : static_cast<std::uint8_t*>(bytes);
}
// What came from past the break stays the page's: the break cannot come down again, and a page
// makes its canvas once.
void GiveBack(std::uint8_t*) {}
#else
// calloc takes large blocks as fresh mappings of the system's, already zero, and does not write
// them (glibc, Windows' heap).
std::uint8_t* FreshZeroedBytes(std::size_t count) {
  return static_cast<std::uint8_t*>(std::calloc(count, 1));
}
void GiveBack(std::uint8_t* bytes) {
  std::free(bytes);
}
#endif

}  // namespace

PixelMemory::PixelMemory(std::size_t count) : bytes_(FreshZeroedBytes(count)), count_(count) {
  if (bytes_ == nullptr) throw std::bad_alloc();
}

PixelMemory::~PixelMemory() {
  GiveBack(bytes_);
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
