// drelm-picture-checksum: the picture after each of the given pass counts, drawn off-screen at 96
// dots an inch, as one line "PASSES CHECKSUM" each (64-bit FNV-1a over the pixels of the area a
// 1280 x 640 window shows). Built for every platform, so that a Windows build's arithmetic (its C
// runtime's atan, sin and cos; a 32-bit one's floating point) can be compared with Linux's.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "app/drelm_wheel.h"
#include "platform/offscreen/scripted_host.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 640;

std::uint64_t Checksum(const drelm::Canvas& canvas) {
  constexpr std::uint64_t kOffset = 14695981039346656037ull;
  constexpr std::uint64_t kPrime = 1099511628211ull;
  std::uint64_t hash = kOffset;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const drelm::Rgb pixel = canvas.At(x, y);
      for (int shift = 0; shift < 32; shift += 8) {
        hash = (hash ^ ((pixel.value >> shift) & 0xFF)) * kPrime;
      }
    }
  }
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: drelm-picture-checksum PASSES... (in increasing order)\n", stderr);
    return 2;
  }
  try {
    const drelm::WorldMapping mapping;
    drelm::ScriptedHost host(mapping.PictureWidth(), mapping.PictureHeight(), mapping);
    drelm::DrelmWheel window(host.surface(), host);
    window.StartUp();
    long long done = 0;
    for (int i = 1; i < argc; ++i) {
      char* end = nullptr;
      const long long passes = std::strtoll(argv[i], &end, 10);
      if (*end != '\0' || passes < done) {
        std::fprintf(stderr, "drelm-picture-checksum: '%s' is no pass count from %lld on\n",
                     argv[i], done);
        return 2;
      }
      for (; done < passes; ++done) window.Pass();
      std::printf("%lld %016llx\n", passes,
                  static_cast<unsigned long long>(Checksum(host.canvas())));
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "drelm-picture-checksum: %s\n", error.what());
    return 1;
  }
  return 0;
}
