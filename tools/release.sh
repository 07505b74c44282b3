#!/usr/bin/env bash
# Gathers a release from the builds make release made, into DIST (dist/ by default): the Debian
# packages for amd64, arm64 and armhf, the Windows installer and both Windows programs, the web
# page as a zip, the source of the commit as a tarball, and SHA256SUMS of them all. Every time
# stamp is SOURCE_DATE_EPOCH's (the commit's), every file's mode is fixed and every list is
# sorted, so that the same commit gives the same bytes from any clone. The folder appears whole or
# not at all. Made from the source tarball, where git is not, it holds all but the tarball.
# Usage: tools/release.sh [DIST]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dist=${1:-dist}
fail() { echo "release: $*" >&2; exit 1; }
cd "$top"
version=$(sed -n 's/^project(drelm-wheel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || fail "no version in CMakeLists.txt"
: "${SOURCE_DATE_EPOCH:=$(tools/source-date-epoch.sh)}"
[ -n "$SOURCE_DATE_EPOCH" ] || fail "no commit time: neither git nor cmake/commit-time.txt says it"
export SOURCE_DATE_EPOCH

debs=(build-package/drelm-wheel_${version}_amd64.deb
  build-package-arm64/drelm-wheel_${version}_arm64.deb
  build-package-armhf/drelm-wheel_${version}_armhf.deb)
setup=build-windows/drelm-wheel-${version}-setup.exe
exe64=build-windows/src/drelm-wheel.exe
exe32=build-windows-x86/src/drelm-wheel.exe
site=build-web/site
for file in "${debs[@]}" "$setup" "$exe64" "$exe32" "$site/index.html"; do
  [ -f "$file" ] || fail "no $file: make package (ARCH=arm64, ARCH=armhf), make windows and make web build it"
done

work=$(mktemp -d "${dist%/}.tmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
for deb in "${debs[@]}"; do
  install -m 644 "$deb" "$work/${deb##*/}"
done
install -m 644 "$setup" "$work/drelm-wheel-${version}-setup.exe"
install -m 644 "$exe64" "$work/drelm-wheel-${version}-win64.exe"
install -m 644 "$exe32" "$work/drelm-wheel-${version}-win32.exe"
# The web page's folder, its files in order, each with the commit's time and a fixed mode.
python3 - "$site" "$work/drelm-wheel-${version}-web.zip" "drelm-wheel-${version}-web" <<'PY'
import os, sys, time, zipfile
site, out, folder = sys.argv[1:4]
when = time.gmtime(int(os.environ["SOURCE_DATE_EPOCH"]))[:6]
with zipfile.ZipFile(out, "w") as archive:
    for name in sorted(os.listdir(site)):
        entry = zipfile.ZipInfo(f"{folder}/{name}", date_time=max(when, (1980, 1, 1, 0, 0, 0)))
        entry.external_attr = 0o100644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(site, name), "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
PY
# The source of the commit, as git holds it (its times are the commit's).
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$top" ]; then
  git archive --format=tar --prefix="drelm-wheel-${version}/" HEAD | gzip -9n \
    >"$work/drelm-wheel-${version}.tar.gz"
fi
sums=$(cd "$work" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort | xargs sha256sum)
printf '%s\n' "$sums" >"$work/SHA256SUMS"
chmod 644 "$work"/*
chmod 755 "$work"
rm -rf "$dist"
mv "$work" "$dist"
trap - EXIT
(cd "$dist" && ls -l --time-style=+ | sed 1d)
