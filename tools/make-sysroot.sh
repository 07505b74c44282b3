#!/usr/bin/env bash
# Makes the folder an ARM build compiles and links against: Debian 12's libraries and headers of
# one architecture (arm64 or armhf), downloaded by an apt of that architecture alone, with its own
# lists and cache, and unpacked; beside them a dpkg database of those packages, from which
# dpkg-shlibdeps names the package's dependencies. Nothing of this machine's changes: no foreign
# architecture is added, no package installed, so the machine's own packages stay as they are and
# no foreign library has to match their versions. An index that cannot be had (one architecture's
# security updates, say) is left out, and the packages come from the rest.
# The folder appears whole or not at all; one made from the same list of packages is kept.
# Usage: tools/make-sysroot.sh ARCH [FOLDER]   (FOLDER: /var/cache/drelm-wheel/sysroot-ARCH)
set -euo pipefail
fail() { echo "make-sysroot: $*" >&2; exit 1; }
[ $# -ge 1 ] && [ $# -le 2 ] || fail "usage: make-sysroot.sh ARCH [FOLDER]"
arch=$1
case "$arch" in
  arm64 | armhf) ;;
  *) fail "say arm64 or armhf, not '$arch'" ;;
esac
root=${2:-/var/cache/drelm-wheel/sysroot-$arch}
root=${root%/}

# What the program, its tools and their tests link, with the C and C++ run-time for qemu.
packages=(
  libc6-dev libstdc++6
  libx11-dev libxext-dev libwayland-dev wayland-protocols libxkbcommon-dev libdecor-0-dev
  libpng-dev libgif-dev libgtest-dev
)
wanted="$arch ${packages[*]}"
if [ -f "$root/drelm-sysroot.wanted" ] && [ "$(cat "$root/drelm-sysroot.wanted")" = "$wanted" ]; then
  exit 0
fi

mkdir -p "$(dirname "$root")"
work=$(mktemp -d "$root.tmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/apt/{lists/partial,archives/partial} "$work/sysroot"
: >"$work/apt/status"
apt_options=(
  -o "APT::Architecture=$arch" -o "APT::Architectures::=$arch" -o APT::Install-Recommends=0
  -o "Dir::State=$work/apt" -o "Dir::State::Lists=$work/apt/lists"
  -o "Dir::State::status=$work/apt/status" -o "Dir::Cache=$work/apt"
  -o "Dir::Cache::archives=$work/apt/archives" -o Debug::NoLocking=1 -o APT::Sandbox::User=root
)
echo "make-sysroot: downloading Debian's $arch libraries into $root"
if ! apt-get "${apt_options[@]}" update -qq >"$work/update.log" 2>&1; then
  echo "make-sysroot: some of $arch's indexes could not be had; going on with the rest:" \
    "$(grep -m1 '^E:' "$work/update.log" || tail -1 "$work/update.log")" >&2
fi
apt-get "${apt_options[@]}" install -y -qq --download-only "${packages[@]}" >"$work/get.log" 2>&1 ||
  fail "cannot download $arch's packages: $(grep -m1 '^E:' "$work/get.log" || tail -1 "$work/get.log")"

# Each package unpacked, and entered in the database as installed: its control fields, its files
# (named where they lie, as dpkg-shlibdeps finds them), its symbols and shlibs.
sysroot="$work/sysroot"
admin="$sysroot/var/lib/dpkg"
mkdir -p "$admin/info" "$work/control"
: >"$admin/status"
echo "$arch" >"$admin/arch"
echo 1 >"$admin/info/format"  # the files of Multi-Arch: same packages are named PACKAGE:ARCH
for deb in "$work"/apt/archives/*.deb; do
  dpkg-deb -x "$deb" "$sysroot"
  package=$(dpkg-deb -f "$deb" Package)
  name=$package
  [ "$(dpkg-deb -f "$deb" Multi-Arch)" = same ] && name="$package:$(dpkg-deb -f "$deb" Architecture)"
  { dpkg-deb -f "$deb" | sed '/^Package:/a Status: install ok installed'; echo; } >>"$admin/status"
  dpkg-deb --fsys-tarfile "$deb" | tar -t | sed -e 's|^\./|/|' -e 's|/$||' -e '/^$/d' \
    -e "s|^|$root|" >"$admin/info/$name.list"
  rm -rf "$work/control"/*
  dpkg-deb -e "$deb" "$work/control"
  for file in symbols shlibs; do
    [ -f "$work/control/$file" ] && cp "$work/control/$file" "$admin/info/$name.$file"
  done
done
# A link to an absolute path (libz.so to /lib/.../libz.so.1) is made to point within the folder:
# else the linker, finding it dangling, takes the static library instead.
find "$sysroot" -lname '/*' -print0 | while IFS= read -r -d '' link; do
  ln -sfn "$(realpath -m -s --relative-to="$(dirname "$link")" "$sysroot$(readlink "$link")")" "$link"
done
echo "$wanted" >"$sysroot/drelm-sysroot.wanted"
chmod -R a+rX "$sysroot"
rm -rf "$root"
mv "$sysroot" "$root"
echo "make-sysroot: $(ls "$work"/apt/archives/*.deb | wc -l) packages of $arch in $root"
