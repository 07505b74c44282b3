# Read by cpack when it packages for another architecture: dpkg-shlibdeps, which it runs, takes
# the architecture and the dpkg database of the target's libraries from these.
set(ENV{DEB_HOST_ARCH} ${CPACK_DRELM_HOST_ARCH})
set(ENV{DPKG_ADMINDIR} ${CPACK_DRELM_DPKG_ADMINDIR})
