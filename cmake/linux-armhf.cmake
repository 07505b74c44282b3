# Cross-compiling for 32-bit ARM Linux: Debian's armhf, ARMv7 with hardware floating point
# (Raspberry Pi OS 32-bit).
set(CMAKE_SYSTEM_PROCESSOR arm)
set(DRELM_DEB_ARCH armhf)
set(DRELM_TRIPLET arm-linux-gnueabihf)
set(DRELM_QEMU qemu-arm-static)
include(${CMAKE_CURRENT_LIST_DIR}/linux-cross.cmake)
