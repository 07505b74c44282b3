#pragma once

#include <cstddef>
#include <cstdint>

namespace drelm {

// The bytes of a canvas's pixels, in memory the system hands out zeroed and only as it is first
// written (a fresh mapping of its own): a canvas of any size costs nothing until drawn on.
class PixelMemory {
 public:
  // Throws std::bad_alloc when there is not that much.
  explicit PixelMemory(std::size_t count);
  ~PixelMemory();
  PixelMemory(const PixelMemory&) = delete;
  PixelMemory& operator=(const PixelMemory&) = delete;

  std::uint8_t* data() const { return bytes_; }
  // Zeroes every byte, handing the memory's pages back where the system takes them back (they
  // come again zeroed when next written).
  void Zero();

 private:
  std::uint8_t* bytes_;
  std::size_t count_;
};

}  // namespace drelm
