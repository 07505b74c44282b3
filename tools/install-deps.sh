#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need, when any is missing.
# Uses sudo when not run as root. Prints nothing when all are there.
set -euo pipefail

packages=(
  cmake make g++ pkg-config            # the build
  libsdl2-dev libpng-dev libgif-dev    # the window, PNG and GIF files
  libgtest-dev libbenchmark-dev        # tests and benchmarks
  libcairo2-dev libx11-dev             # the benchmarks' peer; a test's close-button helper
  xvfb xdotool x11-apps x11-utils imagemagick  # real-window tests: a private X server, input, screenshots
  weston xwayland libdecor-0-plugin-1-cairo    # a Wayland desktop, with XWayland and title bars
  openbox wmctrl x11-xserver-utils             # a real window manager; Xft.dpi through xrdb
  clang-format                         # the format check
  clang libclang-rt-14-dev valgrind    # the fuzzer, the sanitizers' run-time, plain-double checks
  dbus-x11                             # a session bus that would outlive the program if started
  desktop-file-utils appstream dpkg-dev file  # checking the launcher and metainfo; the package
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "install-deps: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
