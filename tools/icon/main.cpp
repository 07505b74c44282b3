// drelm-make-icon: the application icon for installing. `drelm-make-icon SIZE FILE.png` writes
// it as a PNG of SIZE pixels a side; `drelm-make-icon --svg FILE.svg` as scalable graphics.
#include <charconv>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "files/atomic_file.h"
#include "files/png_file.h"
#include "icon/window_icon.h"

int main(int argc, char** argv) {
  try {
    if (argc != 3)
      throw std::runtime_error("usage: drelm-make-icon SIZE FILE.png | --svg FILE.svg");
    const std::string what = argv[1];
    if (what == "--svg") {
      drelm::files::AtomicFile file(argv[2]);
      const std::string svg = drelm::WindowIconSvg();
      if (std::fputs(svg.c_str(), file.stream()) < 0) throw std::runtime_error("cannot write");
      file.Commit();
      return 0;
    }
    int size = 0;
    const auto [end, ec] = std::from_chars(what.data(), what.data() + what.size(), size);
    if (ec != std::errc() || end != what.data() + what.size() || size < 8 || size > 1024) {
      throw std::runtime_error("SIZE is a whole number from 8 to 1024, not '" + what + "'");
    }
    drelm::files::WritePng(drelm::DrawWindowIcon(size), size, size, argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "drelm-make-icon: %s\n", error.what());
    return 1;
  }
  return 0;
}
