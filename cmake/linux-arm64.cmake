# Cross-compiling for 64-bit ARM Linux: Debian's arm64 (Raspberry Pi OS 64-bit, ARM laptops).
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(DRELM_DEB_ARCH arm64)
set(DRELM_TRIPLET aarch64-linux-gnu)
set(DRELM_QEMU qemu-aarch64-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
