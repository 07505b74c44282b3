#!/usr/bin/env bash
# The snapshot tool from the command line: a good run writes a PNG of the asked size; every bad
# input gets one line on stderr, a non-zero status and no file; a signal or a file-size limit
# mid-write leaves nothing behind; special files are refused and links followed.
set -u
tool=$1
dir=$(mktemp -d)
trap 'chmod -R u+w "$dir"; rm -rf "$dir"' EXIT
fail=0

"$tool" --passes 100 --size 320x200 --out "$dir/ok.png" || { echo "good run failed"; fail=1; }
size=$(identify -format '%wx%h' "$dir/ok.png" 2>/dev/null)
[ "$size" = "320x200" ] || { echo "ok.png is '$size', not 320x200"; fail=1; }
rm -f "$dir/ok.png"

"$tool" --passes 10 --dpi 192 --out "$dir/big.png" || { echo "192 dpi run failed"; fail=1; }
size=$(identify -format '%wx%h' "$dir/big.png" 2>/dev/null)
[ "$size" = "2560x1280" ] || { echo "at 192 dpi the picture is '$size', not 2560x1280"; fail=1; }
rm -f "$dir/big.png"

"$tool" --passes 10 --size 200x100 --gif "$dir/ok.gif" --seconds 0.2 || { echo "good GIF failed"; fail=1; }
frames=$(identify "$dir/ok.gif" 2>/dev/null | wc -l)
[ "$frames" = "5" ] || { echo "ok.gif has $frames frames, not 5"; fail=1; }
rm -f "$dir/ok.gif"

# To standard output as tools do, but never onto a terminal.
size=$("$tool" --passes=10 --size=20x10 --out=- | identify -format '%wx%h' - 2>/dev/null)
[ "$size" = "20x10" ] || { echo "--out - gave '$size', not a 20x10 PNG"; fail=1; }
script -qec "$tool --passes 10 --out -" /dev/null | grep -q 'terminal' ||
  { echo "--out - wrote onto a terminal"; fail=1; }

"$tool" --version | grep -qx 'drelm-wheel-snapshot 1.00' || { echo "--version is not 1.00"; fail=1; }
"$tool" --help | grep -q -- '--passes N' || { echo "--help does not describe --passes"; fail=1; }

bad() {
  local err status
  err=$("$tool" "$@" 2>&1 >/dev/null)
  status=$?
  if [ $status -eq 0 ]; then echo "status 0 for: $*"; fail=1; fi
  if [ -z "$err" ] || [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
    echo "not one line for: $* -> $err"; fail=1
  fi
  if [ -n "$(ls -A "$dir")" ]; then echo "left files for: $*: $(ls -A "$dir")"; fail=1; fi
}
bad --passes -5 --out "$dir/a.png"
bad --passes abc --out "$dir/a.png"
bad --passes 5000000000 --out "$dir/a.png"
bad --size 0x5 --out "$dir/a.png"
bad --size 9000x100 --out "$dir/a.png"
bad --size 100 --out "$dir/a.png"
bad --dpi 0 --out "$dir/a.png"
bad --out "$dir/a.jpg"
bad --gif "$dir/a.png"
bad --colour red --out "$dir/a.png"
bad --passes 3
bad --out "$dir/no/such/dir/a.png"
bad --gif "$dir/a.gif" --seconds 0
bad --gif "$dir/a.gif" --seconds 100
bad --gif "$dir/a.gif" --fps 0
bad --gif "$dir/a.gif" --fps many
bad --gif "$dir/a.gif" --out "$dir/a.png"
bad --out "$dir/a.png" --fps 10
bad --gif "$dir/no/such/dir/a.gif"
bad --passes -0 --out "$dir/a.png"
bad --passes +5 --out "$dir/a.png"
bad --size $'10x10\n' --out "$dir/a.png"
bad --out "$dir/"$'no\nsuch/a.png'
err=$("$tool" --help 2>&1 >/dev/full) && { echo "--help to a full disk succeeded"; fail=1; }
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "--help to a full disk: $err"; fail=1; }

# Killed mid-write, or stopped by a file-size limit: nothing is left, and the limit says so.
for signal in INT TERM HUP; do
  env --default-signal=INT "$tool" --size 2000x1000 --gif "$dir/x.gif" --seconds 60 --fps 50 &
  pid=$!
  sleep 1
  kill -s $signal $pid
  wait $pid 2>/dev/null
  [ $? -gt 128 ] || { echo "SIG$signal did not end the run"; fail=1; }
  [ -z "$(ls -A "$dir")" ] || { echo "SIG$signal left $(ls -A "$dir")"; fail=1; }
done
err=$(ulimit -f 1; "$tool" --out "$dir/a.png" 2>&1) && { echo "a file-size limit passed"; fail=1; }
[ "$err" = "drelm-wheel-snapshot: cannot write $dir/a.png: File too large" ] ||
  { echo "a file-size limit says: $err"; fail=1; }
[ -z "$(ls -A "$dir")" ] || { echo "a file-size limit left $(ls -A "$dir")"; fail=1; }

# A name of 255 characters is a valid one.
long=$(printf 'a%.0s' $(seq 251)).png
"$tool" --out "$dir/$long" || { echo "a 255-character name was refused"; fail=1; }
rm -f "$dir/$long"

# Special files are refused; a link is followed and kept.
special=$(mktemp -d)
mkfifo "$special/fifo"
mkdir "$special/folder"
[ "$(id -u)" -eq 0 ] && mknod "$special/null" c 1 3
for target in "$special"/*; do
  err=$("$tool" --out "$target" 2>&1) && { echo "wrote over $target"; fail=1; }
  [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || { echo "not one line for $target"; fail=1; }
done
[ -p "$special/fifo" ] && [ -d "$special/folder" ] || { echo "a special file was replaced"; fail=1; }
[ "$(id -u)" -ne 0 ] || [ -c "$special/null" ] || { echo "the device was replaced"; fail=1; }
ln -s real.png "$special/link.png"
"$tool" --out "$special/link.png" || { echo "writing through a link failed"; fail=1; }
[ -L "$special/link.png" ] && [ -f "$special/real.png" ] || { echo "the link was not kept"; fail=1; }
rm -rf "$special"

exit $fail
