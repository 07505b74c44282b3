#!/usr/bin/env bash
# Installs the Debian packages that are missing: `install-deps.sh run` what building and running
# the program needs, `install-deps.sh windows` what the Windows build needs, `install-deps.sh web`
# what the web page's build needs, `install-deps.sh package` what the Debian package needs,
# `install-deps.sh arm64` (or `armhf`) what that architecture's package needs, `install-deps.sh
# arm` what both ARM builds and their tests need, `install-deps.sh release` what a release needs
# (nothing for tests), `install-deps.sh test` (the
# default) everything the tools, the tests, the benchmarks and the other builds need, with what
# drives the browser in the web page's tests and audits the page (playwright-core and axe-core,
# from npm). An ARM build's libraries are not installed but downloaded into a folder of their own
# (tools/make-sysroot.sh). Uses sudo when not run as root. Prints nothing when all are there.
set -euo pipefail

run_packages=(
  cmake make g++ pkg-config            # the build
  libx11-dev libxext-dev               # the window on X11: Xlib, MIT-SHM
  libwayland-dev wayland-protocols libxkbcommon-dev libdecor-0-dev  # on Wayland: the protocols, keys, title bar
  libpng-dev librsvg2-bin              # the icon: rendered from its SVG, read into the window
)
test_packages=(
  libgif-dev                           # the snapshot tool's GIF files
  libgtest-dev libbenchmark-dev        # tests and benchmarks
  libcairo2-dev                        # the benchmarks' peer
  xvfb xdotool x11-apps x11-utils imagemagick  # real-window tests: a private X server, input, screenshots
  weston xwayland libdecor-0-plugin-1-cairo    # a Wayland desktop, with XWayland and title bars
  sway                                 # one that draws the title bars itself (xdg-decoration)
  openbox wmctrl x11-xserver-utils             # a real window manager; Xft.dpi through xrdb
  clang-format                         # the format check
  clang libclang-rt-14-dev valgrind    # the fuzzer, the sanitizers' run-time, plain-double checks
  dbus-x11                             # a session bus that would outlive the program if started
  desktop-file-utils appstream dpkg-dev file lintian  # checking the launcher, metainfo, package
)

windows_packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64  # the Windows build: 64-bit
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686      # and 32-bit
  icoutils nsis                                         # its icon and its installer
)
wine_packages=(
  wine wine64 python3-pefile           # running the programs here, and reading them
)
# The 32-bit program runs in a 32-bit Wine, where the kernel runs 32-bit programs at all: on a
# kernel that does not, wine32 would only stop the 64-bit Wine from starting.
if "$(dirname "$0")/runs-32-bit-programs.sh"; then
  wine_packages+=(wine32:i386)
fi

web_packages=(
  emscripten                           # the web page's build
)
package_packages=(
  libgif-dev                           # the snapshot tool the package holds too
  dpkg-dev                             # the package's run-time dependencies (dpkg-shlibdeps)
)
# An ARM build: Debian's cross compiler and binutils (whose objdump dpkg-shlibdeps reads the
# programs with) on this machine, the scanner of the Wayland protocols this machine runs.
arm64_packages=(g++-aarch64-linux-gnu binutils-aarch64-linux-gnu)
armhf_packages=(g++-arm-linux-gnueabihf binutils-arm-linux-gnueabihf)
cross_packages=(cmake make pkg-config librsvg2-bin libwayland-bin dpkg-dev)
qemu_packages=(
  qemu-user-static                     # the ARM programs run here, under emulation
)
release_packages=(
  git python3                          # the source tarball, the web page's zip
)
browser_packages=(
  chromium                             # the browser the web page is tested in
)

sysroots=()
case "${1:-test}" in
  run) packages=("${run_packages[@]}") ;;
  windows) packages=(cmake make librsvg2-bin "${windows_packages[@]}") ;;
  web) packages=(cmake make librsvg2-bin "${web_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  arm64) packages=("${cross_packages[@]}" "${arm64_packages[@]}"); sysroots=(arm64) ;;
  armhf) packages=("${cross_packages[@]}" "${armhf_packages[@]}"); sysroots=(armhf) ;;
  arm) packages=("${cross_packages[@]}" "${arm64_packages[@]}" "${armhf_packages[@]}"
         "${qemu_packages[@]}")
    sysroots=(arm64 armhf) ;;
  release) packages=("${run_packages[@]}" "${package_packages[@]}" "${windows_packages[@]}"
             "${web_packages[@]}" "${cross_packages[@]}" "${arm64_packages[@]}"
             "${armhf_packages[@]}" "${release_packages[@]}")
    sysroots=(arm64 armhf) ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}"
          "${wine_packages[@]}" "${web_packages[@]}" "${browser_packages[@]}"
          "${cross_packages[@]}" "${arm64_packages[@]}" "${armhf_packages[@]}" "${qemu_packages[@]}"
          "${release_packages[@]}")
    sysroots=(arm64 armhf) ;;
  *) echo "install-deps: say 'run', 'test', 'package', 'arm64', 'armhf', 'arm', 'release'," \
       "'windows' or 'web', not '$1'" >&2
     exit 2 ;;
esac
# Node.js and npm run the web page's tests; a machine that has them from elsewhere keeps them.
if [ "${1:-test}" = test ]; then
  command -v node >/dev/null || packages+=(nodejs)
  command -v npm >/dev/null || packages+=(npm)
fi

# What drives the browser in the web page's tests and audits the page, as
# tests/web/package-lock.json pins it.
install_test_modules() {
  [ "${1:-test}" = test ] || return 0
  local web
  web="$(dirname "$0")/../tests/web"
  [ -f "$web/node_modules/playwright-core/package.json" ] &&
    [ -f "$web/node_modules/axe-core/package.json" ] && return 0
  echo "install-deps: installing playwright-core and axe-core from npm"
  # npm's cache and logs in a folder of their own for this once, not the home folder.
  local cache status=0
  cache=$(mktemp -d)
  npm_config_cache="$cache" npm_config_update_notifier=false \
    npm ci --prefix "$web" --no-audit --no-fund --loglevel=error >/dev/null || status=$?
  rm -rf "$cache"
  return "$status"
}

# The libraries each ARM build links against, in a folder of that architecture's own.
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
make_sysroots() {
  local arch
  for arch in "${sysroots[@]}"; do
    "${sudo[@]}" "$(dirname "$0")/make-sysroot.sh" "$arch"
  done
}

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  make_sysroots
  install_test_modules "${1:-test}"
  exit 0
fi

if [ ${#sudo[@]} -gt 0 ] && ! command -v sudo >/dev/null; then
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
echo "install-deps: installing ${missing[*]}"
# A 32-bit Wine comes from the i386 half of the archive.
if [[ " ${missing[*]} " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
make_sysroots
install_test_modules "${1:-test}"
