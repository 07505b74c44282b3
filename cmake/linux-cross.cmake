# What the ARM toolchain files share: Debian's cross compiler for DRELM_TRIPLET, the libraries of
# that architecture in the folder tools/make-sysroot.sh makes (DRELM_SYSROOT in the environment
# names another), and qemu, named by CTest before each program it runs.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${DRELM_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${DRELM_TRIPLET}-g++)
if(DEFINED ENV{DRELM_SYSROOT})
  set(CMAKE_SYSROOT $ENV{DRELM_SYSROOT})
else()
  set(CMAKE_SYSROOT /var/cache/drelm-wheel/sysroot-${DRELM_DEB_ARCH})
endif()
if(NOT EXISTS ${CMAKE_SYSROOT}/drelm-sysroot.wanted)
  message(FATAL_ERROR "no ${DRELM_DEB_ARCH} libraries in ${CMAKE_SYSROOT}: "
    "tools/install-deps.sh ${DRELM_DEB_ARCH} puts them there")
endif()
set(CMAKE_LIBRARY_ARCHITECTURE ${DRELM_TRIPLET})
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${CMAKE_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR}
  ${CMAKE_SYSROOT}/usr/lib/${DRELM_TRIPLET}/pkgconfig:${CMAKE_SYSROOT}/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR ${DRELM_QEMU} -L ${CMAKE_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
