#pragma once

#include <cstddef>
#include <cstdint>

namespace drelm {

// The words of a canvas's pixels, in memory the system hands out zeroed and only as it is first
// written (a fresh mapping of its own): a canvas of any size costs nothing until drawn on.
class PixelMemory {
 public:
  // Throws std::bad_alloc when there is not that much.
  explicit PixelMemory(std::size_t count);
  ~PixelMemory();
  PixelMemory(const PixelMemory&) = delete;
  PixelMemory& operator=(const PixelMemory&) = delete;

  std::uint32_t* data() const { return words_; }
  // Zeroes every word, handing the memory's pages back where the system takes them back (they
  // come again zeroed when next written).
  void Zero();

 private:
  std::uint32_t* words_;
  std::size_t count_;
};

}  // namespace drelm
