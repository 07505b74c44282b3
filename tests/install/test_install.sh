#!/usr/bin/env bash
# Installs into a DESTDIR and checks what a desktop expects: the executables, the launcher and
# the AppStream metainfo (both valid), the theme icons, the manual pages, version 1.00
# throughout; and that the window carries the very icon that was installed.
# Usage: test_install.sh BUILD_DIR VERSION
source "$(dirname "$0")/../window/lib.sh"
BUILD=$1
VERSION=$2
DEST="$WORK/dest"
DESTDIR="$DEST" cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" 2>&1 ||
  fail "install failed: $(tail -3 "$WORK/install.log")"
share="$DEST/usr/share"
for file in usr/bin/drelm-wheel usr/bin/drelm-wheel-snapshot \
  usr/share/applications/drelm-wheel.desktop \
  usr/share/metainfo/org.drelmwheel.DrelmWheel.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/drelm-wheel.svg \
  usr/share/man/man1/drelm-wheel.1.gz usr/share/man/man1/drelm-wheel-snapshot.1.gz; do
  [ -f "$DEST/$file" ] || fail "not installed: /$file"
done
for size in 16 24 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/drelm-wheel.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "no ${size}x${size} icon"
done
desktop-file-validate "$share/applications/drelm-wheel.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=drelm-wheel' "$share/applications/drelm-wheel.desktop" || fail "the launcher does not run drelm-wheel"
grep -qx 'Name=Tolvane Quenmark' "$share/applications/drelm-wheel.desktop" || fail "the launcher's name"
appstreamcli validate --no-net "$share/metainfo/org.drelmwheel.DrelmWheel.metainfo.xml" \
  >"$WORK/as.log" 2>&1 || fail "the metainfo is not valid: $(cat "$WORK/as.log")"
grep -q "<release version=\"$VERSION\"" "$share/metainfo/org.drelmwheel.DrelmWheel.metainfo.xml" ||
  fail "the metainfo has no release $VERSION"
for page in drelm-wheel drelm-wheel-snapshot; do
  zcat "$share/man/man1/$page.1.gz" | grep -q "drelm-wheel $VERSION" || fail "$page(1) is not of $VERSION"
done
[ "$("$DEST/usr/bin/drelm-wheel-snapshot" --version)" = "drelm-wheel-snapshot $VERSION" ] ||
  fail "the snapshot tool's --version"
readelf -p .drelm_version "$DEST/usr/bin/drelm-wheel" | grep -q "drelm-wheel $VERSION" ||
  fail "drelm-wheel carries no version $VERSION"

# Icons as desktops draw them: transparent corners, antialiased edges (alpha between 0 and 255).
for size in 16 48 256; do
  png="$share/icons/hicolor/${size}x${size}/apps/drelm-wheel.png"
  [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "the $size-pixel icon's size"
  [ "$(convert "$png" -format '%[fx:int(255*p{0,0}.a)]' info:)" = "0" ] ||
    fail "the $size-pixel icon's corner is not transparent"
  levels=$(convert "$png" -alpha extract -format '%k' info:)
  [ "$levels" -gt 2 ] || fail "the $size-pixel icon has $levels alpha levels: no antialiasing"
done

# The icon the running window carries, pixel for pixel the installed 64 x 64 one.
APP="$DEST/usr/bin/drelm-wheel"
start_xvfb
start_app
xprop -notype -id "$WIN" -f _NET_WM_ICON 32c _NET_WM_ICON | sed 's/^[^=]*= //; s/, /\n/g' \
  >"$WORK/window-icon.txt"
{ echo 64; echo 64; convert "$share/icons/hicolor/64x64/apps/drelm-wheel.png" -depth 8 bgra:- |
  od -An -tu4 -v | tr -s ' ' '\n' | sed '/^$/d'; } >"$WORK/installed-icon.txt"
[ "$(wc -l <"$WORK/installed-icon.txt")" -eq $((2 + 64 * 64)) ] || fail "could not read the installed icon"
cmp -s "$WORK/window-icon.txt" "$WORK/installed-icon.txt" ||
  fail "the window's icon differs from the installed one ($(head -c 60 "$WORK/window-icon.txt"))"
exit 0
