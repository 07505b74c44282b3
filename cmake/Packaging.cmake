# `make package`: a Debian package of what `cmake --install` puts in place.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME drelm-wheel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "animated planar linkage with the trace of its output")
# Lines of the extended description are at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
  "A crank turns on a wheel about a fixed hub, two two-link chains hang off it,
and a band below the mechanism traces how far the output joint's angle departs
from the crank angle. Enter pauses and resumes, Esc quits, a mouse click quits.
Includes drelm-wheel-snapshot, which writes the picture as a PNG or its motion
as an animated GIF.")
set(CPACK_PACKAGE_CONTACT "drelm-wheel developers <drelm-wheel@drelmwheel.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The run-time dependencies, from the shared libraries the executables link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libdecor loads the title bar's drawing as a plugin, where the compositor draws none (GNOME,
# weston): no linked library names it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libdecor-0-plugin-1-cairo)
set(CPACK_STRIP_FILES ON)
# A package for another architecture: dpkg-shlibdeps reads that architecture's libraries, and the
# packages they come from, in the folder the build links against (cmake/linux-cross.cmake).
if(CMAKE_CROSSCOMPILING AND DRELM_DEB_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DRELM_DEB_ARCH})
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_SYSROOT}/lib/${DRELM_TRIPLET} ${CMAKE_SYSROOT}/usr/lib/${DRELM_TRIPLET})
  set(CPACK_DRELM_HOST_ARCH ${DRELM_DEB_ARCH})
  set(CPACK_DRELM_DPKG_ADMINDIR ${CMAKE_SYSROOT}/var/lib/dpkg)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cross-package.cmake)
endif()
include(CPack)
