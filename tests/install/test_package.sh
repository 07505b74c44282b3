#!/usr/bin/env bash
# Builds the Debian package and reads its metadata back: name, version, architecture, the
# run-time dependencies taken from the linked libraries, and the files it installs, its programs
# built for that architecture; lintian finds no error and no warning in it. ARCH: the build's
# Debian architecture (this machine's by default), for an ARM build's package.
# Usage: test_package.sh BUILD_DIR VERSION [ARCH]
source "$(dirname "$0")/../lib/common.sh"
BUILD=$1
VERSION=$2
ARCH=${3:-$(dpkg --print-architecture)}
[ -f "$BUILD/CPackConfig.cmake" ] || fail "no $BUILD/CPackConfig.cmake: that build is not made"
(cd "$WORK" && cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK" >cpack.log 2>&1) ||
  fail "cpack failed: $(tail -5 "$WORK/cpack.log")"
deb=$WORK/drelm-wheel_${VERSION}_$ARCH.deb
[ -f "$deb" ] || fail "no ${deb##*/}: $(ls "$WORK")"
[ "$(dpkg-deb -f "$deb" Package)" = drelm-wheel ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$VERSION" ] || fail "version is $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libx11-6 libxext6 libwayland-client0 libxkbcommon0 libdecor-0-0 libpng16-16 \
  libgif7 libc6; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# The window talks to X11 and Wayland itself: no SDL, no OpenGL.
if grep -qE 'libsdl|libgl|libegl' <<<"$depends"; then fail "Depends names SDL or OpenGL: $depends"; fi
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/drelm-wheel ./usr/bin/drelm-wheel-snapshot \
  ./usr/share/applications/drelm-wheel.desktop ./usr/share/icons/hicolor/64x64/apps/drelm-wheel.png \
  ./usr/share/doc/drelm-wheel/copyright ./usr/share/doc/drelm-wheel/changelog.gz; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done
# The programs are the architecture's own, as `file` names its machines.
case "$ARCH" in
  amd64) machine="x86-64" ;;
  arm64) machine="ARM aarch64" ;;
  armhf) machine="ARM, EABI5" ;;
  *) fail "no machine known for $ARCH" ;;
esac
dpkg-deb -x "$deb" "$WORK/root"
for program in drelm-wheel drelm-wheel-snapshot; do
  file "$WORK/root/usr/bin/$program" | grep -qF "$machine" ||
    fail "$program is not for $ARCH: $(file -b "$WORK/root/usr/bin/$program")"
done
lintian --fail-on error,warning "$deb" >"$WORK/lintian.log" 2>&1 ||
  fail "lintian: $(grep -E '^[EW]:' "$WORK/lintian.log" | head -5 | tr '\n' ';')"
exit 0
