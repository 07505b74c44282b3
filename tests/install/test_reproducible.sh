#!/usr/bin/env bash
# What is shipped is the same bytes however it is built: the Debian package made twice, a second
# apart, in another time zone and language (the umask is make package's own, 022); and the 64-bit
# Windows program built again from a copy of the source at another path, with another umask,
# compared with the one make windows built. $5 says which: package or windows.
# Usage: test_reproducible.sh SOURCE_DIR BUILD_DIR WINDOWS_BUILD_DIR VERSION WHICH
source "$(dirname "$0")/../lib/common.sh"
SOURCE=$1 BUILD=$2 WINDOWS=$3 VERSION=$4 WHICH=${5:-}
: "${SOURCE_DATE_EPOCH:=$("$SOURCE/tools/source-date-epoch.sh")}"
export SOURCE_DATE_EPOCH

package() {  # FOLDER TZ LANGUAGE UMASK
  mkdir -p "$WORK/$1"
  (cd "$WORK/$1" && umask "$4" && TZ=$2 LC_ALL=$3 \
    cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/$1" >cpack.log 2>&1) ||
    fail "cpack failed: $(tail -3 "$WORK/$1/cpack.log")"
}
if [ "$WHICH" = package ]; then
  package one UTC C.UTF-8 022
  sleep 1  # the clock must have moved on: no time stamp of its may reach the package
  package two Pacific/Kiritimati C 022
  cmp "$WORK"/one/drelm-wheel_"$VERSION"_*.deb "$WORK"/two/drelm-wheel_"$VERSION"_*.deb ||
    fail "two packages of one build differ"
  echo "the package twice: the same bytes"
  exit 0
fi
[ "$WHICH" = windows ] || fail "say package or windows, not '$WHICH'"
[ -f "$WINDOWS/src/drelm-wheel.exe" ] || fail "no $WINDOWS/src/drelm-wheel.exe: make windows builds it"

# The source as it stands, tracked and new files alike, at another path.
copy="$WORK/elsewhere/drelm-wheel-copy"
mkdir -p "$copy"
(cd "$SOURCE" && git ls-files -co --exclude-standard -z | xargs -0 cp --parents -t "$copy") ||
  fail "cannot copy the source"
(cd "$copy" && umask 077 && TZ=Asia/Kathmandu cmake --preset windows >"$WORK/configure.log" 2>&1 &&
  cmake --build build-windows -j 2 --target drelm-wheel >"$WORK/build.log" 2>&1) ||
  fail "the Windows build at another path failed: $(tail -3 "$WORK/build.log" 2>/dev/null)"
cmp "$WINDOWS/src/drelm-wheel.exe" "$copy/build-windows/src/drelm-wheel.exe" ||
  fail "the Windows program built at another path differs"
echo "the Windows program at another path: the same bytes"
exit 0
